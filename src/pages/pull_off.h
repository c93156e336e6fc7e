#pragma once

#include "core/number_format.h"
#include "pages/calculation_report.h"
#include "pages/page_fields.h"

#include <string>
#include <string_view>

namespace naklon {

// "Отрыв": the area of additional reinforcement in a zone of pull-off.
//   stirrups:      A = F / Rsw
//   bent-up bars:  A = F / (Rsw sin(theta))

enum class PullOffReinforcement { Stirrups, BentUpBars }; // RadioButton7, RadioButton8

// The prompt the angle list shows until an angle is picked or typed; it
// counts as an empty angle.
inline constexpr std::string_view kPullOffAnglePrompt = "Угол (град)";

// The texts of the page's controls exactly as they stand.
struct PullOffInput {
    std::string reinforcementClass;         // ComboBox5
    std::string force;                      // Edit9, F (kg)
    std::string angle{kPullOffAnglePrompt}; // ComboBox10, theta (degrees), edit part
    PullOffReinforcement reinforcement = PullOffReinforcement::Stirrups;
};

// The lines "Считать" appends; throws (and returns nothing) when the
// calculation is refused or its arithmetic fails. The angle is read only
// for bent-up bars. With "." and ",":
//   Stirrups, "240", "5000" ->
//     "Площадь дополнительной арматуры в зоне отрыва 2.803 см2"
//     ""
//   BentUpBars, "240", "5000", "45" ->
//     "Площадь дополнительной арматуры в зоне отрыва 3.964 см2"
//     "Угол 45 град."
//   BentUpBars with the prompt still shown -> EZeroDivide (EInvalidOp when
//   F is 0 too), as for any angle whose sine is 0
// With a report, fills it as it goes (calculation_report.h): title
// "Отрыв — хомуты" or "Отрыв — отогнутые стержни", F (and θ for bent-up
// bars), Rsw, and the one formula whose result is the history's number.
HistoryLines calculatePullOff(
    const PullOffInput &input, const NumberFormat &format, CalculationReport *report = nullptr);

} // namespace naklon
