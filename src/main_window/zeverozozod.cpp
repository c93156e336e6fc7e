#include "main_window/zeverozozod.h"

#include "ui_zeverozozod.h"

#include "main_window/accessibility.h"
#include "main_window/group_box_style.h"
#include "main_window/picker_delegate.h"
#include "main_window/tab_strip_style.h"
#include "reference_window/unit2.h"
#include "window_services/error_reporter.h"
#include "window_services/form_design.h"
#include "window_services/locale_format.h"
#include "window_services/text_bridge.h"
#include "window_services/window_placement.h"
#include "history/blank_wrap_layout.h"
#include "history/history_box.h"
#include "history/history_panel.h"

#include "pages/bent_up_bars.h"
#include "pages/calculation_report.h"
#include "pages/local_bearing.h"
#include "pages/no_reinforcement.h"
#include "pages/pull_off.h"
#include "pages/punching.h"
#include "pages/stirrups.h"

#include <QCloseEvent>
#include <QComboBox>
#include <QGroupBox>
#include <QCoreApplication>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QScreen>
#include <QSessionManager>
#include <QStyleFactory>
#include <QTabBar>
#include <QTimer>
#include <QWindowStateChangeEvent>

#include <algorithm>

namespace {

using naklon::coreText;
using naklon::qtText;

std::string textOf(const QLineEdit *edit)
{
    return coreText(edit->text());
}

std::string textOf(const QComboBox *list)
{
    return coreText(list->currentText());
}

// The caption above the field that holds the area or the force follows the
// checked option of the page's mode group; the label fits the new caption.
void relabelValueField(QLabel *label, const QRadioButton *check, const QRadioButton *selection)
{
    if (check->isChecked())
        label->setText(qtText(naklon::valueCaption(naklon::SectionMode::Check)));
    else if (selection->isChecked())
        label->setText(qtText(naklon::valueCaption(naklon::SectionMode::Selection)));
    label->resize(label->sizeHint().width(), label->height());
}

} // namespace

TForm1::TForm1(QWidget *parent)
    : QWidget(parent), ui(std::make_unique<Ui::TForm1>()), numberFormat_(naklon::systemNumberFormat())
{
    // The icon lives in this library's resources, which a static library
    // does not register on its own.
    Q_INIT_RESOURCE(naklon);
    ui->setupUi(this);
    naklon::applyFormDesign(this);
    // Named as PNG: a name without suffix would have Qt consult the MIME
    // database and load every image plugin to find out, at start-up.
    setWindowIcon(QIcon(QPixmap(QStringLiteral(":/MAINICON"), "PNG")));

    preparePickers();
    prepareGroupBoxes();
    prepareHistories();
    fitLabelsToCaptions();
    connectHandlers();
    prepareHistoryPanels();
    naklon::nameInnerParts(this);

    // The window fits its content and is never resized: every request to
    // change its size, maximizing included, is answered with this size.
    setFixedSize(kClientSize);
    move(kDesignedPosition);
    naklon::keepOnScreen(this);
    QTabBar *tabStrip = ui->PageControl1->tabBar();
    auto *tabStripStyle = new naklon::TabStripStyle(QStyleFactory::create(style()->name()));
    tabStripStyle->setParent(this);
    tabStrip->setStyle(tabStripStyle);
    tabStrip->setElideMode(Qt::ElideNone);
    ui->PageControl1->setCurrentIndex(0);
    ui->PageControl1->setFocus();
    connect(qApp, &QGuiApplication::commitDataRequest, this, &TForm1::commitData);
}

TForm1::~TForm1() = default;

