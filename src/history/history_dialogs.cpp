#include "history/history_dialogs.h"

#include "history/qt_registry_aside.h"
#include <QApplication>
#include <QDir>
#include <QFileDialog>
#include <QFileIconProvider>
#include <QFileSystemModel>
#include <QHeaderView>
#include <QIdentityProxyModel>
#include <QLocale>
#include <QFileInfo>
#include <QLineEdit>
#include <QPointer>
#include <QScreen>
#include <QTreeView>

#include <iterator>

namespace naklon {
namespace {

// The "Type" column of the dialogs: Qt's own translations leave a folder's
// type in English; a file's type is the system's description of its kind,
// in the program's language.
class FileTypeNames final : public QFileIconProvider {
public:
    QString type(const QFileInfo &info) const override
    {
        if (info.isRoot())
            return QStringLiteral("Диск");
        if (info.isDir())
            return QStringLiteral("Папка");
        return QFileIconProvider::type(info);
    }
};

// Holds the type names for as long as the dialog's file list may ask for
// them: made after the dialog's own children, it goes after them.
class FileTypeNamesHolder final : public QObject {
public:
    using QObject::QObject;
    FileTypeNames names;
};

// The file list's sizes and dates in the program's language ("3 байта",
// "08.12.2026 10:12"); Qt writes them by the system's locale, which may be
// any.
class RussianSizesAndDates final : public QIdentityProxyModel {
public:
    using QIdentityProxyModel::QIdentityProxyModel;

