#include "core/failures.h"

#include <gtest/gtest.h>

#include <string>
#include <type_traits>
#include <vector>

namespace naklon {
namespace {

// One family: the arithmetic failures are external ones, and every failure
// is a naklon::Exception.
static_assert(
    std::is_base_of_v<EMathError,
        EInvalidOp> && std::is_base_of_v<EMathError, EZeroDivide> && std::is_base_of_v<EMathError, EOverflow> && std::is_base_of_v<EMathError, EUnderflow>);
static_assert(std::is_base_of_v<EExternal, EMathError> && std::is_base_of_v<Exception, EExternal>);
static_assert(std::is_base_of_v<Exception, EInputError>);

TEST(Failures, CarryTheirMessagesInOneFamily)
{
    const EMathError &invalid = EInvalidOp();
    EXPECT_STREQ(invalid.what(), "Invalid floating point operation");
    EXPECT_STREQ(EZeroDivide().what(), "Floating point division by zero");
    EXPECT_STREQ(EOverflow().what(), "Floating point overflow");
    EXPECT_STREQ(EUnderflow().what(), "Floating point underflow");
}

TEST(Failures, UnsavedHistoriesQuestionNamesThePages)
{
    struct Row {
        std::vector<std::string> pages;
        const char *question;
    };
    const Row rows[] = {
        {{"Хомуты"}, "История на странице «Хомуты» не сохранена. Закрыть программу?"},
        {{"Хомуты", "Смятие"}, "История на страницах «Хомуты», «Смятие» не сохранена. Закрыть программу?"},
        {{"Отгибы", "Отрыв", "Смятие"},
            "История на страницах «Отгибы», «Отрыв», «Смятие» не сохранена. Закрыть программу?"},
    };
    for (const Row &row : rows)
        EXPECT_EQ(unsavedHistoriesQuestion(row.pages), row.question);
}

TEST(Failures, ClosingFullStopFollowsTheLastCharacter)
{
    struct Row {
        const char *message, *shown;
    };
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

TEST(Failures, RefusalsShowTheWholeFieldText)
{
    using namespace std::string_literals;
    struct Row {
        std::string text, shown;
    };
    const Row rows[] = {
        {"12.\0"s
         "5",
            "12.?5"},
        {"1\n2", "1?2"},
        {"1\r\n2", "1??2"},
        {"\t12", "?12"},
        {"1\x7f", "1?"},
        {"1\u00852", "1?2"},                  // NEL, a control character of two bytes
        {"1\u00A0\u04152", "1\u00A0\u04152"}, // no-break space and Cyrillic stay
        {"12,5\0"s, "12,5?"},
    };
    for (const Row &row : rows) {
        SCOPED_TRACE(row.shown);
        std::string expected = "Поле \"Шаг (см)\": \"" + row.shown + "\" не является числом";
        if (row.text.find(',') != std::string::npos)
            expected += " (дробная часть отделяется точкой)";
        EXPECT_EQ(std::string(fieldNotANumber("Шаг (см)", row.text).what()), expected);
    }
}

TEST(Failures, FileMessagesCarryTheSystemTextTrimmed)
{
    struct Row {
        const char *raw, *shown;
    };
    const Row rows[] = {
        {"No such file or directory", "No such file or directory"},
        {"The system cannot find the path specified. \r\n", "The system cannot find the path specified"},
        {"inner full stops stay: a.b. c", "inner full stops stay: a.b. c"},
        {"Read-only file system\u0085", "Read-only file system"},
        {". .\t", ""},
    };
    for (const Row &row : rows) {
        SCOPED_TRACE(row.raw);
        EXPECT_EQ(std::string(cannotOpenFile("/h.txt", row.raw).what()),
            "Cannot open file \"/h.txt\". " + std::string(row.shown));
        EXPECT_EQ(std::string(cannotCreateFile("/h.txt", row.raw).what()),
            "Cannot create file \"/h.txt\". " + std::string(row.shown));
    }
}

TEST(Failures, ApplicationTitleFromTheProgramPath)
{
    struct Row {
        const char *path, *title;
    };
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
