#include "reference_window/unit2.h"

#include "reference_window/reference_image.h"
#include "ui_unit2.h"
#include "window_services/form_design.h"
#include "window_services/window_placement.h"

#include <QCloseEvent>

TForm2 *Form2 = nullptr;

// A window of the dialog kind: the X11 window managers learn which window it
// belongs to (WM_TRANSIENT_FOR) only for that kind, and then show no task-bar
// entry of its own. It keeps the standard title-bar buttons.
TForm2::TForm2(QWidget *mainWindow)
    : QWidget(mainWindow, Qt::Dialog | Qt::WindowMinMaxButtonsHint | Qt::WindowCloseButtonHint),
      ui(std::make_unique<Ui::TForm2>())
{
    ui->setupUi(this);
    naklon::applyFormDesign(this);
    // Closing this window only hides it; it never ends the program.
    setAttribute(Qt::WA_QuitOnClose, false);
    resize(kContentSize);
    move(kDesignedPosition);
    naklon::keepOnScreen(this);

    ui->Image1->setPicture(&picture_);
    // The only control that takes the focus, so it has it whenever the
    // window is active.
    ui->Button1->setFocus();
    connect(ui->Button1, &QPushButton::clicked, this, &TForm2::cpravkaOK);

    Form2 = this;
}

TForm2::~TForm2()
{
    if (Form2 == this)
        Form2 = nullptr;
}

QPushButton *TForm2::okButton() const
{
    return ui->Button1;
}

naklon::ReferenceImage *TForm2::image() const
{
    return ui->Image1;
}

QScrollArea *TForm2::scrollArea() const
{
    return ui->ScrollBox;
}

void TForm2::cpravkaOK()
{
    QWidget *mainWindow = parentWidget();
    // The main window is shown already; this changes nothing.
    if (mainWindow)
        mainWindow->show();
    hide();
    // The main window's own focus widget, normally "Справка", gets the
    // keyboard back.
    if (mainWindow && !mainWindow->isActiveWindow()) {
        mainWindow->raise();
        mainWindow->activateWindow();
    }
}

void TForm2::closeEvent(QCloseEvent *event)
{
    // The close button, Alt+F4 and the system menu's Close only hide it.
    event->accept();
}
