#include "history/file_metadata.h"

#include <QByteArray>
#include <QList>

#include <cerrno>

#include <sys/xattr.h>
#include <unistd.h>

namespace naklon {
namespace {

// The names of a file's extended attributes (the ACL among them); nothing
// where the file system keeps none. False, errno set, on a failure.
bool attributeNames(int fd, QList<QByteArray> &names)
{
    names.clear();
    for (;;) {
        const ssize_t size = ::flistxattr(fd, nullptr, 0);
        if (size < 0)
            return errno == ENOTSUP;
        QByteArray list(static_cast<qsizetype>(size), '\0');
        const ssize_t got = size == 0 ? 0 : ::flistxattr(fd, list.data(), list.size());
        if (got < 0 && errno == ERANGE)
            continue; // grew in between
        if (got < 0)
            return false;
        for (const QByteArray &name : list.left(got).split('\0')) {
            if (!name.isEmpty())
                names.append(name);
        }
        return true;
    }
}

bool copyAttribute(int from, int to, const QByteArray &name)
{
    for (;;) {
        const ssize_t size = ::fgetxattr(from, name.constData(), nullptr, 0);
        if (size < 0)
            return false;
        QByteArray value(static_cast<qsizetype>(size), '\0');
        const ssize_t got = size == 0 ? 0 : ::fgetxattr(from, name.constData(), value.data(), value.size());
        if (got < 0 && errno == ERANGE)
            continue;
        if (got < 0)
            return false;
        return ::fsetxattr(to, name.constData(), value.constData(), static_cast<std::size_t>(got), 0) == 0;
    }
}

// The new file's attributes become the old one's: those it got from its
// folder (an inherited ACL) go, the old file's are copied.
bool copyAttributes(int from, int to)
{
    QList<QByteArray> wanted;
    QList<QByteArray> present;
    if (!attributeNames(from, wanted) || !attributeNames(to, present))
        return false;
    for (const QByteArray &name : present) {
        if (!wanted.contains(name) && ::fremovexattr(to, name.constData()) != 0)
            return false;
    }
    for (const QByteArray &name : wanted) {
        if (!copyAttribute(from, to, name))
            return false;
    }
    return true;
}

} // namespace

bool carryMetadata(int fresh, int current, const struct stat &oldInfo)
{
    if (oldInfo.st_nlink > 1)
        return false;
    if ((oldInfo.st_uid != ::geteuid() || oldInfo.st_gid != ::getegid())
        && ::fchown(fresh, oldInfo.st_uid, oldInfo.st_gid) != 0)
        return false;
    if (!copyAttributes(current, fresh))
        return false;
    // After the ACL, whose mask the permissions' group bits are.
    const mode_t permissions = oldInfo.st_mode & 07777;
    if (::fchmod(fresh, permissions) != 0)
        return false;
    struct stat made {};
    return ::fstat(fresh, &made) == 0 && made.st_uid == oldInfo.st_uid && made.st_gid == oldInfo.st_gid
        && (made.st_mode & 07777) == permissions;
}

} // namespace naklon
