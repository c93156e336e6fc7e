#include "window_services/error_reporter.h"

#include "core/extended.h"
#include "core/failures.h"
#include "window_services/text_bridge.h"

#include <QApplication>
#include <QCoreApplication>
#include <QMessageBox>
#include <QPushButton>
#include <QPointer>
#include <QWidget>

namespace naklon {
namespace {

MessageBoxReporter theMessageBox;
ErrorReporter *currentReporter = &theMessageBox;

} // namespace

void MessageBoxReporter::show(const QString &message, const QString &caption)
{
    // Parented to the active window, so the box comes up on its screen; the
    // application-wide modality disables the reference window as well.
    QMessageBox box(QMessageBox::Critical, caption, message, QMessageBox::Ok, QApplication::activeWindow());
    box.setWindowModality(Qt::ApplicationModal);
    // Qt's Russian catalogue keeps the Latin "OK"; the program's buttons say
    // "ОК" in Cyrillic letters, as the reference window's does.
    box.button(QMessageBox::Ok)->setText(QStringLiteral("ОК"));
    box.exec();
}

ErrorReporter *setErrorReporter(ErrorReporter *reporter)
{
    ErrorReporter *previous = currentReporter;
    currentReporter = reporter ? reporter : &theMessageBox;
    return previous == &theMessageBox ? nullptr : previous;
}

QString applicationTitleText()
{
    return qtText(applicationTitle(coreText(QCoreApplication::applicationFilePath())));
}

QString failureMessage(const std::exception_ptr &failure)
{
    try {
        std::rethrow_exception(failure);
    } catch (const std::exception &e) {
        return qtText(e.what());
    } catch (...) {
        return qtText(unknownFailure().what());
    }
}

void reportFailure(const QString &message) noexcept
{
    try {
        applyFloatingPointSettings();
        if (QWidget *grabber = QWidget::mouseGrabber())
            grabber->releaseMouse();
        const QString shown = qtText(withClosingFullStop(coreText(message)));
        const QPointer<QWidget> wasActive = QApplication::activeWindow();
        currentReporter->show(shown, applicationTitleText());
        if (wasActive)
            wasActive->activateWindow();
        applyFloatingPointSettings();
    } catch (...) {
        // Reporting must not fail in turn; whatever went wrong while showing
        // the box is dropped here rather than carried into the event loop.
    }
}

} // namespace naklon
