#include "files/file_system.h"

#include <algorithm>
#include <random>
#include <string_view>

#include <windows.h>

// The Win32 primitives. Share modes stand in for locks: others may read a
// file while it is read but not write it, and a file being saved is shared
// with nobody. ReplaceFileW puts a new file in place of the old one with its
// ACL. Names go to the system in its long form (\\?\C:\...), so a path may
// be longer than 259 characters; messages show the path as the user knows
// it. UTF-8 names become UTF-16 here, at the system's calls.
namespace naklon::file_system {
namespace {

std::wstring wide(std::string_view text)
{
    const int length = ::MultiByteToWideChar(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), nullptr, 0);
    std::wstring converted(static_cast<std::size_t>(length), L'\0');
    ::MultiByteToWideChar(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), converted.data(), length);
    return converted;
}

std::string utf8(std::wstring_view text)
{
    const int length =
        ::WideCharToMultiByte(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), nullptr, 0, nullptr, nullptr);
    std::string converted(static_cast<std::size_t>(length), '\0');
    ::WideCharToMultiByte(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), converted.data(), length, nullptr,
        nullptr);
    return converted;
}

HANDLE handle(const File &file)
{
    return reinterpret_cast<HANDLE>(file.get());
}

Error lastError()
{
    return static_cast<Error>(::GetLastError());
}

wchar_t upper(wchar_t c)
{
    return c >= L'a' && c <= L'z' ? static_cast<wchar_t>(c - L'a' + L'A') : c;
}

bool sameLetters(std::wstring_view a, std::wstring_view b)
{
    return a.size() == b.size()
        && std::equal(a.begin(), a.end(), b.begin(), [](wchar_t x, wchar_t y) { return upper(x) == upper(y); });
}

// The last part of a path, after its folders (and a drive's "X:").
std::size_t lastPartStart(std::wstring_view path)
{
    const std::size_t separator = path.find_last_of(L"\\/");
    if (separator != std::wstring_view::npos)
        return separator + 1;
    return path.size() >= 2 && path[1] == L':' ? 2 : 0;
}

// A name the system takes for one of its devices in every folder: CON, PRN,
// AUX, NUL, COM1-COM9, LPT1-LPT9 (the digits ¹ ² ³ too), CONIN$, CONOUT$,
// in any case, before any extension or colon, blanks after it ignored.
//   "COM1.txt" -> true   "nul .tar.gz" -> true   "COM10" -> false   "CONSOLE" -> false
bool isDeviceName(std::wstring_view part)
{
    std::wstring_view stem = part.substr(0, part.find_first_of(L".:"));
    while (!stem.empty() && stem.back() == L' ')
        stem.remove_suffix(1);
    for (const std::wstring_view device : {L"CON", L"PRN", L"AUX", L"NUL", L"CONIN$", L"CONOUT$"}) {
        if (sameLetters(stem, device))
            return true;
    }
    if (stem.size() != 4 || !(sameLetters(stem.substr(0, 3), L"COM") || sameLetters(stem.substr(0, 3), L"LPT")))
        return false;
    const wchar_t digit = stem[3];
    return (digit >= L'1' && digit <= L'9') || digit == L'\u00B9' || digit == L'\u00B2' || digit == L'\u00B3';
}

// A path in the system's device form: \\.\ or \\?\ before anything but a
// drive, a share (UNC\) or a volume (Volume{...}).
bool isDevicePath(std::wstring_view full)
{
    if (full.starts_with(L"\\\\.\\"))
        return true;
    if (!full.starts_with(L"\\\\?\\"))
        return false;
    const std::wstring_view rest = full.substr(4);
    const bool drive = rest.size() >= 3 && rest[1] == L':' && rest[2] == L'\\';
    return !drive && !sameLetters(rest.substr(0, 4), L"UNC\\") && !sameLetters(rest.substr(0, 7), L"Volume{");
}

