#include "pages/formula_text.h"

#include <array>
#include <utility>

namespace naklon {
namespace {

// A power in Unicode's superscript digits; anything else after "^".
std::string flatPower(const std::string &power)
{
    static const std::array<const char *, 10> digits{"⁰", "¹", "²", "³", "⁴", "⁵", "⁶", "⁷", "⁸", "⁹"};
    std::string text;
    for (const char c : power) {
        if (c >= '0' && c <= '9')
            text += digits[static_cast<std::size_t>(c - '0')];
        else
            text += std::string("^") + c;
    }
    return text;
}

} // namespace

FormulaText::FormulaText(std::string text)
{
    append({std::move(text)});
}

FormulaText::FormulaText(const Symbol &symbol)
{
    append({symbol.base});
    append({symbol.subscript, Script::Subscript});
    append({symbol.power, Script::Superscript});
}

FormulaText FormulaText::number(std::string digits)
{
    FormulaText text;
    text.append({std::move(digits), Script::Normal, true});
    return text;
}

FormulaText FormulaText::superscript(std::string power)
{
    FormulaText text;
    text.append({std::move(power), Script::Superscript});
    return text;
}

FormulaText &FormulaText::operator+=(const FormulaText &more)
{
    for (const TextRun &run : more.runs_)
        append(run);
    return *this;
}

void FormulaText::append(TextRun run)
{
    if (run.text.empty())
        return;
    // Plain text joins the plain text before it; a number stays whole.
    if (!runs_.empty() && !run.number && !runs_.back().number && runs_.back().script == run.script) {
        runs_.back().text += run.text;
        return;
    }
    runs_.push_back(std::move(run));
}

std::string FormulaText::flat() const
{
    std::string text;
    for (const TextRun &run : runs_)
        text += run.script == Script::Superscript ? flatPower(run.text) : run.text;
    return text;
}

} // namespace naklon
