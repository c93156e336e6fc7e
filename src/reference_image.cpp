#include "reference_image.h"

#include "reference_picture.h"

#include <QPainter>

namespace naklon {

ReferenceImage::ReferenceImage(QWidget *parent) : QWidget(parent)
{
    setFocusPolicy(Qt::NoFocus);
}

void ReferenceImage::setPicture(ReferencePicture *picture)
{
    picture_ = picture;
    update();
}

void ReferenceImage::paintEvent(QPaintEvent *)
{
    if (!picture_)
        return;
    const QImage &image = picture_->image();
    if (image.isNull())
        return;
    QPainter painter(this);
    if (image.width() <= width() && image.height() <= height()) {
        painter.drawImage(QPoint(0, 0), image);
        return;
    }
    const QSize fitted = image.size().scaled(size(), Qt::KeepAspectRatio);
    painter.setRenderHint(QPainter::SmoothPixmapTransform);
    painter.drawImage(QRect(QPoint(0, 0), fitted), image);
}

} // namespace naklon
