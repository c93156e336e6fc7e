#pragma once

#include <QProxyStyle>
#include <QStyledItemDelegate>

namespace naklon {

// How the class lists draw their items: rows 16 px high, the background
// filled, the text 2 px from the row's left edge in the list's own font.
class PickerItemDelegate final : public QStyledItemDelegate {
    Q_OBJECT

public:
    using QStyledItemDelegate::QStyledItemDelegate;

    void paint(QPainter *painter, const QStyleOptionViewItem &option, const QModelIndex &index) const override;
    QSize sizeHint(const QStyleOptionViewItem &option, const QModelIndex &index) const override;

private:
    static constexpr int kItemHeight = 16;
    static constexpr int kTextIndent = 2;
};

// The style of the lists: the window's style with the drop-down arrow of a
// closed list narrowed as far as its widest item needs, so that every item
// shows whole in the list's designed width ("300", not "30"); in a list that
// can be typed into, its text when the style is set (the angle list's
// prompt) counts as an item.
class PickerStyle final : public QProxyStyle {
public:
    explicit PickerStyle(QStyle *base);

    // The arrow never grows past the base style's and never shrinks below
    // this many pixels.
    static constexpr int kNarrowestArrow = 10;

    QRect subControlRect(ComplexControl control,
        const QStyleOptionComplex *option,
        SubControl part,
        const QWidget *widget) const override;
};

} // namespace naklon
