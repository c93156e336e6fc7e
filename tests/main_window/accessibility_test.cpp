// What a screen reader speaks for the controls of the main window: every
// control the keyboard reaches has a name, the names are the captions a
// sighted user reads beside the controls, and a relabelled field is spoken
// by its new caption.

#include "main_window/accessibility.h"
#include "main_window/zeverozozod.h"

#include <QAccessible>
#include <QComboBox>
#include <QDialog>
#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>
#include <QTabBar>
#include <QTabWidget>
#include <QtTest>

#include <memory>

namespace {

// The name as assistive technology reads it through Qt's accessibility
// bridge, buddies and all, not merely the widget's property.
QString spokenName(QWidget *widget)
{
    QAccessibleInterface *face = QAccessible::queryAccessibleInterface(widget);
    return face ? face->text(QAccessible::Name) : QString();
}

QString nameOf(QWidget *widget)
{
    return widget->objectName().isEmpty() ? QString::fromUtf8(widget->metaObject()->className()) : widget->objectName();
}

} // namespace

class AccessibilityTest : public QObject {
    Q_OBJECT

private slots:
    void init()
    {
        window = std::make_unique<TForm1>();
        window->show();
        window->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(window.get()));
    }
    void cleanup() { window.reset(); }

    void everyPageFocusChainIsNamed_data();
    void everyPageFocusChainIsNamed();
    void namesComeFromTheCaptions_data();
    void namesComeFromTheCaptions();
    void labelsAreTheirFieldsBuddies_data();
    void labelsAreTheirFieldsBuddies();
    void aRelabelledFieldIsSpokenByItsNewCaption_data();
    void aRelabelledFieldIsSpokenByItsNewCaption();
    void typingIntoTheAngleListKeepsItsName();
    void aDialogOwnedByTheWindowIsLeftAlone();

private:
    QTabWidget *tabs() { return window->findChild<QTabWidget *>(QStringLiteral("PageControl1")); }
    template <typename T>
    T *child(const QString &name)
    {
        auto *found = window->findChild<T *>(name);
        if (!found)
            qFatal("no child %s", qPrintable(name));
        return found;
    }

    std::unique_ptr<TForm1> window;
};

void AccessibilityTest::everyPageFocusChainIsNamed_data()
{
    QTest::addColumn<int>("page");
    for (int page = 0; page < 6; ++page)
        QTest::newRow(qPrintable(QStringLiteral("page %1").arg(page + 1))) << page;
}

void AccessibilityTest::everyPageFocusChainIsNamed()
{
    QFETCH(int, page);
    tabs()->setCurrentIndex(page);
    QTabBar *strip = tabs()->tabBar();
    strip->setFocus();
    QVERIFY(!spokenName(strip).isEmpty());

    // The keyboard's own walk: Tab until the focus is back on the tab strip.
    QStringList unnamed;
    int visited = 0;
    for (; visited < 40; ++visited) {
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        QWidget *focus = QApplication::focusWidget();
        QVERIFY(focus);
        if (focus == strip)
            break;
        if (spokenName(focus).isEmpty())
            unnamed << nameOf(focus);
    }
    QVERIFY2(visited < 40, "Tab never came back to the tab strip");
    QVERIFY2(visited >= 5, "the walk reached too few controls");
    QVERIFY2(unnamed.isEmpty(), qPrintable(unnamed.join(u' ')));

    // Every control the keyboard can reach at all, the options that Tab
    // passes over while another option of their group is checked included.
    const auto widgets = tabs()->currentWidget()->findChildren<QWidget *>();
    for (QWidget *widget : widgets) {
        if ((widget->focusPolicy() & Qt::TabFocus) && widget->isVisibleTo(window.get()) && widget->isEnabled()
            && !widget->focusProxy() && spokenName(widget).isEmpty())
            unnamed << nameOf(widget);
    }
    QVERIFY2(unnamed.isEmpty(), qPrintable(unnamed.join(u' ')));
}

