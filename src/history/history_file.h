#pragma once

#include <QByteArray>
#include <QString>

class QSaveFile;

namespace naklon {

// The most a history box takes, in characters of the box (a line break is
// one character): 16 Mi, the least a history must be able to hold. Qt's
// text document sets the pace of opening (bench/history_bench.cpp): about
// 4 MiB of history still opens in under a second on the development
// machine, 16 MiB takes about 4 s, nearly all of it in setPlainText itself.
inline constexpr qsizetype kHistoryCapacity = qsizetype(16) * 1024 * 1024;

// Reads the history file at `path` and returns the text a box takes for it:
// the bytes before the first zero byte, every CR LF, lone CR and lone LF as
// one "\n", decoded from Windows-1251.
// Throws cannotOpenFile when the file cannot be opened or read, and
// textExceedsMemoCapacity when the text has more than `capacity` characters
// (core/failures.h).
QString readHistoryFile(const QString &path, qsizetype capacity = kHistoryCapacity);

// Writes `bytes` as the whole file at `path`, through a new file beside it
// that replaces the old one only once everything is written: a failure
// leaves any old file as it was and no partial file behind.
// Throws cannotCreateFile when the file cannot be made (or put in place of
// the old one), streamWriteError when fewer bytes are written than asked
// (core/failures.h).
void saveHistoryFile(const QString &path, const QByteArray &bytes);

// saveHistoryFile on a file object the caller made for its path (tests hand
// in one whose writes fail).
void saveHistoryFile(QSaveFile &file, const QByteArray &bytes);

} // namespace naklon
