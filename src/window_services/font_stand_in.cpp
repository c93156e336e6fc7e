#include "window_services/font_stand_in.h"

#include <QFontDatabase>

namespace naklon {

QString fontStandIn(const QString &designedFamily)
{
    if (designedFamily != QLatin1String("MS Sans Serif"))
        return designedFamily;
    // Settled once: the faces installed do not change while the program runs.
    static const QString chosen = [] {
        for (const QString &standIn : systemFontStandIns()) {
            if (QFontDatabase::hasFamily(standIn))
                return standIn;
        }
        return QStringLiteral("MS Sans Serif");
    }();
    return chosen;
}

} // namespace naklon
