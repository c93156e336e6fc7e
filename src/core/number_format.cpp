#include "core/number_format.h"

#include "core/utf8.h"
#include "core/windows1251.h"

namespace naklon {

std::string separatorFromLocale(std::string_view localeValue, std::string_view fallback)
{
    if (localeValue.empty())
        return {};
    const auto codePoints = utf8ToCodePoints(localeValue);
    if (!codePoints || codePoints->size() != 1)
        return std::string(fallback);
    char32_t separator = codePoints->front();
    if (separator == U'\u202F')
        separator = U'\u00A0';
    if (!isWindows1251(separator))
        return std::string(fallback);
    std::string text;
    appendUtf8(text, separator);
    return text;
}

NumberFormat numberFormatFromLocale(std::string_view decimalSeparator, std::string_view thousandsSeparator)
{
    const NumberFormat defaults;
    return {separatorFromLocale(decimalSeparator, defaults.decimalSeparator),
        separatorFromLocale(thousandsSeparator, defaults.thousandsSeparator)};
}

} // namespace naklon
