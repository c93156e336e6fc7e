// History files under injected faults: a file that is gone or replaced
// between the dialog and the read, a file whose size says nothing of its
// contents, a write that the system stops part-way, a folder that
// disappears before the save, and every kind of thing a name can stand for
// (folders, pipes, sockets, devices, links, a read-only mount, a folder the
// user may not write). Each is reported with its message and loses nothing:
// the old file stays as it was and no partial file is left.

#include "history/history_file.h"

#include "core/failures.h"

#include <gtest/gtest.h>

#include <QByteArray>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <algorithm>
#include <chrono>
#include <climits>
#include <condition_variable>
#include <csignal>
#include <cstdlib>
#include <cstring>
#include <functional>
#include <map>
#include <mutex>
#include <string>
#include <thread>
#include <utility>
#include <vector>

#include <fcntl.h>
#include <grp.h>
#include <sched.h>
#include <sys/mount.h>
#include <sys/resource.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/sysmacros.h>
#include <sys/un.h>
#include <sys/wait.h>
#include <sys/xattr.h>
#include <unistd.h>

namespace naklon {
namespace {

QByteArray contentsOf(const QString &path)
{
    QFile file(path);
    EXPECT_TRUE(file.open(QIODevice::ReadOnly)) << path.toStdString();
    return file.readAll();
}

void writeFile(const QString &path, const QByteArray &bytes)
{
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    ASSERT_EQ(file.write(bytes), bytes.size());
}

std::string messageOf(const std::function<void()> &action)
{
    try {
        action();
    } catch (const Exception &failure) {
        return failure.what();
    }
    return "(no failure)";
}

std::string cannotOpenText(const QString &name, int error)
{
    return "Cannot open file \"" + name.toStdString() + "\". " + std::strerror(error);
}

std::string cannotCreateText(const QString &name, int error)
{
    return "Cannot create file \"" + name.toStdString() + "\". " + std::strerror(error);
}

class HistoryFileFaults : public testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(folder_.isValid()); }

    QString path(const QString &name) const { return folder_.filePath(name); }
    QStringList entries() const { return QDir(folder_.path()).entryList(QDir::Files | QDir::Hidden); }

    QTemporaryDir folder_;
};

TEST_F(HistoryFileFaults, AFileRemovedAfterTheDialogCannotBeOpened)
{
    const QString name = path("хомуты.txt");
    writeFile(name, "L1\r\n");
    QFile::remove(name); // between the dialog's choice and the read
    EXPECT_EQ(messageOf([&] { readHistoryFile(name); }),
        "Cannot open file \"" + name.toStdString() + "\". No such file or directory");
}

TEST_F(HistoryFileFaults, AFileReplacedByAShorterOneReadsWhatIsThere)
{
    const QString name = path("h.txt");
    writeFile(name, QByteArray(100000, 'x'));
    writeFile(name, "short\nfile"); // shrunk after the dialog showed it
    EXPECT_EQ(readHistoryFile(name), QStringLiteral("short\nfile"));
}

TEST_F(HistoryFileFaults, AFileWhoseSizeSaysNothingIsReadToItsEnd)
{
    // Files of /proc report a size of 0 and have contents.
    const QByteArray contents = contentsOf(QStringLiteral("/proc/self/mountinfo"));
    ASSERT_GT(contents.size(), 0);
    const QString text = readHistoryFile(QStringLiteral("/proc/self/mountinfo"));
    EXPECT_GE(text.size(), contents.size() / 2); // the mount table changes little between the reads
    EXPECT_TRUE(text.endsWith(u'\n'));
}

TEST_F(HistoryFileFaults, AFolderRemovedBeforeTheSaveIsReported)
{
    const QString inner = path("gone");
    ASSERT_TRUE(QDir().mkdir(inner));
    const QString name = inner + QStringLiteral("/h.txt");
    ASSERT_TRUE(QDir().rmdir(inner));
    EXPECT_EQ(messageOf([&] { saveHistoryFile(name, "L1\r\n"); }),
        "Cannot create file \"" + name.toStdString() + "\". No such file or directory");
    EXPECT_FALSE(QFile::exists(inner));
}

