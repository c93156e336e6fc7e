#include "core/failures.h"

#include <gtest/gtest.h>

namespace naklon {
namespace {

TEST(Failures, CarryTheirMessagesInOneFamily)
{
    const EMathError &invalid = EInvalidOp();
    EXPECT_STREQ(invalid.what(), "Invalid floating point operation");
    EXPECT_STREQ(EZeroDivide().what(), "Floating point division by zero");
    EXPECT_STREQ(EOverflow().what(), "Floating point overflow");
    EXPECT_STREQ(EUnderflow().what(), "Floating point underflow");
    EXPECT_NO_THROW(try { throw EOverflow(); } catch (const EExternal &) {});
    EXPECT_NO_THROW(try { throw EInputError("x"); } catch (const Exception &) {});
}

TEST(Failures, ClosingFullStopFollowsTheLastCharacter)
{
    struct Row { const char *message, *shown; };
    const Row rows[] = {
        {"Floating point overflow", "Floating point overflow."},
        {"Stream write error.", "Stream write error."},
        {"ends in a digit 7", "ends in a digit 7."},
        {"ends in a blank ", "ends in a blank "},
        {"(bracket)", "(bracket)"},
        {"comma,", "comma,"},
        {"hyphen-", "hyphen-"},
        {"slash/", "slash/."},
        {"Поле \"Шаг (см)\": \"1,5\" не является числом", "Поле \"Шаг (см)\": \"1,5\" не является числом."},
        {"", ""},
    };
    for (const Row &row : rows) {
        SCOPED_TRACE(row.message);
        EXPECT_EQ(withClosingFullStop(row.message), row.shown);
    }
}

TEST(Failures, ApplicationTitleFromTheProgramPath)
{
    struct Row { const char *path, *title; };
    const Row rows[] = {
        {"/usr/bin/naklon", "naklon"},
        {"C:\\Tools\\BEAM.CALC.EXE", "Beam"},
        {"/opt/x/Naklon", "Naklon"},
        {"NAKLON.EXE", "Naklon"},
        {"/home/u/РАСЧЕТ.exe", "Расчет"},
        {"C:\\dir.with.dots\\PROG", "Prog"},
        {"", ""},
    };
    for (const Row &row : rows) {
        SCOPED_TRACE(row.path);
        EXPECT_EQ(applicationTitle(row.path), row.title);
    }
}

} // namespace
} // namespace naklon
