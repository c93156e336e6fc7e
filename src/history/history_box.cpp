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
char16_t lastCharacterOf(const QTextDocument &document)
{
    const int length = document.characterCount() - 1; // without the final paragraph separator
    if (length <= 0)
        return 0;
    const QChar last = document.characterAt(length - 1);
    return last == QChar::ParagraphSeparator ? static_cast<char16_t>(kLineBreak) : last.unicode();
}

std::u16string_view unitsOf(QStringView text)
{
    return {text.utf16(), static_cast<std::size_t>(text.size())};
}

} // namespace

QString initialHistoryText()
{
    return QString::fromLatin1(kInitialHistory.data(), static_cast<qsizetype>(kInitialHistory.size()));
}

void appendHistoryLine(QPlainTextEdit *box, QStringView line)
{
    const char16_t last = lastCharacterOf(*box->document());
    const std::u16string insertion =
        historyAppendInsertion(last == 0 ? std::u16string_view() : std::u16string_view(&last, 1), unitsOf(line));

    QTextCursor cursor(box->document());
    cursor.movePosition(QTextCursor::End);
    cursor.insertText(QString::fromStdU16String(insertion));
    box->setTextCursor(cursor);
    box->ensureCursorVisible();
}

} // namespace naklon
