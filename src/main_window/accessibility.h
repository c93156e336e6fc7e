#pragma once

class QWidget;

namespace naklon {

// Gives every control of a window the name a screen reader speaks for it,
// taken from what a sighted user reads next to it:
// - an edit field: the label right above it, which also becomes the label's
//   buddy ("Шаг (см)" for the spacing field of "Хомуты");
// - a class list: the caption on its right ("Класс бетона"), both labels of
//   its row becoming its buddies; an editable list without a label is named
//   by the prompt it shows at the time of the call ("Угол (град)" for the
//   angle list of "Отрыв");
// - a push button or an option: its caption;
// - a history box: the caption of its group ("История вычислений");
// - the tab strip: the window's title.
// Surrounding blanks of a caption are not spoken. The tab order is left as
// it is.
//
// Options that relabel a field do so in their clicked handlers; the names of
// the fields are read again from their labels after every option click, so
// call this after the window has connected its own handlers.
void nameControlsFromCaptions(QWidget *window);

} // namespace naklon
