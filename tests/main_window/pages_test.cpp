// Each page driven through its real controls: pick the list items, type
// into the fields, press "Считать", read the whole history box.

#include "history/history_panel.h"
#include "main_window/zeverozozod.h"
#include "support/window_test_support.h"

#include <QComboBox>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QRegularExpression>
#include <QStackedWidget>
#include <QTabWidget>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextFrame>
#include <QTextTable>
#include <QtTest>

#include <memory>

namespace {

const naklon::NumberFormat kPointAndComma{".", ","};
const naklon::NumberFormat kCommaAndBlank{",", " "};

// Brings the page that holds `widget` to the front, as a user does first.
// The index of the page that holds `widget`.
int pageIndexOf(QWidget *widget)
{
    auto *tabs = widget->window()->findChild<QTabWidget *>(QStringLiteral("PageControl1"));
    for (int page = 0; page < tabs->count(); ++page) {
        if (tabs->widget(page)->isAncestorOf(widget))
            return page;
    }
    return -1;
}

void showPageOf(TForm1 &window, QWidget *widget)
{
    auto *tabs = window.findChild<QTabWidget *>(QStringLiteral("PageControl1"));
    for (int i = 0; i < tabs->count(); ++i) {
        if (tabs->widget(i)->isAncestorOf(widget))
            tabs->setCurrentIndex(i);
    }
}

// "Name=value" types or picks the value; "Name" alone clicks a radio button.
void act(TForm1 &window, const QString &action)
{
    const QString name = action.section(QLatin1Char('='), 0, 0);
    const QString value = action.section(QLatin1Char('='), 1);
    auto *widget = window.findChild<QWidget *>(name);
    QVERIFY2(widget, qPrintable(name));
    showPageOf(window, widget);
    if (auto *list = qobject_cast<QComboBox *>(widget)) {
        if (list->isEditable()) {
            list->lineEdit()->selectAll();
            QTest::keyClicks(list->lineEdit(), value);
        } else {
            list->setFocus();
            QTest::keyClicks(list, value); // picks the item that starts so
        }
        QCOMPARE(list->currentText(), value);
    } else if (auto *field = qobject_cast<QLineEdit *>(widget)) {
        QTest::keyClicks(field, value);
        QCOMPARE(field->text(), value);
    } else if (auto *option = qobject_cast<QRadioButton *>(widget)) {
        QTest::mouseClick(option, Qt::LeftButton, {}, QPoint(6, option->height() / 2));
        QVERIFY(option->isChecked());
    } else {
        QFAIL(qPrintable(QStringLiteral("cannot act on ") + name));
    }
}

// Every text the user can see or change, by object name.
QMap<QString, QString> snapshot(TForm1 &window)
{
    QMap<QString, QString> texts;
    for (auto *field : window.findChildren<QLineEdit *>()) {
        if (!field->objectName().isEmpty())
            texts.insert(field->objectName(), field->text());
    }
    for (auto *list : window.findChildren<QComboBox *>())
        texts.insert(list->objectName(), list->currentText());
    for (auto *history : window.findChildren<QPlainTextEdit *>())
        texts.insert(history->objectName(), history->toPlainText());
    for (auto *option : window.findChildren<QRadioButton *>())
        texts.insert(option->objectName(), option->isChecked() ? QStringLiteral("on") : QStringLiteral("off"));
    return texts;
}

} // namespace

class PagesTest : public QObject {
    Q_OBJECT

private slots:
    void init()
    {
        window = std::make_unique<TForm1>();
        window->setNumberFormat(kPointAndComma);
        window->show();
        QVERIFY(QTest::qWaitForWindowExposed(window.get()));
    }
    void cleanup() { window.reset(); }

    void workedExamples_data();
    void workedExamples();
    void failures_data();
    void failures();
    void aCalculationAfterAFailureIsUnaffected();

private:
    void checkReportDocument(const naklon::HistoryPanel &panel, const QString &history);
    template <typename T>
    T *child(const QString &name)
    {
        return window->findChild<T *>(name);
    }

    std::unique_ptr<TForm1> window;
};

