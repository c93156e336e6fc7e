#pragma once

#include <QByteArray>
#include <QString>

#include <algorithm>
#include <string>

// The bytes of a history file as the system reads and saves them: the one
// part of history files written once for each system (file_bytes_posix.cpp,
// file_bytes_windows.cpp), chosen by the build. Every failure names the
// file by its full path as the system writes it (absolute, cleaned, with
// the system's separators) and gives the system's own reason.
namespace naklon {

// Reads the regular file at `path` (a link to one is followed) from its
// start, at most `limit` + 1 bytes, so that a file too large for any box is
// never read whole. While it is read others may read it too but not write
// it: a file another program holds open or locked for writing is refused,
// never waited for. A folder, a pipe, a socket or a device is refused and
// never waited on.
// Throws cannotOpenFile (core/failures.h).
QByteArray readFileBytes(const QString &path, qint64 limit);

// Makes `bytes` the whole file at `path` so that a failure leaves any old
// file as it was and no partial file behind: a new file beside the old one
// takes its place only once all of it is on the disk, or, where no new file
// can take its place unnoticed, the old file is rewritten where it is with
// the room taken first and the old text put back on a failed write. A file
// another program holds open or locked, a read-only file and a name that
// stands for anything but a regular file are refused and left alone.
// Throws cannotCreateFile (core/failures.h).
void saveFileBytes(const QString &path, const QByteArray &bytes);

// The system's own text for its error `code` (an errno value on Linux, a
// system error code on Windows), in UTF-8 and as the system words it, full
// stop and line break included:
//   ENOENT -> "No such file or directory"
//   ERROR_ACCESS_DENIED -> "Access is denied.\r\n" (in the user's language)
std::string systemErrorText(int code);

// The reading both systems share: reads on from a file's position into
// `bytes` with `readSome(into, room)`, which gives the number of bytes it
// read, 0 at the end of the file or -1 on a failure. The buffer starts at
// the file's `size` and one byte more, so that the read that meets the end
// finds it without growing, doubles as needed and never grows beyond
// `limit` + 1 bytes: a file too large for any box is never read whole.
// False on a failure.
template <typename ReadSome>
bool readUpTo(QByteArray &bytes, qint64 size, qint64 limit, ReadSome readSome)
{
    bytes = QByteArray(static_cast<qsizetype>(std::min(size > 0 ? size + 1 : qint64(64 * 1024), limit + 1)),
        Qt::Uninitialized);
    qint64 filled = 0;
    for (;;) {
        if (filled == bytes.size()) {
            if (filled > limit)
                break;
            bytes.resize(static_cast<qsizetype>(std::min(2 * filled, limit + 1)));
        }
        const qint64 got = readSome(bytes.data() + filled, bytes.size() - filled);
        if (got < 0)
            return false;
        if (got == 0)
            break;
        filled += got;
    }
    bytes.truncate(static_cast<qsizetype>(filled));
    return true;
}

} // namespace naklon
