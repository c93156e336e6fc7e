// The shell's own rules: appending to a history box, the error handler and
// its last net in the application object, colours, the locale's separators
// and the drawing of list items.

#include "main_window/colours.h"
#include "core/failures.h"
#include "history/history_box.h"
#include "app/locale_format.h"
#include "app/naklon_application.h"
#include "main_window/picker_delegate.h"
#include "support/window_test_support.h"

#include <QImage>
#include <QLocale>
#include <QPainter>
#include <QPlainTextEdit>
#include <QStandardItemModel>
#include <QtTest>

#include <cfenv>

class ShellPartsTest : public QObject {
    Q_OBJECT

private slots:
    void appendHistoryLine_data();
    void appendHistoryLine();
    void appendingOnlyInsertsAtTheEnd();
    void errorHandlerMessage_data();
    void errorHandlerMessage();
    void failuresLeavingAnEventHandlerAreCaught();
    void floatingPointSettingsAreBackAfterAFailure();
    void namedColours_data();
    void namedColours();
    void localeSeparators_data();
    void localeSeparators();
    void listItemsAre16HighWithTheTextIndented();
};

void ShellPartsTest::appendHistoryLine_data()
{
    QTest::addColumn<QString>("before");
    QTest::addColumn<QStringList>("lines");
    QTest::addColumn<QString>("after");

    QTest::newRow("from start: below the empty line") << "\n" << QStringList{"L1", "L2", ""} << "\nL1\nL2\n\n";
    QTest::newRow("after clearing: on the first line") << "" << QStringList{"L1", "L2", ""} << "L1\nL2\n\n";
    QTest::newRow("after a last line without a break") << "typed" << QStringList{"L1", "", "L2"} << "typed\nL1\nL2\n";
    QTest::newRow("after a Cyrillic last line") << "абв" << QStringList{"г"} << "абв\nг";
    QTest::newRow("an empty line from start") << "\n" << QStringList{""} << "\n\n";
    QTest::newRow("an empty line after a typed line") << "x" << QStringList{""} << "x\n";
}

void ShellPartsTest::appendHistoryLine()
{
    QFETCH(QString, before);
    QFETCH(QStringList, lines);
    QFETCH(QString, after);

    QPlainTextEdit box;
    box.setPlainText(before);
    for (const QString &line : lines)
        naklon::appendHistoryLine(&box, line.toStdString());
    QCOMPARE(box.toPlainText(), after);
    QCOMPARE(box.textCursor().position(), after.size());
    QVERIFY(!box.textCursor().hasSelection());
}

void ShellPartsTest::appendingOnlyInsertsAtTheEnd()
{
    QPlainTextEdit box;
    box.setPlainText(naklon::initialHistoryText());
    QCOMPARE(box.toPlainText(), QStringLiteral("\n"));
    for (int i = 0; i < 200; ++i)
        naklon::appendHistoryLine(&box, "Поперечная сила   14,307.2 кг");

    // A long history is never rebuilt: one more line is one insertion at the
    // end, nothing removed.
    QList<QList<int>> changes;
    connect(box.document(), &QTextDocument::contentsChange, &box, [&changes](int position, int removed, int added) {
        changes.append({position, removed, added});
    });
    const int end = box.document()->characterCount() - 1;
    naklon::appendHistoryLine(&box, "L");
    QCOMPARE(changes.size(), 1);
    QCOMPARE(changes.front().at(0), end);
    QCOMPARE(changes.front().at(1), 0);
}

void ShellPartsTest::errorHandlerMessage_data()
{
    QTest::addColumn<QString>("message");
    QTest::addColumn<QString>("shown");

    QTest::newRow("ends in a letter") << "Floating point overflow"
                                      << "Floating point overflow.";
    QTest::newRow("ends in a Cyrillic letter") << "Не выбран класс бетона"
                                               << "Не выбран класс бетона.";
    QTest::newRow("ends in a full stop") << "Stream write error."
                                         << "Stream write error.";
    QTest::newRow("ends in a bracket") << "Cannot open file \"a\". (x)"
                                       << "Cannot open file \"a\". (x)";
}

void ShellPartsTest::errorHandlerMessage()
{
    QFETCH(QString, message);
    QFETCH(QString, shown);

    RecordingReporter reporter;
    naklon::reportFailure(message);
    QCOMPARE(reporter.shown, (QList<QPair<QString, QString>>{{shown, QStringLiteral("shell_parts_test")}}));
}

namespace {

// An object whose event handling fails, as a handler without a guard would.
class FailingObject : public QObject {
    Q_OBJECT

public:
    bool event(QEvent *event) override
    {
        if (event->type() == QEvent::User)
            throw naklon::EZeroDivide();
        return QObject::event(event);
    }
};

} // namespace

