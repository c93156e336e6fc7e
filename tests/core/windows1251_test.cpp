#include "core/windows1251.h"

#include <gtest/gtest.h>

namespace naklon {
namespace {

TEST(Windows1251, EveryByteRoundTrips)
{
    std::string bytes;
    for (int b = 0; b < 256; ++b)
        bytes += static_cast<char>(b);
    EXPECT_EQ(encodeWindows1251(decodeWindows1251(bytes)), bytes);
}

TEST(Windows1251, MapsTheCodePage)
{
    struct Row {
        unsigned char byte;
        const char *utf8;
    };
    const Row rows[] = {
        {0xC0, "А"},
        {0xFF, "я"},
        {0xA8, "Ё"},
        {0xB8, "ё"},
        {0xB9, "№"},
        {0x88, "€"},
        {0x98, "\u0098"},
        {0xA0, "\u00A0"},
        {0x96, "–"},
        {0x41, "A"},
    };
    for (const Row &row : rows) {
        SCOPED_TRACE(row.utf8);
        EXPECT_EQ(decodeWindows1251(std::string(1, static_cast<char>(row.byte))), row.utf8);
        EXPECT_EQ(encodeWindows1251(row.utf8), std::string(1, static_cast<char>(row.byte)));
    }
}

TEST(Windows1251, ReplacesWhatItCannotHold)
{
    EXPECT_EQ(toWindows1251Repertoire("Класс 中 B\u202F€"), "Класс ? B?€");
    EXPECT_EQ(encodeWindows1251("a\xC3z"), "a?z");
    EXPECT_FALSE(isWindows1251(U'\u202F'));
    EXPECT_TRUE(isWindows1251(U'\u0098'));
}

} // namespace
} // namespace naklon