void TForm1::preparePickers()
{
    auto *pickerStyle = new naklon::PickerStyle(QStyleFactory::create(style()->name()));
    pickerStyle->setParent(this);
    const auto pickers = findChildren<QComboBox *>();
    for (QComboBox *picker : pickers) {
        picker->setItemDelegate(new naklon::PickerItemDelegate(picker));
        picker->setCurrentIndex(-1);
        // A list takes Ctrl+Tab as a letter to search its items for.
        picker->installEventFilter(this);
    }
    // The angle list of "Отрыв" can be typed into; it starts with a prompt
    // that is not one of its items.
    ui->ComboBox10->setInsertPolicy(QComboBox::NoInsert);
    ui->ComboBox10->setEditText(qtText(naklon::kPullOffAnglePrompt));
    // Show the prompt from its first letter on.
    ui->ComboBox10->lineEdit()->setCursorPosition(0);
    // Set once the prompt is there, which the angle list's edit part makes
    // room for.
    for (QComboBox *picker : pickers)
        picker->setStyle(pickerStyle);
}

void TForm1::prepareGroupBoxes()
{
    auto *groupBoxStyle = new naklon::GroupBoxStyle(QStyleFactory::create(style()->name()));
    groupBoxStyle->setParent(this);
    const auto boxes = findChildren<QGroupBox *>();
    for (QGroupBox *box : boxes)
        box->setStyle(groupBoxStyle);
}

void TForm1::prepareHistories()
{
    for (QPlainTextEdit *history : {ui->Memo1, ui->Memo2, ui->Memo3, ui->Memo4, ui->Memo5, ui->Memo6}) {
        // The wrapping is on screen only and never enters the text.
        naklon::wrapAtBlanksOnly(history);
        history->setWordWrapMode(QTextOption::WrapAtWordBoundaryOrAnywhere);
        history->setPlainText(naklon::initialHistoryText());
    }
}

// Labels size themselves to their caption, so a caption in a font wider than
// the designed one is never cut; an option too narrow for its caption in
// this font grows to the right as well.
void TForm1::fitLabelsToCaptions()
{
    const auto labels = findChildren<QLabel *>();
    for (QLabel *label : labels)
        label->resize(label->sizeHint().width(), label->height());
    const auto options = findChildren<QRadioButton *>();
    for (QRadioButton *option : options)
        option->resize(std::max(option->width(), option->sizeHint().width()), option->height());
}

void TForm1::connectHandlers()
{
    wire(ui->Button1, &TForm1::shitat);
    wire(ui->Button6, &TForm1::shitat2);
    wire(ui->Button10, &TForm1::shitat3);
    wire(ui->Button14, &TForm1::otruv);
    wire(ui->Button18, &TForm1::prodavlivanie);
    wire(ui->Button22, &TForm1::smiatie);
    wire(ui->RadioButton1, &TForm1::prSech);
    wire(ui->RadioButton2, &TForm1::prSech);
    wire(ui->RadioButton3, &TForm1::prSech2);
    wire(ui->RadioButton4, &TForm1::prSech2);
    wire(ui->Button25, &TForm1::cpravka1);

    // Enter presses the focused push button, as Space does; no button is a
    // default button, so Enter anywhere else and Esc press nothing.
    const auto buttons = findChildren<QPushButton *>();
    for (QPushButton *button : buttons)
        button->installEventFilter(this);
    // The Tab key enters a group of options at its checked option.
    const auto options = findChildren<QRadioButton *>();
    for (QRadioButton *option : options)
        option->installEventFilter(this);
}

bool TForm1::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() == QEvent::FocusIn) {
        const Qt::FocusReason reason = static_cast<QFocusEvent *>(event)->reason();
        auto *option = qobject_cast<QRadioButton *>(watched);
        if (option && !option->isChecked() && (reason == Qt::TabFocusReason || reason == Qt::BacktabFocusReason)) {
            const auto siblings = option->parentWidget()->findChildren<QRadioButton *>(Qt::FindDirectChildrenOnly);
            for (QRadioButton *sibling : siblings) {
                if (sibling->isChecked() && sibling->autoExclusive()) {
                    sibling->setFocus(reason);
                    break;
                }
            }
        }
    }
    if (event->type() == QEvent::KeyPress) {
        auto *key = static_cast<QKeyEvent *>(event);
        // Ctrl+Tab and Ctrl+Shift+Tab leaf through the pages from every
        // control, also from those that would take the key themselves.
        const bool tab = key->key() == Qt::Key_Tab || key->key() == Qt::Key_Backtab;
        if (tab && (key->modifiers() & Qt::ControlModifier) && watched != ui->PageControl1) {
            QCoreApplication::sendEvent(ui->PageControl1, key);
            return true;
        }
        const bool enter = key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter;
        const Qt::KeyboardModifiers modifiers = key->modifiers() & ~Qt::KeypadModifier;
        if (enter && modifiers == Qt::NoModifier) {
            if (auto *button = qobject_cast<QPushButton *>(watched)) {
                if (!key->isAutoRepeat())
                    button->click();
                return true;
            }
        }
    }
    return QWidget::eventFilter(watched, event);
}

