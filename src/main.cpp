#include "core/extended.h"
#include "naklon_application.h"
#include "unit2.h"
#include "zeverozozod.h"

#include <memory>

int main(int argc, char *argv[])
{
    naklon::NaklonApplication application(argc, argv);
    naklon::applyFloatingPointSettings();

    // The main window reads the number format of the user's locale first
    // thing, before it builds itself. Creating a window must not change the
    // floating-point settings the calculations run under.
    std::unique_ptr<TForm1> mainWindow;
    {
        const naklon::FloatingPointSettingsKeeper keeper;
        mainWindow = std::make_unique<TForm1>();
    }
    std::unique_ptr<TForm2> referenceWindow;
    {
        const naklon::FloatingPointSettingsKeeper keeper;
        referenceWindow = std::make_unique<TForm2>();
    }

    mainWindow->show();
    application.exec();
    // The windows go before the application object; whatever the event loop
    // returned, the program ends normally.
    referenceWindow.reset();
    mainWindow.reset();
    return 0;
}
