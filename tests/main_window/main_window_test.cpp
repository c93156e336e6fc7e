// The main window as a whole: its state at start, its frame, keyboard, fonts
// and colours, and that no caption is cut.

#include "main_window/colours.h"
#include "reference_window/unit2.h"
#include "support/window_test_support.h"
#include "main_window/zeverozozod.h"

#include <QComboBox>
#include <QFontInfo>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QListView>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QScreen>
#include <QStyleOptionButton>
#include <QTabBar>
#include <QTabWidget>
#include <QtTest>

#include <memory>

class MainWindowTest : public QObject {
    Q_OBJECT

private slots:
    void init()
    {
        window = std::make_unique<TForm1>();
        window->setNumberFormat({".", ","});
        window->show();
        window->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(window.get()));
    }
    void cleanup() { window.reset(); }

    void startState();
    void pickersStartEmptyWithRowsOf16();
    void relabelling_data();
    void relabelling();
    void ctrlTabCyclesThePages_data();
    void ctrlTabCyclesThePages();
    void arrowsMoveAlongTheTabStrip();
    void tabOrder_data();
    void tabOrder();
    void enterPressesTheFocusedButtonOnly_data();
    void enterPressesTheFocusedButtonOnly();
    void maximizingOnlyMovesTheWindow();
    void minimizingTakesTheReferenceWindowAlong();
    void fontsAndColours_data();
    void fontsAndColours();
    void noCaptionIsCut();
    void aLocaleChangeIsReadAgain();

private:
    template <typename T>
    T *child(const char *name)
    {
        auto *found = window->findChild<T *>(QString::fromUtf8(name));
        if (!found)
            qFatal("no child %s", name);
        return found;
    }
    QTabWidget *tabs() { return child<QTabWidget>("PageControl1"); }

    std::unique_ptr<TForm1> window;
};

void MainWindowTest::startState()
{
    QCOMPARE(window->windowTitle(), QStringLiteral("Расчет наклонных сечений"));
    QCOMPARE(window->size(), QSize(473, 401));
    QCOMPARE(window->minimumSize(), QSize(473, 401));
    QCOMPARE(window->maximumSize(), QSize(473, 401));
    QVERIFY(!window->windowIcon().isNull());
    QCOMPARE(tabs()->count(), 6);
    QCOMPARE(tabs()->currentWidget()->objectName(), QStringLiteral("TabSheet1"));
    const QStringList captions{"Хомуты", "Отгибы", "Без арматуры", "Отрыв", "Продавливание", "Смятие"};
    for (int i = 0; i < captions.size(); ++i)
        QCOMPARE(tabs()->tabText(i), captions.at(i));
    QCOMPARE(QApplication::focusWidget(), tabs()->tabBar());

    for (auto *field : window->findChildren<QLineEdit *>()) {
        if (!qobject_cast<QComboBox *>(field->parentWidget()))
            QVERIFY2(field->text().isEmpty(), qPrintable(field->objectName()));
    }
    for (auto *history : window->findChildren<QPlainTextEdit *>())
        QCOMPARE(history->toPlainText(), QStringLiteral("\n")); // CR LF: one empty line

    QStringList checked;
    for (auto *option : window->findChildren<QRadioButton *>()) {
        if (option->isChecked())
            checked << option->objectName();
    }
    checked.sort();
    QCOMPARE(checked, (QStringList{"RadioButton1", "RadioButton10", "RadioButton3", "RadioButton5", "RadioButton7"}));
    QCOMPARE(child<QLabel>("Label4")->text(), QStringLiteral("Площадь (см2)"));
    QCOMPARE(child<QLabel>("Label10")->text(), QStringLiteral("Площадь (см2)"));

    for (auto *button : window->findChildren<QPushButton *>()) {
        QVERIFY2(!button->isDefault() && !button->autoDefault(), qPrintable(button->objectName()));
    }
}

void MainWindowTest::pickersStartEmptyWithRowsOf16()
{
    const auto lists = window->findChildren<QComboBox *>();
    QCOMPARE(lists.size(), 9);
    for (QComboBox *list : lists) {
        QCOMPARE(list->view()->sizeHintForRow(0), 16);
        if (list->objectName() == QStringLiteral("ComboBox10"))
            continue;
        QVERIFY2(!list->isEditable(), qPrintable(list->objectName()));
        QCOMPARE(list->currentIndex(), -1);
        QCOMPARE(list->currentText(), QString());
    }
    // The angle list of "Отрыв": typed into freely, never growing.
    auto *angles = child<QComboBox>("ComboBox10");
    QVERIFY(angles->isEditable());
    QCOMPARE(angles->currentText(), QStringLiteral("Угол (град)"));
    QCOMPARE(angles->count(), 3);
    tabs()->setCurrentIndex(3);
    angles->lineEdit()->selectAll();
    QTest::keyClicks(angles->lineEdit(), QStringLiteral("50"));
    QTest::keyClick(angles->lineEdit(), Qt::Key_Return);
    QCOMPARE(angles->count(), 3);
    QCOMPARE(angles->currentText(), QStringLiteral("50"));
}

