#include "core/history_text.h"

namespace naklon {

std::string historyAppendInsertion(std::string_view history, std::string_view line)
{
    std::string insertion;
    const bool onFreshRow = history.empty() || history.back() == '\n' || history.back() == '\r';
    if (onFreshRow) {
        insertion.append(line);
        insertion.append(kLineBreak);
    } else {
        insertion.append(kLineBreak);
        insertion.append(line);
    }
    return insertion;
}

std::string normaliseLineBreaks(std::string_view fileText)
{
    fileText = fileText.substr(0, fileText.find('\0'));
    std::string text;
    text.reserve(fileText.size() + fileText.size() / 32);
    for (std::size_t i = 0; i < fileText.size(); ++i) {
        const char c = fileText[i];
        if (c == '\r') {
            text.append(kLineBreak);
            if (i + 1 < fileText.size() && fileText[i + 1] == '\n')
                ++i;
        } else if (c == '\n') {
            text.append(kLineBreak);
        } else {
            text += c;
        }
    }
    return text;
}

} // namespace naklon