// The system refuses every byte of a file beyond a size limit (as a full
// disk would): the write stops part-way with EFBIG.
class FileSizeLimit {
public:
    explicit FileSizeLimit(rlim_t bytes)
    {
        getrlimit(RLIMIT_FSIZE, &saved_);
        // The signal's own action, which ends the process: the save has to
        // keep it off itself.
        previousHandler_ = std::signal(SIGXFSZ, SIG_DFL);
        rlimit limit = saved_;
        limit.rlim_cur = bytes;
        setrlimit(RLIMIT_FSIZE, &limit);
    }
    ~FileSizeLimit()
    {
        setrlimit(RLIMIT_FSIZE, &saved_);
        std::signal(SIGXFSZ, previousHandler_);
    }
    FileSizeLimit(const FileSizeLimit &) = delete;
    FileSizeLimit &operator=(const FileSizeLimit &) = delete;

private:
    rlimit saved_{};
    void (*previousHandler_)(int) = nullptr;
};

struct ShortWriteRow {
    const char *name;
    qsizetype historyBytes;
    rlim_t limit;
};

class HistoryFileShortWrites : public HistoryFileFaults, public testing::WithParamInterface<ShortWriteRow> {};

TEST_P(HistoryFileShortWrites, KeepTheOldFileAndLeaveNothingElse)
{
    const ShortWriteRow &row = GetParam();
    const QString name = path("h.txt");
    const QByteArray old = "old history\r\n";
    writeFile(name, old);
    const QByteArray history(row.historyBytes, 'L');
    std::string message;
    {
        const FileSizeLimit limit(row.limit);
        message = messageOf([&] { saveHistoryFile(name, history); });
    }
    EXPECT_EQ(message, cannotCreateText(name, EFBIG));
    EXPECT_EQ(contentsOf(name), old);
    EXPECT_EQ(entries(), QStringList{QStringLiteral("h.txt")});
}

INSTANTIATE_TEST_SUITE_P(Rows,
    HistoryFileShortWrites,
    testing::Values(ShortWriteRow{"nothing_fits", 10, 0},
        ShortWriteRow{"one_byte_fits", 10, 1},
        ShortWriteRow{"small_history_stops_in_the_middle", 1000, 500},
        ShortWriteRow{"stops_in_the_middle", 100000, 4096},
        ShortWriteRow{"last_byte_refused", 65536, 65535},
        ShortWriteRow{"large_history", 8 * 1024 * 1024, 1024 * 1024}),
    [](const testing::TestParamInfo<ShortWriteRow> &info) { return std::string(info.param.name); });

TEST_F(HistoryFileFaults, AWriteThatFitsTheLimitExactlySucceeds)
{
    const QString name = path("h.txt");
    const QByteArray history(4096, 'L');
    {
        const FileSizeLimit limit(4096);
        saveHistoryFile(name, history);
    }
    EXPECT_EQ(contentsOf(name), history);
    EXPECT_EQ(entries(), QStringList{QStringLiteral("h.txt")});
}

// ---- What a name can stand for ----

// A name as lstat sees it: its type (0 when there is nothing), owner and
// permissions, the bytes of a regular file, the target of a link.
struct Entry {
    mode_t type = 0;
    uid_t owner = 0;
    mode_t permissions = 0;
    QByteArray contents;
    QByteArray attributes; // of a regular file: "name=value" lines, the ACL among them
    bool operator==(const Entry &) const = default;
};

QByteArray attributesOf(const QByteArray &name)
{
    char list[4096];
    const ssize_t size = ::listxattr(name.constData(), list, sizeof list);
    QList<QByteArray> names = QByteArray(list, size > 0 ? static_cast<qsizetype>(size) : 0).split('\0');
    std::sort(names.begin(), names.end());
    QByteArray all;
    for (const QByteArray &attribute : names) {
        if (attribute.isEmpty())
            continue;
        char value[4096];
        const ssize_t length = ::getxattr(name.constData(), attribute.constData(), value, sizeof value);
        all += attribute + '=' + QByteArray(value, length > 0 ? static_cast<qsizetype>(length) : 0).toHex() + '\n';
    }
    return all;
}

