#include "app/desktop_independence.h"

#include "window_services/colours.h"

#include <QApplication>
#include <QLibraryInfo>
#include <QLocale>
#include <QSettings>
#include <QStyleFactory>
#include <QTranslator>

namespace naklon {

bool installQtRussian(QApplication &application)
{
    // Only the catalogue of Qt's widgets and dialogs: the others (network,
    // multimedia, ...) are of no use here and would cost time at start.
    auto *translator = new QTranslator(&application);
    if (!translator->load(QStringLiteral("qtbase_ru"), QLibraryInfo::path(QLibraryInfo::TranslationsPath))) {
        delete translator;
        return false;
    }
    if (!QCoreApplication::installTranslator(translator))
        return false;
    // Texts Qt takes from the system by the language of the default locale
    // (descriptions of file kinds in the file dialogs) follow. The separators
    // of results still come from the user's own locale settings.
    QLocale::setDefault(QLocale(QLocale::Russian, QLocale::Russia));
    return true;
}

void storeNoSettings()
{
    // Settings go to files, never to the Windows registry, and the folder
    // for them is the program's own file: a file holds no folder, so no
    // settings file can be created below it, and none is ever found there.
    QSettings::setDefaultFormat(QSettings::IniFormat);
    const QString nowhere = QCoreApplication::applicationFilePath();
    for (const QSettings::Format format : {QSettings::NativeFormat, QSettings::IniFormat}) {
        for (const QSettings::Scope scope : {QSettings::UserScope, QSettings::SystemScope})
            QSettings::setPath(format, scope, nowhere);
    }
}

void settleDesktopDependence(QApplication &application)
{
    storeNoSettings();
    installQtRussian(application);
    QApplication::setStyle(QStyleFactory::create(QStringLiteral("Fusion")));
    // Read after the style is set: without a platform theme the desktop's
    // palette is the style's own.
    const QPalette desktop = QApplication::palette();
    const QPalette chosen = programPalette(desktop);
    if (chosen != desktop)
        QApplication::setPalette(chosen);
}

} // namespace naklon
