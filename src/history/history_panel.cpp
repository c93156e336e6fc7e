#include "history/history_panel.h"

#include "history/history_dialogs.h"
#include "history/history_file.h"
#include "history/history_repertoire.h"
#include "history/windows1251_text.h"

#include <QGuiApplication>
#include <QPlainTextEdit>
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
    : QObject(box), box_(box), dialogs_(dialogs), keeper_(new RepertoireKeeper(box))
{
    markKept();
}

void HistoryPanel::clear()
{
    box_->clear();
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

void HistoryPanel::saveTo(const QString &path) const
{
    const BusyCursor busy;
    saveHistoryFile(path, fileBytes());
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
