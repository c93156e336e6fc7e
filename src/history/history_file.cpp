#include "history/history_file.h"

#include "core/failures.h"
#include "core/history_text.h"
#include "history/windows1251_text.h"

#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

#include <algorithm>
#include <cerrno>
#include <cstring>

namespace naklon {
namespace {

QString osText(int error)
{
    return QString::fromLocal8Bit(std::strerror(error));
}

[[noreturn]] void cannotOpen(const QString &fullPath, const QString &reason)
{
    throw cannotOpenFile(fullPath.toStdString(), reason.toStdString());
}

[[noreturn]] void cannotCreate(const QString &fullPath, const QString &reason)
{
    throw cannotCreateFile(fullPath.toStdString(), reason.toStdString());
}

[[noreturn]] void textTooLong()
{
    throw textExceedsMemoCapacity();
}

// Qt words a few refusals of its own instead of passing the system's text
// on; these are given the text the system has for the same refusal.
QString reasonForCreate(const QSaveFile &file, const QFileInfo &target)
{
    if (target.isDir())
        return osText(EISDIR);
    if (target.exists() && !target.isWritable())
        return osText(EACCES);
    return file.errorString();
}

} // namespace

QString readHistoryFile(const QString &path, qsizetype capacity)
{
    const QFileInfo info(path);
    const QString fullPath = info.absoluteFilePath();
    if (info.isDir())
        cannotOpen(fullPath, osText(EISDIR));
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        cannotOpen(fullPath, file.errorString());

    // A line break can take two bytes and is one character in the box, so
    // more than twice the capacity in bytes before the first zero byte can
    // never fit: nothing beyond that is read.
    const qint64 limit = 2 * static_cast<qint64>(capacity);
    const qint64 size = file.size();
    // One byte of slack lets the read that meets the end of the file find it
    // without growing the buffer.
    QByteArray bytes(static_cast<qsizetype>(std::min(size > 0 ? size + 1 : qint64(64 * 1024), limit + 1)),
                     Qt::Uninitialized);
    qint64 filled = 0;
    for (;;) {
        if (filled == bytes.size()) {
            if (filled > limit)
                break;
            bytes.resize(static_cast<qsizetype>(std::min(2 * filled, limit + 1)));
        }
        const qint64 got = file.read(bytes.data() + filled, bytes.size() - filled);
        if (got < 0)
            cannotOpen(fullPath, file.errorString());
        if (got == 0)
            break;
        filled += got;
    }
    bytes.truncate(static_cast<qsizetype>(filled));

    const qsizetype zero = bytes.indexOf('\0');
    if (zero >= 0)
        bytes.truncate(zero);
    else if (filled > limit)
        textTooLong();

    const std::string normalised = normaliseLineBreaks(std::string_view(bytes.constData(), static_cast<std::size_t>(bytes.size())));
    bytes = QByteArray(); // the file's bytes are no longer needed
    QString text = historyTextFromBytes(QByteArrayView(normalised.data(), static_cast<qsizetype>(normalised.size())));
    if (text.size() > capacity)
        textTooLong();
    return text;
}

void saveHistoryFile(const QString &path, const QByteArray &bytes)
{
    QSaveFile file(path);
    saveHistoryFile(file, bytes);
}

void saveHistoryFile(QSaveFile &file, const QByteArray &bytes)
{
    const QFileInfo target(file.fileName());
    const QString fullPath = target.absoluteFilePath();
    if (!file.open(QIODevice::WriteOnly))
        cannotCreate(fullPath, reasonForCreate(file, target));

    // A history smaller than the file's buffer reaches the disk only when it
    // is flushed, and a failure of that last write would otherwise go
    // unnoticed while the cut file replaced the old one: flush before commit.
    if (file.write(bytes) != bytes.size() || !file.flush()) {
        // The new file is dropped; the old one was never touched.
        file.cancelWriting();
        file.commit();
        throw streamWriteError();
    }
    if (!file.commit()) {
        // commit() writes out what is still buffered, then puts the new file
        // in place of the old one: either step can fail, and the new file is
        // removed in both cases.
        if (file.error() == QFileDevice::RenameError)
            cannotCreate(fullPath, file.errorString());
        throw streamWriteError();
    }
}

} // namespace naklon
