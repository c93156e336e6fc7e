// Reading and saving files on every system: what each kind of name does on
// open and on save, with the system's reason, and that nothing else changes:
// a refused save leaves the old file as it was and no partial file behind.
// The rows give the outcome on POSIX and on Windows; a row a system cannot
// show is skipped there with the reason.

#include "files/file_bytes.h"
#include "files/file_test_support.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <functional>
#include <iterator>
#include <map>
#include <memory>
#include <random>
#include <string>
#include <tuple>
#include <vector>

#ifdef _WIN32
#include <windows.h>
#else
#include <cerrno>
#include <cstring>

#include <fcntl.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/sysmacros.h>
#include <sys/un.h>
#include <sys/xattr.h>
#include <unistd.h>
#endif

namespace naklon {
namespace {

// Why an operation is refused, as each system words it.
enum class Reason { None, NoFile, NoFolder, Folder, ThroughFile, NotAFile, Loop, Held, ReadOnly, DeviceName };

int code(Reason reason)
{
    switch (reason) {
#ifdef _WIN32
    case Reason::NoFile: return ERROR_FILE_NOT_FOUND;
    case Reason::NoFolder: return ERROR_PATH_NOT_FOUND;
    case Reason::Folder: return ERROR_ACCESS_DENIED;
    case Reason::ThroughFile: return ERROR_PATH_NOT_FOUND;
    case Reason::NotAFile: return ERROR_NOT_SUPPORTED;
    case Reason::Loop: return ERROR_CANT_RESOLVE_FILENAME;
    case Reason::Held: return ERROR_SHARING_VIOLATION;
    case Reason::ReadOnly: return ERROR_ACCESS_DENIED;
    case Reason::DeviceName: return ERROR_INVALID_NAME;
#else
    case Reason::NoFile: return ENOENT;
    case Reason::NoFolder: return ENOENT;
    case Reason::Folder: return EISDIR;
    case Reason::ThroughFile: return ENOTDIR;
    case Reason::NotAFile: return ENXIO;
    case Reason::Loop: return ELOOP;
    case Reason::Held: return EAGAIN;
    case Reason::ReadOnly: return EACCES;
    case Reason::DeviceName: return 0;
#endif
    case Reason::None: return 0;
    }
    return 0;
}

// `file` five folders down, so that its full path is longer than 259
// characters: п…п/п…п/п…п/п…п/п…п/<file>
std::string deepName(const std::string &file)
{
    std::string folder;
    for (int i = 0; i < 60; ++i)
        folder += "п";
    std::string name;
    for (int i = 0; i < 5; ++i)
        name += folder + '/';
    return name + file;
}

// A file another program has open: to read it (others may read and write
// it too) or to write it. On POSIX the other program's lock stands for it.
class Holder {
public:
    Holder(const fs::path &path, bool forWriting)
    {
#ifdef _WIN32
        handle_ = ::CreateFileW(path.c_str(), forWriting ? GENERIC_WRITE : GENERIC_READ,
            FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
#else
        fd_ = ::open(path.c_str(), forWriting ? O_RDWR : O_RDONLY);
        struct flock lock {};
        lock.l_type = forWriting ? F_WRLCK : F_RDLCK;
        lock.l_whence = SEEK_SET;
        held_ = fd_ >= 0 && ::fcntl(fd_, F_OFD_SETLK, &lock) == 0;
#endif
    }
    ~Holder()
    {
#ifdef _WIN32
        ::CloseHandle(handle_);
#else
        ::close(fd_);
#endif
    }
    Holder(const Holder &) = delete;
    Holder &operator=(const Holder &) = delete;

    bool held() const
    {
#ifdef _WIN32
        return handle_ != INVALID_HANDLE_VALUE;
#else
        return held_;
#endif
    }

private:
#ifdef _WIN32
    HANDLE handle_ = INVALID_HANDLE_VALUE;
#else
    int fd_ = -1;
    bool held_ = false;
#endif
};

// A name as the system shows it: its type, permissions, the bytes of a
// regular file or the target of a link and, on POSIX, a file's owner and
// extended attributes.
struct Entry {
    fs::file_type type = fs::file_type::not_found;
    fs::perms permissions = fs::perms::none;
    std::string contents;
    std::string owner;
    bool operator==(const Entry &) const = default;
};

// The owner and the extended attributes (the ACL among them) of a file.
std::string ownerOf([[maybe_unused]] const fs::path &path)
{
#ifdef _WIN32
    return {};
#else
    struct stat info {};
    ::lstat(path.c_str(), &info);
    std::string all = std::to_string(info.st_uid) + ':' + std::to_string(info.st_gid) + '\n';
    char list[4096];
    const ssize_t size = ::listxattr(path.c_str(), list, sizeof list);
    std::vector<std::string> names;
    for (ssize_t start = 0; start < size; start += static_cast<ssize_t>(std::strlen(list + start)) + 1)
        names.emplace_back(list + start);
    std::sort(names.begin(), names.end());
    for (const std::string &name : names) {
        char value[4096];
        const ssize_t length = ::getxattr(path.c_str(), name.c_str(), value, sizeof value);
        all += name + '=' + std::string(value, length > 0 ? static_cast<std::size_t>(length) : 0) + '\n';
    }
    return all;
#endif
}

Entry entryAt(const fs::path &path)
{
    std::error_code error;
    const fs::file_status status = fs::symlink_status(path, error);
    Entry entry{status.type(), status.permissions(), {}, {}};
    if (status.type() == fs::file_type::regular) {
        entry.contents = contentsOf(path);
        entry.owner = ownerOf(path);
    } else if (status.type() == fs::file_type::symlink) {
        entry.contents = utf8(fs::read_symlink(path, error));
    }
    return entry;
}

// What the test's folder holds, name by name.
std::map<std::string, Entry> snapshot(const fs::path &folder)
{
    std::map<std::string, Entry> all;
    for (const auto &entry : fs::directory_iterator(folder))
        all[utf8(entry.path().filename())] = entryAt(entry.path());
    return all;
}

// What a name must be for a row to be shown.
enum class Needs { Nothing, Fifo, Socket, Device, Links, Attributes, WriteProtection };

enum class Operation { Open, Save };

// What an operation does on one system: refused for `reason`, or done; a
// save that is done puts the text in the file `landsOn`. `skip`: why the
// system cannot show the row.
struct Outcome {
    Reason reason = Reason::None;
    const char *landsOn = nullptr;
    const char *skip = nullptr;
};

struct KindRow {
    const char *name;
    const char *entry; // the name opened or saved to, in the test's folder
    Operation operation;
    Outcome posix;
    Outcome windows;
    Needs needs = Needs::Nothing;
};

// The permissions of a file the program makes: what the user's file mode
// mask allows of read and write for everyone (on Windows: not read-only).
fs::perms newFilePermissions()
{
#ifdef _WIN32
    return fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read | fs::perms::group_write
        | fs::perms::others_read | fs::perms::others_write;
#else
    const mode_t mask = ::umask(0);
    ::umask(mask);
    return static_cast<fs::perms>(0666 & ~mask);
#endif
}

// A folder holding one name of every kind the rows need.
class FileKinds : public testing::TestWithParam<KindRow> {
protected:
    void SetUp() override
    {
        write("regular");
        fs::create_directory(at("folder"));
        fs::create_directories(at(deepName("")));
        write(deepName("h.txt"));
        write("readonly");
        fs::permissions(at("readonly"), fs::perms::owner_write | fs::perms::group_write | fs::perms::others_write,
            fs::perm_options::remove);
        write("linked");
        fs::create_hard_link(at("linked"), at("linked_too"));
        for (const char *held : {"held_shared", "held_exclusive"})
            write(held);
        holders_.emplace_back(std::make_unique<Holder>(at("held_shared"), false));
        holders_.emplace_back(std::make_unique<Holder>(at("held_exclusive"), true));
        for (const auto &holder : holders_)
            ASSERT_TRUE(holder->held());
        if (!kWindows) {
            // Ordinary names on POSIX that Windows keeps for its devices.
            for (const char *device : {"CON", "nul.tar.gz"})
                write(device);
        }
        makePosixKinds();
        makeLinks();
    }

