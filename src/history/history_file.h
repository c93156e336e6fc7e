#pragma once

#include <QByteArray>
#include <QString>

namespace naklon {

// The most a history box takes, in characters of the box (a line break is
// one character) and in lines. 16 Mi characters is the least a history must
// be able to hold; the lines are what laying a text out costs, so a file of
// many short lines is held to 512 Ki of them (a history of results, about
// 32 characters a line, fills both at once). Anything within both opens
// within a few seconds (docs/performance.md has the figures).
struct HistoryCapacity {
    qsizetype characters;
    qsizetype lines;
};
inline constexpr HistoryCapacity kHistoryCapacity{qsizetype(16) * 1024 * 1024, qsizetype(512) * 1024};

// Reads the history file at `path` and returns the text a box takes for it:
// the bytes before the first zero byte, every CR LF, lone CR and lone LF as
// one "\n", decoded from Windows-1251. Only a regular file (or a link to
// one) is read; a folder, a pipe, a socket or a device is refused without
// being waited on.
// While it is read, others may read it too but not write it: a file another
// program holds open (Windows) or locked (Linux) for writing is refused,
// never waited for.
// Throws cannotOpenFile when the file cannot be opened or read, and
// textExceedsMemoCapacity when the text has more than `capacity` allows,
// found before the text is converted or laid out (core/failures.h).
QString readHistoryFile(const QString &path, HistoryCapacity capacity = kHistoryCapacity);

// Writes `bytes` as the whole file at `path`, through saveFileBytes
// (files/file_bytes.h). A symbolic link is written through: the link
// stays, the file it points at gets the history. A name that stands for
// anything but a regular file (a folder, a pipe, a socket, a device, on
// Windows a device name such as COM1.txt) is refused and left alone, as is
// a file the user may not write. A link loop, and a link that leads
// nowhere, are refused. The old file is locked (Linux) or shared with
// nobody (Windows) while it is saved over: a file another program holds
// locked or open is refused, never waited for.
// The history goes to a new file beside the old one that replaces it only
// once everything is on the disk, carrying the old file's owner, group,
// permissions, ACL and extended attributes (on Windows its attributes, ACL
// and creation time), so a failure leaves any old file as it was and no
// partial file behind. Where that cannot be (the folder takes no new file,
// the file has other hard links, an owner or an attribute cannot be given,
// the folder lets the old file be written but not replaced)
// the file is rewritten where it is: the room is taken first, and the old
// text put back if a write fails all the same. A file-size limit gives an
// error, never a signal. Paths longer than 259 characters work on Windows
// too.
// Throws cannotCreateFile, with the system's reason, for every failure
// (core/failures.h).
void saveHistoryFile(const QString &path, const QByteArray &bytes);

} // namespace naklon
