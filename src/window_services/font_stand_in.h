#pragma once

#include <QString>
#include <QStringList>

namespace naklon {

// The face the windows draw a family of their layouts with. The layouts
// name "MS Sans Serif", a bitmap face of old Windows versions that does not
// scale: it is drawn with the first of this system's stand-ins that is
// installed, or as named when none is.
//   "MS Sans Serif" -> "Liberation Sans" (Linux), "Microsoft Sans Serif"
//   (Windows, its TrueType successor), else the bundled "Liberation Sans"
QString fontStandIn(const QString &designedFamily);

// Settles, before the application object exists, how the faces are drawn:
// on Windows by FreeType, as on Linux, so that every text has the widths it
// has there and one weight (the system's own renderer draws some words of a
// face heavier than the rest). Nothing to do on Linux. A platform the user
// names stays as named. One implementation for each system.
void chooseFontRenderer();

// This system's stand-ins for "MS Sans Serif", best first, with any face
// the program brings along registered before they are looked for. One
// implementation for each system.
QStringList systemFontStandIns();

} // namespace naklon
