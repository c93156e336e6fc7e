#include "history/history_file.h"

#include "core/failures.h"
#include "core/history_text.h"
#include "files/file_bytes.h"
#include "history/windows1251_text.h"

#include <cstdint>
#include <string>
#include <string_view>

namespace naklon {
namespace {

// The lines a box would hold for a file's text: one more than its line
// breaks (CR LF, a lone CR and a lone LF each one).
std::size_t lineCount(std::string_view text)
{
    std::size_t breaks = 0;
    for (std::size_t i = 0; i < text.size(); ++i) {
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
    const std::int64_t limit = 2 * static_cast<std::int64_t>(capacity.characters);
    std::string bytes = readFileBytes(path.toStdString(), limit);

    const std::size_t zero = bytes.find('\0');
    if (zero != std::string::npos)
        bytes.resize(zero);
    else if (static_cast<std::int64_t>(bytes.size()) > limit)
        throw textExceedsMemoCapacity();
    // Counted before anything is converted: the lines, not the bytes, set
    // what a box can lay out.
    if (lineCount(bytes) > static_cast<std::size_t>(capacity.lines))
        throw textExceedsMemoCapacity();

    const std::string normalised = normaliseLineBreaks(bytes);
    bytes = std::string(); // the file's bytes are no longer needed
    QString text = historyTextFromBytes(QByteArrayView(normalised.data(), static_cast<qsizetype>(normalised.size())));
    if (text.size() > capacity.characters)
        throw textExceedsMemoCapacity();
    return text;
}

void saveHistoryFile(const QString &path, const QByteArray &bytes)
{
    saveFileBytes(path.toStdString(), std::string_view(bytes.constData(), static_cast<std::size_t>(bytes.size())));
}

} // namespace naklon