    QVariant data(const QModelIndex &index, int role) const override
    {
        const auto *files = qobject_cast<const QFileSystemModel *>(sourceModel());
        if (role != Qt::DisplayRole || !files || (index.column() != 1 && index.column() != 3))
            return QIdentityProxyModel::data(index, role);
        const QFileInfo info = files->fileInfo(mapToSource(index));
        if (index.column() == 3)
            return QLocale().toString(info.lastModified(), QLocale::ShortFormat);
        return info.isDir() ? QString() : sizeText(info.size());
    }

private:
    // Qt's catalogue has one plural of "bytes" for every count and leaves
    // "KiB", "MiB" in English: sizes are written here, in steps of 1024.
    static QString sizeText(qint64 bytes)
    {
        if (bytes >= 1024) {
            static const char16_t *const units[] = {u"КБ", u"МБ", u"ГБ", u"ТБ"};
            double scaled = static_cast<double>(bytes) / 1024;
            std::size_t unit = 0;
            for (; scaled >= 1024 && unit + 1 < std::size(units); ++unit)
                scaled /= 1024;
            return QLocale().toString(scaled, 'f', 2) + QLatin1Char(' ') + QString::fromUtf16(units[unit]);
        }
        // 1, 21, 101 байт; 2-4, 22-24 байта; 0, 5-20, 25-30 байт.
        const qint64 last = bytes % 10;
        const bool teens = bytes % 100 >= 11 && bytes % 100 <= 14;
        const QString unit = !teens && last >= 2 && last <= 4 ? QStringLiteral("байта") : QStringLiteral("байт");
        return QLocale().toString(bytes) + QLatin1Char(' ') + unit;
    }
};

QFileDialog *makeDialog(QWidget *mainWindow, const char *name)
{
    // A file dialog reads Qt's settings as it is made.
    const QtRegistryAside noQtSettings;
    auto *dialog = new QFileDialog(mainWindow);
    dialog->setIconProvider(&(new FileTypeNamesHolder(dialog))->names);
    dialog->setProxyModel(new RussianSizesAndDates(dialog));
    dialog->setObjectName(QString::fromLatin1(name));
    // Qt's own dialog, the same on every platform, which the program can
    // place and whose name it can set.
    dialog->setOption(QFileDialog::DontUseNativeDialog);
    dialog->setFileMode(QFileDialog::AnyFile);
    dialog->setWindowModality(Qt::ApplicationModal);
    dialog->setSizeGripEnabled(true);
    // The detail view's size, type and date columns take the width of their
    // texts, so a Russian date or type name is not cut in the middle; the
    // name column takes what is left.
    if (auto *details = dialog->findChild<QTreeView *>()) {
        QHeaderView *header = details->header();
        header->setSectionResizeMode(0, QHeaderView::Stretch);
        for (int column = 1; column < header->count(); ++column)
            header->setSectionResizeMode(column, QHeaderView::ResizeToContents);
    }
    return dialog;
}

} // namespace

HistoryDialogs::HistoryDialogs(QWidget *mainWindow)
    : QObject(mainWindow), mainWindow_(mainWindow), saveName_(QStringLiteral("хомуты"))
{
}

// Made before the dialogs, this goes before them when the main window does:
// a file dialog stores Qt's settings as it goes.
HistoryDialogs::~HistoryDialogs()
{
    const QtRegistryAside noQtSettings;
    delete open_;
    delete save_;
    delete pdf_;
    delete odt_;
}

QFileDialog *HistoryDialogs::openDialog()
{
    if (!open_) {
        open_ = makeDialog(mainWindow_, "OpenDialog1");
        open_->setAcceptMode(QFileDialog::AcceptOpen);
    }
    return open_;
}

QFileDialog *HistoryDialogs::saveDialog()
{
    if (!save_) {
        save_ = makeDialog(mainWindow_, "SaveDialog1");
        save_->setAcceptMode(QFileDialog::AcceptSave);
        save_->setDefaultSuffix(QStringLiteral("txt"));
        save_->setOption(QFileDialog::DontConfirmOverwrite);
    }
    return save_;
}

QFileDialog *HistoryDialogs::documentDialog(
    QPointer<QFileDialog> &dialog, const char *name, const char *suffix, const char *filter)
{
    if (!dialog) {
        dialog = makeDialog(mainWindow_, name);
        dialog->setAcceptMode(QFileDialog::AcceptSave);
        dialog->setDefaultSuffix(QString::fromLatin1(suffix));
        dialog->setNameFilter(QString::fromUtf8(filter));
    }
    return dialog;
}

QFileDialog *HistoryDialogs::pdfDialog()
{
    return documentDialog(pdf_, "PdfDialog", "pdf", "PDF (*.pdf)");
}

QFileDialog *HistoryDialogs::odtDialog()
{
    return documentDialog(odt_, "OdtDialog", "odt", "Текст OpenDocument (*.odt)");
}

std::optional<QString> HistoryDialogs::chooseFileToSavePdf(const QString &name)
{
    return chooseDocumentFile(pdfDialog(), name);
}

std::optional<QString> HistoryDialogs::chooseFileToSaveOdt(const QString &name)
{
    return chooseDocumentFile(odtDialog(), name);
}

std::optional<QString> HistoryDialogs::chooseDocumentFile(QFileDialog *dialog, const QString &name)
{
    QString offered = documentFolder_.isEmpty() ? name : QDir(documentFolder_).filePath(name);
    std::optional<QString> chosen = run(dialog, offered);
    if (chosen)
        documentFolder_ = QFileInfo(*chosen).absolutePath();
    return chosen;
}

std::optional<QString> HistoryDialogs::chooseFileToOpen()
{
    return run(openDialog(), openName_);
}

std::optional<QString> HistoryDialogs::chooseFileToSave()
{
    return run(saveDialog(), saveName_);
}

QPoint HistoryDialogs::placeOnScreen(const QRect &screen, const QSize &size)
{
    return {screen.left() + (screen.width() - size.width()) / 2, screen.top() + (screen.height() - size.height()) / 3};
}

std::optional<QString> HistoryDialogs::run(QFileDialog *dialog, QString &name)
{
    // Offer the remembered name: a full path opens its folder with the name
    // filled in; the first save offers a bare name in the default folder.
    if (QFileInfo(name).isAbsolute()) {
        const QFileInfo file(name);
        dialog->setDirectory(file.absolutePath());
        dialog->selectFile(file.fileName());
    } else {
        // No file chosen in this dialog yet: the working folder, not the
        // folder another dialog last visited.
        dialog->setDirectory(QDir::currentPath());
        if (!name.isEmpty()) {
            dialog->selectFile(name);
        } else if (auto *typed = dialog->findChild<QLineEdit *>(QStringLiteral("fileNameEdit"))) {
            // selectFile() ignores an empty name: whatever a cancelled use
            // left typed there is cleared by hand.
            typed->clear();
        }
    }

    const QPointer<QWidget> focus = QApplication::focusWidget();
    QWidget *active = QApplication::activeWindow();
    const QPointer<QWidget> wasActive = active;
    QWidget *placedBy = active ? active : mainWindow_;
    if (QScreen *screen = placedBy->screen()) {
        if (!dialog->testAttribute(Qt::WA_Resized))
            dialog->resize(dialog->sizeHint());
        // The dialog's frame is not known before it is shown; the main
        // window's frame is as wide.
        const QSize frame = mainWindow_->frameGeometry().size() - mainWindow_->size();
        dialog->move(placeOnScreen(screen->geometry(), dialog->size() + frame));
    }

    const bool accepted = dialog->exec() == QDialog::Accepted;

    if (wasActive)
        wasActive->activateWindow();
    if (focus)
        focus->setFocus(Qt::OtherFocusReason);

    const QStringList chosen = dialog->selectedFiles();
    if (!accepted || chosen.isEmpty() || chosen.first().isEmpty())
        return std::nullopt;
    name = QFileInfo(chosen.first()).absoluteFilePath();
    return name;
}

} // namespace naklon
