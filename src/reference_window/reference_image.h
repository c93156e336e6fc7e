#pragma once

#include <QWidget>

namespace naklon {

class ReferencePicture;

// `Image1` of the reference window: paints the reference picture at its
// natural size from the top-left corner. Nothing is decoded until the first
// paint; a picture larger than the control would be shrunk to fit keeping its
// proportions (the shipped one is exactly the control's size). Never takes
// the keyboard focus.
class ReferenceImage : public QWidget {
    Q_OBJECT

public:
    explicit ReferenceImage(QWidget *parent = nullptr);

    // The picture to show; not owned. Null paints the background only.
    void setPicture(ReferencePicture *picture);

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    ReferencePicture *picture_ = nullptr;
};

} // namespace naklon
