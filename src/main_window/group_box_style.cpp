#include "main_window/group_box_style.h"

#include <QPainter>
#include <QStyleOptionGroupBox>
#include <qdrawutil.h>

namespace naklon {

GroupBoxStyle::GroupBoxStyle(QStyle *base) : QProxyStyle(base)
{
}

QRect GroupBoxStyle::subControlRect(
    ComplexControl control, const QStyleOptionComplex *option, SubControl part, const QWidget *widget) const
{
    const auto *box = qstyleoption_cast<const QStyleOptionGroupBox *>(option);
    if (control != CC_GroupBox || !box || box->text.isEmpty())
        return QProxyStyle::subControlRect(control, option, part, widget);
    const int captionHeight = box->fontMetrics.height();
    if (part == SC_GroupBoxLabel) {
        // Only moved up to the top edge: its left and width stay the base
        // style's.
        const QRect base = QProxyStyle::subControlRect(control, option, part, widget);
        return {base.left(), option->rect.top(), base.width(), captionHeight};
    }
    if (part == SC_GroupBoxFrame)
        return option->rect.adjusted(0, captionHeight / 2, 0, 0);
    return QProxyStyle::subControlRect(control, option, part, widget);
}

void GroupBoxStyle::drawComplexControl(
    ComplexControl control, const QStyleOptionComplex *option, QPainter *painter, const QWidget *widget) const
{
    const auto *box = qstyleoption_cast<const QStyleOptionGroupBox *>(option);
    if (control != CC_GroupBox || !box) {
        QProxyStyle::drawComplexControl(control, option, painter, widget);
        return;
    }
    const bool captioned = !box->text.isEmpty() && (box->subControls & SC_GroupBoxLabel);
    const QRect caption = subControlRect(control, option, SC_GroupBoxLabel, widget);
    if (box->subControls & SC_GroupBoxFrame) {
        painter->save();
        if (captioned) {
            QRegion outside(option->rect);
            outside -= caption.adjusted(-kCaptionGap, 0, kCaptionGap, 0);
            painter->setClipRegion(outside);
        }
        const QRect frame = subControlRect(control, option, SC_GroupBoxFrame, widget);
        qDrawShadeRect(painter, frame, box->palette, true, 1, 0);
        painter->restore();
    }
    if (captioned) {
        drawItemText(painter, caption, Qt::AlignLeft | Qt::AlignVCenter | Qt::TextShowMnemonic, box->palette,
            box->state & State_Enabled, box->text, QPalette::WindowText);
    }
}

} // namespace naklon
