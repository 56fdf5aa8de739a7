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
    // Any button presses; only the left one begins a click.
    pressInside_ = event->button() == Qt::LeftButton;
    const QPoint at = event->position().toPoint();
    emit pressed(at.x(), at.y());
}

void PictureWidget::mouseReleaseEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton) return;
    const bool click = pressInside_ && !ignorePresses_;
    pressInside_ = false;
    if (click && rect().contains(event->position().toPoint())) emit clicked();
}

}  // namespace tovi
