#pragma once

class QWidget;

namespace naklon {

// The names a screen reader speaks come from the window layout: each label
// is the buddy of its field or list, so Qt speaks a field by its label's
// caption as it stands (a field relabelled by a mode option is spoken by its
// new caption); a list, whose own name Qt would take from its letter label,
// and a control whose caption starts with blanks carry a fixed accessible
// name; a history box is spoken by the title of its group, a button by its
// caption.
//
// This names the parts Qt builds inside the window's controls, which the
// layout cannot reach: the edit part of an editable list ("Угол (град)" on
// "Отрыв"), where the focus goes, takes the list's name, and the tab strip the
// window's title. Dialogs the window owns are windows of their own and are
// left alone.
void nameInnerParts(QWidget *window);

} // namespace naklon
