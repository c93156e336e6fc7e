#pragma once

#include <QString>
#include <QStringList>

class QMimeData;
class QPagedPaintDevice;
class QTextDocument;

namespace naklon {

// Lays `document` out on the pages of `device` (a printer or a PDF writer)
// and paints it, "стр. N из M" in its default font at the foot of every
// page; no row of text is cut by a page's end. False when the device cannot
// be painted on. The document keeps the layout of the device.
bool paintPaged(QPagedPaintDevice &device, QTextDocument &document);

// The document as an OpenDocument text, as QTextDocumentWriter writes one:
// its tables, sub- and superscripts and bold kept. Saved as writePdfFile
// (documents/paper.h) saves; throws cannotCreateFile (core/failures.h).
void writeOdt(const QString &path, const QTextDocument &document);

// What the clipboard gets: the document as HTML, with its tables, sub- and
// superscripts, for a word processor, and `lines` as plain text.
QMimeData *reportMimeData(const QTextDocument &document, const QStringList &lines);

} // namespace naklon
