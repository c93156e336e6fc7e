#include "core/extended.h"
#include "naklon_application.h"
#include "start_up.h"
#include "unit2.h"
#include "zeverozozod.h"

int main(int argc, char *argv[])
{
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