void ShellPartsTest::failuresLeavingAnEventHandlerAreCaught()
{
    RecordingReporter reporter;
    FailingObject failing;
    QEvent event(QEvent::User);
    QCOMPARE(QCoreApplication::sendEvent(&failing, &event), false);
    QCOMPARE(reporter.shown.size(), 1);
    QCOMPARE(reporter.shown.front().first, QStringLiteral("Floating point division by zero."));

    naklon::runGuarded([] { throw 42; });
    QCOMPARE(reporter.shown.size(), 2);
    QCOMPARE(reporter.shown.back().first, QStringLiteral("Unknown failure."));
}

void ShellPartsTest::floatingPointSettingsAreBackAfterAFailure()
{
    RecordingReporter reporter;
    std::fesetround(FE_UPWARD);
    naklon::runGuarded([] { throw naklon::EOverflow(); });
    QCOMPARE(std::fegetround(), FE_TONEAREST);
}

void ShellPartsTest::namedColours_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QColor>("expected");

    const QPalette system;
    QTest::newRow("money green") << "clMoneyGreen" << QColor(192, 220, 192);
    QTest::newRow("sky blue") << "clSkyBlue" << QColor(166, 202, 240);
    QTest::newRow("teal") << "clTeal" << QColor(0, 128, 128);
    QTest::newRow("button face: the window colour") << "clBtnFace" << system.color(QPalette::Window);
    // Fusion's highlight 48, 140, 198 at 85 %, where white reaches 4.5:1.
    QTest::newRow("active caption: the highlight darkened for a white caption")
        << "clActiveCaption" << QColor(40, 119, 168);
    QTest::newRow("info background: the tool tip's") << "clInfoBk" << system.color(QPalette::ToolTipBase);
    QTest::newRow("unknown name") << "clPurple" << QColor();
}

void ShellPartsTest::namedColours()
{
    QFETCH(QString, name);
    QFETCH(QColor, expected);
    QCOMPARE(naklon::namedColour(name, QPalette()), expected);
}

void ShellPartsTest::localeSeparators_data()
{
    QTest::addColumn<QLocale>("locale");
    QTest::addColumn<QString>("decimal");
    QTest::addColumn<QString>("thousands");

    QTest::newRow("C") << QLocale::c() << "."
                       << ",";
    QTest::newRow("English (United States)") << QLocale(QLocale::English, QLocale::UnitedStates) << "."
                                             << ",";
    QTest::newRow("German") << QLocale(QLocale::German, QLocale::Germany) << ","
                            << ".";
    QTest::newRow("Russian: no-break space") << QLocale(QLocale::Russian, QLocale::Russia) << ","
                                             << "\u00A0";
    QTest::newRow("French: narrow no-break space as a no-break space")
        << QLocale(QLocale::French, QLocale::France) << ","
        << "\u00A0";
}

void ShellPartsTest::localeSeparators()
{
    QFETCH(QLocale, locale);
    QFETCH(QString, decimal);
    QFETCH(QString, thousands);

    const naklon::NumberFormat format = naklon::numberFormatOf(locale);
    QCOMPARE(QString::fromStdString(format.decimalSeparator), decimal);
    QCOMPARE(QString::fromStdString(format.thousandsSeparator), thousands);
}

void ShellPartsTest::listItemsAre16HighWithTheTextIndented()
{
    QStandardItemModel model;
    model.appendRow(new QStandardItem(QStringLiteral("1")));
    naklon::PickerItemDelegate delegate;
    QStyleOptionViewItem option;
    option.rect = QRect(0, 0, 40, 16);
    option.font = QFont(QStringLiteral("Liberation Sans"));
    option.font.setPixelSize(15);
    option.palette = QPalette();
    option.state = QStyle::State_Enabled;
    QCOMPARE(delegate.sizeHint(option, model.index(0, 0)).height(), 16);

    QImage image(40, 16, QImage::Format_RGB32);
    image.fill(Qt::magenta);
    QPainter painter(&image);
    delegate.paint(&painter, option, model.index(0, 0));
    painter.end();
    // The row is filled, and the first ink of the text stands 2 px or a
    // little more (the glyph's own side bearing) from the left edge.
    int firstInk = -1;
    for (int x = 0; x < image.width() && firstInk < 0; ++x) {
        for (int y = 0; y < image.height(); ++y) {
            const QColor pixel = image.pixelColor(x, y);
            QVERIFY(pixel != QColor(Qt::magenta));
            if (pixel.lightness() < 128) {
                firstInk = x;
                break;
            }
        }
    }
    QVERIFY2(firstInk >= 2 && firstInk <= 5, qPrintable(QString::number(firstInk)));
}

int main(int argc, char *argv[])
{
    naklon::NaklonApplication application(argc, argv);
    ShellPartsTest test;
    return QTest::qExec(&test, argc, argv);
}

#include "shell_parts_test.moc"
