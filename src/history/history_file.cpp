#include "history/history_file.h"

#include "core/failures.h"
#include "core/history_text.h"
#include "history/file_bytes.h"
#include "history/windows1251_text.h"

#include <string>

namespace naklon {
namespace {

// The lines a box would hold for a file's text: one more than its line
// breaks (CR LF, a lone CR and a lone LF each one).
qsizetype lineCount(QByteArrayView text)
{
    qsizetype breaks = 0;
    for (qsizetype i = 0; i < text.size(); ++i) {
        if (text[i] == '\n' || (text[i] == '\r' && (i + 1 == text.size() || text[i + 1] != '\n')))
            ++breaks;
    }
    return breaks + 1;
}

} // namespace

QString readHistoryFile(const QString &path, HistoryCapacity capacity)
{
    // A line break can take two bytes and is one character in the box, so
    // more than twice the capacity in bytes before the first zero byte can
    // never fit: nothing beyond that is read.
    const qint64 limit = 2 * static_cast<qint64>(capacity.characters);
    QByteArray bytes = readFileBytes(path, limit);

    const qsizetype zero = bytes.indexOf('\0');
    if (zero >= 0)
        bytes.truncate(zero);
    else if (bytes.size() > limit)
        throw textExceedsMemoCapacity();
    // Counted before anything is converted: the lines, not the bytes, set
    // what a box can lay out.
    if (lineCount(bytes) > capacity.lines)
        throw textExceedsMemoCapacity();

    const std::string normalised =
        normaliseLineBreaks(std::string_view(bytes.constData(), static_cast<std::size_t>(bytes.size())));
    bytes = QByteArray(); // the file's bytes are no longer needed
    QString text = historyTextFromBytes(QByteArrayView(normalised.data(), static_cast<qsizetype>(normalised.size())));
    if (text.size() > capacity.characters)
        throw textExceedsMemoCapacity();
    return text;
}

void saveHistoryFile(const QString &path, const QByteArray &bytes)
{
    saveFileBytes(path, bytes);
}

} // namespace naklon
