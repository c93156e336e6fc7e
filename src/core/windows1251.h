#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace naklon {

// Windows code page 1251, the code page of every history text and file.
// All 256 byte values map one to one: 0x98, undefined in the code page, maps
// to U+0098, so any file without a zero byte loads and saves back byte for
// byte.

// The byte that holds the code point, or nothing when the code page has none.
std::optional<unsigned char> windows1251Byte(char32_t codePoint);

bool isWindows1251(char32_t codePoint);

// Bytes in the code page -> UTF-8.
std::string decodeWindows1251(std::string_view bytes);

// UTF-8 -> bytes in the code page; a code point the code page cannot hold,
// and each byte of a malformed sequence, becomes "?".
std::string encodeWindows1251(std::string_view utf8);

// The same text with every code point the code page cannot hold replaced by
// "?", so that what a history shows is what its file will hold.
std::string toWindows1251Repertoire(std::string_view utf8);

} // namespace naklon
