#include "files/file_system.h"

#include <algorithm>
#include <cerrno>
#include <string>
#include <vector>

#include <sys/stat.h>
#include <sys/xattr.h>
#include <unistd.h>

// What a new file is given of the old one on POSIX: owner and group,
// permissions, ACL and every other extended attribute.
namespace naklon::file_system {
namespace {

// The names of a file's extended attributes (the ACL among them); nothing
// where the file system keeps none. False, errno set, on a failure.
bool attributeNames(int fd, std::vector<std::string> &names)
{
    names.clear();
    for (;;) {
        const ssize_t size = ::flistxattr(fd, nullptr, 0);
        if (size < 0)
            return errno == ENOTSUP;
        std::string list(static_cast<std::size_t>(size), '\0');
        const ssize_t got = size == 0 ? 0 : ::flistxattr(fd, list.data(), list.size());
        if (got < 0 && errno == ERANGE)
            continue; // grew in between
        if (got < 0)
            return false;
        list.resize(static_cast<std::size_t>(got));
        for (std::size_t start = 0; start < list.size();) {
            const std::size_t end = std::min(list.find('\0', start), list.size());
            if (end > start)
                names.push_back(list.substr(start, end - start));
            start = end + 1;
        }
        return true;
    }
}

bool copyAttribute(int from, int to, const std::string &name)
{
    for (;;) {
        const ssize_t size = ::fgetxattr(from, name.c_str(), nullptr, 0);
        if (size < 0)
            return false;
        std::string value(static_cast<std::size_t>(size), '\0');
        const ssize_t got = size == 0 ? 0 : ::fgetxattr(from, name.c_str(), value.data(), value.size());
        if (got < 0 && errno == ERANGE)
            continue;
        if (got < 0)
            return false;
        return ::fsetxattr(to, name.c_str(), value.data(), static_cast<std::size_t>(got), 0) == 0;
    }
}

// The new file's attributes become the old one's: those it got from its
// folder (an inherited ACL) go, the old file's are copied.
bool copyAttributes(int from, int to)
{
    std::vector<std::string> wanted;
    std::vector<std::string> present;
    if (!attributeNames(from, wanted) || !attributeNames(to, present))
        return false;
    for (const std::string &name : present) {
        if (std::find(wanted.begin(), wanted.end(), name) == wanted.end() && ::fremovexattr(to, name.c_str()) != 0)
            return false;
    }
    return std::all_of(wanted.begin(), wanted.end(),
        [from, to](const std::string &name) { return copyAttribute(from, to, name); });
}

} // namespace

bool carryMetadata(const File &fresh, const OldFile &old)
{
    const int to = static_cast<int>(fresh.get());
    const int from = static_cast<int>(old.file.get());
    struct stat info {};
    if (::fstat(from, &info) != 0)
        return false;
    if ((info.st_uid != ::geteuid() || info.st_gid != ::getegid()) && ::fchown(to, info.st_uid, info.st_gid) != 0)
        return false;
    if (!copyAttributes(from, to))
        return false;
    // After the ACL, whose mask the permissions' group bits are.
    const mode_t permissions = info.st_mode & 07777;
    if (::fchmod(to, permissions) != 0)
        return false;
    struct stat made {};
    return ::fstat(to, &made) == 0 && made.st_uid == info.st_uid && made.st_gid == info.st_gid
        && (made.st_mode & 07777) == permissions;
}

} // namespace naklon::file_system
