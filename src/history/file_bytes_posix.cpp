#include "history/file_bytes.h"

#include "core/failures.h"
#include "history/file_metadata.h"
#include "history/posix_file.h"

#include <QFile>
#include <QFileInfo>

#include <algorithm>
#include <cerrno>
#include <climits>
#include <cstdlib>
#include <cstring>
#include <string>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

// History files through the POSIX file interface: open file description
// locks shared to read and exclusive to save, and a save that carries the
// old file's owner, group, permissions, ACL and extended attributes.
namespace naklon {
namespace {

using posix_file::Descriptor;
using posix_file::lockWhole;
using posix_file::openWithoutBlocking;
using posix_file::writeAll;

// The code given for a name that is there but is no regular file. A folder
// is "Is a directory"; a pipe, a socket or a device is "No such device or
// address", the code the system itself returns for opening a socket or a
// pipe nobody reads: there is no file of text behind the name.
int notARegularFile(mode_t mode)
{
    return S_ISDIR(mode) ? EISDIR : ENXIO;
}

// 0 when the open `fd` is a regular file (its description then in `info`),
// else the code it is refused with.
int regularFileRefusal(int fd, struct stat &info)
{
    if (::fstat(fd, &info) != 0)
        return errno;
    return S_ISREG(info.st_mode) ? 0 : notARegularFile(info.st_mode);
}

[[noreturn]] void cannotOpen(const QString &fullPath, int error)
{
    throw cannotOpenFile(fullPath.toStdString(), systemErrorText(error));
}

[[noreturn]] void cannotCreate(const QString &fullPath, int error)
{
    throw cannotCreateFile(fullPath.toStdString(), systemErrorText(error));
}

// The name a save lands on: a symbolic link is followed to the name it
// points at (the link itself stays as it is), however many links there
// are; a link that points nowhere gives the name that will be made. Links
// that lead round in a loop are refused, as the system refuses to open them.
QByteArray finalName(const QString &fullPath, QByteArray name)
{
    for (int hop = 0; hop < 40; ++hop) {
        struct stat info {};
        if (::lstat(name.constData(), &info) != 0 || !S_ISLNK(info.st_mode))
            return name;
        std::string target(static_cast<std::size_t>(info.st_size > 0 ? info.st_size : PATH_MAX), '\0');
        const ssize_t length = ::readlink(name.constData(), target.data(), target.size());
        if (length <= 0 || static_cast<std::size_t>(length) > target.size())
            return name;
        target.resize(static_cast<std::size_t>(length));
        if (target.front() == '/') {
            name = QByteArray::fromStdString(target);
        } else {
            const qsizetype slash = name.lastIndexOf('/');
            name = (slash < 0 ? QByteArray() : name.left(slash + 1)) + QByteArray::fromStdString(target);
        }
    }
    cannotCreate(fullPath, ELOOP);
}

// Puts the old text back over a failed rewrite in place, as far as the
// system lets it.
void restore(int fd, const QByteArray &old)
{
    if (writeAll(fd, old, 0))
        (void)::ftruncate(fd, static_cast<off_t>(old.size()));
}

// Rewrites the open file `fd` with `bytes` where it is. The room for the
// new text is taken before the old text is touched, and when a write fails
// all the same the old text (read first where the file may be read) is put
// back: the old file is never left cut.
void writeInPlace(const QString &fullPath, Descriptor &file, bool readable, const QByteArray &bytes)
{
    const int fd = file.get();
    struct stat info {};
    if (::fstat(fd, &info) != 0)
        cannotCreate(fullPath, errno);
    QByteArray old;
    if (readable && !posix_file::readAll(fd, info.st_size, old))
        cannotCreate(fullPath, errno);
    const auto size = static_cast<off_t>(bytes.size());
    if (size > info.st_size) {
        const int refusal = ::posix_fallocate(fd, 0, size);
        if (refusal != 0 && refusal != EOPNOTSUPP && refusal != EINVAL) {
            (void)::ftruncate(fd, info.st_size);
            cannotCreate(fullPath, refusal);
        }
    }
    if (!writeAll(fd, bytes, 0) || ::ftruncate(fd, size) != 0 || ::fsync(fd) != 0) {
        const int refusal = errno;
        if (readable)
            restore(fd, old);
        cannotCreate(fullPath, refusal);
    }
    if (!file.close())
        cannotCreate(fullPath, errno);
}

// The permissions of a new file: what the user's file mode mask allows of
// read and write for everyone.
mode_t newFileMode()
{
    const mode_t mask = ::umask(0);
    ::umask(mask);
    return 0666 & ~mask;
}

// The old file, opened and locked for the save: for reading and writing
// where it may be read (a rewrite in place can then put it back), else for
// writing. Refused when another program holds a lock on it.
Descriptor openForSaving(const QString &fullPath, const QByteArray &target, bool &readable)
{
    Descriptor file(openWithoutBlocking(target, O_RDWR));
    readable = file.valid();
    if (!readable && errno == EACCES)
        file = Descriptor(openWithoutBlocking(target, O_WRONLY));
    if (!file.valid())
        cannotCreate(fullPath, errno);
    struct stat opened {};
    if (const int refusal = regularFileRefusal(file.get(), opened))
        cannotCreate(fullPath, refusal);
    if (!lockWhole(file.get(), F_WRLCK))
        cannotCreate(fullPath, errno);
    return file;
}

} // namespace

std::string systemErrorText(int code)
{
    return std::strerror(code);
}

QByteArray readFileBytes(const QString &path, qint64 limit)
{
    const QString fullPath = QFileInfo(path).absoluteFilePath();
    const QByteArray name = QFile::encodeName(path);

    // What the name is, looked at before it is opened: a device is not
    // opened at all (opening one can rewind a tape or wake a modem).
    struct stat info {};
    if (::stat(name.constData(), &info) == 0 && !S_ISREG(info.st_mode))
        cannotOpen(fullPath, notARegularFile(info.st_mode));
    Descriptor file(openWithoutBlocking(name, O_RDONLY));
    if (!file.valid())
        cannotOpen(fullPath, errno);
    // And what was opened, in case the name changed in between.
    if (const int refusal = regularFileRefusal(file.get(), info))
        cannotOpen(fullPath, refusal);
    // Others may read it too, but not write it while it is read.
    if (!lockWhole(file.get(), F_RDLCK))
        cannotOpen(fullPath, errno);
    QByteArray bytes;
    const bool read = readUpTo(bytes, info.st_size, limit, [fd = file.get()](char *into, qint64 room) -> qint64 {
        for (;;) {
            const ssize_t got = ::read(fd, into, static_cast<std::size_t>(room));
            if (got >= 0 || errno != EINTR)
                return got;
        }
    });
    if (!read)
        cannotOpen(fullPath, errno);
    return bytes;
}

void saveFileBytes(const QString &path, const QByteArray &bytes)
{
    const QString fullPath = QFileInfo(path).absoluteFilePath();
    const QByteArray target = finalName(fullPath, QFile::encodeName(path));
    const posix_file::FileSizeSignalIgnored noSizeSignal;

    struct stat old {};
    const bool exists = ::stat(target.constData(), &old) == 0;
    if (exists && !S_ISREG(old.st_mode))
        cannotCreate(fullPath, notARegularFile(old.st_mode));
    // A file the user may not write is not replaced either; the system
    // says why (no permission, a read-only file system).
    if (exists && ::access(target.constData(), W_OK) != 0)
        cannotCreate(fullPath, errno);
    // The old file stays locked until the new one has taken its place.
    bool readable = false;
    Descriptor current;
    if (exists)
        current = openForSaving(fullPath, target, readable);

    // The history goes to a new file beside the old one, which replaces it
    // only once all of it is on the disk: any failure leaves the old file.
    const qsizetype slash = target.lastIndexOf('/');
    QByteArray scratch = (slash < 0 ? QByteArray() : target.left(slash + 1)) + ".naklon-XXXXXX";
    Descriptor fresh(::mkostemp(scratch.data(), O_CLOEXEC));
    if (!fresh.valid()) {
        const int refusal = errno;
        if (!exists || (refusal != EACCES && refusal != EPERM))
            cannotCreate(fullPath, refusal);
        // The folder takes no new file, but the file itself may be written:
        // the user is allowed to, so it is rewritten where it is.
        writeInPlace(fullPath, current, readable, bytes);
        return;
    }
    if (!exists) {
        // mkostemp makes it for its owner alone.
        (void)::fchmod(fresh.get(), newFileMode());
    } else if (!carryMetadata(fresh.get(), current.get(), old)) {
        // Where the new file could not take the old one's place unnoticed,
        // the old file itself is rewritten.
        fresh.close();
        ::unlink(scratch.constData());
        writeInPlace(fullPath, current, readable, bytes);
        return;
    }
    if (!writeAll(fresh.get(), bytes) || ::fsync(fresh.get()) != 0 || !fresh.close()) {
        const int refusal = errno;
        ::unlink(scratch.constData());
        cannotCreate(fullPath, refusal);
    }
    if (::rename(scratch.constData(), target.constData()) != 0) {
        const int refusal = errno;
        ::unlink(scratch.constData());
        cannotCreate(fullPath, refusal);
    }
}

} // namespace naklon
