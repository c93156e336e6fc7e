// The main window as a whole: its state at start, its frame and place on
// the screen, keyboard, fonts and colours under several desktops, that no
// caption or class is cut, and that Qt's own texts are Russian.

#include "app/desktop_independence.h"
#include "window_services/error_reporter.h"
#include "window_services/colours.h"
#include "window_services/window_placement.h"
#include "history/history_dialogs.h"
#include "reference_window/unit2.h"
#include "support/window_test_support.h"
#include "main_window/picker_delegate.h"
#include "main_window/zeverozozod.h"

#include <QImage>
#include <QPainter>
#include <QStandardItemModel>
#include <QComboBox>
#include <QFileDialog>
#include <QMenu>
#include <QMessageBox>
#include <QRegularExpression>
#include <QStyleFactory>
#include <QStyleOptionComboBox>
#include <QStyleOptionGroupBox>
#include <QToolButton>
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
    void initTestCase() { QVERIFY(naklon::installQtRussian(*qApp)); }
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
    void listItemsAre16HighWithTheTextIndented();
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
    void groupBoxFramesClearTheirTexts_data();
    void groupBoxFramesClearTheirTexts();
    void classesShowWholeInTheirClosedLists();
    void placedInsideTheWorkArea_data();
    void placedInsideTheWorkArea();
    void windowsStartOnTheScreen();
    void textsReadOnTheirBackgrounds_data();
    void textsReadOnTheirBackgrounds();
    void qtTextsAreRussian();
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

void MainWindowTest::listItemsAre16HighWithTheTextIndented()
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

void MainWindowTest::relabelling_data()
{
    QTest::addColumn<QString>("option");
    QTest::addColumn<QString>("back");
    QTest::addColumn<QString>("label");
    QTest::addColumn<QString>("field");
    QTest::addColumn<QString>("caption");
    QTest::addColumn<QString>("backCaption");

    QTest::newRow("stirrups") << "RadioButton2"
                              << "RadioButton1"
                              << "Label4"
                              << "Edit2"
                              << "Поперечная сила (кг)"
                              << "Площадь (см2)";
    QTest::newRow("bent-up bars") << "RadioButton4"
                                  << "RadioButton3"
                                  << "Label10"
                                  << "Edit6"
                                  << "Поперечная сила (кг)"
                                  << "Площадь (см2)";
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
    QTest::newRow("from a class list") << "ComboBox1";
    QTest::newRow("from the angle list") << "ComboBox10";
    QTest::newRow("from an option") << "RadioButton1";
    QTest::newRow("from a button") << "Button1";
    QTest::newRow("from the history box") << "Memo1";
    QTest::newRow("from Справка") << "Button25";
}

