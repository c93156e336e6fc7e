#pragma once

#include <QByteArray>
#include <QObject>
#include <QString>

#include "history/history_document.h"
#include "history/history_file.h"
#include "pages/calculation_report.h"

#include <QStringList>

#include <functional>
#include <memory>
#include <vector>

class QAction;
class QPlainTextEdit;
class QPrinter;
class QTextDocument;

namespace naklon {

class HistoryDialogs;
class RepertoireKeeper;

// One page's history: its text box with clear, open and save. The box's own
// text is the history; nothing else holds a copy. Failures are thrown as
// naklon::Exception for the window's one error handler, and every failure
// leaves the history as it was.
class HistoryPanel final : public QObject {
    Q_OBJECT

public:
    // Owned by the box; the dialogs are the ones all pages share.
    HistoryPanel(QPlainTextEdit *box, HistoryDialogs &dialogs);

    // "Отчистить": the box is left with no line at all.
    void clear();
    // "Открыть": asks for a file in the open dialog and loads it.
    void open();
    // "Сохранить": asks for a file in the save dialog and writes the history.
    void save();

    // Replaces the history with the file's text; leaves the box untouched
    // when that text is the history already. The caret goes to the start.
    void load(const QString &path, HistoryCapacity capacity = kHistoryCapacity);
    // Writes the history to `path`.
    void saveTo(const QString &path);

    // The names a printed history and a report carry in their header.
    void setDocumentNames(const QString &program, const QString &page);

    // The box's own menu items for paper and PDF, added below Qt's standard
    // ones; the window runs them (behind its guard) when triggered.
    // "Печать…" (also Ctrl+P while the box has the focus) shows the print
    // preview with its print and page set-up dialogs.
    QAction *printAction() const { return print_; }
    QAction *savePdfAction() const { return savePdf_; }
    void print();
    // "Сохранить в PDF…": the history as the box holds it, as a PDF/A file.
    void savePdf();

    // The submenu "Отчет с формулами": the reports of the calculations made
    // on this page since its history was last opened or cleared, as one
    // document (reportDocument()):
    //   "Просмотр и печать…"          the print preview;
    //   "Сохранить в PDF…"            a PDF/A file;
    //   "Сохранить для Word (ODT)…"   an OpenDocument text;
    //   "Копировать"                  rich text and plain lines to the clipboard.
    QAction *reportPreviewAction() const { return reportPreview_; }
    QAction *reportPdfAction() const { return reportPdf_; }
    QAction *reportOdtAction() const { return reportOdt_; }
    QAction *reportCopyAction() const { return reportCopy_; }
    void previewReport();
    void saveReportPdf();
    void saveReportOdt();
    void copyReport();

    // The report of one more calculation, and all of them, oldest first.
    void addReport(const CalculationReport &report);
    const std::vector<CalculationReport> &reports() const { return reports_; }
    // The report as lines of text: every calculation's reportLines(), an
    // empty line between them, or one line saying there is none.
    QStringList reportDocumentLines() const;
    // The report as the document its menu prints, saves and copies.
    std::unique_ptr<QTextDocument> reportDocument() const;

    // Whether the history holds work that would be lost: it differs from what
    // it held after the last successful open, save or clear (a calculation or
    // typing since then). The history a page starts with holds none.
    bool hasUnsavedWork() const;

private:
    // The history as its file holds it: Windows-1251, CR LF line breaks.
    QByteArray fileBytes() const;
    // What the history holds now is kept (in a file, or cleared on purpose).
    void markKept() const;

    void showMenu(const QPoint &position);
    QAction *action(const char *text, const char *name);
    // Shows the print preview of what `paint` paints, named for `header`.
    void preview(const DocumentHeader &header, const std::function<void(QPrinter *)> &paint);
    DocumentHeader documentHeader() const;
    DocumentHeader reportHeader() const;
    QString reportFileName(const char *suffix) const;
    QStringList historyLines() const;

    QPlainTextEdit *box_;
    HistoryDialogs &dialogs_;
    RepertoireKeeper *keeper_;
    QAction *print_;
    QAction *savePdf_;
    QAction *reportPreview_;
    QAction *reportPdf_;
    QAction *reportOdt_;
    QAction *reportCopy_;
    QString program_;
    QString page_;
    QString file_; // the file the history was last opened from or saved to
    std::vector<CalculationReport> reports_;
};

} // namespace naklon
