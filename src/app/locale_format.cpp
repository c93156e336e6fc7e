#include "app/locale_format.h"

#include <QLocale>

namespace naklon {

NumberFormat numberFormatOf(const QLocale &locale)
{
    return numberFormatFromLocale(locale.decimalPoint().toStdString(), locale.groupSeparator().toStdString());
}

NumberFormat systemNumberFormat()
{
    return numberFormatOf(QLocale::system());
}

} // namespace naklon
