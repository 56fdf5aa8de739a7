#include "platform/picture_widget.h"

#include <QMouseEvent>
#include <QPainter>
#include <QRegion>

namespace tovi {

PictureWidget::PictureWidget(QWidget* parent, int imageWidth, int imageHeight)
    : QWidget(parent),
      image_(imageWidth, imageHeight, QImage::Format_RGB32),
      surface_(&image_, [this] { update(); }),
      tee_(surface_, nullptr) {
    image_.fill(Qt::white);
    setAttribute(Qt::WA_OpaquePaintEvent);
}

void PictureWidget::paintEvent(QPaintEvent* event) {
    QPainter painter(this);
    // The image where it reaches, white beyond it.
    const QRect area = event->rect();
    const QRect covered = area & image_.rect();
    if (!covered.isEmpty()) painter.drawImage(covered.topLeft(), image_, covered);
    for (const QRect& rest : QRegion(area).subtracted(covered)) painter.fillRect(rest, Qt::white);
}

void PictureWidget::mousePressEvent(QMouseEvent* event) {
    pressInside_ = false;
    if (ignorePresses_) return;
    pressInside_ = true;
    const QPoint at = event->position().toPoint();
    emit pressed(at.x(), at.y());
}

void PictureWidget::mouseReleaseEvent(QMouseEvent* event) {
    if (!pressInside_ || ignorePresses_) return;
    pressInside_ = false;
    if (rect().contains(event->position().toPoint())) emit clicked();
}

}  // namespace tovi
