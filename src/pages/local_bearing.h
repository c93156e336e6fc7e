#pragma once

#include "core/extended.h"
#include "core/number_format.h"
#include "pages/calculation_report.h"
#include "pages/page_fields.h"

#include <string>

namespace naklon {

// "Смятие": local bearing of a compressive force N on part of a surface.
//   phi = cube root of (F_р / F_см)
//   P   = phi Rb psi F_см
// with psi 1.0 for a uniformly distributed load and 0.75 otherwise.

enum class LoadDistribution { Uniform, NonUniform }; // RadioButton9, RadioButton10

// The texts of the page's controls exactly as they stand.
struct LocalBearingInput {
    std::string concreteClass; // ComboBox8
    std::string bearingArea;   // Edit14, F_см, the loaded area (cm2)
    std::string designArea;    // Edit15, F_р, the design area (cm2)
    std::string force;         // Edit10, N (kg)
    LoadDistribution load = LoadDistribution::NonUniform;
};

// The cube root the page takes of the area ratio, exp(ln(ratio) x 1/3) at
// extended precision, rounded to a double:
//   8 -> 2    5 -> 1.709975946676697    1 -> 1    1000 -> 10
// EZeroDivide for 0, EInvalidOp for a negative or an infinite ratio.
double bearingCoefficient(Extended ratio);

// The three lines "Считать" appends; throws (and returns nothing) when the
// calculation is refused or its arithmetic fails. The force is echoed as
// typed. With "." and ",", class "20", uniform load, areas "100" and "800":
//   N "20000" -> "Прочность сечения достаточна", "23,400.00>20000", ""
//   N "30000" -> "Необходимо косвеное армирование", "23,400.00<30000", ""
// P equal to N is reported as sufficient strength with "=" as the sign:
//   N "23400" -> "Прочность сечения достаточна", "23,400.00=23400", ""
// Empty areas fail: both empty EInvalidOp (0/0), one empty EZeroDivide.
// With a report, fills it as it goes (calculation_report.h): title
// "Смятие — равномерно распределенная нагрузка" or "Смятие — неравномерно
// распределенная нагрузка", Fсм, Fр, N, ψ, Rb, the formulas of φ and P,
// and the comparison of P with N as the verdict, in the history's words.
HistoryLines calculateLocalBearing(
    const LocalBearingInput &input, const NumberFormat &format, CalculationReport *report = nullptr);

} // namespace naklon
