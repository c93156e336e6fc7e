#include "core/number_format.h"

#include <gtest/gtest.h>

namespace naklon {
namespace {

TEST(NumberFormat, SettlesEachSeparatorFromTheLocaleValue)
{
    struct Row {
        const char *name, *localeValue, *settled;
    };
    const Row rows[] = {
        {"one ascii character as it stands", ",", ","},
        {"a blank as it stands", " ", " "},
        {"no-break space as it stands", "\u00A0", "\u00A0"},
        {"narrow no-break space as no-break space", "\u202F", "\u00A0"},
        {"apostrophe as it stands", "'", "'"},
        {"empty stays empty", "", ""},
        {"longer gives the default", "..", "#"},
        {"malformed gives the default", "\xC3", "#"},
        {"outside the code page gives the default", "\u066B", "#"},
    };
    for (const Row &row : rows) {
        SCOPED_TRACE(row.name);
        EXPECT_EQ(separatorFromLocale(row.localeValue, "#"), row.settled);
    }
}

TEST(NumberFormat, DefaultsArePointAndComma)
{
    const NumberFormat format = numberFormatFromLocale("\u0660\u0661", "\u2009");
    EXPECT_EQ(format.decimalSeparator, ".");
    EXPECT_EQ(format.thousandsSeparator, ",");
}

} // namespace
} // namespace naklon
