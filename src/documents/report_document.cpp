#include "documents/report_document.h"

#include <QTextCursor>
#include <QTextDocument>
#include <QTextTable>

namespace naklon {
namespace {

constexpr qreal kTextPoints = 10;
constexpr qreal kHeadingPoints = 12;
constexpr qreal kTitlePoints = 14;
constexpr qreal kIndent = 24;      // of the lines that go on a formula
constexpr qreal kSpaceAbove = 12;  // before a calculation's title
constexpr qreal kSectionSpace = 6; // before the heading of its inputs, strengths or formulas
constexpr QChar kNoBreakSpace = QChar(0x00A0);

QString text(const std::string &utf8)
{
    return QString::fromUtf8(utf8.data(), static_cast<qsizetype>(utf8.size()));
}

// A number's blanks do not break: grouping blanks become non-breaking ones.
QString unbreakable(QString number)
{
    return number.replace(u' ', kNoBreakSpace);
}

QTextCharFormat emphasised(QTextCharFormat format, qreal points)
{
    format.setFontWeight(QFont::Bold);
    if (points > 0)
        format.setFontPointSize(points);
    return format;
}

// Writes the document block by block; every text goes in through it.
class ReportSetter {
public:
    ReportSetter(QTextDocument &document, const QFont &font) : cursor_(&document)
    {
        plain_.setFont(font);
        // Qt's OpenDocument writer names the family from this older
        // property alone; without it a word processor is told "Sans".
        plain_.setProperty(QTextFormat::FontFamily, font.family());
        plain_.setFontPointSize(kTextPoints);
        bold_ = emphasised(plain_, 0);
    }

    void header(const DocumentHeader &header);
    void calculation(const CalculationReport &report);
    void line(const QString &words, const QTextCharFormat &format, qreal spaceAbove = 0);
    void signatures();

    const QTextCharFormat &plain() const { return plain_; }

private:
    void block(qreal indent = 0, qreal spaceAbove = 0);
    void put(const FormulaText &formula, const QTextCharFormat &format);
    void put(const Symbol &symbol) { put(FormulaText(symbol), plain_); }
    void quantities(const char *heading, const char *second, const std::vector<ReportQuantity> &rows);
    void formula(const ReportFormula &formula);
    QTextTable *table(int rows, int columns, qreal border);
    void cell(QTextTable *table, int row, int column);
    void afterTable();

