#include "documents/paper.h"

#include "core/failures.h"
#include "files/file_bytes.h"

#include <QBuffer>
#include <QByteArray>
#include <QPageLayout>
#include <QPageSize>
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

QString folioText(int page, int pages)
{
    return QStringLiteral("стр. %1 из %2").arg(page).arg(pages);
}

void writePdfFile(const QString &path, const DocumentHeader &header, const PaintPages &paint)
{
    // Made whole in memory first, then saved as a history file is.
    QByteArray pdf;
    QBuffer buffer(&pdf);
    buffer.open(QIODevice::WriteOnly);
    bool painted = false;
    {
        QPdfWriter writer(&buffer);
        // The archive's form of PDF: every font embedded, the metadata in
        // XMP, nothing that needs anything beyond the file to show.
        writer.setPdfVersion(QPagedPaintDevice::PdfVersion_A1b);
        writer.setResolution(kResolution);
        writer.setPageLayout(documentPageLayout());
        writer.setTitle(header.program + QStringLiteral(" — ") + header.page);
        writer.setCreator(header.program);
        painted = paint(writer);
    }
    if (!painted)
        throw cannotCreate(path.toStdString(), outputFailedCode());
    saveDocumentBytes(path, pdf);
}

void saveDocumentBytes(const QString &path, const QByteArray &bytes)
{
    saveFileBytes(path.toStdString(), std::string_view(bytes.constData(), static_cast<std::size_t>(bytes.size())));
}

} // namespace naklon
