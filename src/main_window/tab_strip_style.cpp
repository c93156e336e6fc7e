#include "main_window/tab_strip_style.h"

namespace naklon {

TabStripStyle::TabStripStyle(QStyle *base) : QProxyStyle(base)
{
}

int TabStripStyle::pixelMetric(PixelMetric metric, const QStyleOption *option, const QWidget *widget) const
{
    if (metric == PM_TabBarTabHSpace)
        return kCaptionMargin;
    return QProxyStyle::pixelMetric(metric, option, widget);
}

} // namespace naklon
