#include "app/error_reporter.h"

#include "core/extended.h"
#include "core/failures.h"

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
    const QByteArray path = QCoreApplication::applicationFilePath().toUtf8();
    return QString::fromStdString(
        applicationTitle(std::string_view(path.constData(), static_cast<std::size_t>(path.size()))));
}

QString failureMessage(const std::exception_ptr &failure)
{
    try {
        std::rethrow_exception(failure);
    } catch (const std::exception &e) {
        return QString::fromUtf8(e.what());
    } catch (...) {
        return QString::fromUtf8(unknownFailure().what());
    }
}

void reportFailure(const QString &message) noexcept
{
    try {
        applyFloatingPointSettings();
        if (QWidget *grabber = QWidget::mouseGrabber())
            grabber->releaseMouse();
        const QByteArray utf8 = message.toUtf8();
        const std::string shown =
            withClosingFullStop(std::string_view(utf8.constData(), static_cast<std::size_t>(utf8.size())));
        const QPointer<QWidget> wasActive = QApplication::activeWindow();
        currentReporter->show(QString::fromStdString(shown), applicationTitleText());
        if (wasActive)
            wasActive->activateWindow();
        applyFloatingPointSettings();
    } catch (...) {
        // Reporting must not fail in turn; whatever went wrong while showing
        // the box is dropped here rather than carried into the event loop.
    }
}

} // namespace naklon
