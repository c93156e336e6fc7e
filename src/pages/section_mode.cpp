#include "pages/section_mode.h"

namespace naklon {

std::string_view valueCaption(SectionMode mode)
{
    return mode == SectionMode::Check ? "Площадь (см2)" : "Поперечная сила (кг)";
}

} // namespace naklon
