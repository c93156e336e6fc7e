#pragma once

// The codes a system reports file failures with, and the texts and paths a
// history file message shows, for the tests that expect such messages.

#include "core/failures.h"
#include "files/file_bytes.h"

#include <QString>

#include <string>
#include <string_view>

#ifdef Q_OS_WIN
#include <winerror.h>
#else
#include <cerrno>
#endif

namespace system_errors {

#ifdef Q_OS_WIN
constexpr int kNoFile = ERROR_FILE_NOT_FOUND;
constexpr int kNoFolder = ERROR_PATH_NOT_FOUND;
constexpr int kFolderAsFile = ERROR_ACCESS_DENIED;
constexpr int kFileAsFolder = ERROR_PATH_NOT_FOUND;
#else
constexpr int kNoFile = ENOENT;
constexpr int kNoFolder = ENOENT;
constexpr int kFolderAsFile = EISDIR;
constexpr int kFileAsFolder = ENOTDIR;
#endif

// The system's text for `error` as a message carries it.
inline QString osText(int error)
{
    const std::string text = naklon::systemErrorText(error);
    const std::string_view shown = naklon::messageSystemText(text);
    return QString::fromUtf8(shown.data(), static_cast<qsizetype>(shown.size()));
}

// The full path a message shows for `path`.
inline QString shownPath(const QString &path)
{
    return QString::fromStdString(naklon::nativePath(path.toStdString()));
}

} // namespace system_errors
