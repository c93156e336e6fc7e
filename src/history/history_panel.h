#pragma once

#include <QByteArray>
#include <QObject>
#include <QString>

#include "history/history_document.h"
#include "history/history_file.h"

#include <QList>
#include <QStringList>

class QAction;
class QPlainTextEdit;

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
    QAction *reportPdfAction() const { return reportPdf_; }
    void print();
    // "Сохранить в PDF…": the history as the box holds it, as a PDF file.
    void savePdf();
    // "Отчет с формулами (PDF)…": the reports of the calculations made on
    // this page since its history was last opened or cleared.
    void saveReportPdf();

    // The report of one more calculation, as lines of text.
    void addReport(const QStringList &lines);
    // What "Отчет с формулами" writes: every report, an empty line between
    // them, or one line saying there is none.
    QStringList reportDocumentLines() const;

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
    DocumentHeader documentHeader() const;
    QStringList historyLines() const;

    QPlainTextEdit *box_;
    HistoryDialogs &dialogs_;
    RepertoireKeeper *keeper_;
    QAction *print_;
    QAction *savePdf_;
    QAction *reportPdf_;
    QString program_;
    QString page_;
    QString file_; // the file the history was last opened from or saved to
    QList<QStringList> reports_;
};

} // namespace naklon