// The full path as the system makes it for any program: from the current
// drive and folder, "." and ".." resolved, trailing dots and blanks of the
// name dropped, backslashes. 0 when it cannot be made.
DWORD fullPath(const std::wstring &given, std::wstring &full)
{
    full.assign(MAX_PATH, L'\0');
    for (;;) {
        const DWORD length = ::GetFullPathNameW(given.c_str(), static_cast<DWORD>(full.size()), full.data(), nullptr);
        if (length == 0)
            return ::GetLastError();
        if (length < full.size()) {
            full.resize(length);
            return NO_ERROR;
        }
        full.resize(length); // the room it asks for, its closing zero included
    }
}

// Opens without waiting for anything. Should the name lead to a named pipe,
// the program at its other end may learn who opens it but not act as them.
HANDLE openFile(const std::string &name, DWORD access, DWORD share, DWORD disposition)
{
    return ::CreateFileW(wide(name).c_str(), access, share, nullptr, disposition,
        FILE_ATTRIBUTE_NORMAL | SECURITY_SQOS_PRESENT | SECURITY_IDENTIFICATION, nullptr);
}

// NO_ERROR when the open `file` is a regular file on a disk (its
// description then in `info`), else the code it is refused with. A folder
// is "Access is denied", as the system itself answers a folder opened as a
// file; a pipe, a console or another device is "The request is not
// supported": there is no file of text behind the name.
Error diskFileRefusal(HANDLE file, BY_HANDLE_FILE_INFORMATION &info)
{
    const DWORD type = ::GetFileType(file);
    if (type == FILE_TYPE_UNKNOWN && ::GetLastError() != NO_ERROR)
        return lastError();
    if (type != FILE_TYPE_DISK)
        return ERROR_NOT_SUPPORTED;
    if (!::GetFileInformationByHandle(file, &info))
        return lastError();
    if ((info.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0)
        return ERROR_ACCESS_DENIED;
    return NO_ERROR;
}

std::int64_t sizeOf(const BY_HANDLE_FILE_INFORMATION &info)
{
    return (static_cast<std::int64_t>(info.nFileSizeHigh) << 32) | info.nFileSizeLow;
}

OVERLAPPED at(std::int64_t offset)
{
    OVERLAPPED position{};
    position.Offset = static_cast<DWORD>(offset);
    position.OffsetHigh = static_cast<DWORD>(offset >> 32);
    return position;
}

// Makes the file `length` bytes long; a longer file takes its room on the
// disk at once.
Error setLength(const File &file, std::int64_t length)
{
    LARGE_INTEGER to{};
    to.QuadPart = length;
    if (!::SetFilePointerEx(handle(file), to, nullptr, FILE_BEGIN) || !::SetEndOfFile(handle(file)))
        return lastError();
    return NO_ERROR;
}

} // namespace

Error closeFile(std::intptr_t native)
{
    return ::CloseHandle(reinterpret_cast<HANDLE>(native)) ? NO_ERROR : lastError();
}

SystemName systemName(const std::string &path)
{
    SystemName name;
    std::wstring given = wide(path);
    std::replace(given.begin(), given.end(), L'/', L'\\');
    const std::size_t part = lastPartStart(given);
    const bool device = isDeviceName(std::wstring_view(given).substr(part));
    // A device name's full path would be the device's own (\\.\COM1): the
    // folder's full path is shown with the name as given.
    std::wstring full;
    const std::wstring folder = part == 0 ? L"." : given.substr(0, part);
    if (const DWORD refusal = fullPath(device ? folder : given, full)) {
        name.shown = utf8(given);
        name.refusal = static_cast<Error>(refusal);
        return name;
    }
    if (device) {
        if (!full.ends_with(L'\\'))
            full += L'\\';
        full += given.substr(part);
    }
    name.shown = utf8(full);
    if (device || isDevicePath(full))
        name.refusal = ERROR_INVALID_NAME;
    else if (full.starts_with(L"\\\\?\\"))
        name.system = name.shown; // given in the system's own form
    else if (full.starts_with(L"\\\\"))
        name.system = utf8(L"\\\\?\\UNC\\" + full.substr(2));
    else
        name.system = utf8(L"\\\\?\\" + full);
    return name;
}