void MainWindowTest::relabelling_data()
{
    QTest::addColumn<QString>("option");
    QTest::addColumn<QString>("back");
    QTest::addColumn<QString>("label");
    QTest::addColumn<QString>("field");
    QTest::addColumn<QString>("caption");
    QTest::addColumn<QString>("backCaption");

    QTest::newRow("stirrups") << "RadioButton2" << "RadioButton1" << "Label4" << "Edit2" << "Поперечная сила (кг)"
                              << "Площадь (см2)";
    QTest::newRow("bent-up bars") << "RadioButton4" << "RadioButton3" << "Label10" << "Edit6"
                                  << "Поперечная сила (кг)" << "Площадь (см2)";
}

void MainWindowTest::relabelling()
{
    QFETCH(QString, option);
    QFETCH(QString, back);
    QFETCH(QString, label);
    QFETCH(QString, field);
    QFETCH(QString, caption);
    QFETCH(QString, backCaption);

    auto *target = window->findChild<QLabel *>(label);
    auto *edit = window->findChild<QLineEdit *>(field);
    tabs()->setCurrentWidget(tabs()->widget(label == QStringLiteral("Label4") ? 0 : 1));
    QTest::keyClicks(edit, QStringLiteral("0.57"));

    QTest::mouseClick(window->findChild<QRadioButton *>(option), Qt::LeftButton, {}, QPoint(6, 8));
    QCOMPARE(target->text(), caption);
    // The longer caption is shown whole, and the field keeps its text.
    QVERIFY(target->width() >= target->fontMetrics().horizontalAdvance(caption));
    QCOMPARE(edit->text(), QStringLiteral("0.57"));

    QTest::mouseClick(window->findChild<QRadioButton *>(back), Qt::LeftButton, {}, QPoint(6, 8));
    QCOMPARE(target->text(), backCaption);
}

void MainWindowTest::ctrlTabCyclesThePages_data()
{
    QTest::addColumn<QString>("focusOn");
    QTest::newRow("from the tab strip") << QString();
    QTest::newRow("from a field of the page") << "Edit1";
}

void MainWindowTest::ctrlTabCyclesThePages()
{
    QFETCH(QString, focusOn);
    if (!focusOn.isEmpty()) {
        window->findChild<QWidget *>(focusOn)->setFocus();
        QCOMPARE(QApplication::focusWidget()->objectName(), focusOn);
    }
    QList<int> seen;
    for (int i = 0; i < 6; ++i) {
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab, Qt::ControlModifier);
        seen << tabs()->currentIndex();
    }
    QCOMPARE(seen, (QList<int>{1, 2, 3, 4, 5, 0}));
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Backtab, Qt::ControlModifier | Qt::ShiftModifier);
    QCOMPARE(tabs()->currentIndex(), 5);
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Backtab, Qt::ControlModifier | Qt::ShiftModifier);
    QCOMPARE(tabs()->currentIndex(), 4);
}

void MainWindowTest::arrowsMoveAlongTheTabStrip()
{
    QTest::keyClick(tabs()->tabBar(), Qt::Key_Right);
    QCOMPARE(tabs()->currentIndex(), 1);
    QTest::keyClick(tabs()->tabBar(), Qt::Key_Left);
    QCOMPARE(tabs()->currentIndex(), 0);
}

void MainWindowTest::tabOrder_data()
{
    QTest::addColumn<int>("page");
    QTest::addColumn<QStringList>("order");

    QTest::newRow("Хомуты") << 0
                            << QStringList{"Memo1", "RadioButton1", "ComboBox1", "ComboBox2", "Edit1", "Edit2",
                                           "Edit3", "Edit4", "Button4", "Button1", "Button2", "Button3"};
    QTest::newRow("Отрыв") << 3
                           << QStringList{"Memo4", "Button13", "Button14", "Button15", "Button16", "ComboBox5",
                                          "Edit9", "RadioButton7", "ComboBox10"};
    QTest::newRow("Смятие") << 5
                            << QStringList{"Button21", "Button22", "Button23", "Button24", "Memo6", "ComboBox8",
                                           "Edit10", "Edit14", "Edit15", "Button25", "RadioButton10"};
}

