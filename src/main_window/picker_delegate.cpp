#include "main_window/picker_delegate.h"

#include <QComboBox>
#include <QPainter>
#include <QStyleOptionComboBox>

#include <algorithm>

namespace naklon {

void PickerItemDelegate::paint(QPainter *painter, const QStyleOptionViewItem &option, const QModelIndex &index) const
{
    const bool selected = option.state & QStyle::State_Selected;
    const QPalette::ColorGroup group = option.state & QStyle::State_Enabled ? QPalette::Normal : QPalette::Disabled;
    painter->save();
    painter->fillRect(option.rect, option.palette.brush(group, selected ? QPalette::Highlight : QPalette::Base));
    painter->setPen(option.palette.color(group, selected ? QPalette::HighlightedText : QPalette::Text));
    painter->setFont(option.font);
    const QRect textRect = option.rect.adjusted(kTextIndent, 0, 0, 0);
    painter->drawText(textRect, Qt::AlignLeft | Qt::AlignVCenter | Qt::TextSingleLine,
        index.data(Qt::DisplayRole).toString());
    painter->restore();
}

QSize PickerItemDelegate::sizeHint(const QStyleOptionViewItem &option, const QModelIndex &index) const
{
    const QSize natural = QStyledItemDelegate::sizeHint(option, index);
    return {natural.width() + kTextIndent, kItemHeight};
}

PickerStyle::PickerStyle(QStyle *base) : QProxyStyle(base)
{
}

QRect PickerStyle::subControlRect(
    ComplexControl control, const QStyleOptionComplex *option, SubControl part, const QWidget *widget) const
{
    const QRect designed = QProxyStyle::subControlRect(control, option, part, widget);
    const auto *list = qobject_cast<const QComboBox *>(widget);
    if (control != CC_ComboBox || !list || (part != SC_ComboBoxArrow && part != SC_ComboBoxEditField))
        return designed;
    const QRect field = QProxyStyle::subControlRect(control, option, SC_ComboBoxEditField, widget);
    const QRect arrow = QProxyStyle::subControlRect(control, option, SC_ComboBoxArrow, widget);
    int widest = 0;
    for (int i = 0; i < list->count(); ++i)
        widest = std::max(widest, list->fontMetrics().horizontalAdvance(list->itemText(i)));
    if (list->isEditable())
        widest = std::max(widest, list->fontMetrics().horizontalAdvance(list->currentText()));
    // The text is drawn one pixel in from each side of the field, two in an
    // edit part.
    const int spare = field.width() - (list->isEditable() ? 4 : 2) - widest;
    const int gain = std::clamp(spare < 0 ? -spare : 0, 0, std::max(0, arrow.width() - kNarrowestArrow));
    if (part == SC_ComboBoxEditField)
        return field.adjusted(0, 0, gain, 0);
    return arrow.adjusted(gain, 0, 0, 0);
}

} // namespace naklon
