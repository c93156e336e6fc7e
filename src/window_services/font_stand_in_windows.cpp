#include "window_services/font_stand_in.h"

#include <QCoreApplication>
#include <QDir>
#include <QFontDatabase>
#include <QtGlobal>

namespace naklon {

void chooseFontRenderer()
{
    if (!qEnvironmentVariableIsSet("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "windows:fontengine=freetype");
}

// Microsoft Sans Serif is MS Sans Serif redrawn in TrueType, with the same
// metrics, and comes with every Windows version since 2000. Where it is
// missing (a reduced system, wine), the program's own copy of the face the
// Linux build draws with, from the "fonts" folder beside the program.
QStringList systemFontStandIns()
{
    const QDir bundled(QCoreApplication::applicationDirPath() + QStringLiteral("/fonts"));
    for (const QString &name : bundled.entryList({QStringLiteral("*.ttf")}, QDir::Files, QDir::Name))
        QFontDatabase::addApplicationFont(bundled.filePath(name));
    return {QStringLiteral("Microsoft Sans Serif"), QStringLiteral("Liberation Sans")};
}

} // namespace naklon
