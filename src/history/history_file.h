#pragma once

#include <QByteArray>
#include <QString>

namespace naklon {

// The most a history box takes, in characters of the box (a line break is
// one character): 16 Mi, the least a history must be able to hold.
inline constexpr qsizetype kHistoryCapacity = qsizetype(16) * 1024 * 1024;

// Reads the history file at `path` and returns the text a box takes for it:
// the bytes before the first zero byte, every CR LF, lone CR and lone LF as
// one "\n", decoded from Windows-1251. Only a regular file (or a link to
// one) is read; a folder, a pipe, a socket or a device is refused without
// being waited on.
// Throws cannotOpenFile when the file cannot be opened or read, and
// textExceedsMemoCapacity when the text has more than `capacity` characters
// (core/failures.h).
QString readHistoryFile(const QString &path, qsizetype capacity = kHistoryCapacity);

// Writes `bytes` as the whole file at `path`. A symbolic link is written
// through: the link stays, the file it points at gets the history. A name
// that stands for anything but a regular file (a folder, a pipe, a socket,
// a device) is refused and left alone, as is a file the user may not write.
// The history goes to a new file beside the old one that replaces it only
// once everything is on the disk, so a failure leaves any old file as it
// was and no partial file behind. Only where the folder takes no new file
// but the file itself may be written is the file rewritten in place; a
// failure part-way then leaves what was written.
// Throws cannotCreateFile when the file cannot be made (or put in place of
// the old one), streamWriteError when fewer bytes are written than asked
// (core/failures.h).
void saveHistoryFile(const QString &path, const QByteArray &bytes);

} // namespace naklon
