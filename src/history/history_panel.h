#pragma once

#include <QByteArray>
#include <QObject>
#include <QString>

#include "history/history_file.h"

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
    void saveTo(const QString &path) const;

    // Whether the history holds work that would be lost: it differs from what
    // it held after the last successful open, save or clear (a calculation or
    // typing since then). The history a page starts with holds none.
    bool hasUnsavedWork() const;

private:
    // The history as its file holds it: Windows-1251, CR LF line breaks.
    QByteArray fileBytes() const;
    // What the history holds now is kept (in a file, or cleared on purpose).
    void markKept() const;

    QPlainTextEdit *box_;
    HistoryDialogs &dialogs_;
    RepertoireKeeper *keeper_;
};

} // namespace naklon
