#include "history/history_document.h"

#include <QFontMetricsF>
#include <QPagedPaintDevice>
#include <QPainter>

#include <cmath>
#include <vector>

namespace naklon {
namespace {

constexpr qreal kTextPoints = 10;
constexpr qreal kTitlePoints = 14;
// The box's tab stops: 80 pixels of a screen of 96 dots per inch.
constexpr qreal kBoxTabStop = 80;
constexpr qreal kScreenDpi = 96;

// One row of the document in its font.
struct Row {
    QString text;
    const QFont *font;
};

// Where a row may break: a blank or a tab, as in the box. A no-break space
// is no such place.
bool isBlank(QChar c)
{
    return c == u' ' || c == u'\t';
}

// Where a run of blanks or of other characters ends, from `start`.
qsizetype runEnd(const QString &line, qsizetype start)
{
    const bool blank = isBlank(line.at(start));
    qsizetype end = start;
    while (end < line.size() && isBlank(line.at(end)) == blank)
        ++end;
    return end;
}

// A row in pieces between its tabs, each with where it starts: a tab
// reaches the next tab stop, as in the box.
struct Piece {
    qreal x;
    QString text;
};

std::vector<Piece> piecesBetweenTabs(const QString &row, const QFontMetricsF &metrics, qreal tabStop)
{
    std::vector<Piece> pieces;
    qreal x = 0;
    for (qsizetype start = 0;;) {
        const qsizetype tab = row.indexOf(u'\t', start);
        const QString text = row.mid(start, tab < 0 ? -1 : tab - start);
        pieces.push_back({x, text});
        x += metrics.horizontalAdvance(text);
        if (tab < 0)
            return pieces;
        x = (std::floor(x / tabStop) + 1) * tabStop;
        start = tab + 1;
    }
}

qreal rowWidth(const QString &row, const QFontMetricsF &metrics, qreal tabStop)
{
    const Piece last = piecesBetweenTabs(row, metrics, tabStop).back();
    return last.x + metrics.horizontalAdvance(last.text);
}

// A word longer than a row, in pieces that each fit.
QStringList piecesOf(const QString &word, const QFontMetricsF &metrics, qreal width, qreal tabStop)
{
    QStringList pieces;
    QString piece;
    for (const QChar c : word) {
        if (!piece.isEmpty() && rowWidth(piece + c, metrics, tabStop) > width) {
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

QStringList wrapAtBlanks(const QString &line, const QFontMetricsF &metrics, qreal width, qreal tabStop)
{
    QStringList rows;
    QString row;
    for (qsizetype start = 0; start < line.size();) {
        const qsizetype end = runEnd(line, start);
        const QString run = line.mid(start, end - start);
        start = end;
        if (isBlank(run.front())) {
            row += run;
            continue;
        }
        if (rowWidth(row + run, metrics, tabStop) <= width) {
            row += run;
            continue;
        }
        // The run starts a new row; the blanks before it end the old one.
        while (!row.isEmpty() && isBlank(row.back()))
            row.chop(1);
        if (!row.isEmpty())
            rows << row;
        QStringList pieces = piecesOf(run, metrics, width, tabStop);
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
    const qreal tabStop = kBoxTabStop * device.logicalDpiX() / kScreenDpi;
    for (const QString &line : lines) {
        for (const QString &row : wrapAtBlanks(line, metrics, device.width(), tabStop))
            rows.push_back({row, &font});
    }

    const std::vector<std::vector<Row>> pages = pagesOf(rows, device, folioSpace(font, device));
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
            for (const Piece &piece : piecesBetweenTabs(row.text, rowMetrics, tabStop))
                painter.drawText(QPointF(piece.x, y + rowMetrics.ascent()), piece.text);
            y += rowMetrics.lineSpacing();
        }
        paintFolio(painter, font, static_cast<int>(page) + 1, static_cast<int>(pages.size()));
    }
    return painter.end();
}

void writePdf(const QString &path, const DocumentHeader &header, const QStringList &lines, const QFont &font)
{
    writePdfFile(path, header, [&](QPagedPaintDevice &device) { return paintDocument(device, header, lines, font); });
}

} // namespace naklon
