#include "history/history_panel.h"

#include "documents/report_document.h"
#include "documents/report_outputs.h"
#include "files/file_bytes.h"
#include "history/history_dialogs.h"
#include "history/history_file.h"
#include "history/history_repertoire.h"
#include "history/windows1251_text.h"

#include <QAction>
#include <QClipboard>
#include <QDate>
#include <QGuiApplication>
#include <QMenu>
#include <QPlainTextEdit>
#include <QPrintPreviewDialog>
#include <QPrinter>
#include <QScrollBar>
#include <QTextDocument>

namespace naklon {
namespace {

// The box's text with "\n" between its lines. The document's raw text keeps
// every character as it is (its plain text would turn a no-break space into a
// blank) and separates the lines with U+2029.
QString historyText(const QPlainTextEdit *box)
{
    QString text = box->document()->toRawText();
    text.replace(QChar::ParagraphSeparator, u'\n');
    return text;
}

// The busy cursor over the whole program while a file is read or written and
// the box filled (a history of many megabytes takes seconds); it goes back
// however the work ends, before any failure is shown.
class BusyCursor {
public:
    BusyCursor() { QGuiApplication::setOverrideCursor(Qt::WaitCursor); }
    ~BusyCursor() { QGuiApplication::restoreOverrideCursor(); }
    BusyCursor(const BusyCursor &) = delete;
    BusyCursor &operator=(const BusyCursor &) = delete;
};

} // namespace

HistoryPanel::HistoryPanel(QPlainTextEdit *box, HistoryDialogs &dialogs)
    : QObject(box), box_(box), dialogs_(dialogs), keeper_(new RepertoireKeeper(box)),
      print_(action("Печать…", "printAction")), savePdf_(action("Сохранить в PDF…", "savePdfAction")),
      reportPreview_(action("Просмотр и печать…", "reportPreviewAction")),
      reportPdf_(action("Сохранить в PDF…", "reportPdfAction")),
      reportOdt_(action("Сохранить для Word (ODT)…", "reportOdtAction")),
      reportCopy_(action("Копировать", "reportCopyAction"))
{
    markKept();
    print_->setShortcut(QKeySequence::Print);
    print_->setShortcutContext(Qt::WidgetShortcut);
    box_->addAction(print_);
    box_->setContextMenuPolicy(Qt::CustomContextMenu);
    connect(box_, &QWidget::customContextMenuRequested, this, &HistoryPanel::showMenu);
}

QAction *HistoryPanel::action(const char *text, const char *name)
{
    auto *made = new QAction(QString::fromUtf8(text), this);
    made->setObjectName(QString::fromLatin1(name));
    return made;
}

void HistoryPanel::showMenu(const QPoint &position)
{
    QMenu *menu = box_->createStandardContextMenu(position);
    menu->addSeparator();
    menu->addAction(print_);
    menu->addAction(savePdf_);
    QMenu *report = menu->addMenu(QStringLiteral("Отчет с формулами"));
    report->setObjectName(QStringLiteral("reportMenu"));
    report->addActions({reportPreview_, reportPdf_, reportOdt_, reportCopy_});
    menu->exec(box_->viewport()->mapToGlobal(position));
    delete menu;
}

void HistoryPanel::setDocumentNames(const QString &program, const QString &page)
{
    program_ = program;
    page_ = page;
}

DocumentHeader HistoryPanel::documentHeader() const
{
    return {program_, page_, QDate::currentDate().toString(QStringLiteral("dd.MM.yyyy")), file_};
}

QStringList HistoryPanel::historyLines() const
{
    // The box's lines; a history ending with a line break ends with an
    // empty line, which a document does not need.
    QStringList lines = historyText(box_).split(u'\n');
    if (lines.size() > 1 && lines.back().isEmpty())
        lines.removeLast();
    return lines;
}

void HistoryPanel::preview(const DocumentHeader &header, const std::function<void(QPrinter *)> &paint)
{
    QPrinter printer(QPrinter::HighResolution);
    printer.setDocName(documentTitle(header));
    printer.setPageLayout(documentPageLayout());
    QPrintPreviewDialog preview(&printer, box_->window());
    preview.setWindowModality(Qt::ApplicationModal);
    connect(&preview, &QPrintPreviewDialog::paintRequested, &preview, paint);
    preview.exec();
}

void HistoryPanel::print()
{
    const DocumentHeader header = documentHeader();
    const QStringList lines = historyLines();
    preview(header, [&](QPrinter *target) { paintDocument(*target, header, lines, box_->font()); });
}

void HistoryPanel::savePdf()
{
    if (const auto path = dialogs_.chooseFileToSavePdf(page_.toLower() + QStringLiteral(".pdf")))
        writePdf(*path, documentHeader(), historyLines(), box_->font());
}

DocumentHeader HistoryPanel::reportHeader() const
{
    DocumentHeader header = documentHeader();
    header.page += QStringLiteral(", отчет с формулами");
    return header;
}

QString HistoryPanel::reportFileName(const char *suffix) const
{
    return page_.toLower() + QStringLiteral(" — отчет.") + QString::fromLatin1(suffix);
}

std::unique_ptr<QTextDocument> HistoryPanel::reportDocument() const
{
    return naklon::reportDocument(reportHeader(), reports_, box_->font());
}

void HistoryPanel::previewReport()
{
    const std::unique_ptr<QTextDocument> document = reportDocument();
    preview(reportHeader(), [&](QPrinter *target) { paintPaged(*target, *document); });
}

void HistoryPanel::saveReportPdf()
{
    if (const auto path = dialogs_.chooseFileToSavePdf(reportFileName("pdf"))) {
        const std::unique_ptr<QTextDocument> document = reportDocument();
        writePdfFile(*path, reportHeader(), [&](QPagedPaintDevice &device) { return paintPaged(device, *document); });
    }
}

void HistoryPanel::saveReportOdt()
{
    if (const auto path = dialogs_.chooseFileToSaveOdt(reportFileName("odt")))
        writeOdt(*path, *reportDocument());
}

void HistoryPanel::copyReport()
{
    QGuiApplication::clipboard()->setMimeData(reportMimeData(*reportDocument(), reportDocumentLines()));
}

void HistoryPanel::addReport(const CalculationReport &report)
{
    reports_.push_back(report);
}

QStringList HistoryPanel::reportDocumentLines() const
{
    if (reports_.empty())
        return {noCalculationsText()};
    QStringList lines;
    for (const CalculationReport &report : reports_) {
        if (!lines.isEmpty())
            lines << QString();
        for (const std::string &line : reportLines(report))
            lines << QString::fromStdString(line);
    }
    return lines;
}

void HistoryPanel::clear()
{
    box_->clear();
    reports_.clear();
    file_.clear();
    markKept();
}

void HistoryPanel::open()
{
    if (const auto path = dialogs_.chooseFileToOpen())
        load(*path);
}

void HistoryPanel::save()
{
    if (const auto path = dialogs_.chooseFileToSave())
        saveTo(*path);
}

void HistoryPanel::load(const QString &path, HistoryCapacity capacity)
{
    const BusyCursor busy;
    const QString text = readHistoryFile(path, capacity);
    const QTextDocument *document = box_->document();
    reports_.clear();
    file_ = QString::fromStdString(nativePath(path.toStdString()));
    if (text.size() == document->characterCount() - 1 && text == historyText(box_)) {
        markKept();
        return;
    }

    // The text is replaced in one step and shown once, from its start.
    const RepertoireKeeper::Trusted trusted(*keeper_);
    box_->setUpdatesEnabled(false);
    box_->setPlainText(text);
    box_->moveCursor(QTextCursor::Start);
    box_->verticalScrollBar()->setValue(0);
    box_->setUpdatesEnabled(true);
    markKept();
}

void HistoryPanel::saveTo(const QString &path)
{
    const BusyCursor busy;
    saveHistoryFile(path, fileBytes());
    file_ = QString::fromStdString(nativePath(path.toStdString()));
    markKept();
}

bool HistoryPanel::hasUnsavedWork() const
{
    return box_->document()->isModified();
}

void HistoryPanel::markKept() const
{
    // The document's own mark: any edit sets it, and undoing back to this
    // point clears it again.
    box_->document()->setModified(false);
}

QByteArray HistoryPanel::fileBytes() const
{
    return historyBytesFromText(box_->document()->toRawText());
}

} // namespace naklon