void MainWindowTest::tabOrder()
{
    QFETCH(int, page);
    QFETCH(QStringList, order);

    tabs()->setCurrentIndex(page);
    tabs()->tabBar()->setFocus();
    QStringList visited;
    for (int i = 0; i <= order.size(); ++i) {
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        QWidget *focus = QApplication::focusWidget();
        // The angle list takes the focus in its edit part.
        if (qobject_cast<QComboBox *>(focus->parentWidget()))
            focus = focus->parentWidget();
        visited << (focus == tabs()->tabBar() ? QStringLiteral("tab strip") : focus->objectName());
    }
    QCOMPARE(visited, order + QStringList{"tab strip"});
}

void MainWindowTest::enterPressesTheFocusedButtonOnly_data()
{
    QTest::addColumn<QString>("focusOn");
    QTest::addColumn<int>("key");
    QTest::addColumn<bool>("computes");

    QTest::newRow("Enter on Считать") << "Button1" << int(Qt::Key_Return) << true;
    QTest::newRow("keypad Enter on Считать") << "Button1" << int(Qt::Key_Enter) << true;
    QTest::newRow("Space on Считать") << "Button1" << int(Qt::Key_Space) << true;
    QTest::newRow("Esc on Считать") << "Button1" << int(Qt::Key_Escape) << false;
    QTest::newRow("Enter in a field") << "Edit4" << int(Qt::Key_Return) << false;
    QTest::newRow("Enter on another button") << "Button2" << int(Qt::Key_Return) << false;
}

void MainWindowTest::enterPressesTheFocusedButtonOnly()
{
    QFETCH(QString, focusOn);
    QFETCH(int, key);
    QFETCH(bool, computes);

    RecordingReporter reporter;
    ModalWatch watch;
    child<QComboBox>("ComboBox1")->setCurrentIndex(1);
    child<QComboBox>("ComboBox2")->setCurrentIndex(1);
    const char *fields[] = {"Edit1", "Edit2", "Edit3", "Edit4"};
    const char *values[] = {"15", "0.57", "20", "40"};
    for (int i = 0; i < 4; ++i)
        QTest::keyClicks(child<QLineEdit>(fields[i]), QString::fromUtf8(values[i]));

    QWidget *target = window->findChild<QWidget *>(focusOn);
    target->setFocus();
    QTest::keyClick(target, Qt::Key(key), key == Qt::Key_Enter ? Qt::KeypadModifier : Qt::NoModifier);

    const QString history = child<QPlainTextEdit>("Memo1")->toPlainText();
    QCOMPARE(history.contains(QStringLiteral("14,307.2")), computes);
    QCOMPARE(reporter.shown.size(), 0);
    QCOMPARE(watch.seen(), QString());
}

void MainWindowTest::maximizingOnlyMovesTheWindow()
{
    const QPoint designed = window->frameGeometry().topLeft();
    QCOMPARE(designed, QPoint(412, 301));
    const QPoint workCorner = window->screen()->availableGeometry().topLeft();

    // The title-bar button asks twice: to maximize, and to restore.
    for (const QPoint place : {workCorner, designed}) {
        window->setWindowState(window->windowState() | Qt::WindowMaximized);
        QTRY_COMPARE(window->frameGeometry().topLeft(), place);
        QTest::qWait(50);
        QCOMPARE(window->frameGeometry().topLeft(), place);
        QCOMPARE(window->size(), QSize(473, 401));
    }
}

void MainWindowTest::minimizingTakesTheReferenceWindowAlong()
{
    TForm2 reference;
    QCOMPARE(Form2, &reference);
    reference.show();
    QVERIFY(QTest::qWaitForWindowExposed(&reference));

    window->setWindowState(Qt::WindowMinimized);
    QTRY_VERIFY(!reference.isVisible());
    window->setWindowState(Qt::WindowNoState);
    QTRY_VERIFY(reference.isVisible());
}

