#include "documents/report_outputs.h"

#include "documents/paper.h"

#include <QAbstractTextDocumentLayout>
#include <QMimeData>
#include <QPagedPaintDevice>
#include <QPainter>
#include <QTextDocument>
#include <QTextDocumentWriter>
#include <QTextFrame>
#include <QTextTable>

#include <memory>

namespace naklon {

bool paintPaged(QPagedPaintDevice &device, QTextDocument &document)
{
    const QFont font = document.defaultFont();
    // The folio takes its rows at the foot; the text has the rest.
    document.documentLayout()->setPaintDevice(&device);
    const QSizeF page(device.width(), device.height() - folioSpace(font, device));
    document.setPageSize(page);
    const int pages = document.pageCount();

    QPainter painter;
    if (!painter.begin(&device))
        return false;
    for (int index = 0; index < pages; ++index) {
        if (index > 0 && !device.newPage())
            return false;
        const QRectF shown(0, index * page.height(), page.width(), page.height());
        painter.save();
        painter.translate(0, -shown.top());
        painter.setClipRect(shown);
        QAbstractTextDocumentLayout::PaintContext context;
        context.clip = shown;
        context.palette.setColor(QPalette::Text, Qt::black);
        document.documentLayout()->draw(&painter, context);
        painter.restore();
        paintFolio(painter, font, index + 1, pages);
    }
    return painter.end();
}

namespace {

// The document with its tables' widths left to the word processor. Qt's
// OpenDocument writer gives a width of 100 % as "100pt" and a column's share
// as a length it is not; without them a table spans the text's width, as
// on paper.
std::unique_ptr<QTextDocument> withFreeTableWidths(const QTextDocument &document)
{
    std::unique_ptr<QTextDocument> copy(document.clone());
    for (QTextFrame *frame : copy->rootFrame()->childFrames()) {
        if (auto *table = qobject_cast<QTextTable *>(frame)) {
            QTextTableFormat format = table->format();
            format.clearColumnWidthConstraints();
            format.setWidth(QTextLength());
            table->setFormat(format);
        }
    }
    return copy;
}

} // namespace

void writeOdt(const QString &path, const QTextDocument &document)
{
    const std::unique_ptr<QTextDocument> forWord = withFreeTableWidths(document);
    saveMadeDocument(path, [&](QIODevice &device) {
        QTextDocumentWriter writer(&device, QByteArrayLiteral("odf"));
        return writer.write(forWord.get());
    });
}

QMimeData *reportMimeData(const QTextDocument &document, const QStringList &lines)
{
    auto *data = new QMimeData;
    data->setHtml(document.toHtml());
    data->setText(lines.join(u'\n'));
    return data;
}

} // namespace naklon
