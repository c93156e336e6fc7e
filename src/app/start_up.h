#pragma once

#include <memory>

class TForm1;
class TForm2;

namespace naklon {

// The program's two windows, both living until the program ends.
struct ProgramWindows {
    std::unique_ptr<TForm1> main;
    std::unique_ptr<TForm2> reference;

    ProgramWindows();
    ~ProgramWindows();
    ProgramWindows(ProgramWindows &&) noexcept;
    ProgramWindows &operator=(ProgramWindows &&) = delete;
};

// Creates the main window, then the reference window hidden, each with the
// floating-point settings in force saved and put back around its creation,
// so that no window component can change them behind the calculations'
// back. The main window reads the user's number format as it builds itself.
// Call after the application object exists and the settings are applied.
ProgramWindows createProgramWindows();

} // namespace naklon
