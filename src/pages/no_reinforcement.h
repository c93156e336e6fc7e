#pragma once

#include "core/number_format.h"
#include "pages/calculation_report.h"
#include "pages/page_fields.h"

#include <string>

namespace naklon {

// "Без арматуры": the largest shear forces the concrete alone carries in a
// member without transverse reinforcement.
//   at the face of the support:   Q1 = k1 Rbt b h0
//   at the end of the section:    Q2 = k2 Rbt b h0^2 / (2 h0)
// with k1 = 2.5, k2 = 1.5 for solid slabs and k1 = 2.0, k2 = 1.2 for beams
// and slab ribs.

enum class MemberKind { SolidSlab, BeamOrRib }; // RadioButton5, RadioButton6

// The texts of the page's controls exactly as they stand.
struct NoReinforcementInput {
    std::string concreteClass; // ComboBox3
    std::string width;         // Edit7, b (cm)
    std::string depth;         // Edit8, h0 (cm)
    MemberKind kind = MemberKind::SolidSlab;
};

// The three lines "Считать" appends; throws (and returns nothing) when the
// calculation is refused or its arithmetic fails. With "." and ",":
//   "20", "20", "36", SolidSlab ->
//     "максимальная поперечная сила у грани опоры 16,513.7кг"
//     "максимальная поперечная сила в конце сечения (2h0) 4,954.1кг"
//     ""
//   a working depth of 0 -> EInvalidOp (0/0 in Q2), whatever the width
// With a report, fills it as it goes (calculation_report.h): title
// "Без арматуры — сплошные плиты" or "Без арматуры — балки, ребра плит",
// b, h0, k1, k2, Rbt, and the formulas of Q1 and Q2 with the history's
// numbers.
HistoryLines calculateNoReinforcement(
    const NoReinforcementInput &input, const NumberFormat &format, CalculationReport *report = nullptr);

} // namespace naklon
