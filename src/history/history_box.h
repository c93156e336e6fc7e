#pragma once

#include <QString>
#include <QStringView>

class QPlainTextEdit;

namespace naklon {

// The text a history box holds at start: one empty line.
QString initialHistoryText();

// Adds `line` (empty for an empty line) as the new last line of the history
// in `box`. Inserts at the end only, never rebuilding the text, puts the
// caret right after the insertion with nothing selected and scrolls it into
// view.
//   "\n" + "L1"     -> "\nL1\n"
//   "typed" + "L1"  -> "typed\nL1"
void appendHistoryLine(QPlainTextEdit *box, QStringView line);

} // namespace naklon
