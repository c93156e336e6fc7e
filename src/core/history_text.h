#pragma once

#include <string>
#include <string_view>

namespace naklon {

// In memory a history's lines are separated by one "\n", in the core's UTF-8
// text and in the box's UTF-16 text alike. CR LF is the line break of history
// files only: files are read through normaliseLineBreaks() and written with
// kFileLineBreak.
inline constexpr char kLineBreak = '\n';
inline constexpr std::string_view kFileLineBreak = "\r\n";

// The history text every page starts with: one empty line.
inline constexpr std::string_view kInitialHistory = "\n";

// What appending `line` inserts at the end of `history`:
//   history empty or ending with a line break -> line + "\n";
//   otherwise (a last line without a break)   -> "\n" + line.
//   ("\n", "L1") -> "L1\n"       ("typed", "L1") -> "\nL1"
// The rule looks at the history's last character only, so the box hands in
// just that.
std::string historyAppendInsertion(std::string_view history, std::string_view line);
std::u16string historyAppendInsertion(std::u16string_view history, std::u16string_view line);

// A file's text as the history takes it: only what stands before the first
// zero byte; CR LF, a lone CR and a lone LF each become one "\n" (so LF CR
// is two breaks); a final break stays.
//   "a\r\nb" -> "a\nb"     "a\n\rb" -> "a\n\nb"     "a\0b" -> "a"
std::string normaliseLineBreaks(std::string_view fileText);

} // namespace naklon