    QTextCursor cursor_;
    QTextCharFormat plain_;
    QTextCharFormat bold_;
    bool empty_ = true;
};

void ReportSetter::block(qreal indent, qreal spaceAbove)
{
    QTextBlockFormat format;
    format.setLeftMargin(indent);
    format.setTopMargin(spaceAbove);
    // The document's first block, and the one a table leaves after it, are
    // there already.
    if (empty_) {
        cursor_.setBlockFormat(format);
        cursor_.setBlockCharFormat(plain_);
    } else {
        cursor_.insertBlock(format, plain_);
    }
    empty_ = false;
}

void ReportSetter::line(const QString &words, const QTextCharFormat &format, qreal spaceAbove)
{
    block(0, spaceAbove);
    cursor_.insertText(words, format);
}

void ReportSetter::put(const FormulaText &formula, const QTextCharFormat &format)
{
    for (const TextRun &run : formula.runs()) {
        QTextCharFormat piece = format;
        if (run.script == Script::Subscript)
            piece.setVerticalAlignment(QTextCharFormat::AlignSubScript);
        else if (run.script == Script::Superscript)
            piece.setVerticalAlignment(QTextCharFormat::AlignSuperScript);
        cursor_.insertText(run.number ? unbreakable(text(run.text)) : text(run.text), piece);
    }
}

void ReportSetter::header(const DocumentHeader &header)
{
    line(header.program, emphasised(plain_, kTitlePoints));
    line(QStringLiteral("Страница: ") + header.page, plain_);
    line(QStringLiteral("Дата: ") + header.date, plain_);
    if (!header.file.isEmpty())
        line(QStringLiteral("Файл: ") + header.file, plain_);
}

QTextTable *ReportSetter::table(int rows, int columns, qreal border)
{
    QTextTableFormat format;
    format.setBorder(border);
    format.setBorderBrush(Qt::black);
    format.setBorderStyle(border > 0 ? QTextFrameFormat::BorderStyle_Solid : QTextFrameFormat::BorderStyle_None);
    format.setBorderCollapse(true);
    format.setCellPadding(border > 0 ? 3 : 0);
    format.setCellSpacing(0);
    format.setTopMargin(4);
    format.setHeaderRowCount(border > 0 ? 1 : 0);
    format.setWidth(QTextLength(QTextLength::PercentageLength, 100));
    return cursor_.insertTable(rows, columns, format);
}

void ReportSetter::cell(QTextTable *table, int row, int column)
{
    cursor_ = table->cellAt(row, column).firstCursorPosition();
}

void ReportSetter::afterTable()
{
    cursor_.movePosition(QTextCursor::End);
    empty_ = true;
}

// A table of quantities: symbol, `second` (the caption or the class), value
// and unit, under a heading row.
void ReportSetter::quantities(const char *heading, const char *second, const std::vector<ReportQuantity> &rows)
{
    if (rows.empty())
        return;
    line(QString::fromUtf8(heading), bold_, kSectionSpace);
    QTextTable *grid = table(static_cast<int>(rows.size()) + 1, 4, 1);
    QVector<QTextLength> widths{QTextLength(QTextLength::PercentageLength, 16),
        QTextLength(QTextLength::PercentageLength, 44), QTextLength(QTextLength::PercentageLength, 24),
        QTextLength(QTextLength::PercentageLength, 16)};
    QTextTableFormat format = grid->format();
    format.setColumnWidthConstraints(widths);
    grid->setFormat(format);
    const char *titles[] = {"Обозначение", second, "Значение", "Единица"};
    for (int column = 0; column < 4; ++column) {
        cell(grid, 0, column);
        cursor_.insertText(QString::fromUtf8(titles[column]), bold_);
    }
    for (std::size_t index = 0; index < rows.size(); ++index) {
        const ReportQuantity &row = rows[index];
        const int at = static_cast<int>(index) + 1;
        cell(grid, at, 0);
        put(row.symbol);
        cell(grid, at, 1);
        cursor_.insertText(text(row.caption.empty() ? row.source : row.caption), plain_);
        cell(grid, at, 2);
        cursor_.insertText(unbreakable(text(row.value)), plain_);
        cell(grid, at, 3);
        cursor_.insertText(text(row.unit), plain_);
    }
    afterTable();
}

void ReportSetter::formula(const ReportFormula &formula)
{
    block();
    if (formula.verdict) {
        put(formula.symbolic + ": " + formula.substituted, plain_);
        line(text(formula.result), bold_);
        return;
    }
    put(FormulaText(formula.symbol) + " = " + formula.symbolic, plain_);
    block(kIndent);
    put("= " + formula.substituted, plain_);
    block(kIndent);
    cursor_.insertText(QStringLiteral("= "), plain_);
    cursor_.insertText(unbreakable(text(formula.result)), bold_);
    if (!formula.unit.empty())
        cursor_.insertText(kNoBreakSpace + text(formula.unit), plain_);
}

void ReportSetter::calculation(const CalculationReport &report)
{
    block(0, kSpaceAbove);
    cursor_.insertText(text(report.title), emphasised(plain_, kHeadingPoints));
    quantities("Исходные данные", "Величина", report.inputs);
    quantities("Расчетные сопротивления", "Класс", report.strengths);
    if (!report.failure.empty()) {
        line(text(report.failure), bold_);
        return;
    }
    if (!report.formulas.empty())
        line(QStringLiteral("Расчет"), bold_, kSectionSpace);
    for (const ReportFormula &each : report.formulas)
        formula(each);
}

void ReportSetter::signatures()
{
    block(0, 3 * kSpaceAbove);
    QTextTable *grid = table(2, 2, 0);
    const QString blank = QStringLiteral("________");
    const QString who[] = {QStringLiteral("Расчет выполнил: "), QStringLiteral("Проверил: ")};
    for (int row = 0; row < 2; ++row) {
        cell(grid, row, 0);
        cursor_.insertText(who[row] + blank, plain_);
        cell(grid, row, 1);
        cursor_.insertText(QStringLiteral("Дата: ") + blank, plain_);
    }
    afterTable();
}

} // namespace

QString noCalculationsText()
{
    return QStringLiteral("С последнего открытия или очистки истории расчетов на этой странице не было.");
}

std::unique_ptr<QTextDocument> reportDocument(
    const DocumentHeader &header, const std::vector<CalculationReport> &reports, const QFont &font)
{
    auto document = std::make_unique<QTextDocument>();
    document->setDocumentMargin(0);
    // The box's family by its own name, which a word processor knows too.
    QFont base(font.family());
    base.setPointSizeF(kTextPoints);
    document->setDefaultFont(base);
    document->setMetaInformation(QTextDocument::DocumentTitle, documentTitle(header));
    ReportSetter setter(*document, base);
    setter.header(header);
    if (reports.empty()) {
        setter.line(QString(), setter.plain());
        setter.line(noCalculationsText(), setter.plain());
        return document;
    }
    for (const CalculationReport &report : reports)
        setter.calculation(report);
    setter.signatures();
    return document;
}

} // namespace naklon
