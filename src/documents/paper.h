#pragma once

#include <QString>

#include <functional>

class QFont;
class QIODevice;
class QPageLayout;
class QPagedPaintDevice;
class QPaintDevice;
class QPainter;

namespace naklon {

// What stands above a printed history or report.
struct DocumentHeader {
    QString program; // "Расчет наклонных сечений"
    QString page;    // "Хомуты"
    QString date;    // "08.12.2026"
    QString file;    // the file the history came from or went to; empty for none
};

// A4 upright with the margins of a design file: 20 mm on the binding side,
// 15 mm elsewhere.
QPageLayout documentPageLayout();

// The document's name, for a printer's queue and a PDF's title:
// "Расчет наклонных сечений — Хомуты".
QString documentTitle(const DocumentHeader &header);

// The foot of every page: two rows of `font` kept free, the folio
// "стр. 2 из 3" on the last of them, centred, in black.
qreal folioSpace(const QFont &font, QPaintDevice &device);
void paintFolio(QPainter &painter, const QFont &font, int page, int pages);

// Paints a document on a printer or a PDF writer; false when the device
// cannot be painted on.
using PaintPages = std::function<bool(QPagedPaintDevice &)>;

// Writes what `paint` paints as a PDF/A-1b file at `path`, its fonts
// embedded and titled "program — page", saved as saveFileBytes
// (files/file_bytes.h) saves: the file appears only once it is whole, and a
// failure names it by its native path with the system's reason. Throws
// cannotCreateFile (core/failures.h).
void writePdfFile(const QString &path, const DocumentHeader &header, const PaintPages &paint);

// Writes a document whole in memory with `make` (false when it could not),
// then saves it at `path` as writePdfFile saves a PDF.
using MakeDocument = std::function<bool(QIODevice &)>;
void saveMadeDocument(const QString &path, const MakeDocument &make);

} // namespace naklon