// The binary form of an access ACL: the owner rw, user nobody r, the
// group r, the mask r, others nothing (permissions 0640).
QByteArray nobodyMayReadAcl()
{
    QByteArray acl;
    const auto add32 = [&acl](quint32 value) {
        for (int shift = 0; shift < 32; shift += 8)
            acl += static_cast<char>((value >> shift) & 0xff);
    };
    const auto entry = [&](quint16 tag, quint16 permissions, quint32 id) {
        acl += static_cast<char>(tag & 0xff);
        acl += static_cast<char>(tag >> 8);
        acl += static_cast<char>(permissions & 0xff);
        acl += static_cast<char>(permissions >> 8);
        add32(id);
    };
    add32(2); // the format's version
    entry(0x01, 6, 0xffffffff);
    entry(0x02, 4, 65534);
    entry(0x04, 4, 0xffffffff);
    entry(0x10, 4, 0xffffffff);
    entry(0x20, 0, 0xffffffff);
    return acl;
}

Entry entryAt(const QString &path)
{
    const QByteArray name = QFile::encodeName(path);
    struct stat info {};
    if (::lstat(name.constData(), &info) != 0)
        return {};
    Entry entry{static_cast<mode_t>(info.st_mode & S_IFMT), info.st_uid, static_cast<mode_t>(info.st_mode & 07777), {},
        {}};
    if (S_ISREG(info.st_mode)) {
        entry.contents = contentsOf(path);
        entry.attributes = attributesOf(name);
    } else if (S_ISLNK(info.st_mode)) {
        char target[PATH_MAX];
        const ssize_t length = ::readlink(name.constData(), target, sizeof target);
        entry.contents = QByteArray(target, length > 0 ? static_cast<qsizetype>(length) : 0);
    }
    return entry;
}

// Fails the operation it watches instead of letting it hang on a pipe: once
// a second has passed it keeps opening both ends of the given pipes, which
// lets a blocked open or read of the other end go on.
class Watchdog {
public:
    explicit Watchdog(QStringList pipes) : thread_([this, pipes] { watch(pipes); }) {}
    ~Watchdog() { stop(); }
    Watchdog(const Watchdog &) = delete;
    Watchdog &operator=(const Watchdog &) = delete;

    // True when the operation took more than a second.
    bool stop()
    {
        {
            const std::lock_guard lock(mutex_);
            done_ = true;
        }
        wake_.notify_all();
        if (thread_.joinable())
            thread_.join();
        return fired_;
    }

private:
    void watch(const QStringList &pipes)
    {
        std::unique_lock lock(mutex_);
        if (wake_.wait_for(lock, std::chrono::seconds(1), [this] { return done_; }))
            return;
        fired_ = true;
        while (!wake_.wait_for(lock, std::chrono::milliseconds(100), [this] { return done_; })) {
            for (const QString &pipe : pipes) {
                const QByteArray name = QFile::encodeName(pipe);
                const int reader = ::open(name.constData(), O_RDONLY | O_NONBLOCK);
                const int writer = ::open(name.constData(), O_WRONLY | O_NONBLOCK);
                for (const int fd : {writer, reader})
                    if (fd >= 0)
                        ::close(fd);
            }
        }
    }

    std::mutex mutex_;
    std::condition_variable wake_;
    bool done_ = false;
    bool fired_ = false;
    std::thread thread_;
};

enum class Operation { Open, Save };

struct KindRow {
    const char *name;
    const char *entry; // the name opened or saved to
    Operation operation;
    int error;           // 0: the operation succeeds
    const char *landsOn; // for a save that succeeds: the name whose file gets the history
    bool needsDevice = false;
    bool needsAttributes = false;
};

