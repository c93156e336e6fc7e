#pragma once

#include <QApplication>

namespace naklon {

// The application object. Every window handler runs behind its own guard;
// notify() is the last net for a failure that leaves the event handling of
// any object, so that no failure ever reaches the event loop.
class NaklonApplication : public QApplication {
    Q_OBJECT

public:
    NaklonApplication(int &argc, char **argv);

    bool notify(QObject *receiver, QEvent *event) override;
};

} // namespace naklon
