#pragma once

#include <string>
#include <string_view>

namespace naklon {

// A history's text holds its lines separated by CR LF.
inline constexpr std::string_view kLineBreak = "\r\n";

// The history text every page starts with: one empty line.
inline constexpr std::string_view kInitialHistory = "\r\n";

// What appending `line` inserts at the end of `history`:
//   history empty or ending with a line break -> line + CR LF;
//   otherwise (a last line without a break)   -> CR LF + line.
//   ("\r\n", "L1") -> "L1\r\n"       ("typed", "L1") -> "\r\nL1"
std::string historyAppendInsertion(std::string_view history, std::string_view line);

// A file's text as the history takes it: only what stands before the first
// zero byte; CR LF, a lone CR and a lone LF each become one CR LF (so LF CR
// is two breaks); a final break stays.
//   "a\nb" -> "a\r\nb"     "a\n\rb" -> "a\r\n\r\nb"     "a\0b" -> "a"
std::string normaliseLineBreaks(std::string_view fileText);

} // namespace naklon
