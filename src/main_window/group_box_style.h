#pragma once

#include <QProxyStyle>

namespace naklon {

// The style of the main window's group boxes, drawn as the window layout
// expects them: the caption at the box's top edge, at the left it has in the
// window's style, and the frame's top line through the vertical middle of
// the caption, broken by the caption with a small gap on the box's own
// background. The frame is the classic etched line (dark above, light
// below). Where the caption stands, its glyphs stay clear of the labels the
// layout puts 16 px below the box's top.
//   caption 15 px high (font height 17) -> caption 0..17, top line at 8
class GroupBoxStyle final : public QProxyStyle {
    Q_OBJECT

public:
    explicit GroupBoxStyle(QStyle *base);

    // Blank on either side of the caption where it breaks the top line.
    static constexpr int kCaptionGap = 2;

    QRect subControlRect(ComplexControl control,
        const QStyleOptionComplex *option,
        SubControl part,
        const QWidget *widget) const override;
    void drawComplexControl(ComplexControl control,
        const QStyleOptionComplex *option,
        QPainter *painter,
        const QWidget *widget) const override;
};

} // namespace naklon
