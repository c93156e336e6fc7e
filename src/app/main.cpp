#include "core/extended.h"
#include "app/naklon_application.h"
#include "app/start_up.h"
#include "reference_window/unit2.h"
#include "main_window/zeverozozod.h"
#include "window_services/font_stand_in.h"

int main(int argc, char *argv[])
{
    naklon::chooseFontRenderer();
    naklon::NaklonApplication application(argc, argv);
    naklon::applyFloatingPointSettings();
    naklon::ProgramWindows windows = naklon::createProgramWindows();

    windows.main->show();
    application.exec();
    // The windows go before the application object; whatever the event loop
    // returned, the program ends normally.
    windows.reference.reset();
    windows.main.reset();
    return 0;
}
