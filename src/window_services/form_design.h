#pragma once

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

} // namespace naklon
