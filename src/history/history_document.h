#pragma once

#include <QFont>
#include <QString>
#include <QStringList>

class QFontMetricsF;
class QPageLayout;
class QPagedPaintDevice;

namespace naklon {

// What stands above a printed history or report.
struct DocumentHeader {
    QString program; // "Расчет наклонных сечений"
    QString page;    // "Хомуты"
    QString date;    // "08.12.2026"
    QString file;    // the file the history came from or went to; empty for none
};

// The rows `line` takes in `width`: broken only at blanks, as a history box
// breaks them, so that "14 307,2 кг" or "4,954.1кг" stays on one row; a run
// without blanks that is longer than a row breaks where it must. Blanks
// inside a row stay as they are; those where a row ends are dropped.
//   ("Поперечная сила   14,307.2 кг", room for 20 characters)
//     -> {"Поперечная сила", "14,307.2 кг"}
QStringList wrapAtBlanks(const QString &line, const QFontMetricsF &metrics, qreal width);

// Lays out and paints a document of `lines` on `device` (a printer or a
// PDF writer): the header on the first page, the lines in `font` wrapped by
// wrapAtBlanks() to the page's width, and "стр. 1 из 3" at the foot of every
// page. No lines give one page with the header. False when the device
// cannot be painted on.
bool paintDocument(QPagedPaintDevice &device, const DocumentHeader &header, const QStringList &lines, QFont font);

// A4 upright with the margins of a design file: 20 mm on the binding side,
// 15 mm elsewhere.
QPageLayout documentPageLayout();

// Writes the document as a PDF file at `path`, its fonts embedded, saved as
// saveFileBytes (files/file_bytes.h) saves: the file appears only once it is
// whole, and a failure names it by its native path with the system's reason.
// Throws cannotCreateFile (core/failures.h).
void writePdf(const QString &path, const DocumentHeader &header, const QStringList &lines, const QFont &font);

} // namespace naklon
