#include "core/history_text.h"

#include "support/history_append_rows.h"

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
    for (const test::HistoryAppendRow &row : test::kHistoryAppendRows) {
        SCOPED_TRACE(row.name);
        EXPECT_EQ(appendAll(row.before, row.lines), row.after);
    }
    // A CR, which the box never holds, ends a line as well.
    EXPECT_EQ(appendAll("typed\r", {"L1", ""}), "typed\rL1\n\n");
}

TEST(HistoryText, EveryLineBreakOfAFileBecomesOneLf)
{
    struct Row {
        const char *name;
        std::string file;
        std::string text;
    };
    const Row rows[] = {
        {"crlf", "a\r\nb\r\n", "a\nb\n"},
        {"lf alone", "a\nb\n", "a\nb\n"},
        {"cr alone", "a\rb\r", "a\nb\n"},
        {"lf then cr is two breaks", "a\n\rb", "a\n\nb"},
        {"no final break", "a\r\nb", "a\nb"},
        {"empty file", "", ""},
        {"zero byte ends the text", std::string("a\r\nb\0c\r\n", 8), "a\nb"},
        {"zero byte first", std::string("\0abc", 4), ""},
        {"cr cr lf", "\r\r\n", "\n\n"},
    };
    for (const Row &row : rows) {
        SCOPED_TRACE(row.name);
        EXPECT_EQ(normaliseLineBreaks(row.file), row.text);
    }
}

} // namespace
} // namespace naklon
