#include "app/start_up.h"

#include "core/extended.h"
#include "reference_window/unit2.h"
#include "main_window/zeverozozod.h"

namespace naklon {

ProgramWindows::ProgramWindows() = default;
ProgramWindows::~ProgramWindows() = default;
ProgramWindows::ProgramWindows(ProgramWindows &&) noexcept = default;
ProgramWindows &ProgramWindows::operator=(ProgramWindows &&) noexcept = default;

ProgramWindows createProgramWindows()
{
    ProgramWindows windows;
    {
        const FloatingPointSettingsKeeper keeper;
        windows.main = std::make_unique<TForm1>();
    }
    {
        const FloatingPointSettingsKeeper keeper;
        windows.reference = std::make_unique<TForm2>();
    }
    return windows;
}

} // namespace naklon
