#include "fuzz_support.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <iconv.h>
#include <vector>

namespace naklon::fuzz {

void invariantFailed(const char *file, int line, const char *condition, const std::string &detail)
{
    std::fprintf(stderr, "\n*** invariant failed at %s:%d: %s\n*** %s\n", file, line, condition, detail.c_str());
    std::abort();
}

bool containsNan(std::string_view text)
{
    for (std::size_t i = 0; i + 3 <= text.size(); ++i) {
        if ((text[i] | 0x20) == 'n' && (text[i + 1] | 0x20) == 'a' && (text[i + 2] | 0x20) == 'n')
            return true;
    }
    return false;
}

std::string escaped(std::string_view text)
{
    std::string out;
    for (const char c : text) {
        const auto byte = static_cast<unsigned char>(c);
        if (byte >= 0x20 && byte < 0x7F && byte != '\\') {
            out += c;
        } else {
            char buffer[8];
            std::snprintf(buffer, sizeof buffer, "\\x%02X", byte);
            out += buffer;
        }
    }
    return out;
}

std::uint8_t FuzzInput::byte()
{
    if (rest_.empty())
        return 0;
    const auto value = static_cast<std::uint8_t>(rest_.front());
    rest_.remove_prefix(1);
    return value;
}

std::string FuzzInput::field()
{
    const std::size_t end = rest_.find('\0');
    std::string text(rest_.substr(0, end));
    rest_.remove_prefix(end == std::string_view::npos ? rest_.size() : end + 1);
    return text;
}

namespace {

class Converter {
public:
    Converter(const char *to, const char *from) : handle_(iconv_open(to, from))
    {
        if (handle_ == reinterpret_cast<iconv_t>(-1)) {
            std::fprintf(stderr, "iconv cannot convert %s to %s\n", from, to);
            std::abort();
        }
    }
    ~Converter() { iconv_close(handle_); }
    Converter(const Converter &) = delete;
    Converter &operator=(const Converter &) = delete;

    // Converts the whole text, or returns false at the first character the
    // target cannot hold.
    bool convert(std::string_view in, std::string &out)
    {
        iconv(handle_, nullptr, nullptr, nullptr, nullptr);
        std::vector<char> input(in.begin(), in.end());
        std::vector<char> buffer(in.size() * 4 + 16);
        char *inPointer = input.data();
        std::size_t inLeft = input.size();
        char *outPointer = buffer.data();
        std::size_t outLeft = buffer.size();
        if (iconv(handle_, &inPointer, &inLeft, &outPointer, &outLeft) == static_cast<std::size_t>(-1))
            return false;
        out.assign(buffer.data(), buffer.size() - outLeft);
        return true;
    }

private:
    iconv_t handle_;
};

} // namespace

std::string iconvDecode1251(std::string_view bytes)
{
    static Converter decoder("UTF-8", "CP1251");
    std::string text;
    std::size_t start = 0;
    while (start <= bytes.size()) {
        const std::size_t end = std::min(bytes.find('\x98', start), bytes.size());
        std::string piece;
        if (!decoder.convert(bytes.substr(start, end - start), piece)) {
            std::fprintf(stderr, "iconv cannot decode a Windows-1251 byte\n");
            std::abort();
        }
        text += piece;
        if (end == bytes.size())
            break;
        text += "\xC2\x98"; // U+0098
        start = end + 1;
    }
    return text;
}

bool iconvEncodable1251(std::string_view utf8)
{
    static Converter encoder("CP1251", "UTF-8");
    std::size_t start = 0;
    while (start <= utf8.size()) {
        const std::size_t found = utf8.find("\xC2\x98", start);
        const std::size_t end = found == std::string_view::npos ? utf8.size() : found;
        std::string ignored;
        if (!encoder.convert(utf8.substr(start, end - start), ignored))
            return false;
        if (end == utf8.size())
            break;
        start = end + 2;
    }
    return true;
}

} // namespace naklon::fuzz
