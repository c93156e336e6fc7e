#pragma once

#include "core/number_format.h"

#include <QPoint>
#include <QWidget>

#include <array>
#include <functional>
#include <memory>
#include <string>
#include <string_view>

class QAbstractButton;
class QComboBox;
class QLabel;
class QPlainTextEdit;
class QSessionManager;

namespace naklon {
struct CalculationReport;
class HistoryDialogs;
class HistoryPanel;
} // namespace naklon

namespace Ui {
class TForm1;
}

// The main window "Расчет наклонных сечений": six calculation pages on one
// tab control. Each "Считать" handler reads its page's controls afresh,
// hands their texts to the page's calculation and appends the lines it
// returns to the page's history box. A failure of any handler goes to the
// application's one error handler and changes nothing. Closing the window
// ends the program, after asking when a history would be lost.
class TForm1 : public QWidget {
    Q_OBJECT

public:
    explicit TForm1(QWidget *parent = nullptr);
    ~TForm1() override;

    // The separators results are written with; read from the user's locale
    // at construction and again whenever Qt announces a locale change.
    const naklon::NumberFormat &numberFormat() const { return numberFormat_; }
    void setNumberFormat(const naklon::NumberFormat &format) { numberFormat_ = format; }

    // The client area, fixed whatever the window manager asks.
    static constexpr QSize kClientSize{473, 401};
    // Where the outer top-left corner of the window is placed at start,
    // when the whole window fits on the screen there.
    static constexpr QPoint kDesignedPosition{412, 301};

protected:
    void changeEvent(QEvent *event) override;
    void closeEvent(QCloseEvent *event) override;
    void moveEvent(QMoveEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    // The "Считать" handlers of the six pages.
    void shitat();
    void shitat2();
    void shitat3();
    void otruv();
    void prodavlivanie();
    void smiatie();
    // Relabelling of the second field when the mode changes on "Хомуты" and
    // on "Отгибы".
    void prSech();
    void prSech2();
    // "Справка" on "Смятие": shows the reference window.
    void cpravka1();
    // The history buttons of the six pages: "Отчистить", "Открыть",
    // "Сохранить".
    void othistit();
    void othistit2();
    void othistit3();
    void othistit4();
    void othistit5();
    void othistit6();
    void otkrut();
    void otkrut2();
    void otkrut3();
    void otkrut4();
    void otkrut5();
    void otkrut6();
    void soxranit();
    void soxranit2();
    void soxranit3();
    void soxranit4();
    void soxranit5();
    void soxranit6();

    // Runs a handler of this window behind the one guard.
    void guarded(void (TForm1::*handler)());
    // Makes a click on the button run the handler behind the guard.
    void wire(QAbstractButton *button, void (TForm1::*handler)());
    void connectHandlers();
    void preparePickers();
    void prepareGroupBoxes();
    void prepareHistories();
    void prepareHistoryPanels();
    // The print and PDF items of a history box's menu, run behind the guard.
    void wireDocumentActions(naklon::HistoryPanel *panel);
    void fitLabelsToCaptions();
    void windowStateChanged(Qt::WindowStates oldState);
    // Whether closing may go on: at once when no page's history holds work
    // that no file has, else as the user answers the question that names
    // those pages.
    bool mayLoseHistories();
    // The desktop session is ending: asks once, where the session lets the
    // program ask, and cancels the log-out on "Отмена".
    void commitData(QSessionManager &manager);
    void leaveMaximizedState();

    void append(QPlainTextEdit *history, const std::vector<std::string> &lines);
    // Runs one page's calculation with a report beside it: the lines go to
    // the page's history, the report (a failed calculation's too, with its
    // message) to the page's reports. A failure goes on to the guard.
    using PageCalculation = std::function<std::vector<std::string>(naklon::CalculationReport *)>;
    void calculate(std::size_t page, const PageCalculation &calculation);
    QPlainTextEdit *historyBox(std::size_t page) const;

    std::unique_ptr<Ui::TForm1> ui;
    naklon::NumberFormat numberFormat_;
    QPoint normalPosition_ = kDesignedPosition;  // the last place in the normal state
    QPoint restorePosition_ = kDesignedPosition; // where the next maximize request goes back to
    bool placedMaximized_ = false;               // at the corner of the work area
    bool maximizePending_ = false;
    bool referenceHiddenByMinimize_ = false;
    bool sessionEnding_ = false;                            // the session's end was agreed to: close without asking
    naklon::HistoryDialogs *historyDialogs_ = nullptr;      // owned by the window
    std::array<naklon::HistoryPanel *, 6> historyPanels_{}; // owned by the boxes
};
