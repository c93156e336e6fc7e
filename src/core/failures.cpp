#include "core/failures.h"

#include "core/utf8.h"

#include <optional>

namespace naklon {
namespace {

// The code of the text's last character, or nothing for an empty text.
std::optional<char32_t> lastCodePoint(std::string_view text)
{
    if (text.empty())
        return std::nullopt;
    std::size_t start = text.size() - 1;
    while (start > 0 && (static_cast<unsigned char>(text[start]) & 0xC0) == 0x80)
        --start;
    const auto decoded = decodeUtf8(text.substr(start));
    return decoded ? decoded->codePoint : static_cast<unsigned char>(text.back());
}

char32_t lowerCase(char32_t c)
{
    if (c >= U'A' && c <= U'Z')
        return c + (U'a' - U'A');
    if (c >= U'А' && c <= U'Я')
        return c + (U'а' - U'А');
    if (c == U'Ё')
        return U'ё';
    return c;
}

// A control character: C0 (the zero character, tab, line breaks...), DEL,
// or C1 (U+0080..U+009F, two bytes C2 80..C2 9F in UTF-8). `at` is where
// the character starts; returns its length in bytes, or 0 when it is none.
std::size_t controlCharacterAt(std::string_view text, std::size_t at)
{
    const auto byte = static_cast<unsigned char>(text[at]);
    if (byte < 0x20 || byte == 0x7F)
        return 1;
    if (byte == 0xC2 && at + 1 < text.size()) {
        const auto next = static_cast<unsigned char>(text[at + 1]);
        if (next >= 0x80 && next <= 0x9F)
            return 2;
    }
    return 0;
}

} // namespace

std::string messageText(std::string_view text)
{
    std::string shown;
    shown.reserve(text.size());
    for (std::size_t at = 0; at < text.size();) {
        if (const std::size_t length = controlCharacterAt(text, at)) {
            shown += '?';
            at += length;
        } else {
            shown += text[at++];
        }
    }
    return shown;
}

std::string_view messageSystemText(std::string_view text)
{
    for (;;) {
        if (!text.empty() && (text.back() == ' ' || text.back() == '.' || controlCharacterAt(text, text.size() - 1)))
            text.remove_suffix(1);
        else if (text.size() >= 2 && controlCharacterAt(text, text.size() - 2) == 2)
            text.remove_suffix(2);
        else
            return text;
    }
}

std::string unsavedHistoriesQuestion(const std::vector<std::string> &pages)
{
    std::string question = pages.size() == 1 ? "История на странице " : "История на страницах ";
    for (std::size_t i = 0; i < pages.size(); ++i) {
        if (i > 0)
            question += ", ";
        question += "«";
        question += pages[i];
        question += "»";
    }
    question += " не сохранена. Закрыть программу?";
    return question;
}

std::string withClosingFullStop(std::string_view message)
{
    std::string shown(message);
    const auto last = lastCodePoint(message);
    if (last && *last > U'.')
        shown += '.';
    return shown;
}

std::string applicationTitle(std::string_view programPath)
{
    const auto separator = programPath.find_last_of("/\\");
    std::string_view name = separator == std::string_view::npos ? programPath : programPath.substr(separator + 1);
    name = name.substr(0, name.find('.'));
    std::string title;
    bool first = true;
    while (!name.empty()) {
        const auto decoded = decodeUtf8(name);
        if (!decoded) {
            title += name.front();
            name.remove_prefix(1);
            first = false;
            continue;
        }
        appendUtf8(title, first ? decoded->codePoint : lowerCase(decoded->codePoint));
        name.remove_prefix(decoded->length);
        first = false;
    }
    return title;
}

} // namespace naklon
