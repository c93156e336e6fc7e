#pragma once

class QPoint;
class QRect;
class QWidget;

namespace naklon {

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