    fs::path at(const std::string &entry) const { return folder_.path() / pathOf(entry); }

    // The path a row gives: in the test's folder, but on Windows a device
    // path as it is (on POSIX its backslashes are ordinary characters).
    std::string given(const char *entry) const
    {
        const std::string name = entry;
        return kWindows && name.starts_with("\\\\") ? name : utf8(at(name));
    }

    void write(const std::string &entry) { writeFile(at(entry), "old\r\n"); }

    // What the row needs that this system or this run cannot make.
    std::string missing(Needs needs) const
    {
        switch (needs) {
        case Needs::Fifo: return kWindows ? "Windows has no FIFO in a folder" : "";
        case Needs::Socket: return kWindows ? "Windows has no socket in a folder" : "";
        case Needs::Device:
            return kWindows  ? "Windows has no device node in a folder"
                : hasDevice_ ? ""
                             : "making a device node needs root";
        case Needs::Links: return hasLinks_ ? "" : "no symbolic link can be made here: " + linkFailure_;
        case Needs::Attributes: return hasAttributes_ ? "" : "the file system keeps no ACL or extended attribute";
        case Needs::WriteProtection: return !kWindows && isRoot() ? "root may write a read-only file" : "";
        case Needs::Nothing: return "";
        }
        return "";
    }

