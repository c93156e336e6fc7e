#include "window_services/locale_format.h"

#include "window_services/text_bridge.h"

#include <QLocale>

namespace naklon {

NumberFormat numberFormatOf(const QLocale &locale)
{
    return numberFormatFromLocale(coreText(locale.decimalPoint()), coreText(locale.groupSeparator()));
}

NumberFormat systemNumberFormat()
{
    return numberFormatOf(QLocale::system());
}

} // namespace naklon
