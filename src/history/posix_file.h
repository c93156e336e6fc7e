#pragma once

#include <QByteArray>

#include <csignal>

#include <sys/types.h>

// Small pieces of the POSIX file interface that reading and saving history
// files share.
namespace naklon::posix_file {

// Closes a descriptor when it goes; the first close that fails tells why.
class Descriptor {
public:
    explicit Descriptor(int fd = -1) : fd_(fd) {}
    ~Descriptor();
    Descriptor(Descriptor &&other) noexcept : fd_(other.fd_) { other.fd_ = -1; }
    Descriptor &operator=(Descriptor &&other) noexcept;
    Descriptor(const Descriptor &) = delete;
    Descriptor &operator=(const Descriptor &) = delete;

    int get() const { return fd_; }
    bool valid() const { return fd_ >= 0; }
    // Closes now; false (errno set) when the system reports a failure.
    bool close();

private:
    int fd_;
};

// Opens without waiting for anything (a pipe with no writer, a device) and
// without the name becoming the program's terminal; -1 with errno set.
int openWithoutBlocking(const QByteArray &name, int flags, mode_t mode = 0);

// Writes all of `bytes` at `offset` (-1: at the file's position); false,
// errno set, when the system takes fewer (ENOSPC where it takes none and
// says nothing).
bool writeAll(int fd, const QByteArray &bytes, off_t offset = -1);

// Reads the whole file from its start; false, errno set, on a failure.
bool readAll(int fd, off_t size, QByteArray &bytes);

// An open file description lock on the whole file (F_RDLCK to read, F_WRLCK
// to write), taken without waiting. False, errno EAGAIN or EACCES, when
// another program holds a lock that conflicts; a file system without such
// locks gives none, and the file is used as it is.
bool lockWhole(int fd, short type);

// While it lives, a write beyond the file-size limit fails with EFBIG
// instead of ending the program with SIGXFSZ.
class FileSizeSignalIgnored {
public:
    FileSizeSignalIgnored();
    ~FileSizeSignalIgnored();
    FileSizeSignalIgnored(const FileSizeSignalIgnored &) = delete;
    FileSizeSignalIgnored &operator=(const FileSizeSignalIgnored &) = delete;

private:
    struct sigaction previous_ {};
};

} // namespace naklon::posix_file