// A folder holding one name of every kind, and a link to each.
class FileKinds : public HistoryFileFaults, public testing::WithParamInterface<KindRow> {
protected:
    void SetUp() override
    {
        HistoryFileFaults::SetUp();
        std::signal(SIGPIPE, SIG_IGN); // a watchdog may close a pipe under a writer
        writeFile(path("regular"), "old\r\n");
        // Permissions, and as root an owner, that a new file would not get.
        ASSERT_EQ(::chmod(name("regular").constData(), 0640), 0);
        if (::geteuid() == 0) {
            ASSERT_EQ(::chown(name("regular").constData(), 65534, 65534), 0);
        }
        ASSERT_TRUE(QDir().mkdir(path("folder")));
        ASSERT_EQ(::mkfifo(name("fifo").constData(), 0644), 0);
        const int socket = ::socket(AF_UNIX, SOCK_STREAM, 0);
        ASSERT_GE(socket, 0);
        sockaddr_un address{};
        address.sun_family = AF_UNIX;
        ASSERT_LT(static_cast<std::size_t>(name("socket").size()), sizeof address.sun_path);
        std::strcpy(address.sun_path, name("socket").constData());
        ASSERT_EQ(::bind(socket, reinterpret_cast<const sockaddr *>(&address), sizeof address), 0);
        ::close(socket);
        // The null device, made here so that nothing of the system's is at stake.
        hasDevice_ = ::mknod(name("device").constData(), S_IFCHR | 0666, makedev(1, 3)) == 0;
        for (const char *kind : {"regular", "missing", "folder", "fifo", "socket", "device"})
            ASSERT_TRUE(
                QFile::link(QString::fromLatin1(kind), path(QStringLiteral("link_to_") + QString::fromLatin1(kind))));
        // Links in a loop, a link into a folder that is not there.
        ASSERT_EQ(::symlink("loop_y", name("loop_x").constData()), 0);
        ASSERT_EQ(::symlink("loop_z", name("loop_y").constData()), 0);
        ASSERT_EQ(::symlink("loop_x", name("loop_z").constData()), 0);
        ASSERT_EQ(::symlink("self_loop", name("self_loop").constData()), 0);
        ASSERT_EQ(::symlink("nowhere/h.txt", name("link_into_missing_folder").constData()), 0);
        // Files another program holds locked, to read and to write.
        for (const auto &[held, type] : {std::pair{"held_shared", F_RDLCK}, std::pair{"held_exclusive", F_WRLCK}}) {
            writeFile(path(QString::fromLatin1(held)), "old\r\n");
            const int fd = ::open(name(held).constData(), type == F_RDLCK ? O_RDONLY : O_RDWR);
            struct flock lock {};
            lock.l_type = static_cast<short>(type);
            lock.l_whence = SEEK_SET;
            ASSERT_EQ(::fcntl(fd, F_OFD_SETLK, &lock), 0);
            holders_.push_back(fd);
        }
        // A file with a second name, and one with an ACL and an attribute.
        writeFile(path("linked"), "old\r\n");
        ASSERT_EQ(::link(name("linked").constData(), name("linked_too").constData()), 0);
        writeFile(path("attributed"), "old\r\n");
        const QByteArray acl = nobodyMayReadAcl();
        hasAttributes_ = ::chmod(name("attributed").constData(), 0640) == 0
            && ::setxattr(name("attributed").constData(), "user.naklon", "kept", 4, 0) == 0
            && ::setxattr(name("attributed").constData(), "system.posix_acl_access", acl.constData(),
                   static_cast<std::size_t>(acl.size()), 0)
                == 0;
    }
    void TearDown() override
    {
        for (const int fd : holders_)
            ::close(fd);
    }

    // The names that are the same file as `entry` (its hard links).
    QStringList sameFileAs(const char *entry) const
    {
        struct stat target {};
        QStringList names;
        if (::stat(name(entry).constData(), &target) != 0)
            return names;
        for (const auto &[other, ignored] : snapshot()) {
            struct stat info {};
            if (::lstat(QFile::encodeName(path(other)).constData(), &info) == 0 && info.st_ino == target.st_ino
                && info.st_dev == target.st_dev)
                names << other;
        }
        return names;
    }

    QByteArray name(const char *entry) const { return QFile::encodeName(path(QString::fromLatin1(entry))); }

    std::map<QString, Entry> snapshot() const
    {
        std::map<QString, Entry> all;
        for (const QString &entry :
            QDir(folder_.path()).entryList(QDir::AllEntries | QDir::System | QDir::Hidden | QDir::NoDotAndDotDot))
            all[entry] = entryAt(path(entry));
        return all;
    }

