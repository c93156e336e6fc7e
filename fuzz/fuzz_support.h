#pragma once

// What the fuzz targets share: taking an input apart, checking invariants
// (a failed check aborts, which libFuzzer reports as a crash with the input),
// and independent checks of texts through the C library's iconv.

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#define FUZZ_CHECK(condition, detail)                                                                                  \
    do {                                                                                                               \
        if (!(condition))                                                                                              \
            ::naklon::fuzz::invariantFailed(__FILE__, __LINE__, #condition, (detail));                                 \
    } while (0)

namespace naklon::fuzz {

[[noreturn]] void invariantFailed(const char *file, int line, const char *condition, const std::string &detail);

// The bytes of a text with everything outside printable ASCII escaped.
std::string escaped(std::string_view text);

// True when the text holds "nan" in any mix of cases, as a written NaN would.
bool containsNan(std::string_view text);

// Reads an input front to back: single option bytes, then fields separated
// by zero bytes. Past the end everything is zero or empty.
class FuzzInput {
public:
    FuzzInput(const std::uint8_t *data, std::size_t size) : rest_(reinterpret_cast<const char *>(data), size) {}

    std::uint8_t byte();
    std::string field();
    std::string_view rest() const { return rest_; }

private:
    std::string_view rest_;
};

// Windows-1251 through iconv, written apart from the program's own codec.
// Byte 0x98 has no character in the code page; the program keeps it as
// U+0098 so that any file saves back unchanged, and so does this.
std::string iconvDecode1251(std::string_view bytes);
// True when every character of the UTF-8 text has a Windows-1251 byte.
bool iconvEncodable1251(std::string_view utf8);

} // namespace naklon::fuzz
