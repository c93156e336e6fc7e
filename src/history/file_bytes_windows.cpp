#include "history/file_bytes.h"

#include "core/failures.h"

#include <QDir>
#include <QFileInfo>
#include <QRandomGenerator>

#include <algorithm>
#include <string>
#include <utility>

#include <windows.h>

// History files through the Win32 file interface. Share modes stand in for
// locks: others may read a file while it is read but not write it, and a
// file being saved is shared with nobody. A save goes to a new file beside
// the old one, given the old file's attributes and creation time, that
// ReplaceFileW puts in its place with the old file's ACL. Names go to the
// system in its long form (\\?\C:\...), so a path may be longer than 259
// characters; messages show the path as the user knows it.
namespace naklon {
namespace {

// Closes a handle when it goes; the first close that fails tells why.
class Handle {
public:
    explicit Handle(HANDLE handle = INVALID_HANDLE_VALUE) : handle_(handle) {}
    ~Handle()
    {
        if (valid())
            ::CloseHandle(handle_);
    }
    Handle(Handle &&other) noexcept : handle_(std::exchange(other.handle_, INVALID_HANDLE_VALUE)) {}
    Handle &operator=(Handle &&other) noexcept
    {
        if (this != &other) {
            if (valid())
                ::CloseHandle(handle_);
            handle_ = std::exchange(other.handle_, INVALID_HANDLE_VALUE);
        }
        return *this;
    }
    Handle(const Handle &) = delete;
    Handle &operator=(const Handle &) = delete;

