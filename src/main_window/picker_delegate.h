#pragma once

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

} // namespace naklon
