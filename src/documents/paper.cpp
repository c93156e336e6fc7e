#include "documents/paper.h"

#include "core/failures.h"
#include "files/file_bytes.h"

#include <QBuffer>
#include <QByteArray>
#include <QFont>
#include <QFontMetricsF>
#include <QPageLayout>
#include <QPageSize>
#include <QPainter>
#include <QPdfWriter>

#include <string_view>

namespace naklon {
namespace {

constexpr int kResolution = 300; // of a PDF's coordinates, dots per inch

} // namespace

QPageLayout documentPageLayout()
{
    return QPageLayout(QPageSize(QPageSize::A4), QPageLayout::Portrait, QMarginsF(20, 15, 15, 15),
        QPageLayout::Millimeter);
}

qreal folioSpace(const QFont &font, QPaintDevice &device)
{
    return 2 * QFontMetricsF(font, &device).lineSpacing();
}

void paintFolio(QPainter &painter, const QFont &font, int page, int pages)
{
    const QPaintDevice &device = *painter.device();
    const qreal row = QFontMetricsF(font, &device).lineSpacing();
    painter.setFont(font);
    painter.setPen(Qt::black);
    painter.drawText(QRectF(0, device.height() - row, device.width(), row), Qt::AlignHCenter | Qt::AlignBottom,
        QStringLiteral("стр. %1 из %2").arg(page).arg(pages));
}

QString documentTitle(const DocumentHeader &header)
{
    return header.program + QStringLiteral(" — ") + header.page;
}

void writePdfFile(const QString &path, const DocumentHeader &header, const PaintPages &paint)
{
    saveMadeDocument(path, [&](QIODevice &device) {
        QPdfWriter writer(&device);
        // The archive's form of PDF: every font embedded, the metadata in
        // XMP, nothing that needs anything beyond the file to show.
        writer.setPdfVersion(QPagedPaintDevice::PdfVersion_A1b);
        writer.setResolution(kResolution);
        writer.setPageLayout(documentPageLayout());
        writer.setTitle(documentTitle(header));
        writer.setCreator(header.program);
        return paint(writer);
    });
}

void saveMadeDocument(const QString &path, const MakeDocument &make)
{
    // Made whole in memory first, then saved as a history file is.
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    if (!make(buffer))
        throw cannotCreate(path.toStdString(), outputFailedCode());
    buffer.close();
    saveFileBytes(path.toStdString(), std::string_view(bytes.constData(), static_cast<std::size_t>(bytes.size())));
}

} // namespace naklon