Error openToRead(const std::string &name, File &file, std::int64_t &size)
{
    // Others may read it too, but not write it while it is read: a file
    // another program has open for writing is refused at once.
    File opened(reinterpret_cast<std::intptr_t>(openFile(name, GENERIC_READ, FILE_SHARE_READ, OPEN_EXISTING)));
    if (!opened.valid())
        return lastError();
    BY_HANDLE_FILE_INFORMATION info{};
    if (const Error refusal = diskFileRefusal(handle(opened), info))
        return refusal;
    size = sizeOf(info);
    file = std::move(opened);
    return NO_ERROR;
}

Error openOld(const std::string &name, OldFile &old)
{
    HANDLE opened = openFile(name, GENERIC_READ | GENERIC_WRITE, 0, OPEN_EXISTING);
    const bool readable = opened != INVALID_HANDLE_VALUE;
    if (!readable && ::GetLastError() == ERROR_ACCESS_DENIED)
        opened = openFile(name, GENERIC_WRITE | FILE_READ_ATTRIBUTES, 0, OPEN_EXISTING);
    if (opened == INVALID_HANDLE_VALUE) {
        const Error refusal = lastError();
        // Nothing at the name is no failure, a link that leads nowhere is.
        const bool nothing = ::GetFileAttributesW(wide(name).c_str()) == INVALID_FILE_ATTRIBUTES;
        return refusal == ERROR_FILE_NOT_FOUND && nothing ? NO_ERROR : refusal;
    }
    File file(reinterpret_cast<std::intptr_t>(opened));
    BY_HANDLE_FILE_INFORMATION info{};
    if (const Error refusal = diskFileRefusal(opened, info))
        return refusal;
    // The system refuses to open a read-only file for writing; where a
    // file system lets it be opened all the same, the answer is the same.
    if ((info.dwFileAttributes & FILE_ATTRIBUTE_READONLY) != 0)
        return ERROR_ACCESS_DENIED;
    old.file = std::move(file);
    old.readable = readable;
    old.size = sizeOf(info);
    old.links = info.nNumberOfLinks;
    return NO_ERROR;
}

Error finalName(const OldFile &old, const std::string &name, std::string &target)
{
    std::wstring resolved(MAX_PATH, L'\0');
    for (;;) {
        const DWORD length = ::GetFinalPathNameByHandleW(handle(old.file), resolved.data(),
            static_cast<DWORD>(resolved.size()), FILE_NAME_NORMALIZED | VOLUME_NAME_DOS);
        if (length == 0) {
            target = name; // the system cannot tell: the name as it is
            return NO_ERROR;
        }
        if (length < resolved.size()) {
            resolved.resize(length);
            target = utf8(resolved);
            return NO_ERROR;
        }
        resolved.resize(length); // the room it asks for, its closing zero included
    }
}

Error makeScratch(const std::string &target, File &fresh, std::string &scratch)
{
    const std::string folder = target.substr(0, target.rfind('\\') + 1);
    std::random_device random;
    for (int attempt = 0; attempt < 64; ++attempt) {
        char unique[16];
        const unsigned number = random();
        for (int digit = 0; digit < 8; ++digit)
            unique[digit] = "0123456789abcdef"[(number >> (4 * digit)) & 15];
        scratch = folder + ".naklon-" + std::string(unique, 8);
        const HANDLE made = openFile(scratch, GENERIC_WRITE, 0, CREATE_NEW);
        if (made != INVALID_HANDLE_VALUE) {
            fresh = File(reinterpret_cast<std::intptr_t>(made));
            return NO_ERROR;
        }
        if (::GetLastError() != ERROR_FILE_EXISTS)
            return lastError();
    }
    return ERROR_FILE_EXISTS;
}