    Folder folder_;
    std::vector<std::unique_ptr<Holder>> holders_;
    bool hasDevice_ = false;
    bool hasLinks_ = false;
    bool hasAttributes_ = false;
    std::string linkFailure_;

private:
    static bool isRoot()
    {
#ifdef _WIN32
        return false;
#else
        return ::geteuid() == 0;
#endif
    }

    // A FIFO, a socket, the null device made here so that nothing of the
    // system's is at stake, and a file with an ACL and an attribute; the
    // regular file gets permissions (and as root an owner) a new file would
    // not get.
    void makePosixKinds()
    {
#ifndef _WIN32
        const std::string regular = utf8(at("regular"));
        ASSERT_EQ(::chmod(regular.c_str(), 0640), 0);
        if (isRoot()) {
            ASSERT_EQ(::chown(regular.c_str(), 65534, 65534), 0);
        }
        ASSERT_EQ(::mkfifo(utf8(at("fifo")).c_str(), 0644), 0);
        const int socket = ::socket(AF_UNIX, SOCK_STREAM, 0);
        ASSERT_GE(socket, 0);
        sockaddr_un address{};
        address.sun_family = AF_UNIX;
        const std::string name = utf8(at("socket"));
        ASSERT_LT(name.size(), sizeof address.sun_path);
        std::strcpy(address.sun_path, name.c_str());
        ASSERT_EQ(::bind(socket, reinterpret_cast<const sockaddr *>(&address), sizeof address), 0);
        ::close(socket);
        hasDevice_ = ::mknod(utf8(at("device")).c_str(), S_IFCHR | 0666, makedev(1, 3)) == 0;
        write("attributed");
        const std::string attributed = utf8(at("attributed"));
        // The binary form of an access ACL: the owner rw, user nobody r, the
        // group r, the mask r, others nothing (permissions 0640).
        std::string acl;
        const auto add = [&acl](std::uint32_t value, int bytes) {
            for (int shift = 0; shift < 8 * bytes; shift += 8)
                acl += static_cast<char>((value >> shift) & 0xff);
        };
        add(2, 4);
        for (const auto &[tag, permissions, id] : {std::tuple{0x01, 6, 0xffffffffu}, std::tuple{0x02, 4, 65534u},
                 std::tuple{0x04, 4, 0xffffffffu}, std::tuple{0x10, 4, 0xffffffffu}, std::tuple {
                     0x20,
                     0,
                     0xffffffffu
                 }}) {
            add(static_cast<std::uint32_t>(tag), 2);
            add(static_cast<std::uint32_t>(permissions), 2);
            add(id, 4);
        }
        hasAttributes_ = ::chmod(attributed.c_str(), 0640) == 0
            && ::setxattr(attributed.c_str(), "user.naklon", "kept", 4, 0) == 0
            && ::setxattr(attributed.c_str(), "system.posix_acl_access", acl.data(), acl.size(), 0) == 0;
#endif
    }

