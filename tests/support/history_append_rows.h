#pragma once

// The rows of the append rule, read both by the core's test of the rule and
// by the history box's test: lines appended one by one to a history, in the
// in-memory form where "\n" breaks the lines.

#include <initializer_list>

namespace naklon::test {

struct HistoryAppendRow {
    const char *name;
    const char *before;
    std::initializer_list<const char *> lines;
    const char *after;
};

inline constexpr HistoryAppendRow kHistoryAppendRows[] = {
    {"from start: below the empty line", "\n", {"L1", "L2", ""}, "\nL1\nL2\n\n"},
    {"after clearing: on the first line", "", {"L1", "L2", ""}, "L1\nL2\n\n"},
    {"after a last line without a break", "typed", {"L1", "L2", ""}, "typed\nL1\nL2\n"},
    {"an empty line after an open last line only closes it", "typed", {"L1", "", "L2"}, "typed\nL1\nL2\n"},
    {"after a Cyrillic last line", "абв", {"г"}, "абв\nг"},
    {"an empty line from start", "\n", {""}, "\n\n"},
    {"an empty line after a typed line", "x", {""}, "x\n"},
};

} // namespace naklon::test