void MainWindowTest::fontsAndColours_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<int>("pixelSize");
    QTest::addColumn<int>("role");
    QTest::addColumn<QString>("colour");

    const int text = QPalette::WindowText;
    const int fill = QPalette::Window;
    QTest::newRow("tab strip") << "PageControl1 tab bar" << 15 << text << "clBlack";
    QTest::newRow("class caption") << "Label1" << 16 << text << "clWindowText";
    QTest::newRow("field") << "Edit1" << 16 << int(QPalette::Text) << "clWindowText";
    QTest::newRow("button") << "Button1" << 13 << int(QPalette::ButtonText) << "clWindowText";
    QTest::newRow("option takes its group's font") << "RadioButton1" << 11 << text << "clBlack";
    QTest::newRow("group without a font takes the page's") << "GroupBox3" << 15 << fill << "clMoneyGreen";
    QTest::newRow("history box") << "Memo3" << 15 << int(QPalette::Text) << "clBlack";
    QTest::newRow("history group") << "GroupBox12" << 11 << fill << "clActiveCaption";
    QTest::newRow("history caption") << "GroupBox12" << 11 << text << "clWindow";
    QTest::newRow("teal button group") << "GroupBox9" << 11 << fill << "clTeal";
    QTest::newRow("white caption on teal") << "GroupBox9" << 11 << text << "clWhite";
    QTest::newRow("black button text on teal") << "Button10" << 13 << int(QPalette::ButtonText) << "clWindowText";
    QTest::newRow("page with a small font") << "Edit5" << 16 << fill << "clInfoBk";
    QTest::newRow("option on the small page") << "RadioButton3" << 11 << fill << "clGradientActiveCaption";
    QTest::newRow("label on a grey group") << "Label29" << 16 << fill << "clSilver";
    QTest::newRow("label text on a white-captioned group") << "Label26" << 16 << text << "clWindowText";
    QTest::newRow("Справка takes its group's font") << "Button25" << 15 << int(QPalette::ButtonText)
                                                     << "clWindowText";
    QTest::newRow("load options") << "RadioButton9" << 11 << fill << "clInfoBk";
}

void MainWindowTest::fontsAndColours()
{
    QFETCH(QString, name);
    QFETCH(int, pixelSize);
    QFETCH(int, role);
    QFETCH(QString, colour);

    QWidget *widget = window->findChild<QWidget *>(name);
    if (name == QStringLiteral("PageControl1 tab bar"))
        widget = tabs()->tabBar();
    QVERIFY(widget);
    QCOMPARE(widget->font().pixelSize(), pixelSize);
    QCOMPARE(QFontInfo(widget->font()).family(), QStringLiteral("Liberation Sans"));
    QVERIFY(!widget->font().bold() && !widget->font().italic());
    QCOMPARE(widget->palette().color(QPalette::ColorRole(role)), naklon::namedColour(colour, QPalette()));
}

void MainWindowTest::noCaptionIsCut()
{
    QStringList cut;
    const auto check = [&cut](const QWidget *widget, const QString &text, int room) {
        const int needed = widget->fontMetrics().horizontalAdvance(text);
        if (needed > room)
            cut << QStringLiteral("%1 \"%2\": %3 > %4").arg(widget->objectName(), text).arg(needed).arg(room);
    };
    const QStyle *style = window->style();
    for (auto *label : window->findChildren<QLabel *>())
        check(label, label->text(), label->contentsRect().width());
    for (auto *button : window->findChildren<QPushButton *>()) {
        QStyleOptionButton styleOption;
        styleOption.initFrom(button);
        check(button, button->text(), style->subElementRect(QStyle::SE_PushButtonContents, &styleOption, button).width());
    }
    for (auto *option : window->findChildren<QRadioButton *>()) {
        QStyleOptionButton styleOption;
        styleOption.initFrom(option);
        const QRect textRoom = style->subElementRect(QStyle::SE_RadioButtonContents, &styleOption, option);
        check(option, option->text(), textRoom.width());
    }
    for (auto *group : window->findChildren<QGroupBox *>())
        check(group, group->title(), group->width() - 16);
    QTabBar *strip = tabs()->tabBar();
    for (int i = 0; i < strip->count(); ++i) {
        check(strip, strip->tabText(i), strip->tabRect(i).width());
        if (strip->tabRect(i).right() >= tabs()->width())
            cut << QStringLiteral("tab %1 beyond the window").arg(strip->tabText(i));
    }
    QCOMPARE(cut, QStringList());
}

void MainWindowTest::aLocaleChangeIsReadAgain()
{
    window->setNumberFormat({",", " "});
    QEvent change(QEvent::LocaleChange);
    QApplication::sendEvent(window.get(), &change);
    // The tests run in the C locale.
    QCOMPARE(window->numberFormat().decimalSeparator, std::string("."));
    QCOMPARE(window->numberFormat().thousandsSeparator, std::string(","));
}

QTEST_MAIN(MainWindowTest)
#include "main_window_test.moc"