    bool hasDevice_ = false;
    bool hasAttributes_ = false;
    std::vector<int> holders_;
};

TEST_P(FileKinds, NothingButARegularFileIsReadOrReplaced)
{
    const KindRow &row = GetParam();
    if (row.needsDevice && !hasDevice_)
        GTEST_SKIP() << "making a device node needs root";
    if (row.needsAttributes && !hasAttributes_)
        GTEST_SKIP() << "the file system keeps no ACL or extended attribute";
    const QString target = path(QString::fromLatin1(row.entry));
    std::map<QString, Entry> expected = snapshot();
    const QStringList sameFile = row.landsOn ? sameFileAs(row.landsOn) : QStringList();

    std::string message;
    QString history;
    Watchdog watchdog({path(QStringLiteral("fifo"))});
    if (row.operation == Operation::Open)
        message = messageOf([&] { history = readHistoryFile(target); });
    else
        message = messageOf([&] { saveHistoryFile(target, "new"); });
    EXPECT_FALSE(watchdog.stop()) << "waited more than a second";

    if (row.error != 0) {
        EXPECT_EQ(message,
            row.operation == Operation::Open ? cannotOpenText(target, row.error) : cannotCreateText(target, row.error));
    } else {
        EXPECT_EQ(message, "(no failure)");
        if (row.operation == Operation::Open) {
            EXPECT_EQ(history, QStringLiteral("old\n"));
        } else {
            Entry &saved = expected[QString::fromLatin1(row.landsOn)];
            if (saved.type == 0) {
                const mode_t mask = ::umask(0);
                ::umask(mask);
                saved = Entry{S_IFREG, ::geteuid(), static_cast<mode_t>(0666 & ~mask), {}, {}};
            }
            saved.contents = "new";
            // Its other names see the new text too.
            for (const QString &other : sameFile)
                expected[other].contents = "new";
        }
    }
    EXPECT_TRUE(snapshot() == expected) << "a name changed that should not have";
}

// ENXIO, "No such device or address", is what the system itself says when a
// socket is opened; the program gives it for every name that is not a file
// of text.
INSTANTIATE_TEST_SUITE_P(Rows,
    FileKinds,
    testing::Values(KindRow{"open_regular", "regular", Operation::Open, 0, nullptr},
        KindRow{"open_missing", "missing", Operation::Open, ENOENT, nullptr},
        KindRow{"open_folder", "folder", Operation::Open, EISDIR, nullptr},
        KindRow{"open_fifo", "fifo", Operation::Open, ENXIO, nullptr},
        KindRow{"open_socket", "socket", Operation::Open, ENXIO, nullptr},
        KindRow{"open_device", "device", Operation::Open, ENXIO, nullptr, true},
        KindRow{"open_link_to_regular", "link_to_regular", Operation::Open, 0, nullptr},
        KindRow{"open_link_to_missing", "link_to_missing", Operation::Open, ENOENT, nullptr},
        KindRow{"open_link_to_folder", "link_to_folder", Operation::Open, EISDIR, nullptr},
        KindRow{"open_link_to_fifo", "link_to_fifo", Operation::Open, ENXIO, nullptr},
        KindRow{"open_link_to_socket", "link_to_socket", Operation::Open, ENXIO, nullptr},
        KindRow{"open_link_to_device", "link_to_device", Operation::Open, ENXIO, nullptr, true},
        KindRow{"save_regular", "regular", Operation::Save, 0, "regular"},
        KindRow{"save_missing", "missing", Operation::Save, 0, "missing"},
        KindRow{"save_folder", "folder", Operation::Save, EISDIR, nullptr},
        KindRow{"save_fifo", "fifo", Operation::Save, ENXIO, nullptr},
        KindRow{"save_socket", "socket", Operation::Save, ENXIO, nullptr},
        KindRow{"save_device", "device", Operation::Save, ENXIO, nullptr, true},
        KindRow{"save_link_to_regular", "link_to_regular", Operation::Save, 0, "regular"},
        KindRow{"save_link_to_missing", "link_to_missing", Operation::Save, 0, "missing"},
        KindRow{"save_link_to_folder", "link_to_folder", Operation::Save, EISDIR, nullptr},
        KindRow{"save_link_to_fifo", "link_to_fifo", Operation::Save, ENXIO, nullptr},
        KindRow{"save_link_to_socket", "link_to_socket", Operation::Save, ENXIO, nullptr},
        KindRow{"save_link_to_device", "link_to_device", Operation::Save, ENXIO, nullptr, true},
        KindRow{"open_link_loop", "loop_x", Operation::Open, ELOOP, nullptr},
        KindRow{"save_link_loop", "loop_x", Operation::Save, ELOOP, nullptr},
        KindRow{"open_self_loop", "self_loop", Operation::Open, ELOOP, nullptr},
        KindRow{"save_self_loop", "self_loop", Operation::Save, ELOOP, nullptr},
        KindRow{"open_link_into_missing_folder", "link_into_missing_folder", Operation::Open, ENOENT, nullptr},
        KindRow{"save_link_into_missing_folder", "link_into_missing_folder", Operation::Save, ENOENT, nullptr},
        KindRow{"open_held_for_reading", "held_shared", Operation::Open, 0, nullptr},
        KindRow{"open_held_for_writing", "held_exclusive", Operation::Open, EAGAIN, nullptr},
        KindRow{"save_held_for_reading", "held_shared", Operation::Save, EAGAIN, nullptr},
        KindRow{"save_held_for_writing", "held_exclusive", Operation::Save, EAGAIN, nullptr},
        KindRow{"save_hard_linked", "linked", Operation::Save, 0, "linked"},
        KindRow{"save_with_acl_and_attribute", "attributed", Operation::Save, 0, "attributed", false, true}),
    [](const testing::TestParamInfo<KindRow> &info) { return std::string(info.param.name); });

