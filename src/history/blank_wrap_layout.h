#pragma once

#include <QPlainTextDocumentLayout>

class QPlainTextEdit;

namespace naklon {

// The layout of a history box: lines wrap at the box's width only at blanks,
// so a number such as "4,954.1кг" or "4.954,1кг" stays on one row. Qt's own
// line breaking would also break after a separator inside such a number. A
// run of characters without a blank that is longer than a row still breaks
// where it must. The wrapping is on screen only and never enters the text.
class BlankWrapLayout final : public QPlainTextDocumentLayout {
public:
    using QPlainTextDocumentLayout::QPlainTextDocumentLayout;

    QRectF blockBoundingRect(const QTextBlock &block) const override;

private:
    // Lays the block out again with every break moved back to the last
    // blank before it; false when Qt's breaks were all at blanks already.
    bool rewrapAtBlanks(const QTextBlock &block) const;
};

// Gives `box` a document of its own laid out by BlankWrapLayout, in the
// box's font; call before any text is put in.
void wrapAtBlanksOnly(QPlainTextEdit *box);

} // namespace naklon
