#include "files/file_system.h"

#include <cerrno>
#include <climits>
#include <csignal>
#include <cstdlib>
#include <cstring>
#include <string_view>
#include <vector>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

// The POSIX primitives: open file description locks shared to read and
// exclusive to save, positional reads and writes, mkostemp and rename. A
// name goes to the system as it is given.
namespace naklon::file_system {
namespace {

// The code given for a name that is there but is no regular file. A folder
// is "Is a directory"; a pipe, a socket or a device is "No such device or
// address", the code the system itself returns for opening a socket or a
// pipe nobody reads: there is no file of text behind the name.
Error notARegularFile(mode_t mode)
{
    return S_ISDIR(mode) ? EISDIR : ENXIO;
}

// 0 when the open `fd` is a regular file (its description then in `info`),
// else the code it is refused with.
Error regularFileRefusal(int fd, struct stat &info)
{
    if (::fstat(fd, &info) != 0)
        return errno;
    return S_ISREG(info.st_mode) ? 0 : notARegularFile(info.st_mode);
}

// Opens without waiting for anything (a pipe with no writer, a device) and
// without the name becoming the program's terminal; -1 with errno set.
int openWithoutBlocking(const std::string &name, int flags)
{
    int fd;
    do
        fd = ::open(name.c_str(), flags | O_NONBLOCK | O_NOCTTY | O_CLOEXEC);
    while (fd < 0 && errno == EINTR);
    return fd;
}

// An open file description lock on the whole file (F_RDLCK to read, F_WRLCK
// to write), taken without waiting: EAGAIN or EACCES when another program
// holds a lock that conflicts. A file system without such locks gives none,
// and the file is used as it is.
Error lockWhole(int fd, short type)
{
    struct flock lock {};
    lock.l_type = type;
    lock.l_whence = SEEK_SET;
    int result;
    do
        result = ::fcntl(fd, F_OFD_SETLK, &lock);
    while (result != 0 && errno == EINTR);
    return result == 0 || (errno != EAGAIN && errno != EACCES) ? 0 : errno;
}

// 0 when the open `fd` is still a regular file (its description then in
// `info`, in case the name changed since it was looked at) and the lock of
// `type` on it is taken, else the code it is refused with.
Error heldRegularFile(int fd, struct stat &info, short type)
{
    if (const Error refusal = regularFileRefusal(fd, info))
        return refusal;
    return lockWhole(fd, type);
}

// While it lives, a file that would grow beyond the file-size limit gives
// EFBIG instead of ending the program with SIGXFSZ.
class FileSizeSignalIgnored {
public:
    FileSizeSignalIgnored()
    {
        struct sigaction ignore {};
        ignore.sa_handler = SIG_IGN;
        sigemptyset(&ignore.sa_mask);
        ::sigaction(SIGXFSZ, &ignore, &previous_);
    }
    ~FileSizeSignalIgnored() { ::sigaction(SIGXFSZ, &previous_, nullptr); }
    FileSizeSignalIgnored(const FileSizeSignalIgnored &) = delete;
    FileSizeSignalIgnored &operator=(const FileSizeSignalIgnored &) = delete;

private:
    struct sigaction previous_ {};
};

// The permissions of a new file: what the user's file mode mask allows of
// read and write for everyone.
mode_t newFileMode()
{
    const mode_t mask = ::umask(0);
    ::umask(mask);
    return 0666 & ~mask;
}

int fd(const File &file)
{
    return static_cast<int>(file.get());
}

} // namespace

Error closeFile(std::intptr_t native)
{
    return ::close(static_cast<int>(native)) == 0 ? 0 : errno;
}

SystemName systemName(const std::string &path)
{
    // Absolute from the current folder, then "." and ".." taken off by
    // their names alone: the path the user chose, as a message shows it.
    std::string absolute = path;
    if (!path.starts_with('/')) {
        std::vector<char> folder(PATH_MAX);
        if (::getcwd(folder.data(), folder.size()) != nullptr)
            absolute = std::string(folder.data()) + '/' + path;
    }
    std::vector<std::string_view> parts;
    for (std::string_view rest = absolute; !rest.empty();) {
        const std::size_t slash = rest.find('/');
        const std::string_view part = rest.substr(0, slash);
        rest = slash == std::string_view::npos ? std::string_view() : rest.substr(slash + 1);
        if (part == "..") {
            if (!parts.empty())
                parts.pop_back();
        } else if (!part.empty() && part != ".") {
            parts.push_back(part);
        }
    }
    std::string shown;
    for (const std::string_view part : parts)
        (shown += '/') += part;
    return {shown.empty() ? "/" : shown, path, 0};
}

Error openToRead(const std::string &name, File &file, std::int64_t &size)
{
    // What the name is, looked at before it is opened: a device is not
    // opened at all (opening one can rewind a tape or wake a modem).
    struct stat info {};
    if (::stat(name.c_str(), &info) == 0 && !S_ISREG(info.st_mode))
        return notARegularFile(info.st_mode);
    File opened(openWithoutBlocking(name, O_RDONLY));
    if (!opened.valid())
        return errno;
    if (const Error refusal = heldRegularFile(fd(opened), info, F_RDLCK))
        return refusal;
    size = info.st_size;
    file = std::move(opened);
    return 0;
}

Error openOld(const std::string &name, OldFile &old)
{
    struct stat info {};
    if (::stat(name.c_str(), &info) != 0) {
        const Error error = errno;
        struct stat link {};
        return error == ENOENT && ::lstat(name.c_str(), &link) != 0 ? 0 : error;
    }
    if (!S_ISREG(info.st_mode))
        return notARegularFile(info.st_mode);
    // A file the user may not write is not replaced either; the system
    // says why (no permission, a read-only file system).
    if (::access(name.c_str(), W_OK) != 0)
        return errno;
    File file(openWithoutBlocking(name, O_RDWR));
    const bool readable = file.valid();
    if (!readable && errno == EACCES)
        file = File(openWithoutBlocking(name, O_WRONLY));
    if (!file.valid())
        return errno;
    if (const Error refusal = heldRegularFile(fd(file), info, F_WRLCK))
        return refusal;
    old.file = std::move(file);
    old.readable = readable;
    old.size = info.st_size;
    old.links = info.st_nlink;
    return 0;
}

Error finalName(const OldFile &, const std::string &name, std::string &target)
{
    char *const resolved = ::realpath(name.c_str(), nullptr);
    if (resolved == nullptr)
        return errno;
    target = resolved;
    std::free(resolved);
    return 0;
}

Error makeScratch(const std::string &target, File &fresh, std::string &scratch)
{
    scratch = target.substr(0, target.rfind('/') + 1) + ".naklon-XXXXXX";
    File made(::mkostemp(scratch.data(), O_CLOEXEC));
    if (!made.valid())
        return errno;
    // mkostemp makes it for its owner alone.
    if (::fchmod(fd(made), newFileMode()) != 0) {
        const Error error = errno;
        made = File();
        ::unlink(scratch.c_str());
        return error;
    }
    fresh = std::move(made);
    return 0;
}

std::int64_t readSome(const File &file, char *into, std::int64_t room, std::int64_t offset, Error &error)
{
    for (;;) {
        const ssize_t got = ::pread(fd(file), into, static_cast<std::size_t>(room), static_cast<off_t>(offset));
        if (got >= 0)
            return got;
        if (errno != EINTR) {
            error = errno;
            return -1;
        }
    }
}

std::int64_t writeSome(const File &file, const char *from, std::int64_t size, std::int64_t offset, Error &error)
{
    const FileSizeSignalIgnored noSizeSignal;
    for (;;) {
        const ssize_t written = ::pwrite(fd(file), from, static_cast<std::size_t>(size), static_cast<off_t>(offset));
        if (written > 0)
            return written;
        if (written < 0 && errno == EINTR)
            continue;
        error = written == 0 ? ENOSPC : errno;
        return -1;
    }
}

Error flush(const File &file)
{
    return ::fsync(fd(file)) == 0 ? 0 : errno;
}

Error reserve(const File &file, std::int64_t size)
{
    const FileSizeSignalIgnored noSizeSignal;
    const int refusal = ::posix_fallocate(fd(file), 0, static_cast<off_t>(size));
    // A file system that cannot take the room ahead takes it as it writes.
    return refusal == EOPNOTSUPP || refusal == EINVAL ? 0 : refusal;
}

Error cutTo(const File &file, std::int64_t size)
{
    const FileSizeSignalIgnored noSizeSignal;
    return ::ftruncate(fd(file), static_cast<off_t>(size)) == 0 ? 0 : errno;
}

Error replace(const std::string &scratch, const std::string &target, OldFile &)
{
    // The old file stays open and locked until the new one has its name.
    return ::rename(scratch.c_str(), target.c_str()) == 0 ? 0 : errno;
}

void removeFile(const std::string &name)
{
    ::unlink(name.c_str());
}

bool meansNoRight(Error error)
{
    return error == EACCES || error == EPERM;
}

std::string errorText(Error error)
{
    return std::strerror(error);
}

Error inputOutputError()
{
    return EIO;
}

} // namespace naklon::file_system
