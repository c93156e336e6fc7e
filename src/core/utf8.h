#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace naklon {

// The program's texts are UTF-8 in memory. These helpers walk them by code
// point; a malformed sequence gives no code point.
struct DecodedCodePoint {
    char32_t codePoint;
    std::size_t length; // bytes taken from the text
};

std::optional<DecodedCodePoint> decodeUtf8(std::string_view text);

void appendUtf8(std::string &out, char32_t codePoint);

// The code points of a UTF-8 text, or nothing when it is malformed.
std::optional<std::u32string> utf8ToCodePoints(std::string_view text);

std::size_t countCodePoints(std::string_view text);

} // namespace naklon