    // A link to each kind, links in a loop, a link into a folder that is
    // not there.
    void makeLinks()
    {
        std::error_code error;
        for (const char *kind : {"regular", "missing", "folder", "fifo", "socket", "device"})
            fs::create_symlink(kind, at(std::string("link_to_") + kind), error);
        if (error) {
            linkFailure_ = error.message();
            return;
        }
        for (const auto &[from, to] :
            {std::pair{"loop_x", "loop_y"}, std::pair{"loop_y", "loop_z"}, std::pair{"loop_z", "loop_x"},
                std::pair{"self_loop", "self_loop"}, std::pair{"link_into_missing_folder", "nowhere/h.txt"}})
            fs::create_symlink(to, at(from));
        hasLinks_ = true;
    }
};

TEST_P(FileKinds, NothingButARegularFileIsReadOrReplaced)
{
    const KindRow &row = GetParam();
    const Outcome &outcome = kWindows ? row.windows : row.posix;
    if (outcome.skip != nullptr)
        GTEST_SKIP() << outcome.skip;
    if (const std::string reason = missing(row.needs); !reason.empty())
        GTEST_SKIP() << reason;
    const std::string path = given(row.entry);
    const bool save = row.operation == Operation::Save;
    std::map<std::string, Entry> expected = snapshot(folder_.path());
    // The names that are the same file as the one the save lands on.
    std::vector<std::string> sameFile;
    for (const auto &[name, entry] : expected) {
        std::error_code error;
        if (outcome.landsOn != nullptr && entry.type == fs::file_type::regular
            && fs::equivalent(at(name), at(outcome.landsOn), error))
            sameFile.push_back(name);
    }

    std::string bytes;
    const std::string message =
        messageOf([&] { save ? saveFileBytes(path, "new") : void(bytes = readFileBytes(path, 1000)); });

    if (outcome.reason != Reason::None) {
        EXPECT_EQ(message, expectedMessage(save, path, code(outcome.reason)));
    } else {
        EXPECT_EQ(message, "(no failure)");
        if (!save) {
            EXPECT_EQ(bytes, "old\r\n");
        }
    }
    if (save && outcome.landsOn != nullptr) {
        EXPECT_EQ(contentsOf(at(outcome.landsOn)), "new");
        const std::string landsOn = outcome.landsOn;
        if (landsOn.find('/') == std::string::npos && expected[landsOn].type == fs::file_type::not_found) {
            expected[landsOn] = entryAt(at(landsOn));
            EXPECT_EQ(expected[landsOn].type, fs::file_type::regular);
            EXPECT_EQ(expected[landsOn].permissions, newFilePermissions());
        }
        // Its other names see the new text too; all else of it stays.
        for (const std::string &name : sameFile)
            expected[name].contents = "new";
    }
    EXPECT_TRUE(snapshot(folder_.path()) == expected) << "a name changed that should not have";
}

// The same on both systems.
constexpr Outcome same(Reason reason, const char *landsOn = nullptr)
{
    return Outcome{reason, landsOn, nullptr};
}

const std::string kDeep = deepName("h.txt");
const std::string kDeepInMissingFolder = "nowhere/" + kDeep;
constexpr const char *kNoLinksOnWindows =
    "no symbolic link can be made here: MinGW's std::filesystem makes none, and wine keeps none of its own";

INSTANTIATE_TEST_SUITE_P(Rows,
    FileKinds,
    testing::Values(KindRow{"open_regular", "regular", Operation::Open, same(Reason::None), same(Reason::None)},
        KindRow{"save_regular", "regular", Operation::Save, same(Reason::None, "regular"),
            same(Reason::None, "regular")},
        KindRow{"open_missing", "missing", Operation::Open, same(Reason::NoFile), same(Reason::NoFile)},
        KindRow{"save_missing", "missing", Operation::Save, same(Reason::None, "missing"),
            same(Reason::None, "missing")},
        KindRow{"open_in_missing_folder", "nowhere/h.txt", Operation::Open, same(Reason::NoFolder),
            same(Reason::NoFolder)},
        KindRow{"save_in_missing_folder", "nowhere/h.txt", Operation::Save, same(Reason::NoFolder),
            same(Reason::NoFolder)},
        KindRow{"open_through_a_regular_file", "regular/h.txt", Operation::Open, same(Reason::ThroughFile),
            same(Reason::ThroughFile)},
        KindRow{"save_through_a_regular_file", "regular/h.txt", Operation::Save, same(Reason::ThroughFile),
            same(Reason::ThroughFile)},
        KindRow{"open_folder", "folder", Operation::Open, same(Reason::Folder), same(Reason::Folder)},
        KindRow{"save_folder", "folder", Operation::Save, same(Reason::Folder), same(Reason::Folder)},
        KindRow{"open_fifo", "fifo", Operation::Open, same(Reason::NotAFile), same(Reason::NotAFile), Needs::Fifo},
        KindRow{"save_fifo", "fifo", Operation::Save, same(Reason::NotAFile), same(Reason::NotAFile), Needs::Fifo},
        KindRow{"open_socket", "socket", Operation::Open, same(Reason::NotAFile), same(Reason::NotAFile),
            Needs::Socket},
        KindRow{"save_socket", "socket", Operation::Save, same(Reason::NotAFile), same(Reason::NotAFile),
            Needs::Socket},
        KindRow{"open_device", "device", Operation::Open, same(Reason::NotAFile), same(Reason::NotAFile),
            Needs::Device},
        KindRow{"save_device", "device", Operation::Save, same(Reason::NotAFile), same(Reason::NotAFile),
            Needs::Device},
        // Windows keeps these names for its devices in every folder; on
        // POSIX they are names like any other.
        KindRow{"open_device_name", "CON", Operation::Open, same(Reason::None), same(Reason::DeviceName)},
        KindRow{"save_device_name", "CON", Operation::Save, same(Reason::None, "CON"), same(Reason::DeviceName)},
        KindRow{"open_device_name_with_extension", "nul.tar.gz", Operation::Open, same(Reason::None),
            same(Reason::DeviceName)},
        KindRow{"save_device_name_with_extension", "COM1.txt", Operation::Save, same(Reason::None, "COM1.txt"),
            same(Reason::DeviceName)},
        KindRow{"save_device_name_any_case", "lpt9", Operation::Save, same(Reason::None, "lpt9"),
            same(Reason::DeviceName)},
        KindRow{"save_device_name_in_a_folder", "folder/Aux.h.txt", Operation::Save,
            same(Reason::None, "folder/Aux.h.txt"), same(Reason::DeviceName)},
        KindRow{"open_device_path", "\\\\.\\COM1", Operation::Open, same(Reason::NoFile), same(Reason::DeviceName)},
        KindRow{"save_device_path", "\\\\.\\COM1", Operation::Save, same(Reason::None, "\\\\.\\COM1"),
            same(Reason::DeviceName)},
        KindRow{"save_global_root_path", "\\\\?\\GLOBALROOT\\Device\\Null", Operation::Save,
            same(Reason::None, "\\\\?\\GLOBALROOT\\Device\\Null"), same(Reason::DeviceName)},
        KindRow{"open_link_to_regular", "link_to_regular", Operation::Open, same(Reason::None),
            Outcome{Reason::None, nullptr, kNoLinksOnWindows}, Needs::Links},
        KindRow{"save_link_to_regular", "link_to_regular", Operation::Save, same(Reason::None, "regular"),
            Outcome{Reason::None, nullptr, kNoLinksOnWindows}, Needs::Links},
        KindRow{"open_link_to_missing", "link_to_missing", Operation::Open, same(Reason::NoFile),
            Outcome{Reason::None, nullptr, kNoLinksOnWindows}, Needs::Links},
        // A link that leads nowhere is refused: a save makes no file at a
        // name the user did not choose.
        KindRow{"save_link_to_missing", "link_to_missing", Operation::Save, same(Reason::NoFile),
            Outcome{Reason::None, nullptr, kNoLinksOnWindows}, Needs::Links},
        KindRow{"open_link_to_folder", "link_to_folder", Operation::Open, same(Reason::Folder),
            Outcome{Reason::None, nullptr, kNoLinksOnWindows}, Needs::Links},
        KindRow{"save_link_to_folder", "link_to_folder", Operation::Save, same(Reason::Folder),
            Outcome{Reason::None, nullptr, kNoLinksOnWindows}, Needs::Links},
        KindRow{"open_link_to_fifo", "link_to_fifo", Operation::Open, same(Reason::NotAFile),
            Outcome{Reason::None, nullptr, kNoLinksOnWindows}, Needs::Links},
        KindRow{"save_link_to_socket", "link_to_socket", Operation::Save, same(Reason::NotAFile),
            Outcome{Reason::None, nullptr, kNoLinksOnWindows}, Needs::Links},
        KindRow{"open_link_to_device", "link_to_device", Operation::Open, same(Reason::NotAFile),
            Outcome{Reason::None, nullptr, kNoLinksOnWindows}, Needs::Device},
        KindRow{"save_link_to_device", "link_to_device", Operation::Save, same(Reason::NotAFile),
            Outcome{Reason::None, nullptr, kNoLinksOnWindows}, Needs::Device},
        KindRow{"open_link_loop", "loop_x", Operation::Open, same(Reason::Loop),
            Outcome{Reason::None, nullptr, kNoLinksOnWindows}, Needs::Links},
        KindRow{"save_link_loop", "loop_x", Operation::Save, same(Reason::Loop),
            Outcome{Reason::None, nullptr, kNoLinksOnWindows}, Needs::Links},
        KindRow{"save_self_loop", "self_loop", Operation::Save, same(Reason::Loop),
            Outcome{Reason::None, nullptr, kNoLinksOnWindows}, Needs::Links},
        KindRow{"save_link_into_missing_folder", "link_into_missing_folder", Operation::Save, same(Reason::NoFile),
            Outcome{Reason::None, nullptr, kNoLinksOnWindows}, Needs::Links},
        KindRow{"open_held_for_reading", "held_shared", Operation::Open, same(Reason::None), same(Reason::None)},
        KindRow{"open_held_for_writing", "held_exclusive", Operation::Open, same(Reason::Held), same(Reason::Held)},
        KindRow{"save_held_for_reading", "held_shared", Operation::Save, same(Reason::Held), same(Reason::Held)},
        KindRow{"save_held_for_writing", "held_exclusive", Operation::Save, same(Reason::Held), same(Reason::Held)},
        KindRow{"open_read_only", "readonly", Operation::Open, same(Reason::None), same(Reason::None)},
        KindRow{"save_read_only", "readonly", Operation::Save, same(Reason::ReadOnly), same(Reason::ReadOnly),
            Needs::WriteProtection},
        KindRow{"save_hard_linked", "linked", Operation::Save, same(Reason::None, "linked"),
            same(Reason::None, "linked")},
        KindRow{"save_with_acl_and_attribute", "attributed", Operation::Save, same(Reason::None, "attributed"),
            Outcome{Reason::None, nullptr, "ACLs and extended attributes are POSIX's here"}, Needs::Attributes},
        KindRow{"open_long_path", kDeep.c_str(), Operation::Open, same(Reason::None), same(Reason::None)},
        KindRow{"save_long_path", kDeep.c_str(), Operation::Save, same(Reason::None, kDeep.c_str()),
            same(Reason::None, kDeep.c_str())},
        KindRow{"save_long_path_in_missing_folder", kDeepInMissingFolder.c_str(), Operation::Save,
            same(Reason::NoFolder), same(Reason::NoFolder)}),
    [](const testing::TestParamInfo<KindRow> &info) { return std::string(info.param.name); });

#ifdef _WIN32
// The faults file_faults_test.cpp injects on POSIX, which wine cannot show.
struct UnshownRow {
    const char *name;
    const char *reason;
};

class NotShownUnderWine : public testing::TestWithParam<UnshownRow> {};

TEST_P(NotShownUnderWine, IsShownOnPosix)
{
    GTEST_SKIP() << GetParam().reason;
}

INSTANTIATE_TEST_SUITE_P(Rows,
    NotShownUnderWine,
    testing::Values(UnshownRow{"full_disk", "wine mounts no small file system of a test's own"},
        UnshownRow{"file_size_limit", "Windows has no file-size limit of a process"},
        UnshownRow{"folder_refusing_new_files",
            "wine keeps no Windows ACLs, and the rights of a folder do not bind root, whom wine runs as here"},
        UnshownRow{"read_only_mount", "wine mounts no file system of a test's own"}),
    [](const testing::TestParamInfo<UnshownRow> &info) { return std::string(info.param.name); });
#endif

} // namespace
} // namespace naklon
