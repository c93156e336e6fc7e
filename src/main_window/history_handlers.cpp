// The history buttons of the main window: "Отчистить", "Открыть" and
// "Сохранить" on each of the six pages.

#include "main_window/zeverozozod.h"

#include "ui_zeverozozod.h"

#include "core/failures.h"
#include "window_services/error_reporter.h"
#include "window_services/text_bridge.h"
#include "history/history_dialogs.h"
#include "history/history_panel.h"

#include <QAction>
#include <QMessageBox>
#include <QPushButton>

namespace {

// Asks whether to close although `pages` hold work no file has; true for
// "Закрыть". "Отмена" is the default answer, and Escape's.
bool askToCloseWithUnsavedWork(QWidget *window, const std::vector<std::string> &pages)
{
    QMessageBox question(QMessageBox::Question, window->windowTitle(),
        naklon::qtText(naklon::unsavedHistoriesQuestion(pages)), QMessageBox::NoButton, window);
    question.setWindowModality(Qt::ApplicationModal);
    QPushButton *close = question.addButton(naklon::qtText(naklon::kCloseProgramButton), QMessageBox::AcceptRole);
    QPushButton *keep = question.addButton(naklon::qtText(naklon::kKeepProgramButton), QMessageBox::RejectRole);
    question.setDefaultButton(keep);
    question.setEscapeButton(keep);
    question.exec();
    return question.clickedButton() == close;
}

} // namespace

void TForm1::prepareHistoryPanels()
{
    historyDialogs_ = new naklon::HistoryDialogs(this);

    struct Page {
        QPlainTextEdit *box;
        QAbstractButton *clear;
        void (TForm1::*othistit)();
        QAbstractButton *open;
        void (TForm1::*otkrut)();
        QAbstractButton *save;
        void (TForm1::*soxranit)();
    };
    const Page pages[] = {
        {ui->Memo1, ui->Button2, &TForm1::othistit, ui->Button4, &TForm1::otkrut, ui->Button3, &TForm1::soxranit},
        {ui->Memo2, ui->Button7, &TForm1::othistit2, ui->Button5, &TForm1::otkrut2, ui->Button8, &TForm1::soxranit2},
        {ui->Memo3, ui->Button11, &TForm1::othistit3, ui->Button9, &TForm1::otkrut3, ui->Button12, &TForm1::soxranit3},
        {ui->Memo4, ui->Button15, &TForm1::othistit4, ui->Button13, &TForm1::otkrut4, ui->Button16, &TForm1::soxranit4},
        {ui->Memo5, ui->Button19, &TForm1::othistit5, ui->Button17, &TForm1::otkrut5, ui->Button20, &TForm1::soxranit5},
        {ui->Memo6, ui->Button23, &TForm1::othistit6, ui->Button21, &TForm1::otkrut6, ui->Button24, &TForm1::soxranit6},
    };
    std::size_t index = 0;
    for (const Page &page : pages) {
        auto *panel = new naklon::HistoryPanel(page.box, *historyDialogs_);
        panel->setDocumentNames(windowTitle(), ui->PageControl1->tabText(static_cast<int>(index)));
        wireDocumentActions(panel);
        historyPanels_[index++] = panel;
        wire(page.clear, page.othistit);
        wire(page.open, page.otkrut);
        wire(page.save, page.soxranit);
    }
}

void TForm1::wireDocumentActions(naklon::HistoryPanel *panel)
{
    const auto wireAction = [this, panel](QAction *action, void (naklon::HistoryPanel::*run)()) {
        connect(action, &QAction::triggered, this,
            [panel, run] { naklon::runGuarded([panel, run] { (panel->*run)(); }); });
    };
    wireAction(panel->printAction(), &naklon::HistoryPanel::print);
    wireAction(panel->savePdfAction(), &naklon::HistoryPanel::savePdf);
    wireAction(panel->reportPreviewAction(), &naklon::HistoryPanel::previewReport);
    wireAction(panel->reportPdfAction(), &naklon::HistoryPanel::saveReportPdf);
    wireAction(panel->reportOdtAction(), &naklon::HistoryPanel::saveReportOdt);
    wireAction(panel->reportCopyAction(), &naklon::HistoryPanel::copyReport);
}

QPlainTextEdit *TForm1::historyBox(std::size_t page) const
{
    QPlainTextEdit *const boxes[] = {ui->Memo1, ui->Memo2, ui->Memo3, ui->Memo4, ui->Memo5, ui->Memo6};
    return boxes[page];
}

bool TForm1::mayLoseHistories()
{
    std::vector<std::string> pages;
    for (std::size_t index = 0; index < historyPanels_.size(); ++index) {
        if (historyPanels_[index]->hasUnsavedWork())
            pages.push_back(naklon::coreText(ui->PageControl1->tabText(static_cast<int>(index))));
    }
    return pages.empty() || askToCloseWithUnsavedWork(this, pages);
}

void TForm1::othistit()
{
    historyPanels_[0]->clear();
}
void TForm1::othistit2()
{
    historyPanels_[1]->clear();
}
void TForm1::othistit3()
{
    historyPanels_[2]->clear();
}
void TForm1::othistit4()
{
    historyPanels_[3]->clear();
}
void TForm1::othistit5()
{
    historyPanels_[4]->clear();
}
void TForm1::othistit6()
{
    historyPanels_[5]->clear();
}

void TForm1::otkrut()
{
    historyPanels_[0]->open();
}
void TForm1::otkrut2()
{
    historyPanels_[1]->open();
}
void TForm1::otkrut3()
{
    historyPanels_[2]->open();
}
void TForm1::otkrut4()
{
    historyPanels_[3]->open();
}
void TForm1::otkrut5()
{
    historyPanels_[4]->open();
}
void TForm1::otkrut6()
{
    historyPanels_[5]->open();
}

void TForm1::soxranit()
{
    historyPanels_[0]->save();
}
void TForm1::soxranit2()
{
    historyPanels_[1]->save();
}
void TForm1::soxranit3()
{
    historyPanels_[2]->save();
}
void TForm1::soxranit4()
{
    historyPanels_[3]->save();
}
void TForm1::soxranit5()
{
    historyPanels_[4]->save();
}
void TForm1::soxranit6()
{
    historyPanels_[5]->save();
}
