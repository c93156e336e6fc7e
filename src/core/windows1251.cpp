#include "core/windows1251.h"

#include "core/utf8.h"

#include <array>

namespace naklon {
namespace {

// Code points of the bytes 0x80 to 0xBF; 0xC0 to 0xFF are U+0410 to U+044F
// (А to я) in order, and 0x00 to 0x7F are ASCII.
constexpr std::array<char16_t, 64> kHighBytes = {0x0402, 0x0403, 0x201A, 0x0453, 0x201E, 0x2026, 0x2020, 0x2021, 0x20AC,
    0x2030, 0x0409, 0x2039, 0x040A, 0x040C, 0x040B, 0x040F, 0x0452, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013,
    0x2014, 0x0098, 0x2122, 0x0459, 0x203A, 0x045A, 0x045C, 0x045B, 0x045F, 0x00A0, 0x040E, 0x045E, 0x0408, 0x00A4,
    0x0490, 0x00A6, 0x00A7, 0x0401, 0x00A9, 0x0404, 0x00AB, 0x00AC, 0x00AD, 0x00AE, 0x0407, 0x00B0, 0x00B1, 0x0406,
    0x0456, 0x0491, 0x00B5, 0x00B6, 0x00B7, 0x0451, 0x2116, 0x0454, 0x00BB, 0x0458, 0x0405, 0x0455, 0x0457};

char32_t codePointOf(unsigned char byte)
{
    if (byte < 0x80)
        return byte;
    if (byte < 0xC0)
        return kHighBytes[byte - 0x80];
    return 0x0410 + (byte - 0xC0);
}

} // namespace

std::optional<unsigned char> windows1251Byte(char32_t codePoint)
{
    if (codePoint < 0x80)
        return static_cast<unsigned char>(codePoint);
    if (codePoint >= 0x0410 && codePoint <= 0x044F)
        return static_cast<unsigned char>(0xC0 + (codePoint - 0x0410));
    for (std::size_t i = 0; i < kHighBytes.size(); ++i) {
        if (kHighBytes[i] == codePoint)
            return static_cast<unsigned char>(0x80 + i);
    }
    return std::nullopt;
}

bool isWindows1251(char32_t codePoint)
{
    return windows1251Byte(codePoint).has_value();
}

std::string decodeWindows1251(std::string_view bytes)
{
    std::string text;
    text.reserve(bytes.size() * 2);
    for (const char byte : bytes)
        appendUtf8(text, codePointOf(static_cast<unsigned char>(byte)));
    return text;
}

std::string encodeWindows1251(std::string_view utf8)
{
    std::string bytes;
    bytes.reserve(utf8.size());
    while (!utf8.empty()) {
        const auto decoded = decodeUtf8(utf8);
        if (!decoded) {
            bytes += '?';
            utf8.remove_prefix(1);
            continue;
        }
        bytes += static_cast<char>(windows1251Byte(decoded->codePoint).value_or('?'));
        utf8.remove_prefix(decoded->length);
    }
    return bytes;
}

std::string toWindows1251Repertoire(std::string_view utf8)
{
    return decodeWindows1251(encodeWindows1251(utf8));
}

} // namespace naklon