void PagesTest::workedExamples_data()
{
    QTest::addColumn<QStringList>("actions");
    QTest::addColumn<QString>("button");
    QTest::addColumn<int>("clicks");
    QTest::addColumn<bool>("commaDecimals");
    QTest::addColumn<QString>("history");
    QTest::addColumn<QString>("expected");

    QTest::newRow("stirrups, check")
        << QStringList{"ComboBox1=20", "ComboBox2=300", "Edit1=15", "Edit2=0.57", "Edit3=20", "Edit4=40"} << "Button1"
        << 1 << false << "Memo1"
        << "\nКласс бетона В20 Класс арматуры А300C1, площадь 0.57 см2, шаг 15см, сечение 20x40\n"
           "Поперечная сила   14,307.2 кг\n\n";
    QTest::newRow("stirrups, selection")
        << QStringList{"RadioButton2", "ComboBox1=20", "ComboBox2=300", "Edit1=15", "Edit2=10000", "Edit3=20",
               "Edit4=40"}
        << "Button1" << 1 << false << "Memo1"
        << "\nКласс бетона В20 Класс арматуры А300C1 , шаг 15см, сечение 20x40 Поперечная сила 10000кг\n"
           "Площадь сечения хомутов 0.278 см2\n\n";
    QTest::newRow("stirrups, check, twice")
        << QStringList{"ComboBox1=15", "ComboBox2=240", "Edit1=10", "Edit2=0.57", "Edit3=20", "Edit4=40"} << "Button1"
        << 2 << false << "Memo1"
        << "\nКласс бетона В15 Класс арматуры А240C1, площадь 0.57 см2, шаг 10см, сечение 20x40\n"
           "Поперечная сила   14,107.0 кг\n\n"
           "Класс бетона В15 Класс арматуры А240C1, площадь 0.57 см2, шаг 10см, сечение 20x40\n"
           "Поперечная сила   14,107.0 кг\n\n";
    QTest::newRow("bent-up bars, check")
        << QStringList{"ComboBox4=300", "Edit5=45", "Edit6=2.26"} << "Button6" << 1 << false << "Memo2"
        << "\nКласс арматуры А300C1, площадь 2.26 см2,  угол 45град\nПоперечная сила   3,665.3 кг\n\n";
    QTest::newRow("bent-up bars, selection")
        << QStringList{"RadioButton4", "ComboBox4=400", "Edit5=45", "Edit6=5000"} << "Button6" << 1 << false << "Memo2"
        << "\nКласс арматуры А400C1,   угол  45 град\nПлощадь сечения отгибов 2.720 см2\n\n";
    QTest::newRow("no reinforcement, solid slabs")
        << QStringList{"ComboBox3=20", "Edit7=20", "Edit8=36"} << "Button10" << 1 << false << "Memo3"
        << "\nмаксимальная поперечная сила у грани опоры 16,513.7кг\n"
           "максимальная поперечная сила в конце сечения (2h0) 4,954.1кг\n\n";
    QTest::newRow("no reinforcement, beams, comma decimals")
        << QStringList{"RadioButton6", "ComboBox3=20", "Edit7=20", "Edit8=36"} << "Button10" << 1 << true << "Memo3"
        << "\nмаксимальная поперечная сила у грани опоры 13 211,0кг\n"
           "максимальная поперечная сила в конце сечения (2h0) 3 963,3кг\n\n";
    QTest::newRow("pull-off, stirrups") << QStringList{"ComboBox5=240", "Edit9=5000"} << "Button14" << 1 << false
                                        << "Memo4"
                                        << "\nПлощадь дополнительной арматуры в зоне отрыва 2.803 см2\n\n";
    QTest::newRow("pull-off, bent-up bars, twice: no empty line between")
        << QStringList{"RadioButton8", "ComboBox5=240", "Edit9=5000", "ComboBox10=45"} << "Button14" << 2 << false
        << "Memo4"
        << "\nПлощадь дополнительной арматуры в зоне отрыва 3.964 см2\nУгол 45 град.\n"
           "Площадь дополнительной арматуры в зоне отрыва 3.964 см2\nУгол 45 град.\n";
    QTest::newRow("pull-off, bent-up bars, typed angle")
        << QStringList{"RadioButton8", "ComboBox5=240", "Edit9=5000", "ComboBox10=50"} << "Button14" << 1 << false
        << "Memo4"
        << "\nПлощадь дополнительной арматуры в зоне отрыва 3.659 см2\nУгол 50 град.\n";
    QTest::newRow("punching, concrete sufficient")
        << QStringList{"ComboBox6=20", "ComboBox7=240", "Edit11=30000", "Edit12=200", "Edit13=20"} << "Button18" << 1
        << false << "Memo5"
        << "\n36,697.2 > 30000 Поперечная арматура не требуется\n\n";
    QTest::newRow("punching, reinforcement required")
        << QStringList{"ComboBox6=15", "ComboBox7=240", "Edit11=50000", "Edit12=200", "Edit13=20"} << "Button18" << 1
        << false << "Memo5"
        << "\n30,580.8 < 50000 Необходима поперечная арматура\nПлощадь поперечного армирования 10.89 см2\n\n\n";
    QTest::newRow("local bearing, uniform, sufficient")
        << QStringList{"RadioButton9", "ComboBox8=20", "Edit10=20000", "Edit14=100", "Edit15=800"} << "Button22" << 1
        << false << "Memo6"
        << "\nПрочность сечения достаточна\n23,400.00>20000\n\n";
    QTest::newRow("local bearing, not uniform, reinforcement needed")
        << QStringList{"ComboBox8=15", "Edit10=30000", "Edit14=100", "Edit15=800"} << "Button22" << 1 << false
        << "Memo6"
        << "\nНеобходимо косвеное армирование\n12,900.00<30000\n\n";
}

