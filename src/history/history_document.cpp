#include "history/history_document.h"

#include "core/failures.h"
#include "files/file_bytes.h"

#include <QBuffer>
#include <QFontMetricsF>
#include <QPageLayout>
#include <QPageSize>
#include <QPainter>
#include <QPdfWriter>

#include <string>
#include <string_view>
#include <vector>

namespace naklon {
namespace {

constexpr qreal kTextPoints = 10;
constexpr qreal kTitlePoints = 14;
constexpr int kResolution = 300; // of a PDF's coordinates, dots per inch

// One row of the document in its font.
struct Row {
    QString text;
    const QFont *font;
};

// Where a run of blanks or of other characters ends, from `start`.
qsizetype runEnd(const QString &line, qsizetype start)
{
    const bool blank = line.at(start) == u' ';
    qsizetype end = start;
    while (end < line.size() && (line.at(end) == u' ') == blank)
        ++end;
    return end;
}

// A word longer than a row, in pieces that each fit.
QStringList piecesOf(const QString &word, const QFontMetricsF &metrics, qreal width)
{
    QStringList pieces;
    QString piece;
    for (const QChar c : word) {
        if (!piece.isEmpty() && metrics.horizontalAdvance(piece + c) > width) {
            pieces << piece;
            piece.clear();
        }
        piece += c;
    }
    pieces << piece;
    return pieces;
}

std::vector<std::vector<Row>> pagesOf(const std::vector<Row> &rows, const QPagedPaintDevice &device, qreal footer)
{
    std::vector<std::vector<Row>> pages(1);
    qreal y = 0;
    for (const Row &row : rows) {
        const qreal height = QFontMetricsF(*row.font, &device).lineSpacing();
        if (y + height > device.height() - footer && !pages.back().empty()) {
            pages.emplace_back();
            y = 0;
        }
        pages.back().push_back(row);
        y += height;
    }
    return pages;
}

} // namespace

QStringList wrapAtBlanks(const QString &line, const QFontMetricsF &metrics, qreal width)
{
    QStringList rows;
    QString row;
    for (qsizetype start = 0; start < line.size();) {
        const qsizetype end = runEnd(line, start);
        const QString run = line.mid(start, end - start);
        start = end;
        if (run.front() == u' ') {
            row += run;
            continue;
        }
        if (metrics.horizontalAdvance(row + run) <= width) {
            row += run;
            continue;
        }
        // The run starts a new row; the blanks before it end the old one.
        while (row.endsWith(u' '))
            row.chop(1);
        if (!row.isEmpty())
            rows << row;
        QStringList pieces = piecesOf(run, metrics, width);
        row = pieces.takeLast();
        rows << pieces;
    }
    rows << row;
    return rows;
}

bool paintDocument(QPagedPaintDevice &device, const DocumentHeader &header, const QStringList &lines, QFont font)
{
    font.setPointSizeF(kTextPoints);
    QFont title = font;
    title.setPointSizeF(kTitlePoints);

    std::vector<Row> rows{{header.program, &title}, {QStringLiteral("Страница: ") + header.page, &font},
        {QStringLiteral("Дата: ") + header.date, &font}};
    if (!header.file.isEmpty())
        rows.push_back({QStringLiteral("Файл: ") + header.file, &font});
    rows.push_back({QString(), &font});
    const QFontMetricsF metrics(font, &device);
    for (const QString &line : lines) {
        for (const QString &row : wrapAtBlanks(line, metrics, device.width()))
            rows.push_back({row, &font});
    }

    const qreal footer = 2 * metrics.lineSpacing();
    const std::vector<std::vector<Row>> pages = pagesOf(rows, device, footer);
    QPainter painter;
    if (!painter.begin(&device))
        return false;
    for (std::size_t page = 0; page < pages.size(); ++page) {
        if (page > 0 && !device.newPage())
            return false;
        qreal y = 0;
        for (const Row &row : pages[page]) {
            const QFontMetricsF rowMetrics(*row.font, &device);
            painter.setFont(*row.font);
            painter.drawText(QPointF(0, y + rowMetrics.ascent()), row.text);
            y += rowMetrics.lineSpacing();
        }
        painter.setFont(font);
        const QString folio = QStringLiteral("стр. %1 из %2").arg(page + 1).arg(pages.size());
        painter.drawText(QRectF(0, device.height() - metrics.lineSpacing(), device.width(), metrics.lineSpacing()),
            Qt::AlignHCenter | Qt::AlignBottom, folio);
    }
    return painter.end();
}

QPageLayout documentPageLayout()
{
    return QPageLayout(QPageSize(QPageSize::A4), QPageLayout::Portrait, QMarginsF(20, 15, 15, 15),
        QPageLayout::Millimeter);
}

void writePdf(const QString &path, const DocumentHeader &header, const QStringList &lines, const QFont &font)
{
    // Made whole in memory first, then saved as a history file is: the file
    // appears only once it is all on the disk, and a failure names it and
    // gives the system's reason.
    QByteArray pdf;
    QBuffer buffer(&pdf);
    buffer.open(QIODevice::WriteOnly);
    bool painted = false;
    {
        QPdfWriter writer(&buffer);
        writer.setResolution(kResolution);
        writer.setPageLayout(documentPageLayout());
        writer.setTitle(header.program + QStringLiteral(" — ") + header.page);
        writer.setCreator(header.program);
        painted = paintDocument(writer, header, lines, font);
    }
    if (!painted)
        throw cannotCreate(path.toStdString(), outputFailedCode());
    saveFileBytes(path.toStdString(), std::string_view(pdf.constData(), static_cast<std::size_t>(pdf.size())));
}

} // namespace naklon