bool carryMetadata(const File &fresh, const OldFile &old)
{
    // The attributes a user sets (hidden, system, not indexed, temporary),
    // marked as changed since the last backup, and the creation time.
    // ReplaceFileW keeps more where the file system has it (the ACL); this
    // much holds on every file system.
    constexpr DWORD kCarried =
        FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM | FILE_ATTRIBUTE_NOT_CONTENT_INDEXED | FILE_ATTRIBUTE_TEMPORARY;
    BY_HANDLE_FILE_INFORMATION info{};
    if (!::GetFileInformationByHandle(handle(old.file), &info))
        return false;
    FILE_BASIC_INFO basic{}; // a time of 0 is left as it is
    basic.CreationTime.LowPart = info.ftCreationTime.dwLowDateTime;
    basic.CreationTime.HighPart = static_cast<LONG>(info.ftCreationTime.dwHighDateTime);
    basic.FileAttributes = (info.dwFileAttributes & kCarried) | FILE_ATTRIBUTE_ARCHIVE;
    return ::SetFileInformationByHandle(handle(fresh), FileBasicInfo, &basic, sizeof basic) != 0;
}

std::int64_t readSome(const File &file, char *into, std::int64_t room, std::int64_t offset, Error &error)
{
    OVERLAPPED position = at(offset);
    DWORD got = 0;
    if (::ReadFile(handle(file), into, static_cast<DWORD>(std::min(room, std::int64_t(1) << 30)), &got, &position))
        return got;
    if (::GetLastError() == ERROR_HANDLE_EOF)
        return 0;
    error = lastError();
    return -1;
}

std::int64_t writeSome(const File &file, const char *from, std::int64_t size, std::int64_t offset, Error &error)
{
    OVERLAPPED position = at(offset);
    DWORD written = 0;
    if (!::WriteFile(handle(file), from, static_cast<DWORD>(size), &written, &position)) {
        error = lastError();
        return -1;
    }
    if (written == 0) {
        error = ERROR_DISK_FULL;
        return -1;
    }
    return written;
}

Error flush(const File &file)
{
    return ::FlushFileBuffers(handle(file)) ? NO_ERROR : lastError();
}

Error reserve(const File &file, std::int64_t size)
{
    return setLength(file, size);
}

Error cutTo(const File &file, std::int64_t size)
{
    return setLength(file, size);
}

Error replace(const std::string &scratch, const std::string &target, OldFile &old)
{
    const std::wstring from = wide(scratch);
    const std::wstring to = wide(target);
    if (!old.file.valid()) {
        // Never over a file that came in the meantime.
        return ::MoveFileExW(from.c_str(), to.c_str(), MOVEFILE_WRITE_THROUGH) ? NO_ERROR : lastError();
    }
    // The replacement needs the old file shared with nobody else; it keeps
    // the old file's attributes, ACL, creation time and streams.
    old.file = File();
    if (::ReplaceFileW(to.c_str(), from.c_str(), nullptr, 0, nullptr, nullptr))
        return NO_ERROR;
    const Error refusal = lastError();
    // The old file is gone already and the new one kept its own name: it
    // takes the name as a file of its own.
    if (refusal == ERROR_UNABLE_TO_MOVE_REPLACEMENT && ::MoveFileExW(from.c_str(), to.c_str(), MOVEFILE_WRITE_THROUGH))
        return NO_ERROR;
    return refusal;
}

void removeFile(const std::string &name)
{
    ::DeleteFileW(wide(name).c_str());
}

bool meansNoRight(Error error)
{
    return error == ERROR_ACCESS_DENIED;
}

std::string errorText(Error error)
{
    wchar_t *text = nullptr;
    // Language 0: the user's language, else the system's, else English.
    const DWORD length =
        ::FormatMessageW(FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS,
            nullptr, static_cast<DWORD>(error), 0, reinterpret_cast<LPWSTR>(&text), 0, nullptr);
    if (length == 0)
        return "Unknown error " + std::to_string(error);
    const std::string message = utf8(std::wstring_view(text, length));
    ::LocalFree(text);
    return message;
}

Error inputOutputError()
{
    return ERROR_IO_DEVICE;
}

} // namespace naklon::file_system