void TForm1::guarded(void (TForm1::*handler)())
{
    naklon::runGuarded([this, handler] { (this->*handler)(); });
}

void TForm1::wire(QAbstractButton *button, void (TForm1::*handler)())
{
    connect(button, &QAbstractButton::clicked, this, [this, handler] { guarded(handler); });
}

void TForm1::append(QPlainTextEdit *history, const std::vector<std::string> &lines)
{
    for (const std::string &line : lines)
        naklon::appendHistoryLine(history, qtText(line));
}

void TForm1::calculate(std::size_t page, const PageCalculation &calculation)
{
    naklon::CalculationReport report;
    try {
        const naklon::HistoryLines lines = calculation(&report);
        append(historyBox(page), lines);
    } catch (const std::exception &failure) {
        // The report keeps a failed calculation too, with its message; the
        // failure goes on to the error handler.
        report.failure = failure.what();
        historyPanels_[page]->addReport(report);
        throw;
    }
    historyPanels_[page]->addReport(report);
}

void TForm1::shitat()
{
    const naklon::StirrupsInput input{textOf(ui->ComboBox1), textOf(ui->ComboBox2), textOf(ui->Edit1),
        textOf(ui->Edit2), textOf(ui->Edit3), textOf(ui->Edit4),
        ui->RadioButton1->isChecked() ? naklon::StirrupsMode::Check : naklon::StirrupsMode::Selection};
    calculate(0,
        [&](naklon::CalculationReport *report) { return naklon::calculateStirrups(input, numberFormat_, report); });
}

void TForm1::shitat2()
{
    const naklon::BentUpBarsInput input{textOf(ui->ComboBox4), textOf(ui->Edit5), textOf(ui->Edit6),
        ui->RadioButton3->isChecked() ? naklon::BentUpBarsMode::Check : naklon::BentUpBarsMode::Selection};
    calculate(1,
        [&](naklon::CalculationReport *report) { return naklon::calculateBentUpBars(input, numberFormat_, report); });
}

void TForm1::shitat3()
{
    const naklon::NoReinforcementInput input{textOf(ui->ComboBox3), textOf(ui->Edit7), textOf(ui->Edit8),
        ui->RadioButton5->isChecked() ? naklon::MemberKind::SolidSlab : naklon::MemberKind::BeamOrRib};
    calculate(2, [&](naklon::CalculationReport *report) {
        return naklon::calculateNoReinforcement(input, numberFormat_, report);
    });
}

void TForm1::otruv()
{
    const naklon::PullOffInput input{textOf(ui->ComboBox5), textOf(ui->Edit9), textOf(ui->ComboBox10),
        ui->RadioButton7->isChecked() ? naklon::PullOffReinforcement::Stirrups
                                      : naklon::PullOffReinforcement::BentUpBars};
    calculate(3,
        [&](naklon::CalculationReport *report) { return naklon::calculatePullOff(input, numberFormat_, report); });
}

void TForm1::prodavlivanie()
{
    const naklon::PunchingInput input{textOf(ui->ComboBox6), textOf(ui->ComboBox7), textOf(ui->Edit11),
        textOf(ui->Edit12), textOf(ui->Edit13)};
    calculate(4,
        [&](naklon::CalculationReport *report) { return naklon::calculatePunching(input, numberFormat_, report); });
}

