#pragma once

#include "core/number_format.h"

class QLocale;

namespace naklon {

// The number format of a locale as Qt reports it: its decimal point and its
// digit group separator, settled by numberFormatFromLocale().
//   English (US) -> ".", ","    German -> ",", "."    Russian -> ",", U+00A0
NumberFormat numberFormatOf(const QLocale &locale);

// The number format of the user's locale (LC_ALL, LC_NUMERIC, LANG).
NumberFormat systemNumberFormat();

} // namespace naklon
