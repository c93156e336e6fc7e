#pragma once

#include "core/number_format.h"
#include "pages/calculation_report.h"
#include "pages/page_fields.h"
#include "pages/section_mode.h"

#include <string>

namespace naklon {

// "Отгибы": shear carried by bent-up bars at an angle theta.
//   check:     Q = Rsw A sin(theta)
//   selection: A = Q / (Rsw sin(theta))

using BentUpBarsMode = SectionMode; // RadioButton3, RadioButton4

// The texts of the page's controls exactly as they stand.
struct BentUpBarsInput {
    std::string reinforcementClass; // ComboBox4
    std::string angle;              // Edit5, theta (degrees)
    std::string value;              // Edit6, A (cm2) or Q (kg) by mode
    BentUpBarsMode mode = BentUpBarsMode::Check;
};

// The three lines "Считать" appends; throws (and returns nothing) when the
// calculation is refused or its arithmetic fails. With "." and ",":
//   check, "300", "45", "2.26" ->
//     "Класс арматуры А300C1, площадь 2.26 см2,  угол 45град"
//     "Поперечная сила   3,665.3 кг"
//     ""
//   selection, "400", "45", "5000" ->
//     "Класс арматуры А400C1,   угол  45 град"
//     "Площадь сечения отгибов 2.720 см2"
//     ""
//   selection with an angle of 0 -> EZeroDivide (EInvalidOp when Q is 0 too)
// With a report, fills it as it goes (calculation_report.h): title
// "Отгибы — проверка сечения" or "Отгибы — подбор сечения", θ, As or Q,
// Rsw, and the one formula whose result is the history's number.
HistoryLines calculateBentUpBars(
    const BentUpBarsInput &input, const NumberFormat &format, CalculationReport *report = nullptr);

} // namespace naklon