void TForm1::smiatie()
{
    const naklon::LocalBearingInput input{textOf(ui->ComboBox8), textOf(ui->Edit14), textOf(ui->Edit15),
        textOf(ui->Edit10),
        ui->RadioButton9->isChecked() ? naklon::LoadDistribution::Uniform : naklon::LoadDistribution::NonUniform};
    calculate(5,
        [&](naklon::CalculationReport *report) { return naklon::calculateLocalBearing(input, numberFormat_, report); });
}

void TForm1::prSech()
{
    relabelValueField(ui->Label4, ui->RadioButton1, ui->RadioButton2);
}

void TForm1::prSech2()
{
    relabelValueField(ui->Label10, ui->RadioButton3, ui->RadioButton4);
}

void TForm1::cpravka1()
{
    if (!Form2)
        return;
    // Shown with the place, size and scroll position it last had; a window
    // the user minimized comes back as well.
    Form2->setWindowState(Form2->windowState() & ~Qt::WindowMinimized);
    Form2->show();
    // The main window stays shown behind or beside it.
    show();
    if (!Form2->isActiveWindow()) {
        Form2->raise();
        Form2->activateWindow();
    }
    Form2->okButton()->setFocus();
}

void TForm1::changeEvent(QEvent *event)
{
    QWidget::changeEvent(event);
    if (event->type() == QEvent::LocaleChange)
        numberFormat_ = naklon::systemNumberFormat();
    else if (event->type() == QEvent::WindowStateChange)
        windowStateChanged(static_cast<QWindowStateChangeEvent *>(event)->oldState());
}

void TForm1::windowStateChanged(Qt::WindowStates oldState)
{
    const Qt::WindowStates state = windowState();
    // Minimizing the main window takes a shown reference window with it.
    if ((state & Qt::WindowMinimized) && !(oldState & Qt::WindowMinimized)) {
        if (Form2 && Form2->isVisible()) {
            Form2->hide();
            referenceHiddenByMinimize_ = true;
        }
    } else if (!(state & Qt::WindowMinimized) && (oldState & Qt::WindowMinimized)) {
        if (referenceHiddenByMinimize_ && Form2)
            Form2->show();
        referenceHiddenByMinimize_ = false;
    }

    // Maximizing only moves the window, at its size, to the top-left corner
    // of the work area, and the next maximize request puts it back. The
    // window system's maximized state itself is not kept: Qt and the window
    // managers would size a maximized window to the whole work area.
    if ((state & Qt::WindowMaximized) && !(oldState & Qt::WindowMaximized) && !maximizePending_) {
        maximizePending_ = true;
        if (!placedMaximized_)
            restorePosition_ = normalPosition_;
        QTimer::singleShot(0, this, [this] { leaveMaximizedState(); });
    }
}

void TForm1::leaveMaximizedState()
{
    setWindowState(windowState() & ~Qt::WindowMaximized);
    // The window system may still be finishing its own maximizing; the place
    // is set once that has been handled.
    QTimer::singleShot(0, this, [this] {
        placedMaximized_ = !placedMaximized_;
        QPoint place = restorePosition_;
        if (placedMaximized_) {
            const QScreen *screen = this->screen();
            place = screen ? screen->availableGeometry().topLeft() : QPoint();
        }
        resize(kClientSize);
        move(place);
        maximizePending_ = false;
    });
}

void TForm1::moveEvent(QMoveEvent *event)
{
    QWidget::moveEvent(event);
    if (windowState() == Qt::WindowNoState && !maximizePending_ && !placedMaximized_)
        normalPosition_ = pos();
}

void TForm1::closeEvent(QCloseEvent *event)
{
    if (!sessionEnding_ && !mayLoseHistories()) {
        event->ignore();
        return;
    }
    // Closing the main window ends the program, even while the reference
    // window is shown.
    event->accept();
    QCoreApplication::quit();
}

void TForm1::commitData(QSessionManager &manager)
{
    if (manager.allowsInteraction()) {
        const bool close = mayLoseHistories();
        manager.release();
        if (!close) {
            manager.cancel();
            return;
        }
    }
    // Without a way to ask, the session's end is not held up.
    sessionEnding_ = true;
}
