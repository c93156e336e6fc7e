#pragma once

#include <QObject>
#include <QPoint>
#include <QPointer>
#include <QRect>
#include <QSize>
#include <QString>

#include <optional>

class QFileDialog;
class QWidget;

namespace naklon {

// The open and save dialogs that all six history panels share (`OpenDialog1`
// and `SaveDialog1`, children of the main window). Each remembers the full
// path of the last file chosen in it and offers it the next time, on any
// page; a cancel keeps what it offered, and the two never share a name. The
// save dialog offers "хомуты" until something is saved and adds "txt" to a
// name given without an extension; neither has a filter, neither asks before
// a file is replaced, and either takes the name of a file that does not
// exist yet.
class HistoryDialogs final : public QObject {
    Q_OBJECT

public:
    explicit HistoryDialogs(QWidget *mainWindow);
    ~HistoryDialogs() override;
    HistoryDialogs(const HistoryDialogs &) = delete;
    HistoryDialogs &operator=(const HistoryDialogs &) = delete;

    // Shows the dialog modally for the whole program and returns the chosen
    // full path, or nothing for a cancel. The keyboard focus goes back where
    // it was.
    std::optional<QString> chooseFileToOpen();
    std::optional<QString> chooseFileToSave();
    // The PDF dialog (`PdfDialog`): offers `name` in the folder a PDF was
    // last written to, adds "pdf" to a name without an extension and asks
    // before a file is replaced.
    std::optional<QString> chooseFileToSavePdf(const QString &name);
    // The OpenDocument dialog (`OdtDialog`): as the PDF dialog, with "odt";
    // the two share the folder last written to.
    std::optional<QString> chooseFileToSaveOdt(const QString &name);

    // Where a dialog of `size` goes on a screen of `screen`: centred across,
    // with a third of the height it leaves free above it.
    //   screen 0,0 1280x1024, dialog 580x400 -> 350, 208
    static QPoint placeOnScreen(const QRect &screen, const QSize &size);

    // The dialogs themselves, made at their first use (a file dialog is a
    // large widget most sessions never need).
    QFileDialog *openDialog();
    QFileDialog *saveDialog();
    QFileDialog *pdfDialog();
    QFileDialog *odtDialog();

private:
    std::optional<QString> run(QFileDialog *dialog, QString &name);
    QFileDialog *documentDialog(
        QPointer<QFileDialog> &dialog, const char *name, const char *suffix, const char *filter);
    std::optional<QString> chooseDocumentFile(QFileDialog *dialog, const QString &name);

    QWidget *mainWindow_;
    // Children of the main window, deleted with this object.
    QPointer<QFileDialog> open_;
    QPointer<QFileDialog> save_;
    QPointer<QFileDialog> pdf_;
    QPointer<QFileDialog> odt_;
    QString documentFolder_;
    QString openName_;
    QString saveName_;
};

} // namespace naklon
