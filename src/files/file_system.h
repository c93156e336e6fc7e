#pragma once

#include <cstdint>
#include <string>
#include <utility>

// What each system gives the file layer: opening, reading, writing and
// replacing files through its own interface, and nothing of the plan that
// reads or saves a file (file_bytes.cpp holds that, once for all systems).
// One implementation for each system, chosen by the build:
// file_system_posix.cpp with file_metadata_posix.cpp, file_system_windows.cpp.
// Names are in UTF-8 and as the system's calls take them (SystemName);
// Windows turns them into UTF-16 inside its own calls.
namespace naklon::file_system {

// An error as the system reports it: an errno value on POSIX, a system
// error code on Windows. 0 is none.
using Error = int;

// Closes a descriptor (POSIX) or a handle (Windows): 0, or why it failed.
Error closeFile(std::intptr_t native);

// An open file, closed when it goes.
class File {
public:
    File() = default;
    explicit File(std::intptr_t native) : native_(native) {}
    ~File()
    {
        if (valid())
            (void)closeFile(native_);
    }
    File(File &&other) noexcept : native_(std::exchange(other.native_, kNone)) {}
    File &operator=(File &&other) noexcept
    {
        File gone(std::exchange(native_, std::exchange(other.native_, kNone)));
        return *this;
    }
    File(const File &) = delete;
    File &operator=(const File &) = delete;

    std::intptr_t get() const { return native_; }
    bool valid() const { return native_ != kNone; }
    // Closes now: 0, or why the system says it failed.
    Error close() { return closeFile(std::exchange(native_, kNone)); }

private:
    static constexpr std::intptr_t kNone = -1; // -1 and INVALID_HANDLE_VALUE alike
    std::intptr_t native_ = kNone;
};

// A path as a message shows it and as the system's calls take it.
//   POSIX:   "h.txt" in /home/u -> shown "/home/u/h.txt", system "h.txt"
//   Windows: "h.txt" in C:\u    -> shown "C:\u\h.txt", system "\\?\C:\u\h.txt"
// Windows refuses a device name (CON, PRN, AUX, NUL, COM1-COM9, LPT1-LPT9,
// CONIN$, CONOUT$, in any case, with any extension, in any folder) and a
// device path (\\.\..., \\?\GLOBALROOT\...) here, before anything is opened.
struct SystemName {
    std::string shown;
    std::string system;
    Error refusal = 0;
};
SystemName systemName(const std::string &path);

// Opens the regular file `name` to read it, sharing it with readers alone
// (a lock on POSIX, a share mode on Windows); its size in `size`. A
// folder, a pipe, a socket or a device is refused, on POSIX before it is
// opened.
Error openToRead(const std::string &name, File &file, std::int64_t &size);

// The old file of a save, open and held against every other program until
// it is closed.
struct OldFile {
    File file;             // not valid: nothing is at the name
    bool readable = false; // open to read too, so a rewrite in place can put it back
    std::int64_t size = 0;
    std::uint64_t links = 1; // its hard links
};

// Opens the old file `name` of a save to write it, and to read it where it
// may be read. Nothing at the name is no failure (`old.file` stays not
// valid); a link that leads nowhere is the system's "not found". A folder,
// a device, a read-only file and one another program holds are refused.
Error openOld(const std::string &name, OldFile &old);

// The name the open old file really has, its links followed: where a new
// file has to land to take its place.
Error finalName(const OldFile &old, const std::string &name, std::string &target);

// Makes a new file in the folder of `target` under a name no other file has,
// open to write and shared with nobody; its name in `scratch`. It has the
// permissions a new file of the user gets.
Error makeScratch(const std::string &target, File &fresh, std::string &scratch);

// Gives `fresh` everything the old file carries besides its text (POSIX:
// owner, group, permissions, ACL and extended attributes; Windows: the
// attributes a user sets and the creation time). False when that cannot be
// done: the new file could not take the old one's place unnoticed.
bool carryMetadata(const File &fresh, const OldFile &old);

// Reads at most `room` bytes at `offset`: the count read, 0 at the end of the
// file, -1 with `error` set.
std::int64_t readSome(const File &file, char *into, std::int64_t room, std::int64_t offset, Error &error);

// Writes at most `size` bytes at `offset`: the count written, or -1 with
// `error` set (a full disk where the system takes nothing and says nothing).
std::int64_t writeSome(const File &file, const char *from, std::int64_t size, std::int64_t offset, Error &error);

// Puts all that was written on the disk.
Error flush(const File &file);

// Takes the room for a file of `size` bytes before anything is written.
Error reserve(const File &file, std::int64_t size);

// Makes the file `size` bytes long.
Error cutTo(const File &file, std::int64_t size);

// Puts the written and closed file `scratch` at `target`: in place of the
// old file where `old` is open (Windows lets it go first, POSIX holds it to
// the end), else as a new name, never over a file that came in the meantime
// where the system can tell.
Error replace(const std::string &scratch, const std::string &target, OldFile &old);

// Removes the file `name`, as far as the system lets it.
void removeFile(const std::string &name);

// The system refused for want of the right (to make a file in a folder, or
// to remove one from it).
bool meansNoRight(Error error);

// The system's own text for `error`, in UTF-8.
std::string errorText(Error error);

// The code of an input or output that failed.
Error inputOutputError();

} // namespace naklon::file_system
