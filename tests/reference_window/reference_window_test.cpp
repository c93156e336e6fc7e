// The reference window "Справка" together with the main window: showing,
// hiding, what survives hiding, and the picture painted from one decode.
#include "reference_window/reference_image.h"
#include "reference_window/unit2.h"
#include "main_window/zeverozozod.h"

#include <QApplication>
#include <QComboBox>
#include <QFontInfo>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollArea>
#include <QScrollBar>
#include <QTabWidget>
#include <QTimer>
#include <QtTest>

#include <memory>

namespace {

template <typename T>
T *child(QWidget *window, const char *name)
{
    T *found = window->findChild<T *>(QLatin1String(name));
    if (!found)
        qFatal("no control %s", name);
    return found;
}

enum class HideBy { OkClick, OkSpace, OkEnter, OkReturn, Close };

} // namespace

Q_DECLARE_METATYPE(HideBy)

class ReferenceWindowTest : public QObject {
    Q_OBJECT

    std::unique_ptr<TForm1> main_;
    std::unique_ptr<TForm2> reference_;

    QPushButton *spravka() { return child<QPushButton>(main_.get(), "Button25"); }

    void pressSpravka() { QTest::mouseClick(spravka(), Qt::LeftButton); }

private slots:
    void init()
    {
        main_ = std::make_unique<TForm1>();
        reference_ = std::make_unique<TForm2>(main_.get());
        child<QTabWidget>(main_.get(), "PageControl1")->setCurrentIndex(5);
        main_->show();
        QVERIFY(QTest::qWaitForWindowActive(main_.get()));
    }

    void cleanup()
    {
        reference_.reset();
        main_.reset();
    }

    void hiddenAtStartWithNothingDecoded()
    {
        QCOMPARE(Form2, reference_.get());
        QVERIFY(!reference_->isVisible());
        QVERIFY(!reference_->picture().isDecoded());
    }

    void windowFrameAndControls()
    {
        QCOMPARE(reference_->windowTitle(), QStringLiteral("Справка"));
        QCOMPARE(reference_->objectName(), QStringLiteral("Form2"));
        QCOMPARE(reference_->pos(), QPoint(275, 170));
        QCOMPARE(reference_->size(), QSize(800, 641));
        QPushButton *ok = reference_->okButton();
        QCOMPARE(ok->text(), QStringLiteral("\u041e\u041a")); // Cyrillic О and К
        QVERIFY(!ok->isDefault());
        QCOMPARE(ok->font().pixelSize(), 16);
        QCOMPARE(QFontInfo(ok->font()).family(), QStringLiteral("Liberation Sans"));

        // The scroll area and the picture must not take the focus from "ОК".
        const auto widgets = reference_->findChildren<QWidget *>();
        for (QWidget *widget : widgets)
            if (widget != ok)
                QVERIFY2(widget->focusPolicy() == Qt::NoFocus, qPrintable(widget->objectName()));
    }

    void spravkaShowsItActiveWithFocusOnOk()
    {
        pressSpravka();
        QVERIFY(QTest::qWaitForWindowActive(reference_.get()));
        QVERIFY(reference_->isVisible());
        QVERIFY(main_->isVisible());
        QTRY_COMPARE(QApplication::focusWidget(), reference_->okButton());
    }

    void spravkaTwiceLeavesOneWindow()
    {
        pressSpravka();
        QVERIFY(QTest::qWaitForWindowActive(reference_.get()));
        const QRect before = reference_->geometry();
        main_->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(main_.get()));
        pressSpravka();
        QVERIFY(QTest::qWaitForWindowActive(reference_.get()));