void MainWindowTest::ctrlTabCyclesThePages()
{
    QFETCH(QString, focusOn);
    int start = 0;
    if (!focusOn.isEmpty()) {
        QWidget *control = window->findChild<QWidget *>(focusOn);
        while (start < 5 && !tabs()->widget(start)->isAncestorOf(control))
            ++start;
        tabs()->setCurrentIndex(start);
        control->setFocus();
        // The angle list takes the focus in its edit part.
        QVERIFY(QApplication::focusWidget() == control || QApplication::focusWidget()->parentWidget() == control);
    }
    QList<int> seen;
    QList<int> expected;
    for (int i = 1; i <= 6; ++i) {
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab, Qt::ControlModifier);
        seen << tabs()->currentIndex();
        expected << (start + i) % 6;
    }
    QCOMPARE(seen, expected);
    if (!focusOn.isEmpty())
        window->findChild<QWidget *>(focusOn)->setFocus();
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Backtab, Qt::ControlModifier | Qt::ShiftModifier);
    QCOMPARE(tabs()->currentIndex(), (start + 5) % 6);
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Backtab, Qt::ControlModifier | Qt::ShiftModifier);
    QCOMPARE(tabs()->currentIndex(), (start + 4) % 6);
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
                            << QStringList{"Memo1", "RadioButton1", "ComboBox1", "ComboBox2", "Edit1", "Edit2", "Edit3",
                                   "Edit4", "Button4", "Button1", "Button2", "Button3"};
    QTest::newRow("Отрыв") << 3
                           << QStringList{"Memo4", "Button13", "Button14", "Button15", "Button16", "ComboBox5", "Edit9",
                                  "RadioButton7", "ComboBox10"};
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
    QCOMPARE(designed, TForm1::kDesignedPosition);
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
    QTest::addColumn<QColor>("colour");

    // The system colours under Fusion's light palette, the test's own:
    // clWindowText black, clWindow white, clInfoBk 255, 255, 220; the
    // highlight 48, 140, 198 darkened to clActiveCaption and halfway to white
    // for clGradientActiveCaption.
    const int text = QPalette::WindowText;
    const int fill = QPalette::Window;
    QTest::newRow("tab strip") << "PageControl1 tab bar" << 15 << text << QColor(0, 0, 0);             // clBlack
    QTest::newRow("class caption") << "Label1" << 16 << text << QColor(0, 0, 0);                       // clWindowText
    QTest::newRow("field") << "Edit1" << 16 << int(QPalette::Text) << QColor(0, 0, 0);                 // clWindowText
    QTest::newRow("button") << "Button1" << 13 << int(QPalette::ButtonText) << QColor(0, 0, 0);        // clWindowText
    QTest::newRow("option takes its group's font") << "RadioButton1" << 11 << text << QColor(0, 0, 0); // clBlack
    QTest::newRow("group without a font takes the page's")
        << "GroupBox3" << 15 << fill << QColor(192, 220, 192);                                    // clMoneyGreen
    QTest::newRow("history box") << "Memo3" << 15 << int(QPalette::Text) << QColor(0, 0, 0);      // clBlack
    QTest::newRow("history group") << "GroupBox12" << 11 << fill << QColor(40, 119, 168);         // clActiveCaption
    QTest::newRow("history caption") << "GroupBox12" << 11 << text << QColor(255, 255, 255);      // clWindow
    QTest::newRow("teal button group") << "GroupBox9" << 11 << fill << QColor(0, 128, 128);       // clTeal
    QTest::newRow("white caption on teal") << "GroupBox9" << 11 << text << QColor(255, 255, 255); // clWhite
    QTest::newRow("black button text on teal")
        << "Button10" << 13 << int(QPalette::ButtonText) << QColor(0, 0, 0);                   // clWindowText
    QTest::newRow("page with a small font") << "Edit5" << 16 << fill << QColor(255, 255, 220); // clInfoBk
    QTest::newRow("option on the small page")
        << "RadioButton3" << 11 << fill << QColor(151, 197, 226); // clGradientActiveCaption
    QTest::newRow("label on a grey group") << "Label29" << 16 << fill << QColor(192, 192, 192); // clSilver
    QTest::newRow("label text on a white-captioned group")
        << "Label26" << 16 << text << QColor(0, 0, 0); // clWindowText
    QTest::newRow("Справка takes its group's font")
        << "Button25" << 15 << int(QPalette::ButtonText) << QColor(0, 0, 0);                // clWindowText
    QTest::newRow("load options") << "RadioButton9" << 11 << fill << QColor(255, 255, 220); // clInfoBk
}

