#pragma once

class QPoint;
class QRect;
class QWidget;

namespace naklon {

// Applies the look that the window layout files give as dynamic properties
// of the widgets, to `root` and everything under it:
//   fontPixelSize (int)       -> the widget's font at that pixel height
//   fontColour (colour name)  -> the text colour: a group box's caption, or
//                                the text of any other control
//   backgroundColour (name)   -> the filled background of a group box, a
//                                label or a page; the field colour of an edit
// Colour names are those of namedColour(). Fonts are logical pixels, so
// high-DPI scaling enlarges them with the rest of the window.
void applyFormDesign(QWidget *root);

// The family every window uses, with its substitutes where it is missing
// ("Liberation Sans", then "Arial"). Called once before any window exists.
void registerFontSubstitutes();

// Where a window whose outer frame is `frame` goes so that it lies wholly
// inside `area`, a screen's work area: where it is when it fits there, else
// moved the least it takes; a frame wider or higher than the area starts at
// the area's left or top edge.
//   frame 412,301 473x401, area 0,0 1280x1024 -> 412,301
//   frame 412,301 473x401, area 0,0 853x683   -> 380,282
QPoint placedInside(const QRect &frame, const QRect &area);

// Moves the top-level `window`, already at its designed place, onto the work
// area of the screen that shows that place, by placedInside(). A window the
// user may resize that is larger than the work area is first made as small
// as the area. Before the window is first shown its frame is not known; the
// style's title bar and frame widths stand in for it.
void keepOnScreen(QWidget *window);

} // namespace naklon
