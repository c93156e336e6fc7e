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

// This system's stand-ins for "MS Sans Serif", best first, with any face
// the program brings along registered before they are looked for. One
// implementation for each system.
QStringList systemFontStandIns();

} // namespace naklon