void PagesTest::workedExamples()
{
    QFETCH(QStringList, actions);
    QFETCH(QString, button);
    QFETCH(int, clicks);
    QFETCH(bool, commaDecimals);
    QFETCH(QString, history);
    QFETCH(QString, expected);

    RecordingReporter reporter;
    ModalWatch watch;
    if (commaDecimals)
        window->setNumberFormat(kCommaAndBlank);
    for (const QString &action : actions) {
        act(*window, action);
        if (QTest::currentTestFailed())
            return;
    }
    for (int i = 0; i < clicks; ++i)
        QTest::mouseClick(child<QPushButton>(button), Qt::LeftButton);

    QCOMPARE(reporter.shown, (QList<QPair<QString, QString>>{}));
    QCOMPARE(watch.seen(), QString());
    auto *box = child<QPlainTextEdit>(history);
    QCOMPARE(box->toPlainText(), expected);
    // The newest result is in view, the caret after it.
    QCOMPARE(box->textCursor().position(), box->document()->characterCount() - 1);
    QVERIFY(!box->textCursor().hasSelection());

    // Each click's report stands in the page's report, headed by the page's
    // name, until the history is cleared.
    auto *panel = box->findChild<naklon::HistoryPanel *>();
    const QString page = child<QTabWidget>(QStringLiteral("PageControl1"))->tabText(pageIndexOf(box));
    const QStringList report = panel->reportDocumentLines();
    QCOMPARE(report.filter(QRegularExpression(QStringLiteral("^") + page + QStringLiteral("( —|$)"))).size(), clicks);
    checkReportDocument(*panel, box->toPlainText());
    panel->clear();
    QCOMPARE(panel->reportDocumentLines().size(), 1);
}

// The report's document and its lines come from one source: each line is
// a paragraph of the document or a list of quantities its tables hold; its
// symbols have their subscripts below the line; every result stands in bold
// and, where it has a unit, in the history too.
void PagesTest::checkReportDocument(const naklon::HistoryPanel &panel, const QString &history)
{
    const std::unique_ptr<QTextDocument> document = panel.reportDocument();
    const auto shown = [](QString text) { return text.replace(QChar(0x00A0), u' '); };
    QStringList paragraphs;
    QStringList lowered;
    QStringList bold;
    for (QTextBlock block = document->begin(); block.isValid(); block = block.next()) {
        QString paragraph; // a power read as the lines write it: 40 and 2 above it is "40²"
        for (auto piece = block.begin(); !piece.atEnd(); ++piece) {
            const QTextFragment fragment = piece.fragment();
            const auto place = fragment.charFormat().verticalAlignment();
            if (place == QTextCharFormat::AlignSubScript)
                lowered << fragment.text();
            if (fragment.charFormat().fontWeight() == QFont::Bold)
                bold << shown(fragment.text());
            paragraph += place == QTextCharFormat::AlignSuperScript
                ? QString(fragment.text()).replace(u'2', u'²').replace(u'3', u'³')
                : shown(fragment.text());
        }
        if (!QTextCursor(block).currentTable())
            paragraphs << paragraph.trimmed();
    }
    QStringList quantities; // "s = 15 см" of every row of a table
    for (QTextFrame *frame : document->rootFrame()->childFrames()) {
        auto *table = qobject_cast<QTextTable *>(frame);
        QVERIFY(table);
        const auto cell = [&](int row, int column) {
            return shown(table->cellAt(row, column).firstCursorPosition().block().text());
        };
        for (int row = 0; table->columns() == 4 && row < table->rows(); ++row)
            quantities << (cell(row, 0) + QStringLiteral(" = ") + cell(row, 2) + u' ' + cell(row, 3)).trimmed();
    }
    for (const QString &line : panel.reportDocumentLines()) {
        if (line.isEmpty() || paragraphs.contains(line.trimmed()))
            continue;
        for (QString item : line.split(QRegularExpression(QStringLiteral("[,;] ")))) {
            item.remove(QRegularExpression(QStringLiteral("^\\S+: "))); // the class a strength has
            QVERIFY2(quantities.contains(item), qPrintable(line + QStringLiteral(" | ") + quantities.join(u'|')));
        }
    }
    for (const naklon::CalculationReport &report : panel.reports()) {
        std::vector<naklon::Symbol> symbols;
        for (const auto *list : {&report.inputs, &report.strengths}) {
            for (const naklon::ReportQuantity &quantity : *list)
                symbols.push_back(quantity.symbol);
        }
        for (const naklon::ReportFormula &formula : report.formulas) {
            symbols.push_back(formula.symbol);
            if (formula.verdict)
                continue;
            const QString result = QString::fromStdString(formula.result);
            QVERIFY2(bold.contains(result), qPrintable(result));
            QVERIFY2(formula.unit.empty() || history.contains(result), qPrintable(result));
        }
        for (const naklon::Symbol &symbol : symbols)
            QVERIFY(symbol.subscript.empty() || lowered.contains(QString::fromStdString(symbol.subscript)));
    }
}

