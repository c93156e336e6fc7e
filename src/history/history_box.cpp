#include "history/history_box.h"

#include "core/history_text.h"

#include <QPlainTextEdit>
#include <QTextCursor>
#include <QTextDocument>

namespace naklon {
namespace {

// Which of the two cases of the append rule applies depends only on the
// history's last character, so the rule is given that character alone
// instead of a copy of the whole (possibly long) text. A block boundary in
// the document is a line break of the history.
std::string lastCharacterOf(const QTextDocument &document)
{
    const int length = document.characterCount() - 1; // without the final paragraph separator
    if (length <= 0)
        return {};
    const QChar last = document.characterAt(length - 1);
    if (last == QChar::ParagraphSeparator || last == QChar::LineFeed)
        return "\n";
    return QString(last).toStdString();
}

} // namespace

QString initialHistoryText()
{
    return QString::fromStdString(std::string(kInitialHistory)).replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
}

void appendHistoryLine(QPlainTextEdit *box, std::string_view line)
{
    const std::string insertion = historyAppendInsertion(lastCharacterOf(*box->document()), line);
    QString text = QString::fromUtf8(insertion.data(), static_cast<qsizetype>(insertion.size()));
    text.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));

    QTextCursor cursor(box->document());
    cursor.movePosition(QTextCursor::End);
    cursor.insertText(text);
    box->setTextCursor(cursor);
    box->ensureCursorVisible();
}

} // namespace naklon
