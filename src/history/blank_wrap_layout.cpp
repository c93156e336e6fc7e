#include "history/blank_wrap_layout.h"

#include <QPlainTextEdit>
#include <QTextBlock>
#include <QTextDocument>
#include <QTextLayout>
#include <QtMath>

namespace naklon {
namespace {

bool isBlank(QChar c)
{
    return c == QLatin1Char(' ') || c == QLatin1Char('\t');
}

// Where a row from `start` that Qt ended before `end` should end: right
// after its last blank when Qt's break splits a run of characters without a
// blank, else where Qt ended it (also when the row holds no blank: a run
// longer than a row breaks where it must).
int rowEnd(const QString &text, int start, int end)
{
    if (end <= start || end >= text.size() || isBlank(text.at(end - 1)) || isBlank(text.at(end)))
        return end;
    for (int i = end - 1; i >= start; --i) {
        if (isBlank(text.at(i)))
            return i + 1;
    }
    return end;
}

} // namespace

QRectF BlankWrapLayout::blockBoundingRect(const QTextBlock &block) const
{
    // The base lays the block out when it has no lines yet; its rectangle is
    // taken again when the lines changed.
    const QRectF laidOut = QPlainTextDocumentLayout::blockBoundingRect(block);
    if (!rewrapAtBlanks(block))
        return laidOut;
    return QPlainTextDocumentLayout::blockBoundingRect(block);
}

bool BlankWrapLayout::rewrapAtBlanks(const QTextBlock &block) const
{
    QTextLayout *layout = block.layout();
    const QString text = block.text();
    bool needed = false;
    for (int i = 0; i < layout->lineCount() && !needed; ++i) {
        const QTextLine line = layout->lineAt(i);
        const int end = line.textStart() + line.textLength();
        needed = rowEnd(text, line.textStart(), end) != end;
    }
    if (!needed)
        return false;

    // The base's own line settings: the width, the leading, the margin.
    const QTextLine first = layout->lineAt(0);
    const qreal width = first.width();
    const qreal left = first.position().x();
    qreal top = first.position().y();
    layout->beginLayout();
    for (QTextLine line = layout->createLine(); line.isValid(); line = layout->createLine()) {
        line.setLeadingIncluded(true);
        line.setLineWidth(width);
        const int start = line.textStart();
        const int end = start + line.textLength();
        const int wanted = rowEnd(text, start, end);
        if (wanted != end)
            line.setNumColumns(wanted - start, width);
        line.setPosition(QPointF(left, top));
        top += line.height();
        if (line.leading() < 0)
            top += qCeil(line.leading());
    }
    layout->endLayout();

    const int before = document()->lineCount();
    const_cast<QTextBlock &>(block).setLineCount(block.isVisible() ? layout->lineCount() : 0);
    if (document()->lineCount() != before)
        emit const_cast<BlankWrapLayout *>(this)->documentSizeChanged(documentSize());
    return true;
}

void wrapAtBlanksOnly(QPlainTextEdit *box)
{
    auto *document = new QTextDocument(box);
    document->setDocumentLayout(new BlankWrapLayout(document));
    document->setDefaultFont(box->font());
    box->setDocument(document);
}

} // namespace naklon
