#pragma once

// What the file layer's tests share: a folder of their own, files written
// and read back without the layer, paths in UTF-8, and the messages a
// failure gives.

#include "files/file_bytes.h"

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <functional>
#include <iterator>
#include <random>
#include <string>
#include <system_error>

namespace naklon {

namespace fs = std::filesystem;

#ifdef _WIN32
constexpr bool kWindows = true;
#else
constexpr bool kWindows = false;
#endif

inline std::string utf8(const fs::path &path)
{
    const std::u8string text = path.u8string();
    return std::string(text.begin(), text.end());
}

inline fs::path pathOf(const std::string &text)
{
    return fs::path(std::u8string(text.begin(), text.end()));
}

inline std::string contentsOf(const fs::path &path)
{
    std::ifstream file(path, std::ios::binary);
    return file ? std::string(std::istreambuf_iterator<char>(file), {}) : "<missing>";
}

inline void writeFile(const fs::path &path, const std::string &bytes)
{
    std::ofstream(path, std::ios::binary) << bytes;
}

inline std::string messageOf(const std::function<void()> &action)
{
    try {
        action();
    } catch (const Exception &failure) {
        return failure.what();
    }
    return "(no failure)";
}

// The message for `path` refused with `error`, as the program words it.
inline std::string expectedMessage(bool save, const std::string &path, int error)
{
    std::string shown = path;
    if (kWindows)
        std::replace(shown.begin(), shown.end(), '/', '\\');
    return (save ? cannotCreateFile(shown, systemErrorText(error)) : cannotOpenFile(shown, systemErrorText(error)))
        .what();
}

// A folder of its own for each test, removed with all it holds.
class Folder {
public:
    Folder()
    {
        std::random_device random;
        do
            path_ = fs::temp_directory_path() / ("naklon-files-" + std::to_string(random()));
        while (!fs::create_directory(path_));
    }
    ~Folder()
    {
        // A read-only file is removed once it may be written.
        std::error_code ignored;
        for (fs::directory_iterator entry(path_, ignored), end; !ignored && entry != end; entry.increment(ignored))
            fs::permissions(entry->path(), fs::perms::owner_write, fs::perm_options::add | fs::perm_options::nofollow,
                ignored);
        fs::remove_all(path_, ignored);
    }
    Folder(const Folder &) = delete;
    Folder &operator=(const Folder &) = delete;

    const fs::path &path() const { return path_; }

private:
    fs::path path_;
};

} // namespace naklon
