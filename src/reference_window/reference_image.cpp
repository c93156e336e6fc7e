#include "reference_window/reference_image.h"

#include "reference_window/reference_picture.h"

#include <QPainter>

namespace naklon {

ReferenceImage::ReferenceImage(QWidget *parent) : QWidget(parent)
{
    setFocusPolicy(Qt::NoFocus);
    // The picture covers the whole control; what it leaves, paintEvent
    // fills, so the background need not be painted first.
    setAttribute(Qt::WA_OpaquePaintEvent);
}

void ReferenceImage::setPicture(ReferencePicture *picture)
{
    picture_ = picture;
    update();
}

void ReferenceImage::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    const QImage *image = picture_ ? &picture_->image() : nullptr;
    QRect covered;
    if (image && !image->isNull()) {
        if (image->width() <= width() && image->height() <= height()) {
            covered = image->rect();
            painter.drawImage(QPoint(0, 0), *image);
        } else {
            covered = QRect(QPoint(0, 0), image->size().scaled(size(), Qt::KeepAspectRatio));
            painter.setRenderHint(QPainter::SmoothPixmapTransform);
            painter.drawImage(covered, *image);
        }
    }
    const QRegion rest = QRegion(rect()).subtracted(covered);
    for (const QRect &part : rest)
        painter.fillRect(part, palette().window());
}

} // namespace naklon