void AccessibilityTest::namesComeFromTheCaptions_data()
{
    QTest::addColumn<QString>("control");
    QTest::addColumn<QString>("name");

    QTest::newRow("spacing field") << "Edit1"
                                   << "Шаг (см)";
    QTest::newRow("area field, check mode") << "Edit2"
                                            << "Площадь (см2)";
    QTest::newRow("width field under a wider label") << "Edit3"
                                                     << "Ширина сечения (см)";
    QTest::newRow("h0 field at the row's right") << "Edit4"
                                                 << "h0 (см)";
    QTest::newRow("angle field of bent-up bars") << "Edit5"
                                                 << "Угол (град)";
    QTest::newRow("width without reinforcement") << "Edit7"
                                                 << "Ширина (см)";
    QTest::newRow("h0 without reinforcement") << "Edit8"
                                              << "h0 (см)";
    QTest::newRow("pull-off force") << "Edit9"
                                    << "Отрывающее усилие (кг)";
    QTest::newRow("punching force, label narrower than field") << "Edit11"
                                                               << "Продавливающая сила (кг)";
    QTest::newRow("half perimeter") << "Edit12"
                                    << "Полусумма периметров (см)";
    QTest::newRow("h0 of punching") << "Edit13"
                                    << "h0 (см)";
    QTest::newRow("compressive force") << "Edit10"
                                       << "Сжимающая сила (кг)";
    QTest::newRow("loaded area") << "Edit14"
                                 << "F смятия (см2)";
    QTest::newRow("design area") << "Edit15"
                                 << "F-см расчетное (см2)";
    QTest::newRow("concrete class, page 1") << "ComboBox1"
                                            << "Класс бетона";
    QTest::newRow("reinforcement class, page 1") << "ComboBox2"
                                                 << "Класс арматуры";
    QTest::newRow("reinforcement class, page 2") << "ComboBox4"
                                                 << "Класс арматуры";
    QTest::newRow("concrete class, page 3") << "ComboBox3"
                                            << "Класс бетона";
    QTest::newRow("wider reinforcement list, page 4") << "ComboBox5"
                                                      << "Класс арматуры";
    QTest::newRow("concrete class, page 5") << "ComboBox6"
                                            << "Класс бетона";
    QTest::newRow("reinforcement class, page 5") << "ComboBox7"
                                                 << "Класс арматуры";
    QTest::newRow("concrete class, page 6") << "ComboBox8"
                                            << "Класс бетона";
    QTest::newRow("angle list without a label") << "ComboBox10"
                                                << "Угол (град)";
    QTest::newRow("history box") << "Memo4"
                                 << "История вычислений";
    QTest::newRow("option with leading blanks") << "RadioButton5"
                                                << "Сплошные плиты";
    QTest::newRow("open button") << "Button4"
                                 << "Открыть";
    QTest::newRow("reference button") << "Button25"
                                      << "Справка";
}

void AccessibilityTest::namesComeFromTheCaptions()
{
    QFETCH(QString, control);
    QFETCH(QString, name);
    QCOMPARE(spokenName(child<QWidget>(control)), name);
}

void AccessibilityTest::labelsAreTheirFieldsBuddies_data()
{
    QTest::addColumn<QString>("label");
    QTest::addColumn<QString>("control");

    QTest::newRow("spacing") << "Label3"
                             << "Edit1";
    QTest::newRow("h0 beside a wide label") << "Label6"
                                            << "Edit4";
    QTest::newRow("half perimeter") << "Label27"
                                    << "Edit12";
    QTest::newRow("design area under the loaded area") << "Label31"
                                                       << "Edit15";
    QTest::newRow("letter of a class list") << "Label8"
                                            << "ComboBox1";
    QTest::newRow("caption of a class list") << "Label1"
                                             << "ComboBox1";
    QTest::newRow("caption of the lower list") << "Label2"
                                               << "ComboBox2";
}