    HANDLE get() const { return handle_; }
    bool valid() const { return handle_ != INVALID_HANDLE_VALUE; }
    // Closes now; false (the error in GetLastError) when the system reports
    // a failure.
    bool close() { return ::CloseHandle(std::exchange(handle_, INVALID_HANDLE_VALUE)) != 0; }

private:
    HANDLE handle_;
};

[[noreturn]] void cannotOpen(const QString &fullPath, DWORD error)
{
    throw cannotOpenFile(fullPath.toStdString(), systemErrorText(static_cast<int>(error)));
}

[[noreturn]] void cannotCreate(const QString &fullPath, DWORD error)
{
    throw cannotCreateFile(fullPath.toStdString(), systemErrorText(static_cast<int>(error)));
}

// A file's two names: the full path a message shows, and the name the
// system's calls are given, which may be longer than 259 characters.
//   "C:/Users/x/../x/h.txt" -> C:\Users\x\h.txt, \\?\C:\Users\x\h.txt
//   "//server/share/h.txt"  -> \\server\share\h.txt, \\?\UNC\server\share\h.txt
struct FileName {
    QString full;
    std::wstring api;
    DWORD error = NO_ERROR; // the system could not make it a full path
};

// The full path as the system makes it for any program: from the current
// drive and folder, "." and ".." resolved, trailing dots and blanks of the
// name dropped, backslashes.
FileName fileName(const QString &path)
{
    FileName name;
    const std::wstring given = QDir::toNativeSeparators(path).toStdWString();
    std::wstring full(MAX_PATH, L'\0');
    for (;;) {
        const DWORD length = ::GetFullPathNameW(given.c_str(), static_cast<DWORD>(full.size()), full.data(), nullptr);
        if (length == 0) {
            name.error = ::GetLastError();
            name.full = QDir::toNativeSeparators(QDir::cleanPath(QFileInfo(path).absoluteFilePath()));
            return name;
        }
        if (length < full.size()) {
            full.resize(length);
            break;
        }
        full.resize(length); // the room it asks for, its closing zero included
    }
    name.full = QString::fromStdWString(full);
    if (full.starts_with(L"\\\\?\\") || full.starts_with(L"\\\\.\\"))
        name.api = full; // given in the system's own form
    else if (full.starts_with(L"\\\\"))
        name.api = L"\\\\?\\UNC\\" + full.substr(2);
    else
        name.api = L"\\\\?\\" + full;
    return name;
}

// Opens without waiting for anything. Should the name lead to a named pipe,
// the program at its other end may learn who opens it but not act as them.
HANDLE openFile(const std::wstring &name, DWORD access, DWORD share, DWORD disposition)
{
    return ::CreateFileW(name.c_str(), access, share, nullptr, disposition,
        FILE_ATTRIBUTE_NORMAL | SECURITY_SQOS_PRESENT | SECURITY_IDENTIFICATION, nullptr);
}

// NO_ERROR when the open `file` is a regular file on a disk (its
// description then in `info`), else the code it is refused with. A folder
// is "Access is denied", as the system itself answers a folder opened as a
// file; a pipe, a console or another device is "The request is not
// supported": there is no file of text behind the name.
DWORD diskFileRefusal(HANDLE file, BY_HANDLE_FILE_INFORMATION &info)
{
    const DWORD type = ::GetFileType(file);
    if (type == FILE_TYPE_UNKNOWN && ::GetLastError() != NO_ERROR)
        return ::GetLastError();
    if (type != FILE_TYPE_DISK)
        return ERROR_NOT_SUPPORTED;
    if (!::GetFileInformationByHandle(file, &info))
        return ::GetLastError();
    if ((info.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0)
        return ERROR_ACCESS_DENIED;
    return NO_ERROR;
}

DWORD moveTo(HANDLE file, qint64 offset)
{
    LARGE_INTEGER to{};
    to.QuadPart = offset;
    return ::SetFilePointerEx(file, to, nullptr, FILE_BEGIN) ? NO_ERROR : ::GetLastError();
}

// Makes the file `length` bytes long; a longer file takes its room on the
// disk at once.
DWORD setLength(HANDLE file, qint64 length)
{
    if (const DWORD refusal = moveTo(file, length))
        return refusal;
    return ::SetEndOfFile(file) ? NO_ERROR : ::GetLastError();
}

// Writes all of `bytes` at the file's position: NO_ERROR, or the code of
// the write that failed ("disk full" where the system takes nothing and
// says nothing).
DWORD writeAll(HANDLE file, const QByteArray &bytes)
{
    const char *data = bytes.constData();
    qsizetype left = bytes.size();
    while (left > 0) {
        const auto chunk = static_cast<DWORD>(std::min<qsizetype>(left, qsizetype(1) << 30));
        DWORD written = 0;
        if (!::WriteFile(file, data, chunk, &written, nullptr))
            return ::GetLastError();
        if (written == 0)
            return ERROR_DISK_FULL;
        data += written;
        left -= written;
    }
    return NO_ERROR;
}

// Reads from the file's position on into `bytes` (readUpTo):
// NO_ERROR, or the code of the read that failed.
DWORD readHandleUpTo(HANDLE file, QByteArray &bytes, qint64 size, qint64 limit)
{
    DWORD refusal = NO_ERROR;
    readUpTo(bytes, size, limit, [file, &refusal](char *into, qint64 room) -> qint64 {
        DWORD got = 0;
        if (!::ReadFile(file, into, static_cast<DWORD>(std::min(room, qint64(1) << 30)), &got, nullptr)) {
            refusal = ::GetLastError();
            return -1;
        }
        return got;
    });
    return refusal;
}

// Puts the old text back over a failed rewrite in place, as far as the
// system lets it.
void restore(HANDLE file, const QByteArray &old)
{
    if (moveTo(file, 0) == NO_ERROR && writeAll(file, old) == NO_ERROR && setLength(file, old.size()) == NO_ERROR)
        (void)::FlushFileBuffers(file);
}

// The old file, open for the save and shared with nobody until it is
// closed.
struct OldFile {
    Handle handle;         // not valid: there is no old file
    bool readable = false; // open for reading too: a rewrite in place can put it back
    BY_HANDLE_FILE_INFORMATION info{};
};

// Opens the old file at `api` for the save: for reading and writing where
// it may be read, else for writing. A file another program has open, a
// read-only file, a folder or a device is found here, before anything is
// written, and reported; a missing file is no failure.
OldFile openOld(const QString &fullPath, const std::wstring &api)
{
    OldFile old;
    HANDLE handle = openFile(api, GENERIC_READ | GENERIC_WRITE, 0, OPEN_EXISTING);
    old.readable = handle != INVALID_HANDLE_VALUE;
    if (!old.readable && ::GetLastError() == ERROR_ACCESS_DENIED)
        handle = openFile(api, GENERIC_WRITE | FILE_READ_ATTRIBUTES, 0, OPEN_EXISTING);
    if (handle == INVALID_HANDLE_VALUE) {
        const DWORD refusal = ::GetLastError();
        if (refusal == ERROR_FILE_NOT_FOUND)
            return old;
        cannotCreate(fullPath, refusal);
    }
    old.handle = Handle(handle);
    if (const DWORD refusal = diskFileRefusal(handle, old.info))
        cannotCreate(fullPath, refusal);
    // The system refuses to open a read-only file for writing; where a
    // file system lets it be opened all the same, the answer is the same.
    if ((old.info.dwFileAttributes & FILE_ATTRIBUTE_READONLY) != 0)
        cannotCreate(fullPath, ERROR_ACCESS_DENIED);
    return old;
}

// Rewrites the old file where it is. The room for the new text is taken
// before the old text is touched, and when a write fails all the same the
// old text (read first where the file may be read) is put back: the old
// file is never left cut.
void writeInPlace(const QString &fullPath, OldFile &old, const QByteArray &bytes)
{
    const HANDLE file = old.handle.get();
    LARGE_INTEGER oldSize{};
    if (!::GetFileSizeEx(file, &oldSize))
        cannotCreate(fullPath, ::GetLastError());
    QByteArray oldText;
    if (old.readable) {
        DWORD refusal = moveTo(file, 0);
        if (refusal == NO_ERROR)
            refusal = readHandleUpTo(file, oldText, oldSize.QuadPart, oldSize.QuadPart);
        if (refusal != NO_ERROR)
            cannotCreate(fullPath, refusal);
    }
    const qint64 size = bytes.size();
    if (size > oldSize.QuadPart) {
        if (const DWORD refusal = setLength(file, size)) {
            (void)setLength(file, oldSize.QuadPart);
            cannotCreate(fullPath, refusal);
        }
    }
    DWORD refusal = moveTo(file, 0);
    if (refusal == NO_ERROR)
        refusal = writeAll(file, bytes);
    if (refusal == NO_ERROR)
        refusal = setLength(file, size);
    if (refusal == NO_ERROR && !::FlushFileBuffers(file))
        refusal = ::GetLastError();
    if (refusal != NO_ERROR) {
        if (old.readable)
            restore(file, oldText);
        cannotCreate(fullPath, refusal);
    }
    if (!old.handle.close())
        cannotCreate(fullPath, ::GetLastError());
}

// The name of the open `file`, a link followed to the file it points at;
// `name` where the system cannot tell.
std::wstring finalName(HANDLE file, const std::wstring &name)
{
    std::wstring resolved(MAX_PATH, L'\0');
    for (;;) {
        const DWORD length = ::GetFinalPathNameByHandleW(file, resolved.data(), static_cast<DWORD>(resolved.size()),
            FILE_NAME_NORMALIZED | VOLUME_NAME_DOS);
        if (length == 0)
            return name;
        if (length < resolved.size()) {
            resolved.resize(length);
            return resolved;
        }
        resolved.resize(length); // the room it asks for, its closing zero included
    }
}

// A new file in the folder of `target`, under a name no other file has,
// open for writing and shared with nobody; `scratch` gets its name. Not
// valid (the error in GetLastError) when the folder takes none.
Handle createScratch(const std::wstring &target, std::wstring &scratch)
{
    const std::wstring folder = target.substr(0, target.rfind(L'\\') + 1);
    for (int attempt = 0; attempt < 64; ++attempt) {
        const QString unique = QString::number(QRandomGenerator::global()->generate(), 16);
        scratch = folder + L".naklon-" + unique.toStdWString();
        const HANDLE file = openFile(scratch, GENERIC_WRITE, 0, CREATE_NEW);
        if (file != INVALID_HANDLE_VALUE || ::GetLastError() != ERROR_FILE_EXISTS)
            return Handle(file);
    }
    return Handle();
}

// Gives the new file `fresh` the old file's creation time and the
// attributes a user sets (hidden, system, not indexed, temporary), marked
// as changed since the last backup. ReplaceFileW keeps more where the file
// system has it (the ACL); this much holds on every file system.
bool carryAttributes(HANDLE fresh, const BY_HANDLE_FILE_INFORMATION &old)
{
    constexpr DWORD kCarried =
        FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM | FILE_ATTRIBUTE_NOT_CONTENT_INDEXED | FILE_ATTRIBUTE_TEMPORARY;
    FILE_BASIC_INFO basic{}; // a time of 0 is left as it is
    basic.CreationTime.LowPart = old.ftCreationTime.dwLowDateTime;
    basic.CreationTime.HighPart = static_cast<LONG>(old.ftCreationTime.dwHighDateTime);
    basic.FileAttributes = (old.dwFileAttributes & kCarried) | FILE_ATTRIBUTE_ARCHIVE;
    return ::SetFileInformationByHandle(fresh, FileBasicInfo, &basic, sizeof basic) != 0;
}

// Closes and removes the new file of a save that failed.
void discard(Handle &fresh, const std::wstring &scratch)
{
    fresh = Handle();
    ::DeleteFileW(scratch.c_str());
}

// Puts the new file `scratch` in place of the old file `target`, which has
// just been let go: NO_ERROR, or the code of the failure, both files then
// as they were. The replacement keeps the old file's attributes, ACL,
// creation time and streams.
DWORD replaceOld(const std::wstring &target, const std::wstring &scratch)
{
    if (::ReplaceFileW(target.c_str(), scratch.c_str(), nullptr, 0, nullptr, nullptr))
        return NO_ERROR;
    const DWORD refusal = ::GetLastError();
    // The old file is gone already and the new one kept its own name: it
    // takes the name as a file of its own.
    if (refusal == ERROR_UNABLE_TO_MOVE_REPLACEMENT
        && ::MoveFileExW(scratch.c_str(), target.c_str(), MOVEFILE_WRITE_THROUGH))
        return NO_ERROR;
    return refusal;
}

} // namespace

std::string systemErrorText(int code)
{
    wchar_t *text = nullptr;
    // Language 0: the user's language, else the system's, else English.
    const DWORD length =
        ::FormatMessageW(FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS,
            nullptr, static_cast<DWORD>(code), 0, reinterpret_cast<LPWSTR>(&text), 0, nullptr);
    if (length == 0)
        return "Unknown error " + std::to_string(code);
    const QString message = QString::fromWCharArray(text, static_cast<qsizetype>(length));
    ::LocalFree(text);
    return message.toStdString();
}

QByteArray readFileBytes(const QString &path, qint64 limit)
{
    const FileName name = fileName(path);
    if (name.error != NO_ERROR)
        cannotOpen(name.full, name.error);
    // Others may read it too, but not write it while it is read: a file
    // another program has open for writing is refused at once.
    const Handle file(openFile(name.api, GENERIC_READ, FILE_SHARE_READ, OPEN_EXISTING));
    if (!file.valid())
        cannotOpen(name.full, ::GetLastError());
    BY_HANDLE_FILE_INFORMATION info{};
    if (const DWORD refusal = diskFileRefusal(file.get(), info))
        cannotOpen(name.full, refusal);

    const qint64 size = (static_cast<qint64>(info.nFileSizeHigh) << 32) | info.nFileSizeLow;
    QByteArray bytes;
    if (const DWORD refusal = readHandleUpTo(file.get(), bytes, size, limit))
        cannotOpen(name.full, refusal);
    return bytes;
}

void saveFileBytes(const QString &path, const QByteArray &bytes)
{
    const FileName name = fileName(path);
    if (name.error != NO_ERROR)
        cannotCreate(name.full, name.error);

    // The old file stays open, shared with nobody, until the new one is
    // ready to take its place.
    OldFile old = openOld(name.full, name.api);
    // Other hard links would keep the old text if a new file took this
    // name: the file itself is rewritten.
    if (old.info.nNumberOfLinks > 1) {
        writeInPlace(name.full, old, bytes);
        return;
    }
    const std::wstring target = old.handle.valid() ? finalName(old.handle.get(), name.api) : name.api;

    // The history goes to a new file beside the old one, which replaces it
    // only once all of it is on the disk: any failure leaves the old file.
    std::wstring scratch;
    Handle fresh = createScratch(target, scratch);
    if (!fresh.valid()) {
        const DWORD refusal = ::GetLastError();
        if (!old.handle.valid() || refusal != ERROR_ACCESS_DENIED)
            cannotCreate(name.full, refusal);
        // The folder takes no new file, but the file itself may be written:
        // it is rewritten where it is.
        writeInPlace(name.full, old, bytes);
        return;
    }
    if (old.handle.valid() && !carryAttributes(fresh.get(), old.info)) {
        // Where the new file could not take the old one's place unnoticed,
        // the old file itself is rewritten.
        discard(fresh, scratch);
        writeInPlace(name.full, old, bytes);
        return;
    }
    DWORD refusal = writeAll(fresh.get(), bytes);
    if (refusal == NO_ERROR && !::FlushFileBuffers(fresh.get()))
        refusal = ::GetLastError();
    if (refusal == NO_ERROR && !fresh.close())
        refusal = ::GetLastError();
    if (refusal != NO_ERROR) {
        discard(fresh, scratch);
        cannotCreate(name.full, refusal);
    }

    if (!old.handle.valid()) {
        // Never over a file that came in the meantime.
        if (!::MoveFileExW(scratch.c_str(), target.c_str(), MOVEFILE_WRITE_THROUGH)) {
            refusal = ::GetLastError();
            discard(fresh, scratch);
            cannotCreate(name.full, refusal);
        }
        return;
    }
    // The replacement needs the old file shared with nobody else.
    old.handle = Handle();
    refusal = replaceOld(target, scratch);
    if (refusal == NO_ERROR)
        return;
    discard(fresh, scratch);
    if (refusal == ERROR_ACCESS_DENIED) {
        // The folder lets the file be written but not replaced (no right to
        // remove it): it is rewritten where it is, if it still may be.
        old = openOld(name.full, target);
        if (old.handle.valid()) {
            writeInPlace(name.full, old, bytes);
            return;
        }
    }
    cannotCreate(name.full, refusal);
}

} // namespace naklon
