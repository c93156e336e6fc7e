#pragma once

#include <QColor>
#include <QPalette>
#include <QStringView>

namespace naklon {

// The colour names the window layout uses (clBtnFace, clMoneyGreen, ...).
// Fixed colours have their RGB value; system colours are taken from the
// roles of `system` that stand for them on this platform:
//   clBtnFace -> Window, clWindow -> Base, clWindowText -> WindowText,
//   clActiveCaption -> Highlight, darkened as far as it takes for text in
//   clWindow to read on it (contrast 4.5:1), as on a title bar;
//   clGradientActiveCaption -> Highlight halfway to Base,
//   clInfoBk -> ToolTipBase.
// An unknown name gives an invalid colour.
//   ("clMoneyGreen", any) -> QColor(192, 220, 192)
QColor namedColour(QStringView name, const QPalette &system);

// The contrast of two colours by their relative luminance, from 1 (the same)
// to 21 (black and white); 4.5 is the least at which small text reads.
//   (black, white) -> 21, (white, clGray) -> 3.95
double contrastRatio(const QColor &a, const QColor &b);

// The program's own light palette: the classic values of the system colours
// (clBtnFace 212, 208, 200; clWindow white; clWindowText black;
// clActiveCaption and the highlight 10, 36, 106; clInfoBk 255, 255, 225)
// on every palette role.
QPalette classicPalette();

// The palette the windows take their system colours from: the desktop's own
// when every text of the windows reads on what is behind it at 4.5:1 at
// least with it (a light palette of dark text on light colours), else the
// program's classic palette (a dark palette, or a light one whose colours do
// not carry the windows' texts).
QPalette programPalette(const QPalette &desktop);

} // namespace naklon
