#pragma once

class QApplication;

namespace naklon {

// Settles what the program takes from the desktop, once, right after the
// application object is made and before any window exists:
// - Qt's own texts (file dialogs, context menus, message box buttons) in
//   Russian, whatever the user's locale, as all the program's own texts are;
// - the Fusion style, whatever style a platform theme asks for, so the
//   windows look as designed on every desktop;
// - the system colours from programPalette(): the desktop's when its
//   palette carries the windows' texts, else the program's light one;
// - no settings file: Qt's file dialog would keep its folder history and
//   view in a settings file of its own between runs.
void settleDesktopDependence(QApplication &application);

// Loads Qt's Russian translations of its own texts and installs them into
// `application`; false when they are not installed on this system.
bool installQtRussian(QApplication &application);

// Points every settings file Qt would read or write at a place that can
// never hold a file, and keeps settings out of the Windows registry, so
// nothing is read at start or stored at exit. Needs the application object.
void storeNoSettings();

} // namespace naklon
