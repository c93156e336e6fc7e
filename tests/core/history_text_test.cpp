#include "core/history_text.h"

#include <gtest/gtest.h>

namespace naklon {
namespace {

std::string appendAll(std::string history, std::initializer_list<const char *> lines)
{
    for (const char *line : lines)
        history += historyAppendInsertion(history, line);
    return history;
}

TEST(HistoryText, AppendedLinesEachEndWithALineBreak)
{
    struct Row {
        const char *name;
        std::string start;
        std::string result;
    };
    const Row rows[] = {
        {"from start lands on the second line", std::string(kInitialHistory), "\r\nL1\r\nL2\r\n\r\n"},
        {"after clear lands on the first line", "", "L1\r\nL2\r\n\r\n"},
        {"after a last line without break starts a line of its own", "typed", "typed\r\nL1\r\nL2\r\n"},
    };
    for (const Row &row : rows) {
        SCOPED_TRACE(row.name);
        EXPECT_EQ(appendAll(row.start, {"L1", "L2", ""}), row.result);
    }
}

TEST(HistoryText, EmptyLineAfterAnOpenLastLineOnlyClosesIt)
{
    EXPECT_EQ(appendAll("file text", {"L1", "", "L2"}), "file text\r\nL1\r\nL2\r\n");
}

TEST(HistoryText, LineBreaksOfAFileBecomeCrLf)
{
    struct Row {
        const char *name;
        std::string file;
        std::string text;
    };
    const Row rows[] = {
        {"crlf stays", "a\r\nb\r\n", "a\r\nb\r\n"},
        {"lf alone", "a\nb\n", "a\r\nb\r\n"},
        {"cr alone", "a\rb\r", "a\r\nb\r\n"},
        {"lf then cr is two breaks", "a\n\rb", "a\r\n\r\nb"},
        {"no final break", "a\r\nb", "a\r\nb"},
        {"empty file", "", ""},
        {"zero byte ends the text", std::string("a\r\nb\0c\r\n", 8), "a\r\nb"},
        {"zero byte first", std::string("\0abc", 4), ""},
        {"cr cr lf", "\r\r\n", "\r\n\r\n"},
    };
    for (const Row &row : rows) {
        SCOPED_TRACE(row.name);
        EXPECT_EQ(normaliseLineBreaks(row.file), row.text);
    }
}

} // namespace
} // namespace naklon
