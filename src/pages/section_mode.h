#pragma once

#include <string_view>

namespace naklon {

// The two modes of "Хомуты" and "Отгибы": a check takes the area of the
// reinforcement and gives the force the section carries, a selection takes
// the force and gives the area it needs.
enum class SectionMode { Check, Selection };

// The caption of the field that holds the area or the force (Label4 above
// Edit2 on "Хомуты", Label10 above Edit6 on "Отгибы"), by mode:
//   Check -> "Площадь (см2)"    Selection -> "Поперечная сила (кг)"
std::string_view valueCaption(SectionMode mode);

} // namespace naklon
