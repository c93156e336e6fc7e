#include "core/history_text.h"

namespace naklon {
namespace {

template <typename Char>
std::basic_string<Char> insertionFor(std::basic_string_view<Char> history, std::basic_string_view<Char> line)
{
    const Char lineBreak = static_cast<Char>(kLineBreak);
    std::basic_string<Char> insertion;
    insertion.reserve(line.size() + 1);
    // A CR, which a history holds only where text came in without being
    // normalised, ends its line as well.
    if (history.empty() || history.back() == lineBreak || history.back() == static_cast<Char>('\r')) {
        insertion.append(line);
        insertion += lineBreak;
    } else {
        insertion += lineBreak;
        insertion.append(line);
    }
    return insertion;
}

} // namespace

std::string historyAppendInsertion(std::string_view history, std::string_view line)
{
    return insertionFor(history, line);
}

std::u16string historyAppendInsertion(std::u16string_view history, std::u16string_view line)
{
    return insertionFor(history, line);
}

std::string normaliseLineBreaks(std::string_view fileText)
{
    fileText = fileText.substr(0, fileText.find('\0'));
    std::string text;
    text.reserve(fileText.size());
    for (std::size_t i = 0; i < fileText.size(); ++i) {
        const char c = fileText[i];
        if (c == '\r') {
            text += kLineBreak;
            if (i + 1 < fileText.size() && fileText[i + 1] == '\n')
                ++i;
        } else {
            text += c;
        }
    }
    return text;
}

} // namespace naklon
