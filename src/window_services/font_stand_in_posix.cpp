#include "window_services/font_stand_in.h"

namespace naklon {

void chooseFontRenderer()
{
}

// Liberation Sans has the metrics of Arial, whose proportions MS Sans Serif
// shares closely enough for every text to keep its designed place.
QStringList systemFontStandIns()
{
    return {QStringLiteral("Liberation Sans"), QStringLiteral("Arial")};
}

} // namespace naklon
