// What the windows share: the error handler and the application object's
// last net, colours and the locale's separators.

#include "window_services/colours.h"
#include "core/failures.h"
#include "window_services/locale_format.h"
#include "app/naklon_application.h"
#include "support/window_test_support.h"

#include <QLocale>
#include <QtTest>

#include <cfenv>

class WindowServicesTest : public QObject {
    Q_OBJECT

private slots:
    void errorHandlerMessage_data();
    void errorHandlerMessage();
    void failuresLeavingAnEventHandlerAreCaught();
    void floatingPointSettingsAreBackAfterAFailure();
    void namedColours_data();
    void namedColours();
    void localeSeparators_data();
    void localeSeparators();
};

void WindowServicesTest::errorHandlerMessage_data()
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

void WindowServicesTest::errorHandlerMessage()
{
    QFETCH(QString, message);
    QFETCH(QString, shown);

    RecordingReporter reporter;
    naklon::reportFailure(message);
    QCOMPARE(reporter.shown, (QList<QPair<QString, QString>>{{shown, QStringLiteral("window_services_test")}}));
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

void WindowServicesTest::failuresLeavingAnEventHandlerAreCaught()
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

void WindowServicesTest::floatingPointSettingsAreBackAfterAFailure()
{
    RecordingReporter reporter;
    std::fesetround(FE_UPWARD);
    naklon::runGuarded([] { throw naklon::EOverflow(); });
    QCOMPARE(std::fegetround(), FE_TONEAREST);
}

void WindowServicesTest::namedColours_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QColor>("expected");

    // The system colours come from Fusion's light palette, the test's own.
    QTest::newRow("money green") << "clMoneyGreen" << QColor(192, 220, 192);
    QTest::newRow("sky blue") << "clSkyBlue" << QColor(166, 202, 240);
    QTest::newRow("teal") << "clTeal" << QColor(0, 128, 128);
    QTest::newRow("button face: the window colour") << "clBtnFace" << QColor(239, 239, 239);
    // Fusion's highlight 48, 140, 198 at 85 %, where white reaches 4.5:1.
    QTest::newRow("active caption: the highlight darkened for a white caption")
        << "clActiveCaption" << QColor(40, 119, 168);
    QTest::newRow("info background: the tool tip's") << "clInfoBk" << QColor(255, 255, 220);
    QTest::newRow("unknown name") << "clPurple" << QColor();
}

void WindowServicesTest::namedColours()
{
    QFETCH(QString, name);
    QFETCH(QColor, expected);
    QCOMPARE(naklon::namedColour(name, QPalette()), expected);
}

void WindowServicesTest::localeSeparators_data()
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

void WindowServicesTest::localeSeparators()
{
    QFETCH(QLocale, locale);
    QFETCH(QString, decimal);
    QFETCH(QString, thousands);

    const naklon::NumberFormat format = naklon::numberFormatOf(locale);
    QCOMPARE(QString::fromStdString(format.decimalSeparator), decimal);
    QCOMPARE(QString::fromStdString(format.thousandsSeparator), thousands);
}

int main(int argc, char *argv[])
{
    naklon::NaklonApplication application(argc, argv);
    WindowServicesTest test;
    return QTest::qExec(&test, argc, argv);
}

#include "window_services_test.moc"
