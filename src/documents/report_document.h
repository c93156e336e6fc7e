#pragma once

#include "documents/paper.h"
#include "pages/calculation_report.h"

#include <QFont>

#include <memory>
#include <vector>

class QTextDocument;

namespace naklon {

// The report with formulas of a page's calculations as one rich text
// document, set as a hand calculation is: the header (program, page, date,
// file), then for each calculation its title, a table of the inputs (symbol,
// the field's caption, value, unit), a table of the strengths with their
// classes, and each formula in symbols, with the numbers put in and with its
// result in bold, the history's own digits. Symbols carry real subscripts
// and powers; a number is never broken across rows. A failed calculation
// shows its message in place of its formulas. Lines to sign end it:
// "Расчет выполнил: ________" and "Проверил: ________", each with a date.
//
// Every text the document shares with reportLines() is the same there, its
// non-breaking blanks read as blanks: the title, "Q = √(8 · Rbt · …)",
// "= √(8 · 9,1743 · …)", "= 14 307,2 кг", a verdict and its words.
// No reports give the header and one line saying there were none.
std::unique_ptr<QTextDocument> reportDocument(
    const DocumentHeader &header, const std::vector<CalculationReport> &reports, const QFont &font);

// The line that stands in the report of a page with no calculations.
QString noCalculationsText();

} // namespace naklon
