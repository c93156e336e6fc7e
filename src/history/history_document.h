#pragma once

#include "documents/paper.h"

#include <QFont>
#include <QString>
#include <QStringList>

class QFontMetricsF;
class QPagedPaintDevice;

namespace naklon {

// The rows `line` takes in `width`: broken only at blanks and tabs, as a
// history box breaks them, so that "4,954.1кг" stays on one row; a run
// without blanks that is longer than a row breaks where it must. A tab
// reaches the next multiple of `tabStop`, as in the box. Blanks inside a
// row stay as they are; those where a row ends are dropped.
//   ("Поперечная сила   14,307.2 кг", room for 20 characters, any tab stop)
//     -> {"Поперечная сила", "14,307.2 кг"}
QStringList wrapAtBlanks(const QString &line, const QFontMetricsF &metrics, qreal width, qreal tabStop);

// Lays out and paints a document of `lines` on `device` (a printer or a
// PDF writer): the header on the first page, the lines in `font` wrapped by
// wrapAtBlanks() to the page's width, and "стр. 1 из 3" at the foot of every
// page. No lines give one page with the header. False when the device
// cannot be painted on.
bool paintDocument(QPagedPaintDevice &device, const DocumentHeader &header, const QStringList &lines, QFont font);

// Writes the document as a PDF/A-1b file at `path`, as writePdfFile
// (documents/paper.h) writes one. Throws cannotCreateFile (core/failures.h).
void writePdf(const QString &path, const DocumentHeader &header, const QStringList &lines, const QFont &font);

} // namespace naklon
