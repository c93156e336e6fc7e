#pragma once

#include <QColor>
#include <QPalette>
#include <QStringView>

namespace naklon {

// The colour names the window layout uses (clBtnFace, clMoneyGreen, ...).
// Fixed colours have their RGB value; system colours are taken from the
// roles of `system` that stand for them on this platform:
//   clBtnFace -> Window, clWindow -> Base, clWindowText -> WindowText,
//   clActiveCaption -> Highlight, clGradientActiveCaption -> Highlight
//   halfway to Base, clInfoBk -> ToolTipBase.
// An unknown name gives an invalid colour.
//   ("clMoneyGreen", any) -> QColor(192, 220, 192)
QColor namedColour(QStringView name, const QPalette &system);

} // namespace naklon
