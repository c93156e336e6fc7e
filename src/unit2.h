#pragma once

#include <QWidget>

// The reference window "Справка": created hidden at start, shown by
// "Справка" on the "Смятие" page.
class TForm2 : public QWidget {
public:
    explicit TForm2(QWidget *parent = nullptr);
    ~TForm2() override;
};

// The reference window, for the handlers of the main window.
extern TForm2 *Form2;