void PagesTest::failures_data()
{
    QTest::addColumn<QStringList>("actions");
    QTest::addColumn<QString>("button");
    QTest::addColumn<QString>("message");

    QTest::newRow("stirrups, every field empty") << QStringList{"ComboBox1=20", "ComboBox2=300"} << "Button1"
                                                 << "Invalid floating point operation.";
    QTest::newRow("bent-up bars, selection with no angle")
        << QStringList{"RadioButton4", "ComboBox4=240", "Edit6=1000"} << "Button6"
        << "Floating point division by zero.";
    QTest::newRow("no reinforcement, no working depth") << QStringList{"ComboBox3=20", "Edit7=20"} << "Button10"
                                                        << "Invalid floating point operation.";
    QTest::newRow("pull-off, bent-up bars at 0 degrees")
        << QStringList{"RadioButton8", "ComboBox5=240", "Edit9=5000", "ComboBox10=0"} << "Button14"
        << "Floating point division by zero.";
    QTest::newRow("punching, a force too large to hold")
        << QStringList{"ComboBox6=20", "ComboBox7=240", "Edit11=1e400"} << "Button18"
        << "Floating point overflow.";
    QTest::newRow("local bearing, fresh page with a class") << QStringList{"ComboBox8=20"} << "Button22"
                                                            << "Invalid floating point operation.";
}

void PagesTest::failures()
{
    QFETCH(QStringList, actions);
    QFETCH(QString, button);
    QFETCH(QString, message);

    RecordingReporter reporter;
    ModalWatch watch;
    for (const QString &action : actions) {
        act(*window, action);
        if (QTest::currentTestFailed())
            return;
    }
    auto *tabs = child<QTabWidget>(QStringLiteral("PageControl1"));
    const int page = tabs->currentIndex();
    const auto before = snapshot(*window);

    for (int attempt = 0; attempt < 2; ++attempt)
        QTest::mouseClick(child<QPushButton>(button), Qt::LeftButton);

    // The same box each time, with the program's title as its caption.
    const QPair<QString, QString> box{message, naklon::applicationTitleText()};
    QCOMPARE(reporter.shown, (QList<QPair<QString, QString>>{box, box}));
    QCOMPARE(naklon::applicationTitleText(), QStringLiteral("pages_test"));
    QCOMPARE(watch.seen(), QString());
    // A failed click changes nothing: no line, no field, no other page.
    QCOMPARE(snapshot(*window), before);
    QCOMPARE(tabs->currentIndex(), page);
    // The report keeps both failed calculations, each ending with its message.
    const auto *panel = tabs->widget(page)->findChild<naklon::HistoryPanel *>();
    const QStringList report = panel->reportDocumentLines();
    QCOMPARE(
        report.filter(QRegularExpression(QStringLiteral("^") + tabs->tabText(page) + QStringLiteral("( —|$)"))).size(),
        2);
    QCOMPARE(report.back() + u'.', message);
}

void PagesTest::aCalculationAfterAFailureIsUnaffected()
{
    RecordingReporter reporter;
    for (const char *action : {"ComboBox8=20", "RadioButton9"})
        act(*window, QString::fromUtf8(action));
    QTest::mouseClick(child<QPushButton>(QStringLiteral("Button22")), Qt::LeftButton);
    QCOMPARE(reporter.shown.size(), 1);

    for (const char *action : {"Edit10=20000", "Edit14=100", "Edit15=800"})
        act(*window, QString::fromUtf8(action));
    QTest::mouseClick(child<QPushButton>(QStringLiteral("Button22")), Qt::LeftButton);
    QCOMPARE(reporter.shown.size(), 1);
    QCOMPARE(child<QPlainTextEdit>(QStringLiteral("Memo6"))->toPlainText(),
        QStringLiteral("\nПрочность сечения достаточна\n23,400.00>20000\n\n"));
}

QTEST_MAIN(PagesTest)
#include "pages_test.moc"
