#pragma once

#include "core/number_format.h"
#include "pages/calculation_report.h"
#include "pages/page_fields.h"
#include "pages/section_mode.h"

#include <string>

namespace naklon {

// "Хомуты": shear carried by the concrete and stirrups.
//   check:     Q   = sqrt(8 Rbt b h0^2 Rsw Asw / s)
//   selection: Asw = Q^2 s / (8 Rbt b h0^2 Rsw)

using StirrupsMode = SectionMode; // RadioButton1, RadioButton2

// The texts of the page's controls exactly as they stand.
struct StirrupsInput {
    std::string concreteClass;      // ComboBox1
    std::string reinforcementClass; // ComboBox2
    std::string spacing;            // Edit1, s (cm)
    std::string value;              // Edit2, Asw (cm2) or Q (kg) by mode
    std::string width;              // Edit3, b (cm)
    std::string depth;              // Edit4, h0 (cm)
    StirrupsMode mode = StirrupsMode::Check;
};

// The three lines "Считать" appends; throws (and returns nothing) when the
// calculation is refused or its arithmetic fails. With a report, fills it as
// it goes (calculation_report.h): title "Хомуты — проверка сечения" or
// "Хомуты — подбор сечения", s, Asw or Q, b, h0, Rbt and Rsw, and the one
// formula whose result is the history's number.
HistoryLines calculateStirrups(
    const StirrupsInput &input, const NumberFormat &format, CalculationReport *report = nullptr);

} // namespace naklon
