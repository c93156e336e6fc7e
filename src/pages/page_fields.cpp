#include "pages/page_fields.h"

#include "core/failures.h"
#include "core/read_number.h"
#include "pages/symbols.h"

#include <string>
#include <utility>

namespace naklon {
namespace {

std::string_view withoutTrailingBlanks(std::string_view text)
{
    while (!text.empty() && text.back() == ' ')
        text.remove_suffix(1);
    return text;
}

// "Шаг (см)" -> "Шаг": a caption ends with its unit in brackets.
std::string withoutUnit(std::string_view caption)
{
    const std::size_t unit = caption.rfind(" (");
    return std::string(unit == std::string_view::npos ? caption : caption.substr(0, unit));
}

} // namespace

double readInput(
    ReportWriter &out, const Symbol &symbol, std::string_view caption, std::string_view text, std::string unit)
{
    const double value = readField(caption, text);
    out.input(symbol, withoutUnit(caption), value, std::move(unit));
    return value;
}

double readField(std::string_view caption, std::string_view text)
{
    const NumberReading reading = readNumber(withoutTrailingBlanks(text));
    if (!reading.wholeText)
        throw fieldNotANumber(caption, text);
    return reading.value;
}

double readClass(std::string_view text)
{
    const NumberReading reading = readNumber(withoutTrailingBlanks(text));
    return reading.wholeText ? reading.value : 0.0;
}

ConcreteStrengths requireConcrete(double classNumber)
{
    const auto row = ConcreteClassTable::lookup(classNumber);
    if (!row)
        throw noConcreteClass();
    return *row;
}

ReinforcementStrengths requireReinforcement(double classNumber)
{
    const auto row = ReinforcementClassTable::lookup(classNumber);
    if (!row)
        throw noReinforcementClass();
    return *row;
}

double tableRbt(const std::string &classText, double classNumber, ReportWriter &out)
{
    const double rbt = requireConcrete(classNumber).rbt;
    out.strength("В" + classText, symbols::Rbt, rbt);
    return rbt;
}

double tableRb(const std::string &classText, double classNumber, ReportWriter &out)
{
    const double rb = requireConcrete(classNumber).rb;
    out.strength("В" + classText, symbols::Rb, rb);
    return rb;
}

double tableRsw(const std::string &classText, double classNumber, ReportWriter &out)
{
    const double rsw = requireReinforcement(classNumber).rsw;
    out.strength("А" + classText, symbols::Rsw, rsw);
    return rsw;
}

} // namespace naklon
