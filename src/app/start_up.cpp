#include "app/start_up.h"

#include "core/extended.h"
#include "reference_window/unit2.h"
#include "main_window/zeverozozod.h"

namespace naklon {

ProgramWindows::ProgramWindows() = default;
ProgramWindows::~ProgramWindows() = default;
ProgramWindows::ProgramWindows(ProgramWindows &&) noexcept = default;

ProgramWindows createProgramWindows()
{
    ProgramWindows windows;
    {
        const FloatingPointSettingsKeeper keeper;
        windows.main = std::make_unique<TForm1>();
    }
    {
        const FloatingPointSettingsKeeper keeper;
        // Owned by the main window as the desktop sees it: no task-bar entry
        // of its own, and the main window's icon. It goes before the main
        // window (see the members' order), which therefore never deletes it.
        windows.reference = std::make_unique<TForm2>(windows.main.get());
    }
    return windows;
}

} // namespace naklon
