#include "window_services/window_placement.h"

#include <QGuiApplication>
#include <QRect>
#include <QScreen>
#include <QStyle>
#include <QWidget>

#include <algorithm>

namespace naklon {

QPoint placedInside(const QRect &frame, const QRect &area)
{
    const auto axis = [](int start, int length, int areaStart, int areaLength) {
        if (length >= areaLength)
            return areaStart;
        return std::clamp(start, areaStart, areaStart + areaLength - length);
    };
    return {axis(frame.x(), frame.width(), area.x(), area.width()),
        axis(frame.y(), frame.height(), area.y(), area.height())};
}

void keepOnScreen(QWidget *window)
{
    const QPoint place = window->pos();
    QScreen *screen = QGuiApplication::screenAt(place);
    if (!screen)
        screen = window->screen();
    if (!screen)
        return;
    const QRect area = screen->availableGeometry();
    QSize frame = window->frameGeometry().size() - window->size();
    if (!window->testAttribute(Qt::WA_WState_Created) || frame.isNull()) {
        const int border = window->style()->pixelMetric(QStyle::PM_DefaultFrameWidth);
        frame = QSize(2 * border, window->style()->pixelMetric(QStyle::PM_TitleBarHeight) + border);
    }
    if (window->minimumSize() != window->maximumSize()) {
        const QSize room = area.size() - frame;
        if (window->width() > room.width() || window->height() > room.height())
            window->resize(window->size().boundedTo(room));
    }
    window->move(placedInside(QRect(place, window->size() + frame), area));
}

} // namespace naklon
