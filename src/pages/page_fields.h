#pragma once

#include "core/material_tables.h"
#include "pages/calculation_report.h"

#include <string>
#include <string_view>
#include <vector>

namespace naklon {

// The lines one click appends to a page's history, in order.
using HistoryLines = std::vector<std::string>;

// Reads a field the way every calculation does: the text without its
// trailing blanks must be wholly a number, or the calculation is refused
// with fieldNotANumber (core/failures.h).
// Texts that read as 0 without stopping (empty, blanks, "-", ".", "e5")
// are 0. EOverflow as readNumber raises it.
//   ("Шаг (см)", "12.5 ") -> 12.5     ("Шаг (см)", "15,5") -> refused
double readField(std::string_view caption, std::string_view text);

// Reads a field as readField does and lists it in the report as `symbol`,
// under its caption without the unit ("Шаг (см)" -> "Шаг").
double readInput(
    ReportWriter &out, const Symbol &symbol, std::string_view caption, std::string_view text, std::string unit);

// The class number of a list text; a text that is not wholly a number gives
// 0, which no table row has.
double readClass(std::string_view text);

// The table rows of the read class numbers; noConcreteClass /
// noReinforcementClass (core/failures.h) when the number finds no row.
ConcreteStrengths requireConcrete(double classNumber);
ReinforcementStrengths requireReinforcement(double classNumber);

// A strength of the picked class (`classText` as the list shows it, read as
// `classNumber`), put into the report under the class's name as the history
// writes it: "В20" for concrete, "А300" for reinforcement. Refused as
// requireConcrete / requireReinforcement refuse.
double tableRbt(const std::string &classText, double classNumber, ReportWriter &out);
double tableRb(const std::string &classText, double classNumber, ReportWriter &out);
double tableRsw(const std::string &classText, double classNumber, ReportWriter &out);

} // namespace naklon
