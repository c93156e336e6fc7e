// Files under injected faults, through the POSIX file interface: a file
// that is gone or replaced between the dialog and the read, a file whose
// size says nothing of its contents, a write that the system stops part-way
// (a file-size limit, a full disk), a folder that disappears before the
// save, a read-only mount and a folder the user may not write. Each is
// reported with its message and loses nothing: the old file stays as it was
// and no partial file is left.

#include "files/file_bytes.h"
#include "files/file_test_support.h"

#include <gtest/gtest.h>

#include <chrono>
#include <condition_variable>
#include <csignal>
#include <cstring>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

#include <fcntl.h>
#include <grp.h>
#include <sched.h>
#include <sys/mount.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

namespace naklon {
namespace {

std::string cannotOpenText(const std::string &name, int error)
{
    return expectedMessage(false, name, error);
}

std::string cannotCreateText(const std::string &name, int error)
{
    return expectedMessage(true, name, error);
}

// The names in the test's folder.
std::vector<std::string> entriesOf(const fs::path &folder)
{
    std::vector<std::string> names;
    for (const auto &entry : fs::directory_iterator(folder))
        names.push_back(utf8(entry.path().filename()));
    std::sort(names.begin(), names.end());
    return names;
}

class FileFaults : public testing::Test {
protected:
    std::string path(const std::string &name) const { return utf8(folder_.path() / pathOf(name)); }
    std::vector<std::string> entries() const { return entriesOf(folder_.path()); }

    Folder folder_;
};

TEST_F(FileFaults, AFileRemovedAfterTheDialogCannotBeOpened)
{
    const std::string name = path("хомуты.txt");
    writeFile(pathOf(name), "L1\r\n");
    fs::remove(pathOf(name)); // between the dialog's choice and the read
    EXPECT_EQ(messageOf([&] { readFileBytes(name, 1000); }), cannotOpenText(name, ENOENT));
}

TEST_F(FileFaults, AFileReplacedByAShorterOneReadsWhatIsThere)
{
    const std::string name = path("h.txt");
    writeFile(pathOf(name), std::string(100000, 'x'));
    writeFile(pathOf(name), "short\nfile"); // shrunk after the dialog showed it
    EXPECT_EQ(readFileBytes(name, 1000000), "short\nfile");
}

TEST_F(FileFaults, AFileWhoseSizeSaysNothingIsReadToItsEnd)
{
    // Files of /proc report a size of 0 and have contents.
    const std::string contents = contentsOf("/proc/self/mountinfo");
    ASSERT_GT(contents.size(), 0u);
    const std::string read = readFileBytes("/proc/self/mountinfo", 1 << 24);
    EXPECT_GE(read.size(), contents.size() / 2); // the mount table changes little between the reads
    EXPECT_TRUE(read.ends_with('\n'));
}

TEST_F(FileFaults, AFolderRemovedBeforeTheSaveIsReported)
{
    const std::string inner = path("gone");
    ASSERT_TRUE(fs::create_directory(pathOf(inner)));
    const std::string name = inner + "/h.txt";
    ASSERT_TRUE(fs::remove(pathOf(inner)));
    EXPECT_EQ(messageOf([&] { saveFileBytes(name, "L1\r\n"); }), cannotCreateText(name, ENOENT));
    EXPECT_FALSE(fs::exists(pathOf(inner)));
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
    std::size_t historyBytes;
    rlim_t limit;
};

class ShortWrites : public FileFaults, public testing::WithParamInterface<ShortWriteRow> {};

TEST_P(ShortWrites, KeepTheOldFileAndLeaveNothingElse)
{
    const ShortWriteRow &row = GetParam();
    const std::string name = path("h.txt");
    const std::string old = "old history\r\n";
    writeFile(pathOf(name), old);
    const std::string history(row.historyBytes, 'L');
    std::string message;
    {
        const FileSizeLimit limit(row.limit);
        message = messageOf([&] { saveFileBytes(name, history); });
    }
    EXPECT_EQ(message, cannotCreateText(name, EFBIG));
    EXPECT_EQ(contentsOf(pathOf(name)), old);
    EXPECT_EQ(entries(), std::vector<std::string>{"h.txt"});
}

INSTANTIATE_TEST_SUITE_P(Rows,
    ShortWrites,
    testing::Values(ShortWriteRow{"nothing_fits", 10, 0},
        ShortWriteRow{"one_byte_fits", 10, 1},
        ShortWriteRow{"small_history_stops_in_the_middle", 1000, 500},
        ShortWriteRow{"stops_in_the_middle", 100000, 4096},
        ShortWriteRow{"last_byte_refused", 65536, 65535},
        ShortWriteRow{"large_history", 8 * 1024 * 1024, 1024 * 1024}),
    [](const testing::TestParamInfo<ShortWriteRow> &info) { return std::string(info.param.name); });

TEST_F(FileFaults, AWriteThatFitsTheLimitExactlySucceeds)
{
    const std::string name = path("h.txt");
    const std::string history(4096, 'L');
    {
        const FileSizeLimit limit(4096);
        saveFileBytes(name, history);
    }
    EXPECT_EQ(contentsOf(pathOf(name)), history);
    EXPECT_EQ(entries(), std::vector<std::string>{"h.txt"});
}

// Fails the operation it watches instead of letting it hang on a pipe: once
// a second has passed it keeps opening both ends of the pipe, which lets a
// blocked open or read of the other end go on.
class Watchdog {
public:
    explicit Watchdog(std::string pipe) : thread_([this, pipe] { watch(pipe); }) {}
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
    void watch(const std::string &pipe)
    {
        std::unique_lock lock(mutex_);
        if (wake_.wait_for(lock, std::chrono::seconds(1), [this] { return done_; }))
            return;
        fired_ = true;
        while (!wake_.wait_for(lock, std::chrono::milliseconds(100), [this] { return done_; })) {
            const int reader = ::open(pipe.c_str(), O_RDONLY | O_NONBLOCK);
            const int writer = ::open(pipe.c_str(), O_WRONLY | O_NONBLOCK);
            for (const int fd : {writer, reader})
                if (fd >= 0)
                    ::close(fd);
        }
    }