void MainWindowTest::fontsAndColours()
{
    QFETCH(QString, name);
    QFETCH(int, pixelSize);
    QFETCH(int, role);
    QFETCH(QColor, colour);

    QWidget *widget = window->findChild<QWidget *>(name);
    if (name == QStringLiteral("PageControl1 tab bar"))
        widget = tabs()->tabBar();
    QVERIFY(widget);
    QCOMPARE(widget->font().pixelSize(), pixelSize);
    QCOMPARE(QFontInfo(widget->font()).family(), QStringLiteral("Liberation Sans"));
    QVERIFY(!widget->font().bold() && !widget->font().italic());
    QCOMPARE(widget->palette().color(QPalette::ColorRole(role)), colour);
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
        check(button, button->text(),
            style->subElementRect(QStyle::SE_PushButtonContents, &styleOption, button).width());
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

namespace {

// Where the glyphs of `text` stand when the style writes it into `room`
// with `alignment`, in the coordinates of `room`.
QRect glyphBox(const QWidget *widget, const QRect &room, int alignment, const QString &text)
{
    const QFontMetrics metrics = widget->fontMetrics();
    const QRect line = widget->style()->itemTextRect(metrics, room, alignment, true, text);
    return metrics.tightBoundingRect(text).translated(line.left(), line.top() + metrics.ascent());
}

// The glyphs of a label's or an option's caption, in its parent's
// coordinates; an empty box for any other control.
QRect childGlyphs(const QWidget *child)
{
    if (const auto *label = qobject_cast<const QLabel *>(child)) {
        const QRect room =
            label->contentsRect().adjusted(label->margin(), label->margin(), -label->margin(), -label->margin());
        return glyphBox(label, room, int(label->alignment()), label->text()).translated(label->pos());
    }
    if (const auto *option = qobject_cast<const QRadioButton *>(child)) {
        QStyleOptionButton styleOption;
        styleOption.initFrom(option);
        styleOption.text = option->text();
        const QRect room = option->style()->subElementRect(QStyle::SE_RadioButtonContents, &styleOption, option);
        return glyphBox(option, room, Qt::AlignLeft | Qt::AlignVCenter, option->text()).translated(option->pos());
    }
    return {};
}

} // namespace

void MainWindowTest::groupBoxFramesClearTheirTexts_data()
{
    QTest::addColumn<int>("page");
    for (int page = 1; page <= 6; ++page)
        QTest::addRow("page %d", page) << page;
}

// No frame line crosses a text or a control inside its box, and nothing
// inside touches the caption: the frame's etched lines are 2 px wide, a
// glyph needs 1 px of blank around the caption's.
void MainWindowTest::groupBoxFramesClearTheirTexts()
{
    QFETCH(int, page);
    tabs()->setCurrentIndex(page - 1);
    QStringList struck;
    const auto boxes = tabs()->widget(page - 1)->findChildren<QGroupBox *>();
    for (const QGroupBox *box : boxes) {
        QStyleOptionGroupBox styleOption;
        styleOption.initFrom(box);
        styleOption.text = box->title();
        styleOption.textAlignment = box->alignment();
        styleOption.subControls = QStyle::SC_GroupBoxFrame | QStyle::SC_GroupBoxLabel;
        const QStyle *style = box->style();
        const QRect inside = style->subControlRect(QStyle::CC_GroupBox, &styleOption, QStyle::SC_GroupBoxFrame, box)
                                 .adjusted(2, 2, -2, -2);
        const QRect caption = style->subControlRect(QStyle::CC_GroupBox, &styleOption, QStyle::SC_GroupBoxLabel, box);
        const QRect captionGlyphs =
            glyphBox(box, caption, Qt::AlignLeft | Qt::AlignVCenter, box->title()).adjusted(-1, -1, 1, 1);
        const auto children = box->findChildren<QWidget *>(Qt::FindDirectChildrenOnly);
        for (const QWidget *child : children) {
            const QRect glyphs = childGlyphs(child);
            const QRect place = glyphs.isEmpty() ? child->geometry() : glyphs;
            if (!inside.contains(place) || captionGlyphs.intersects(place)) {
                struck << QStringLiteral("%1 in %2: %3,%4 %5x%6")
                              .arg(child->objectName(), box->objectName())
                              .arg(place.x())
                              .arg(place.y())
                              .arg(place.width())
                              .arg(place.height());
            }
        }
    }
    QVERIFY2(struck.isEmpty(), qPrintable(struck.join(QStringLiteral("; "))));
}

void MainWindowTest::classesShowWholeInTheirClosedLists()
{
    QStringList cut;
    for (auto *list : window->findChildren<QComboBox *>()) {
        if (list->isEditable()) {
            // The angle list's prompt in its edit part.
            const QLineEdit *edit = list->lineEdit();
            if (edit->fontMetrics().horizontalAdvance(edit->text()) > edit->contentsRect().width() - 4)
                cut << edit->text();
            continue;
        }
        QCOMPARE(list->size(), QSize(list->objectName() == QStringLiteral("ComboBox5") ? 57 : 49, 22));
        for (int i = 0; i < list->count(); ++i) {
            list->setCurrentIndex(i);
            QStyleOptionComboBox option;
            option.initFrom(list);
            option.currentText = list->currentText();
            option.editable = false;
            const QRect field =
                list->style()->subControlRect(QStyle::CC_ComboBox, &option, QStyle::SC_ComboBoxEditField, list);
            // The closed list draws its text one pixel in from each side.
            const int needed = list->fontMetrics().horizontalAdvance(list->currentText());
            if (needed > field.width() - 2 || field.right() >= list->width())
                cut << QStringLiteral("%1 \"%2\": %3 > %4")
                           .arg(list->objectName(), list->currentText())
                           .arg(needed)
                           .arg(field.width() - 2);
        }
    }
    QCOMPARE(cut, QStringList());
}

void MainWindowTest::placedInsideTheWorkArea_data()
{
    QTest::addColumn<QRect>("frame");
    QTest::addColumn<QRect>("area");
    QTest::addColumn<QPoint>("place");

    // A 1280 x 1024 screen at 100 %, 150 % and 200 %, as logical pixels.
    const QRect main(412, 301, 473, 401);
    const QRect reference(275, 170, 808, 674);
    QTest::newRow("main window at 100 %") << main << QRect(0, 0, 1280, 1024) << QPoint(412, 301);
    QTest::newRow("main window at 150 %") << main << QRect(0, 0, 853, 682) << QPoint(380, 281);
    QTest::newRow("main window at 200 %") << main << QRect(0, 0, 640, 512) << QPoint(167, 111);
    QTest::newRow("Справка at 100 %") << reference << QRect(0, 0, 1280, 1024) << QPoint(275, 170);
    QTest::newRow("Справка at 150 %") << reference << QRect(0, 0, 853, 682) << QPoint(45, 8);
    QTest::newRow("Справка at 200 %: larger than the screen") << reference << QRect(0, 0, 640, 512) << QPoint(0, 0);
    QTest::newRow("a panel on the left and the top") << main << QRect(500, 320, 780, 704) << QPoint(500, 320);
    QTest::newRow("a second screen on the right") << main << QRect(1280, 0, 1024, 768) << QPoint(1280, 301);
}

void MainWindowTest::placedInsideTheWorkArea()
{
    QFETCH(QRect, frame);
    QFETCH(QRect, area);
    QFETCH(QPoint, place);
    QCOMPARE(naklon::placedInside(frame, area), place);
}

// Run again by CTest at 150 % and 200 %.
void MainWindowTest::windowsStartOnTheScreen()
{
    TForm2 reference(window.get());
    reference.show();
    QVERIFY(QTest::qWaitForWindowExposed(&reference));
    const QRect area = window->screen()->availableGeometry();
    QVERIFY2(area.contains(window->frameGeometry()),
        qPrintable(QStringLiteral("%1,%2 %3x%4")
                       .arg(window->x())
                       .arg(window->y())
                       .arg(window->width())
                       .arg(window->height())));
    QVERIFY(area.contains(reference.frameGeometry()));
    // The designed place stands wherever the window fits there.
    if (area.contains(QRect(TForm1::kDesignedPosition, window->frameGeometry().size() + QSize(0, 40))))
        QCOMPARE(window->frameGeometry().topLeft(), TForm1::kDesignedPosition);
    QCOMPARE(window->size(), QSize(473, 401));
    // The reference window belongs to the main window: no task-bar entry of
    // its own, and the program's icon.
    QCOMPARE(reference.windowHandle()->transientParent(), window->windowHandle());
    QCOMPARE(reference.windowType(), Qt::Dialog);
    QVERIFY(reference.windowFlags().testFlags(
        Qt::WindowMinMaxButtonsHint | Qt::WindowCloseButtonHint | Qt::WindowSystemMenuHint));
    QCOMPARE(reference.windowIcon().cacheKey(), window->windowIcon().cacheKey());
}

void MainWindowTest::textsReadOnTheirBackgrounds_data()
{
    QTest::addColumn<QPalette>("desktop");
    QTest::addColumn<QString>("style");
    QTest::addColumn<QFont>("font");

    // Palettes by role in Qt's order, as a qt6ct colour scheme lists them:
    // WindowText, Button, Light, Midlight, Dark, Mid, Text, BrightText,
    // ButtonText, Base, Window, Shadow, Highlight, HighlightedText, Link,
    // LinkVisited, AlternateBase, NoRole, ToolTipBase, ToolTipText.
    const auto scheme = [](const QStringList &colours) {
        QPalette palette;
        for (int role = 0; role < colours.size(); ++role)
            palette.setColor(QPalette::ColorRole(role), QColor(colours.at(role)));
        return palette;
    };
    const QPalette dark = scheme({"#ffffff", "#424245", "#979797", "#5e5c5b", "#302f2e", "#4a4947", "#ffffff",
        "#ffffff", "#ffffff", "#3d3d3d", "#222020", "#e7e4e0", "#12608a", "#f9f9f9", "#0986d3", "#a70b06", "#5c5b5a",
        "#ffffff", "#3f3f36", "#ffffff"});
    const QPalette airy = scheme({"#000000", "#dcdcdc", "#dcdcdc", "#5e5c5b", "#646464", "#e1e1e1", "#000000",
        "#0a0a0a", "#0a0a0a", "#c8c8c8", "#ffffff", "#e7e4e0", "#0986d3", "#0a0a0a", "#0986d3", "#a70b06", "#5c5b5a",
        "#ffffff", "#646464", "#050505"});
    QFont dejaVu(QStringLiteral("DejaVu Sans"));
    dejaVu.setPointSize(12);
    QTest::newRow("the desktop's light palette")
        << QApplication::style()->standardPalette() << "Fusion" << QApplication::font();
    QTest::newRow("a dark palette") << dark << "Fusion" << QApplication::font();
    QTest::newRow("a qt6ct theme: its style, font and colours") << airy << "Windows" << dejaVu;
}

void MainWindowTest::textsReadOnTheirBackgrounds()
{
    QFETCH(QPalette, desktop);
    QFETCH(QString, style);
    QFETCH(QFont, font);

    // The desktop as a platform theme sets it up before the program starts.
    const QPalette ownPalette = QApplication::palette();
    const QFont ownFont = QApplication::font();
    window.reset();
    QApplication::setStyle(QStyleFactory::create(style));
    QApplication::setPalette(desktop);
    QApplication::setFont(font);
    naklon::settleDesktopDependence(*qApp);
    window = std::make_unique<TForm1>();
    window->show();
    QVERIFY(QTest::qWaitForWindowExposed(window.get()));

    // Pairs whose two colours the window layout fixes itself stay as they
    // are (white captions on grey).
    const auto fixed = [](const QString &name) {
        static const QStringList fixedColours{"clMoneyGreen", "clSkyBlue", "clTeal", "clGray", "clSilver", "clBlack",
            "clWhite"};
        return fixedColours.contains(name);
    };
    QStringList unreadable;
    double lowest = 21;
    QString lowestAt;
    const auto check =
        [&](const QWidget *widget, QPalette::ColorRole textRole, const QWidget *behind, QPalette::ColorRole fill) {
        const QColor text = widget->palette().color(textRole);
        const QColor background = behind->palette().color(fill);
        const double contrast = naklon::contrastRatio(text, background);
        const bool bothFixed =
            fixed(widget->property("fontColour").toString()) && fixed(behind->property("backgroundColour").toString());
        if (!bothFixed && contrast < lowest) {
            lowest = contrast;
            lowestAt = widget->objectName();
        }
        if (contrast < 4.5 && !bothFixed)
            unreadable << QStringLiteral("%1: %2 on %3, %4")
                              .arg(widget->objectName(), text.name(), background.name())
                              .arg(contrast, 0, 'f', 2);
    };
    const auto filled = [](const QWidget *widget) {
        while (widget->parentWidget() && !widget->autoFillBackground())
            widget = widget->parentWidget();
        return widget;
    };
    for (auto *widget : window->findChildren<QWidget *>()) {
        if (qobject_cast<QLabel *>(widget) || qobject_cast<QRadioButton *>(widget) || qobject_cast<QGroupBox *>(widget))
            check(widget, QPalette::WindowText, filled(widget), QPalette::Window);
        else if (qobject_cast<QPushButton *>(widget))
            check(widget, QPalette::ButtonText, widget, QPalette::Button);
        else if (auto *list = qobject_cast<QComboBox *>(widget); list && !list->isEditable())
            check(widget, QPalette::ButtonText, widget, QPalette::Button);
        else if (qobject_cast<QLineEdit *>(widget) || qobject_cast<QPlainTextEdit *>(widget))
            check(widget, QPalette::Text, widget, QPalette::Base);
        else if (qobject_cast<QTabBar *>(widget))
            check(widget, QPalette::WindowText, widget, QPalette::Window);
    }
    QCOMPARE(window->style()->name(), QStringLiteral("fusion"));
    QCOMPARE(QFontInfo(child<QLabel>("Label1")->font()).family(), QStringLiteral("Liberation Sans"));
    QCOMPARE(child<QLabel>("Label1")->font().pixelSize(), 16);

    window.reset();
    QApplication::setStyle(QStyleFactory::create(QStringLiteral("Fusion")));
    QApplication::setPalette(ownPalette);
    QApplication::setFont(ownFont);
    qInfo("lowest contrast %.2f:1 (%s)", lowest, qPrintable(lowestAt));
    QVERIFY2(unreadable.isEmpty(), qPrintable(unreadable.join(QStringLiteral(" | "))));
}

void MainWindowTest::qtTextsAreRussian()
{
    QStringList texts;
    const auto collect = [&texts](QWidget *root) {
        QList<QWidget *> widgets = root->findChildren<QWidget *>();
        widgets.prepend(root);
        for (QWidget *widget : widgets) {
            texts << widget->windowTitle() << widget->toolTip() << widget->accessibleName() << widget->whatsThis();
            if (auto *button = qobject_cast<QAbstractButton *>(widget))
                texts << button->text();
            if (auto *label = qobject_cast<QLabel *>(widget))
                texts << label->text();
            if (auto *field = qobject_cast<QLineEdit *>(widget))
                texts << field->placeholderText();
            if (auto *list = qobject_cast<QComboBox *>(widget);
                list && list->objectName() != QStringLiteral("lookInCombo")) {
                for (int i = 0; i < list->count(); ++i)
                    texts << list->itemText(i);
            }
            if (auto *view = qobject_cast<QAbstractItemView *>(widget); view && view->model()) {
                for (int column = 0; column < view->model()->columnCount(view->rootIndex()); ++column)
                    texts << view->model()->headerData(column, Qt::Horizontal).toString();
            }
            for (QAction *action : widget->actions())
                texts << action->text() << action->toolTip();
        }
    };

    naklon::HistoryDialogs dialogs(window.get());
    collect(dialogs.openDialog());
    collect(dialogs.saveDialog());
    // The error handler's box, as it comes up.
    QTimer::singleShot(50, window.get(), [&collect] {
        if (QWidget *box = QApplication::activeModalWidget()) {
            collect(box);
            box->close();
        }
    });
    naklon::MessageBoxReporter().show(QStringLiteral("Floating point overflow."), QStringLiteral("naklon"));
    const std::unique_ptr<QMenu> fieldMenu(child<QLineEdit>("Edit1")->createStandardContextMenu());
    collect(fieldMenu.get());
    const std::unique_ptr<QMenu> historyMenu(child<QPlainTextEdit>("Memo1")->createStandardContextMenu());
    collect(historyMenu.get());
    collect(window.get()); // the tab strip's scroll buttons among them

    QStringList english;
    static const QRegularExpression word(QStringLiteral("[A-Za-z]{2,}"));
    for (QString text : std::as_const(texts)) {
        text = text.section(QLatin1Char('\t'), 0, 0); // a menu item's shortcut
        if (text == QStringLiteral("Floating point overflow.") || text == QStringLiteral("naklon"))
            continue; // the program's own
        if (word.match(text).hasMatch())
            english << text;
    }
    english.removeDuplicates();
    QVERIFY2(english.isEmpty(), qPrintable(english.join(QStringLiteral(" | "))));
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