        int shown = 0;
        for (QWidget *window : QApplication::topLevelWidgets())
            if (dynamic_cast<TForm2 *>(window) && window->isVisible())
                ++shown;
        QCOMPARE(shown, 1);
        QCOMPARE(reference_->geometry(), before);
        QTRY_COMPARE(QApplication::focusWidget(), reference_->okButton());
    }

    void spravkaBringsBackAMinimizedWindow()
    {
        pressSpravka();
        QVERIFY(QTest::qWaitForWindowActive(reference_.get()));
        reference_->showMinimized();
        QTRY_VERIFY(reference_->isMinimized());
        main_->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(main_.get()));

        pressSpravka();
        QVERIFY(!reference_->isMinimized());
        QVERIFY(QTest::qWaitForWindowActive(reference_.get()));
        QTRY_COMPARE(QApplication::focusWidget(), reference_->okButton());
    }

    void hidingIt_data()
    {
        QTest::addColumn<HideBy>("by");
        QTest::addColumn<bool>("backToSpravka");
        QTest::newRow("click on ОК") << HideBy::OkClick << true;
        QTest::newRow("Space on ОК") << HideBy::OkSpace << true;
        QTest::newRow("Enter on ОК") << HideBy::OkEnter << true;
        QTest::newRow("Return on ОК") << HideBy::OkReturn << true;
        QTest::newRow("close button") << HideBy::Close << false;
    }

    void hidingIt()
    {
        QFETCH(HideBy, by);
        QFETCH(bool, backToSpravka);
        pressSpravka();
        QVERIFY(QTest::qWaitForWindowActive(reference_.get()));

        QPushButton *ok = reference_->okButton();
        switch (by) {
        case HideBy::OkClick: QTest::mouseClick(ok, Qt::LeftButton); break;
        case HideBy::OkSpace: QTest::keyClick(ok, Qt::Key_Space); break;
        case HideBy::OkEnter: QTest::keyClick(ok, Qt::Key_Enter); break;
        case HideBy::OkReturn: QTest::keyClick(ok, Qt::Key_Return); break;
        case HideBy::Close: QVERIFY(reference_->close()); break;
        }

        QVERIFY(!reference_->isVisible());
        QVERIFY(main_->isVisible());
        QCOMPARE(Form2, reference_.get());
        if (backToSpravka) {
            QVERIFY(QTest::qWaitForWindowActive(main_.get()));
            QCOMPARE(QApplication::focusWidget(), spravka());
        }

        // And "Справка" brings it back.
        pressSpravka();
        QVERIFY(QTest::qWaitForWindowActive(reference_.get()));
    }

    void placeSizeAndScrollSurviveHiding_data()
    {
        QTest::addColumn<bool>("byOk");
        QTest::newRow("hidden by ОК") << true;
        QTest::newRow("hidden by closing") << false;
    }

    void placeSizeAndScrollSurviveHiding()
    {
        QFETCH(bool, byOk);
        pressSpravka();
        QVERIFY(QTest::qWaitForWindowActive(reference_.get()));
        reference_->setGeometry(QRect(QPoint(120, 90), QSize(420, 310)));
        QScrollArea *area = reference_->scrollArea();
        QTRY_VERIFY(area->verticalScrollBar()->maximum() > 200);
        area->horizontalScrollBar()->setValue(150);
        area->verticalScrollBar()->setValue(200);
        const QRect geometry = reference_->geometry();

        if (byOk)
            QTest::mouseClick(reference_->okButton(), Qt::LeftButton);
        else
            reference_->close();
        QVERIFY(!reference_->isVisible());
        pressSpravka();
        QVERIFY(QTest::qWaitForWindowActive(reference_.get()));

        QCOMPARE(reference_->geometry(), geometry);
        QCOMPARE(area->horizontalScrollBar()->value(), 150);
        QCOMPARE(area->verticalScrollBar()->value(), 200);
    }

    void smallerWindowScrollsNeverScales_data()
    {
        QTest::addColumn<QSize>("client");
        QTest::addColumn<bool>("horizontalBar");
        QTest::addColumn<bool>("verticalBar");
        QTest::newRow("designed size") << QSize(800, 641) << false << false;
        QTest::newRow("larger") << QSize(1000, 800) << false << false;
        QTest::newRow("narrower") << QSize(500, 700) << true << false;
        QTest::newRow("lower") << QSize(900, 400) << false << true;
        QTest::newRow("smaller both ways") << QSize(300, 200) << true << true;
    }

    void smallerWindowScrollsNeverScales()
    {
        QFETCH(QSize, client);
        QFETCH(bool, horizontalBar);
        QFETCH(bool, verticalBar);
        pressSpravka();
        QVERIFY(QTest::qWaitForWindowExposed(reference_.get()));
        reference_->resize(client);
        QScrollArea *area = reference_->scrollArea();
        QTRY_COMPARE(reference_->size(), client);
        QTRY_COMPARE(area->horizontalScrollBar()->isVisible(), horizontalBar);
        QTRY_COMPARE(area->verticalScrollBar()->isVisible(), verticalBar);
        QCOMPARE(reference_->image()->size(), QSize(800, 600));
        QCOMPARE(area->widget()->size(), QSize(800, 641));
    }

    void mainWindowWorksWhileShown()
    {
        pressSpravka();
        QVERIFY(QTest::qWaitForWindowActive(reference_.get()));

        QWidget *window = main_.get();
        child<QComboBox>(window, "ComboBox8")->setCurrentIndex(1); // "20"
        child<QRadioButton>(window, "RadioButton9")->setChecked(true);
        child<QLineEdit>(window, "Edit10")->setText(QStringLiteral("20000"));
        child<QLineEdit>(window, "Edit14")->setText(QStringLiteral("100"));
        child<QLineEdit>(window, "Edit15")->setText(QStringLiteral("800"));
        QTest::mouseClick(child<QPushButton>(window, "Button22"), Qt::LeftButton);

        const QString history = child<QPlainTextEdit>(window, "Memo6")->toPlainText();
        QVERIFY2(history.contains(QStringLiteral("Прочность сечения достаточна")), qPrintable(history));
        QVERIFY(history.contains(QStringLiteral(">20000")));
        QVERIFY(reference_->isVisible());
    }

    void pictureDecodedOnceAndPaintedUnscaled()
    {
        pressSpravka();
        QVERIFY(QTest::qWaitForWindowExposed(reference_.get()));
        naklon::ReferenceImage *image = reference_->image();
        for (int i = 0; i < 4; ++i)
            image->repaint();
        reference_->cpravkaOK();
        pressSpravka();
        QVERIFY(QTest::qWaitForWindowExposed(reference_.get()));
        image->repaint();
        QCOMPARE(reference_->picture().decodeCount(), 1);

        const QImage shown = image->grab().toImage();
        QCOMPARE(shown.size(), QSize(800, 600));
        // A white margin corner and a stem of the caption's first letter, in
        // the places they have in the picture itself.
        QVERIFY(qGray(shown.pixel(2, 2)) >= 235);
        QVERIFY(qGray(shown.pixel(61, 575)) <= 60);
    }

    void spravkaWithoutReferenceWindowDoesNothing()
    {
        reference_.reset();
        QCOMPARE(Form2, nullptr);
        pressSpravka();
        QVERIFY(main_->isVisible());
        QVERIFY(main_->isActiveWindow());
    }

    void okWithoutMainWindowStillHides()
    {
        TForm2 alone;
        alone.show();
        QVERIFY(QTest::qWaitForWindowExposed(&alone));
        alone.cpravkaOK();
        QVERIFY(!alone.isVisible());
    }

    // Last: it runs the event loop to its end.
    void closingMainWindowWhileShownEndsProgram()
    {
        pressSpravka();
        QVERIFY(QTest::qWaitForWindowActive(reference_.get()));
        QTimer::singleShot(0, main_.get(), [this] { main_->close(); });
        QTimer guard;
        guard.setSingleShot(true);
        connect(&guard, &QTimer::timeout, qApp, [] { QCoreApplication::exit(7); });
        guard.start(5000);
        QCOMPARE(QApplication::exec(), 0);
        QVERIFY(!main_->isVisible());
    }
};

QTEST_MAIN(ReferenceWindowTest)
#include "reference_window_test.moc"
