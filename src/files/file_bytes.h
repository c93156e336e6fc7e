#pragma once

#include "core/failures.h"

#include <cstdint>
#include <string>
#include <string_view>

// The bytes of a file as the program reads and saves them, the same on every
// system: the histories, and the documents written as PDF. Paths are UTF-8.
// Every failure names the file by its native path (nativePath) and gives the
// system's own reason (systemErrorText).
namespace naklon {

// Reads the regular file at `path` (a link to one is followed) from its
// start, at most `limit` + 1 bytes, so that a file too large for any box is
// never read whole. While it is read others may read it too but not write
// it: a file another program holds open or locked for writing is refused,
// never waited for. A folder, a pipe, a socket or a device is refused and
// never waited on; on Windows a device name (CON, COM1.txt, ...) or a device
// path (\\.\...) is refused before anything is opened.
// Throws cannotOpenFile (core/failures.h).
std::string readFileBytes(const std::string &path, std::int64_t limit);

// Makes `bytes` the whole file at `path` so that a failure leaves any old
// file as it was and no partial file behind: a new file beside the old one,
// given the old one's metadata, takes its place only once all of it is on
// the disk; where no new file can take its place unnoticed (other hard
// links, metadata that cannot be given, a folder that takes no new file or
// lets none replace the old one) the old file is rewritten where it is, the
// room taken first and the old text put back on a failed write. A link to a
// file is saved through (the link stays); a link that leads nowhere or
// round in a loop is refused. A file another program holds open or locked,
// a read-only file and a name that stands for anything but a regular file
// are refused and left alone, devices and device names without being
// opened. A file-size limit gives an error, never a signal.
// Throws cannotCreateFile (core/failures.h).
void saveFileBytes(const std::string &path, std::string_view bytes);

// The full path of `path` as the system writes it: absolute, "." and ".."
// resolved, the system's separators. Links are not followed.
//   POSIX, in /home/u:  "a/../h.txt"          -> "/home/u/h.txt"
//   Windows, in C:\u:   "d/h.txt"             -> "C:\u\d\h.txt"
//                       "//server/share/h.txt" -> "\\server\share\h.txt"
std::string nativePath(const std::string &path);

// The system's own text for its error `code` (an errno value on Linux, a
// system error code on Windows), in UTF-8 and as the system words it, full
// stop and line break included:
//   ENOENT -> "No such file or directory"
//   ERROR_ACCESS_DENIED -> "Access is denied.\r\n" (in the user's language)
std::string systemErrorText(int code);

// The failure of a file at `path` that cannot be made or saved, for the
// system's error `code`: Cannot create file "<native path>". <system text>
Exception cannotCreate(const std::string &path, int code);

// The system's code for an output that failed on its way to the file.
int outputFailedCode();

} // namespace naklon