TEST_F(FileKinds, APipeAWriterHoldsOpenIsRefusedAtOnce)
{
    // The writer never writes: a read of the pipe would wait for ever.
    const int holder = ::open(name("fifo").constData(), O_RDWR | O_NONBLOCK);
    ASSERT_GE(holder, 0);
    Watchdog watchdog({path(QStringLiteral("fifo"))});
    const std::string message = messageOf([&] { readHistoryFile(path(QStringLiteral("fifo"))); });
    EXPECT_FALSE(watchdog.stop()) << "opening the pipe waited more than a second";
    ::close(holder);
    EXPECT_EQ(message, cannotOpenText(path(QStringLiteral("fifo")), ENXIO));
}

// Runs `body` in a child process and returns what it returned: mounts and
// privileges changed there leave the test program as it was.
std::string inChild(const std::function<std::string()> &body)
{
    int ends[2];
    if (::pipe(ends) != 0)
        return "pipe failed";
    const pid_t child = ::fork();
    if (child == 0) {
        ::close(ends[0]);
        const std::string out = body();
        const ssize_t written = ::write(ends[1], out.data(), out.size());
        ::_exit(written == static_cast<ssize_t>(out.size()) ? 0 : 1);
    }
    ::close(ends[1]);
    std::string out;
    char buffer[4096];
    for (ssize_t got; (got = ::read(ends[0], buffer, sizeof buffer)) != 0;) {
        if (got < 0 && errno == EINTR)
            continue;
        if (got < 0)
            break;
        out.append(buffer, static_cast<std::size_t>(got));
    }
    ::close(ends[0]);
    int status = 0;
    ::waitpid(child, &status, 0);
    return out;
}

