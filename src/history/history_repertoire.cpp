#include "history/history_repertoire.h"

#include "history/windows1251_text.h"

#include <QPlainTextEdit>
#include <QTextCursor>
#include <QTextDocument>

#include <vector>

namespace naklon {

RepertoireKeeper::RepertoireKeeper(QPlainTextEdit *box) : QObject(box), box_(box)
{
    QTextDocument *document = box->document();
    // The document tells what changed before its layout has caught up, and
    // must not be edited then; the range is kept and put right once the
    // whole edit is over.
    connect(document, &QTextDocument::contentsChange, this, &RepertoireKeeper::noteChange);
    connect(document, &QTextDocument::contentsChanged, this, &RepertoireKeeper::settle);
}

void RepertoireKeeper::noteChange(int position, int /*charsRemoved*/, int charsAdded)
{
    if (settling_ || trusted_ || charsAdded <= 0)
        return;
    changedFrom_ = position;
    changedTo_ = position + charsAdded;
}

void RepertoireKeeper::settle()
{
    if (settling_ || changedFrom_ < 0)
        return;
    QTextDocument *document = box_->document();
    const int from = changedFrom_;
    // The range may count the document's closing paragraph separator.
    const int to = std::min(changedTo_, document->characterCount() - 1);
    changedFrom_ = changedTo_ = -1;
    if (to <= from)
        return;

    QTextCursor cursor(document);
    cursor.setPosition(from);
    cursor.setPosition(to, QTextCursor::KeepAnchor);
    const QString added = cursor.selectedText(); // one unit per position; U+2029 between blocks

    struct Fix {
        int position;
        int length;
        bool lineBreak;
    };
    std::vector<Fix> fixes;
    for (int i = 0; i < added.size(); ++i) {
        const char16_t unit = added.at(i).unicode();
        if (unit == QChar::ParagraphSeparator || holdsInHistory(unit))
            continue;
        int length = 1;
        if (QChar::isHighSurrogate(unit) && i + 1 < added.size() && added.at(i + 1).isLowSurrogate())
            length = 2;
        fixes.push_back({from + i, length, unit == QChar::LineSeparator});
        i += length - 1;
    }
    if (fixes.empty())
        return;

    settling_ = true;
    cursor.joinPreviousEditBlock();
    for (auto fix = fixes.rbegin(); fix != fixes.rend(); ++fix) {
        cursor.setPosition(fix->position);
        cursor.setPosition(fix->position + fix->length, QTextCursor::KeepAnchor);
        if (fix->lineBreak)
            cursor.insertBlock();
        else
            cursor.insertText(QStringLiteral("?"));
    }
    cursor.endEditBlock();
    settling_ = false;
}

} // namespace naklon
