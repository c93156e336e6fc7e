#include "app/naklon_application.h"

#include "app/desktop_independence.h"
#include "window_services/error_reporter.h"

namespace naklon {

NaklonApplication::NaklonApplication(int &argc, char **argv) : QApplication(argc, argv)
{
    // Lets the desktop match the running program to its installed entry, so
    // the task bar shows the entry's name and icon.
    setDesktopFileName(QStringLiteral("naklon"));
    settleDesktopDependence(*this);
}

bool NaklonApplication::notify(QObject *receiver, QEvent *event)
{
    try {
        return QApplication::notify(receiver, event);
    } catch (...) {
        reportFailure(failureMessage(std::current_exception()));
        return false;
    }
}

} // namespace naklon