TEST_F(HistoryFileFaults, AReadOnlyMountGivesTheSystemsReason)
{
    const QString mountPoint = path("mount");
    ASSERT_TRUE(QDir().mkdir(mountPoint));
    const QString name = mountPoint + QStringLiteral("/h.txt");
    const QByteArray point = QFile::encodeName(mountPoint);
    const std::string result = inChild([&]() -> std::string {
        if (::unshare(CLONE_NEWNS) != 0 || ::mount(nullptr, "/", nullptr, MS_REC | MS_PRIVATE, nullptr) != 0
            || ::mount("tmpfs", point.constData(), "tmpfs", 0, "size=64k") != 0)
            return std::string("skip: no mount of its own: ") + std::strerror(errno);
        writeFile(name, "old\r\n");
        if (::mount(nullptr, point.constData(), nullptr, MS_REMOUNT | MS_RDONLY, nullptr) != 0)
            return std::string("skip: no read-only remount: ") + std::strerror(errno);
        const std::string saving = messageOf([&] { saveHistoryFile(name, "new"); });
        QString history;
        const std::string opening = messageOf([&] { history = readHistoryFile(name); });
        return saving + " | " + contentsOf(name).toStdString() + " | " + opening + " | " + history.toStdString();
    });
    if (result.starts_with("skip: "))
        GTEST_SKIP() << result.substr(6);
    EXPECT_EQ(result, cannotCreateText(name, EROFS) + " | old\r\n | (no failure) | old\n");
}

struct LockedFolderRow {
    const char *name;
    mode_t fileMode;
    rlim_t sizeLimit;
    int error; // the save is refused: "Cannot create file" with this reason
    QByteArray contents;
};

class LockedFolder : public HistoryFileFaults, public testing::WithParamInterface<LockedFolderRow> {};

// A folder that takes no new file, holding a file its user may write: the
// save cannot go through a new file and is made in the file itself.
TEST_P(LockedFolder, AWritableFileIsRewrittenInPlace)
{
    const LockedFolderRow &row = GetParam();
    const bool root = ::geteuid() == 0;
    const uid_t nobody = 65534;
    const QString folder = path("locked");
    const QString name = folder + QStringLiteral("/h.txt");
    ASSERT_TRUE(QDir().mkdir(folder));
    writeFile(name, "old\r\n");
    const QByteArray file = QFile::encodeName(name);
    ASSERT_EQ(::chmod(file.constData(), row.fileMode), 0);
    if (root) {
        // The user is nobody; the folders up to the file may be passed.
        ASSERT_EQ(::chmod(QFile::encodeName(folder_.path()).constData(), 0755), 0);
        ASSERT_EQ(::chown(file.constData(), nobody, nobody), 0);
    }
    ASSERT_EQ(::chmod(QFile::encodeName(folder).constData(), 0555), 0);
    struct stat before {};
    ASSERT_EQ(::stat(file.constData(), &before), 0);

    const std::string message = inChild([&]() -> std::string {
        if (root && (::setgroups(0, nullptr) != 0 || ::setgid(nobody) != 0 || ::setuid(nobody) != 0))
            return std::string("skip: cannot become nobody: ") + std::strerror(errno);
        const FileSizeLimit limit(row.sizeLimit);
        return messageOf([&] { saveHistoryFile(name, "new history\r\n"); });
    });
    ASSERT_EQ(::chmod(QFile::encodeName(folder).constData(), 0755), 0);
    if (message.starts_with("skip: "))
        GTEST_SKIP() << message.substr(6);

    EXPECT_EQ(message, row.error != 0 ? cannotCreateText(name, row.error) : std::string("(no failure)"));
    EXPECT_EQ(contentsOf(name), row.contents);
    struct stat after {};
    ASSERT_EQ(::stat(file.constData(), &after), 0);
    EXPECT_EQ(after.st_ino, before.st_ino);
    EXPECT_EQ(after.st_mode, before.st_mode);
    EXPECT_EQ(QDir(folder).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot),
        QStringList{QStringLiteral("h.txt")});
}

INSTANTIATE_TEST_SUITE_P(Rows,
    LockedFolder,
    testing::Values(LockedFolderRow{"writable_file", 0644, RLIM_INFINITY, 0, "new history\r\n"},
        LockedFolderRow{"read_only_file", 0444, RLIM_INFINITY, EACCES, "old\r\n"},
        LockedFolderRow{"no_room_for_the_new_text_keeps_the_old", 0644, 8, EFBIG, "old\r\n"}),
    [](const testing::TestParamInfo<LockedFolderRow> &info) { return std::string(info.param.name); });

} // namespace
} // namespace naklon
