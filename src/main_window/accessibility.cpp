#include "main_window/accessibility.h"

#include <QComboBox>
#include <QLineEdit>
#include <QTabBar>
#include <QTabWidget>

namespace naklon {
namespace {

// The controls of the window itself, not those of the dialogs it owns.
template <typename T>
QList<T *> controlsOf(QWidget *window)
{
    QList<T *> own;
    const auto all = window->findChildren<T *>();
    for (T *control : all) {
        if (control->window() == window)
            own.append(control);
    }
    return own;
}

} // namespace

void nameInnerParts(QWidget *window)
{
    const auto lists = controlsOf<QComboBox>(window);
    for (QComboBox *list : lists) {
        if (QLineEdit *edit = list->lineEdit())
            edit->setAccessibleName(list->accessibleName());
    }
    const auto tabControls = controlsOf<QTabWidget>(window);
    for (QTabWidget *tabs : tabControls) {
        tabs->setAccessibleName(window->windowTitle());
        tabs->tabBar()->setAccessibleName(window->windowTitle());
    }
}

} // namespace naklon