    std::mutex mutex_;
    std::condition_variable wake_;
    bool done_ = false;
    bool fired_ = false;
    std::thread thread_;
};

TEST_F(FileFaults, APipeAWriterHoldsOpenIsRefusedAtOnce)
{
    std::signal(SIGPIPE, SIG_IGN); // the watchdog may close the pipe under a writer
    const std::string fifo = path("fifo");
    ASSERT_EQ(::mkfifo(fifo.c_str(), 0644), 0);
    // The writer never writes: a read of the pipe would wait for ever.
    const int holder = ::open(fifo.c_str(), O_RDWR | O_NONBLOCK);
    ASSERT_GE(holder, 0);
    Watchdog watchdog(fifo);
    const std::string message = messageOf([&] { readFileBytes(fifo, 1000); });
    const std::string saving = messageOf([&] { saveFileBytes(fifo, "new"); });
    EXPECT_FALSE(watchdog.stop()) << "the pipe was waited on for more than a second";
    ::close(holder);
    EXPECT_EQ(message, cannotOpenText(fifo, ENXIO));
    EXPECT_EQ(saving, cannotCreateText(fifo, ENXIO));
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

struct MountRow {
    const char *name;
    bool readOnly;        // remounted read-only once the old file is there
    std::size_t newBytes; // the history saved over "old\r\n"
    int error;
};

class SmallMount : public FileFaults, public testing::WithParamInterface<MountRow> {};

// A file system of 64 KiB of its own: read-only, or too small for the new
// history. The save gives the system's reason and keeps the old file, which
// still opens.
TEST_P(SmallMount, GivesTheSystemsReasonAndKeepsTheOldFile)
{
    const MountRow &row = GetParam();
    const std::string mountPoint = path("mount");
    ASSERT_TRUE(fs::create_directory(pathOf(mountPoint)));
    const std::string name = mountPoint + "/h.txt";
    const std::string result = inChild([&]() -> std::string {
        if (::unshare(CLONE_NEWNS) != 0 || ::mount(nullptr, "/", nullptr, MS_REC | MS_PRIVATE, nullptr) != 0
            || ::mount("tmpfs", mountPoint.c_str(), "tmpfs", 0, "size=64k") != 0)
            return std::string("skip: no mount of its own: ") + std::strerror(errno);
        writeFile(pathOf(name), "old\r\n");
        if (row.readOnly && ::mount(nullptr, mountPoint.c_str(), nullptr, MS_REMOUNT | MS_RDONLY, nullptr) != 0)
            return std::string("skip: no read-only remount: ") + std::strerror(errno);
        const std::string saving = messageOf([&] { saveFileBytes(name, std::string(row.newBytes, 'L')); });
        std::string read;
        const std::string opening = messageOf([&] { read = readFileBytes(name, 1000); });
        return saving + " | " + opening + " | " + read + " | " + std::to_string(entriesOf(mountPoint).size());
    });
    if (result.starts_with("skip: "))
        GTEST_SKIP() << result.substr(6);
    EXPECT_EQ(result, cannotCreateText(name, row.error) + " | (no failure) | old\r\n | 1");
}

INSTANTIATE_TEST_SUITE_P(Rows,
    SmallMount,
    testing::Values(MountRow{"read_only_mount", true, 3, EROFS}, MountRow{"full_disk", false, 256 * 1024, ENOSPC}),
    [](const testing::TestParamInfo<MountRow> &info) { return std::string(info.param.name); });

struct LockedFolderRow {
    const char *name;
    mode_t fileMode;
    rlim_t sizeLimit;
    int error; // the save is refused: "Cannot create file" with this reason
    const char *contents;
};

class LockedFolder : public FileFaults, public testing::WithParamInterface<LockedFolderRow> {};

// A folder that takes no new file, holding a file its user may write: the
// save cannot go through a new file and is made in the file itself.
TEST_P(LockedFolder, AWritableFileIsRewrittenInPlace)
{
    const LockedFolderRow &row = GetParam();
    const bool root = ::geteuid() == 0;
    const uid_t nobody = 65534;
    const std::string folder = path("locked");
    const std::string name = folder + "/h.txt";
    ASSERT_TRUE(fs::create_directory(pathOf(folder)));
    writeFile(pathOf(name), "old\r\n");
    ASSERT_EQ(::chmod(name.c_str(), row.fileMode), 0);
    if (root) {
        // The user is nobody; the folders up to the file may be passed.
        ASSERT_EQ(::chmod(utf8(folder_.path()).c_str(), 0755), 0);
        ASSERT_EQ(::chown(name.c_str(), nobody, nobody), 0);
    }
    ASSERT_EQ(::chmod(folder.c_str(), 0555), 0);
    struct stat before {};
    ASSERT_EQ(::stat(name.c_str(), &before), 0);

    const std::string message = inChild([&]() -> std::string {
        if (root && (::setgroups(0, nullptr) != 0 || ::setgid(nobody) != 0 || ::setuid(nobody) != 0))
            return std::string("skip: cannot become nobody: ") + std::strerror(errno);
        const FileSizeLimit limit(row.sizeLimit);
        return messageOf([&] { saveFileBytes(name, "new history\r\n"); });
    });
    ASSERT_EQ(::chmod(folder.c_str(), 0755), 0);
    if (message.starts_with("skip: "))
        GTEST_SKIP() << message.substr(6);

    EXPECT_EQ(message, row.error != 0 ? cannotCreateText(name, row.error) : std::string("(no failure)"));
    EXPECT_EQ(contentsOf(pathOf(name)), row.contents);
    struct stat after {};
    ASSERT_EQ(::stat(name.c_str(), &after), 0);
    EXPECT_EQ(after.st_ino, before.st_ino);
    EXPECT_EQ(after.st_mode, before.st_mode);
    EXPECT_EQ(entriesOf(folder), std::vector<std::string>{"h.txt"});
}

INSTANTIATE_TEST_SUITE_P(Rows,
    LockedFolder,
    testing::Values(LockedFolderRow{"writable_file", 0644, RLIM_INFINITY, 0, "new history\r\n"},
        LockedFolderRow{"read_only_file", 0444, RLIM_INFINITY, EACCES, "old\r\n"},
        LockedFolderRow{"no_room_for_the_new_text_keeps_the_old", 0644, 8, EFBIG, "old\r\n"}),
    [](const testing::TestParamInfo<LockedFolderRow> &info) { return std::string(info.param.name); });

} // namespace
} // namespace naklon
