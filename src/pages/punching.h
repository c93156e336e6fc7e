#pragma once

#include "core/number_format.h"
#include "pages/calculation_report.h"
#include "pages/page_fields.h"

#include <string>

namespace naklon {

// "Продавливание": punching of a slab. The concrete alone resists
//   Fb = Rbt u h0
// over the punching perimeter; when that is less than the punching force F,
// transverse reinforcement carries the difference:
//   Asw = (F - Rbt u h0) / Rsw

// The texts of the page's controls exactly as they stand.
struct PunchingInput {
    std::string concreteClass;      // ComboBox6
    std::string reinforcementClass; // ComboBox7
    std::string force;              // Edit11, F (kg)
    std::string halfPerimeterSum;   // Edit12, u, half the sum of the perimeters (cm)
    std::string depth;              // Edit13, h0 (cm)
};

// The lines "Считать" appends; throws (and returns nothing) when the
// calculation is refused or its arithmetic fails. Both classes are required
// even when the concrete suffices. The force is echoed as typed. With "."
// and ",", u "200", h0 "20":
//   "20", "240", F "30000" -> "36,697.2 > 30000 Поперечная арматура не требуется", ""
//   "15", "240", F "50000" -> "30,580.8 < 50000 Необходима поперечная арматура",
//                             "Площадь поперечного армирования 10.89 см2", "", ""
// Fb equal to F is reported as sufficient concrete with " = " as the sign:
//   all three fields empty -> "0.0 =  Поперечная арматура не требуется", ""
// With a report, fills it as it goes (calculation_report.h): title
// "Продавливание", F, u, h0, Rbt, Rsw, the formula of Fb, the comparison of
// Fb with F as a verdict, and when reinforcement is needed the formula of
// Asw last; all with the history's numbers and words.
HistoryLines calculatePunching(
    const PunchingInput &input, const NumberFormat &format, CalculationReport *report = nullptr);

} // namespace naklon
