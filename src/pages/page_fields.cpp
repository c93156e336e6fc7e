#include "pages/page_fields.h"

#include "core/failures.h"
#include "core/read_number.h"

namespace naklon {
namespace {

std::string_view withoutTrailingBlanks(std::string_view text)
{
    while (!text.empty() && text.back() == ' ')
        text.remove_suffix(1);
    return text;
}

std::string notANumberMessage(std::string_view caption, std::string_view text)
{
    std::string message = "Поле \"";
    message += caption;
    message += "\": \"";
    message += text;
    message += "\" не является числом";
    if (text.find(',') != std::string_view::npos)
        message += " (дробная часть отделяется точкой)";
    return message;
}

} // namespace

double readField(std::string_view caption, std::string_view text)
{
    const NumberReading reading = readNumber(withoutTrailingBlanks(text));
    if (!reading.wholeText)
        throw EInputError(notANumberMessage(caption, text));
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
        throw EInputError("Не выбран класс бетона");
    return *row;
}

ReinforcementStrengths requireReinforcement(double classNumber)
{
    const auto row = ReinforcementClassTable::lookup(classNumber);
    if (!row)
        throw EInputError("Не выбран класс арматуры");
    return *row;
}

} // namespace naklon