void AccessibilityTest::labelsAreTheirFieldsBuddies()
{
    QFETCH(QString, label);
    QFETCH(QString, control);
    QCOMPARE(child<QLabel>(label)->buddy(), child<QWidget>(control));

    // The relation a screen reader follows to say what labels a control.
    QAccessibleInterface *face = QAccessible::queryAccessibleInterface(child<QWidget>(control));
    QVERIFY(face);
    bool labelled = false;
    const auto relations = face->relations(QAccessible::Label);
    for (const auto &relation : relations)
        labelled = labelled || relation.first->object() == child<QLabel>(label);
    QVERIFY(labelled);
}

void AccessibilityTest::aRelabelledFieldIsSpokenByItsNewCaption_data()
{
    QTest::addColumn<int>("page");
    QTest::addColumn<QString>("option");
    QTest::addColumn<QString>("back");
    QTest::addColumn<QString>("field");
    QTest::addColumn<QString>("label");

    QTest::newRow("stirrups") << 0 << "RadioButton2"
                              << "RadioButton1"
                              << "Edit2"
                              << "Label4";
    QTest::newRow("bent-up bars") << 1 << "RadioButton4"
                                  << "RadioButton3"
                                  << "Edit6"
                                  << "Label10";
}

void AccessibilityTest::aRelabelledFieldIsSpokenByItsNewCaption()
{
    QFETCH(int, page);
    QFETCH(QString, option);
    QFETCH(QString, back);
    QFETCH(QString, field);
    QFETCH(QString, label);

    tabs()->setCurrentIndex(page);
    auto *edit = child<QLineEdit>(field);
    const QString before = spokenName(edit);
    QCOMPARE(before, QStringLiteral("Площадь (см2)"));

    QTest::mouseClick(child<QRadioButton>(option), Qt::LeftButton, {}, QPoint(6, 8));
    QCOMPARE(spokenName(edit), QStringLiteral("Поперечная сила (кг)"));
    QCOMPARE(spokenName(edit), child<QLabel>(label)->text().trimmed());

    // The keyboard's way back: the arrow key clicks the other option.
    child<QRadioButton>(option)->setFocus();
    QTest::keyClick(child<QRadioButton>(option), Qt::Key_Up);
    QVERIFY(child<QRadioButton>(back)->isChecked());
    QCOMPARE(spokenName(edit), before);
}

void AccessibilityTest::typingIntoTheAngleListKeepsItsName()
{
    tabs()->setCurrentIndex(3);
    auto *angles = child<QComboBox>(QStringLiteral("ComboBox10"));
    angles->lineEdit()->selectAll();
    QTest::keyClicks(angles->lineEdit(), QStringLiteral("50"));
    QCOMPARE(angles->currentText(), QStringLiteral("50"));
    // The edit part has the focus and is spoken by its name; on Linux the
    // list itself is spoken by its value, so only its property is checked.
    QCOMPARE(spokenName(angles->lineEdit()), QStringLiteral("Угол (град)"));
    QCOMPARE(angles->accessibleName(), QStringLiteral("Угол (град)"));
}

void AccessibilityTest::aDialogOwnedByTheWindowIsLeftAlone()
{
    // An editable list in the window, and one in a dialog the window owns:
    // only the window's own list lends its name to its edit part.
    QWidget owner;
    auto *list = new QComboBox(&owner);
    list->setEditable(true);
    list->setAccessibleName(QStringLiteral("Ширина (см)"));
    auto *dialog = new QDialog(&owner);
    auto *dialogList = new QComboBox(dialog);
    dialogList->setEditable(true);
    dialogList->setAccessibleName(QStringLiteral("Имя файла"));

    naklon::nameInnerParts(&owner);
    QCOMPARE(spokenName(list->lineEdit()), QStringLiteral("Ширина (см)"));
    QVERIFY(dialogList->lineEdit()->accessibleName().isEmpty());
}

QTEST_MAIN(AccessibilityTest)
#include "accessibility_test.moc"
