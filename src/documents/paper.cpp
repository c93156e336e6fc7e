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
