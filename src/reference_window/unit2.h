#pragma once

#include "reference_window/reference_picture.h"

#include <QWidget>

#include <memory>

class QPushButton;
class QScrollArea;

namespace Ui {
class TForm2;
}

namespace naklon {
class ReferenceImage;
}

// The reference window "Справка": the picture of how the design area of the
// "Смятие" page is taken, and an "ОК" button that hides it again. Created
// hidden at start and kept until the program ends; closing it in any way only
// hides it, and it keeps its place, size and scroll position while hidden.
// It is not modal: the main window stays usable while it is shown.
class TForm2 : public QWidget {
    Q_OBJECT

public:
    // Places the window at its designed spot and takes the picture in its
    // compressed form; nothing is decoded until the window is first painted.
    // `mainWindow` owns it, and "ОК" gives the keyboard back to it.
    explicit TForm2(QWidget *mainWindow = nullptr);
    ~TForm2() override;

    // "ОК": hides this window and gives the main window, where it has one,
    // the focus back.
    void cpravkaOK();

    naklon::ReferencePicture &picture() { return picture_; }
    QPushButton *okButton() const;
    naklon::ReferenceImage *image() const;
    QScrollArea *scrollArea() const;

protected:
    void closeEvent(QCloseEvent *event) override;

private:
    // Outer top-left corner at start, and the client area the layout fills.
    static constexpr QPoint kDesignedPosition{275, 170};
    static constexpr QSize kContentSize{800, 641};

    std::unique_ptr<Ui::TForm2> ui;
    naklon::ReferencePicture picture_;
};

// The reference window while one exists, for the handlers of the main window;
// null otherwise.
extern TForm2 *Form2;
