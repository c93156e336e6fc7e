#include "files/file_bytes.h"

#include "files/file_system.h"

#include <algorithm>

// The reading and the save plan of a file, once for every system; each
// system gives only its primitives (file_system.h).
namespace naklon {
namespace {

using file_system::Error;
using file_system::File;
using file_system::OldFile;

// Reads on from `file`'s start into `bytes`. The buffer starts at the
// file's `size` and one byte more, so that the read that meets the end finds
// it without growing, doubles as needed and never grows beyond `limit` + 1
// bytes: a file too large for any box is never read whole.
Error readUpTo(const File &file, std::string &bytes, std::int64_t size, std::int64_t limit)
{
    bytes.resize(static_cast<std::size_t>(std::min(size > 0 ? size + 1 : std::int64_t(64 * 1024), limit + 1)));
    std::int64_t filled = 0;
    for (;;) {
        const auto room = static_cast<std::int64_t>(bytes.size());
        if (filled == room) {
            if (filled > limit)
                break;
            bytes.resize(static_cast<std::size_t>(std::min(2 * filled, limit + 1)));
        }
        Error error = 0;
        const std::int64_t got = file_system::readSome(file, bytes.data() + filled,
            static_cast<std::int64_t>(bytes.size()) - filled, filled, error);
        if (got < 0)
            return error;
        if (got == 0)
            break;
        filled += got;
    }
    bytes.resize(static_cast<std::size_t>(filled));
    return 0;
}

// Writes all of `bytes` from the file's start.
Error writeAll(const File &file, std::string_view bytes)
{
    std::int64_t done = 0;
    const auto size = static_cast<std::int64_t>(bytes.size());
    while (done < size) {
        Error error = 0;
        const std::int64_t chunk = std::min(size - done, std::int64_t(1) << 30);
        const std::int64_t written = file_system::writeSome(file, bytes.data() + done, chunk, done, error);
        if (written < 0)
            return error;
        done += written;
    }
    return 0;
}

// The save of `bytes` to one file, whose failures all name it alike.
class Save {
public:
    Save(std::string shown, std::string_view bytes) : shown_(std::move(shown)), bytes_(bytes) {}

    void check(Error error) const
    {
        if (error != 0)
            throw cannotCreateFile(shown_, file_system::errorText(error));
    }

    // Through a new file beside the old one (or at a new name), which takes
    // its place only once all of it is on the disk: any failure leaves the
    // old file.
    void run(const std::string &name)
    {
        OldFile old;
        check(file_system::openOld(name, old));
        const bool existed = old.file.valid();
        // Other hard links would keep the old text if a new file took this
        // name: the file itself is rewritten.
        if (existed && old.links > 1)
            return inPlace(old);
        std::string target = name;
        if (existed)
            check(file_system::finalName(old, name, target));

        File fresh;
        std::string scratch;
        if (const Error refusal = file_system::makeScratch(target, fresh, scratch)) {
            // The folder takes no new file, but the file itself may be
            // written: it is rewritten where it is.
            if (existed && file_system::meansNoRight(refusal))
                return inPlace(old);
            check(refusal);
        }
        if (existed && !file_system::carryMetadata(fresh, old)) {
            discard(fresh, scratch);
            return inPlace(old);
        }
        Error error = writeAll(fresh, bytes_);
        if (error == 0)
            error = file_system::flush(fresh);
        if (error == 0)
            error = fresh.close();
        if (error != 0) {
            discard(fresh, scratch);
            check(error);
        }
        error = file_system::replace(scratch, target, old);
        if (error == 0)
            return;
        discard(fresh, scratch);
        // The folder lets the file be written but not replaced (no right to
        // remove it): it is rewritten where it is, if it still may be.
        if (existed && file_system::meansNoRight(error)) {
            if (!old.file.valid())
                check(file_system::openOld(target, old));
            if (old.file.valid())
                return inPlace(old);
        }
        check(error);
    }

private:
    // Rewrites the old file where it is. The room for the new text is taken
    // before the old text is touched, and when a write fails all the same
    // the old text (read first where the file may be read) is put back and
    // flushed: the old file is never left cut.
    void inPlace(OldFile &old) const
    {
        std::string oldText;
        if (old.readable)
            check(readUpTo(old.file, oldText, old.size, old.size));
        const auto size = static_cast<std::int64_t>(bytes_.size());
        if (size > old.size) {
            if (const Error refusal = file_system::reserve(old.file, size)) {
                (void)file_system::cutTo(old.file, old.size);
                check(refusal);
            }
        }
        if (const Error error = rewrite(old.file, bytes_)) {
            if (old.readable)
                (void)rewrite(old.file, oldText);
            check(error);
        }
        check(old.file.close());
    }

    // Makes `text` the whole of the open `file`, on the disk.
    static Error rewrite(const File &file, std::string_view text)
    {
        Error error = writeAll(file, text);
        if (error == 0)
            error = file_system::cutTo(file, static_cast<std::int64_t>(text.size()));
        if (error == 0)
            error = file_system::flush(file);
        return error;
    }

    // Closes and removes the new file of a save that did not go through it.
    static void discard(File &fresh, const std::string &scratch)
    {
        fresh = File();
        file_system::removeFile(scratch);
    }

    std::string shown_;
    std::string_view bytes_;
};

} // namespace

std::string readFileBytes(const std::string &path, std::int64_t limit)
{
    const file_system::SystemName name = file_system::systemName(path);
    File file;
    std::int64_t size = 0;
    std::string bytes;
    Error error = name.refusal;
    if (error == 0)
        error = file_system::openToRead(name.system, file, size);
    if (error == 0)
        error = readUpTo(file, bytes, size, limit);
    if (error != 0)
        throw cannotOpenFile(name.shown, file_system::errorText(error));
    return bytes;
}

void saveFileBytes(const std::string &path, std::string_view bytes)
{
    const file_system::SystemName name = file_system::systemName(path);
    Save save(name.shown, bytes);
    save.check(name.refusal);
    save.run(name.system);
}

std::string nativePath(const std::string &path)
{
    return file_system::systemName(path).shown;
}

std::string systemErrorText(int code)
{
    return file_system::errorText(code);
}

Exception cannotCreate(const std::string &path, int code)
{
    return cannotCreateFile(nativePath(path), systemErrorText(code));
}

int outputFailedCode()
{
    return file_system::inputOutputError();
}

} // namespace naklon
