#include "history/history_file.h"

#include "core/failures.h"
#include "core/history_text.h"
#include "history/windows1251_text.h"

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

namespace naklon {
namespace {

// The code given for a name that is there but is no regular file. A folder
// is "Is a directory"; a pipe, a socket or a device is "No such device or
// address", the code the system itself returns for opening a socket or a
// pipe nobody reads: there is no file of text behind the name.
int notARegularFile(mode_t mode)
{
    return S_ISDIR(mode) ? EISDIR : ENXIO;
}

[[noreturn]] void cannotOpen(const QString &fullPath, int error)
{
    throw cannotOpenFile(fullPath.toStdString(), std::strerror(error));
}

[[noreturn]] void cannotCreate(const QString &fullPath, int error)
{
    throw cannotCreateFile(fullPath.toStdString(), std::strerror(error));
}

// Closes a descriptor when it goes; the first close that fails tells why.
class Descriptor {
public:
    explicit Descriptor(int fd) : fd_(fd) {}
    ~Descriptor()
    {
        if (fd_ >= 0)
            ::close(fd_);
    }
    Descriptor(const Descriptor &) = delete;
    Descriptor &operator=(const Descriptor &) = delete;

    int get() const { return fd_; }
    bool valid() const { return fd_ >= 0; }
    // Closes now; false (errno set) when the system reports a failure.
    bool close()
    {
        const int fd = fd_;
        fd_ = -1;
        return ::close(fd) == 0;
    }

private:
    int fd_;
};

// Opens without waiting for anything (a pipe with no writer, a device) and
// without the name becoming the program's terminal.
int openWithoutBlocking(const QByteArray &name, int flags, mode_t mode = 0)
{
    int fd;
    do
        fd = ::open(name.constData(), flags | O_NONBLOCK | O_NOCTTY | O_CLOEXEC, mode);
    while (fd < 0 && errno == EINTR);
    return fd;
}

// Writes all of `bytes`; false when the system takes fewer.
bool writeAll(int fd, const QByteArray &bytes)
{
    const char *data = bytes.constData();
    qsizetype left = bytes.size();
    while (left > 0) {
        const ssize_t written =
            ::write(fd, data, static_cast<std::size_t>(std::min<qsizetype>(left, qsizetype(1) << 30)));
        if (written < 0 && errno == EINTR)
            continue;
        if (written <= 0)
            return false;
        data += written;
        left -= written;
    }
    return true;
}

// The name a save lands on: a symbolic link is followed to the name it
// points at (the link itself stays as it is), however many links there
// are; a link that points nowhere gives the name that will be made.
QByteArray finalName(QByteArray name)
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
    return name; // a loop: opening it reports the system's reason
}

// Writes `bytes` over the file `fd` from its start: what was there is
// dropped first, and a short write leaves what got written.
void writeInPlace(const QString &fullPath, Descriptor &file, const QByteArray &bytes)
{
    if (::ftruncate(file.get(), 0) != 0)
        cannotCreate(fullPath, errno);
    const bool written = writeAll(file.get(), bytes) && ::fsync(file.get()) == 0;
    if (!file.close() || !written)
        throw streamWriteError();
}

} // namespace

QString readHistoryFile(const QString &path, qsizetype capacity)
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
    if (::fstat(file.get(), &info) != 0)
        cannotOpen(fullPath, errno);
    if (!S_ISREG(info.st_mode))
        cannotOpen(fullPath, notARegularFile(info.st_mode));

    // A line break can take two bytes and is one character in the box, so
    // more than twice the capacity in bytes before the first zero byte can
    // never fit: nothing beyond that is read.
    const qint64 limit = 2 * static_cast<qint64>(capacity);
    const qint64 size = info.st_size;
    // One byte of slack lets the read that meets the end of the file find it
    // without growing the buffer.
    QByteArray bytes(static_cast<qsizetype>(std::min(size > 0 ? size + 1 : qint64(64 * 1024), limit + 1)),
        Qt::Uninitialized);
    qint64 filled = 0;
    for (;;) {
        if (filled == bytes.size()) {
            if (filled > limit)
                break;
            bytes.resize(static_cast<qsizetype>(std::min(2 * filled, limit + 1)));
        }
        const ssize_t got = ::read(file.get(), bytes.data() + filled, static_cast<std::size_t>(bytes.size() - filled));
        if (got < 0 && errno == EINTR)
            continue;
        if (got < 0)
            cannotOpen(fullPath, errno);
        if (got == 0)
            break;
        filled += got;
    }
    file.close();
    bytes.truncate(static_cast<qsizetype>(filled));

    const qsizetype zero = bytes.indexOf('\0');
    if (zero >= 0)
        bytes.truncate(zero);
    else if (filled > limit)
        throw textExceedsMemoCapacity();

    const std::string normalised =
        normaliseLineBreaks(std::string_view(bytes.constData(), static_cast<std::size_t>(bytes.size())));
    bytes = QByteArray(); // the file's bytes are no longer needed
    QString text = historyTextFromBytes(QByteArrayView(normalised.data(), static_cast<qsizetype>(normalised.size())));
    if (text.size() > capacity)
        throw textExceedsMemoCapacity();
    return text;
}

void saveHistoryFile(const QString &path, const QByteArray &bytes)
{
    const QString fullPath = QFileInfo(path).absoluteFilePath();
    const QByteArray target = finalName(QFile::encodeName(path));

    struct stat old {};
    const bool exists = ::stat(target.constData(), &old) == 0;
    if (exists && !S_ISREG(old.st_mode))
        cannotCreate(fullPath, notARegularFile(old.st_mode));
    // A file the user may not write is not replaced either; the system
    // says why (no permission, a read-only file system).
    if (exists && ::access(target.constData(), W_OK) != 0)
        cannotCreate(fullPath, errno);

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
        Descriptor file(openWithoutBlocking(target, O_WRONLY));
        if (!file.valid())
            cannotCreate(fullPath, errno);
        struct stat opened {};
        if (::fstat(file.get(), &opened) != 0)
            cannotCreate(fullPath, errno);
        if (!S_ISREG(opened.st_mode))
            cannotCreate(fullPath, notARegularFile(opened.st_mode));
        writeInPlace(fullPath, file, bytes);
        return;
    }

    // The new file gets the old one's owner (where the user may give it) and
    // permissions, or those of any new file.
    mode_t mode = old.st_mode & 07777;
    if (exists) {
        if (::fchown(fresh.get(), old.st_uid, old.st_gid) != 0) {
            // Only the superuser gives a file away: the user's file it is.
        }
    } else {
        const mode_t mask = ::umask(0);
        ::umask(mask);
        mode = 0666 & ~mask;
    }
    if (::fchmod(fresh.get(), mode) != 0) {
        // The new file keeps the owner-only permissions it was made with.
    }

    const bool written = writeAll(fresh.get(), bytes) && ::fsync(fresh.get()) == 0;
    if (!fresh.close() || !written) {
        ::unlink(scratch.constData());
        throw streamWriteError();
    }
    if (::rename(scratch.constData(), target.constData()) != 0) {
        const int refusal = errno;
        ::unlink(scratch.constData());
        cannotCreate(fullPath, refusal);
    }
}

} // namespace naklon
