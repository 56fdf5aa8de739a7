#include "platform/picture_widget.h"

#include <QEvent>
#include <QMouseEvent>
#include <QPaintEngine>
#include <QPainter>
#include <QRegion>
#include <QtMath>

namespace tovi {
namespace {

// A picture never seen draws what it keeps once it holds this many calls, so
// that one left hidden for a long time does not grow without end.  The member
// list of 40 rows takes about 400.
constexpr std::size_t kMaxKeptCalls = 4096;

// A white image of the given logical size at the ratio.
QImage WhiteImage(int width, int height, qreal ratio) {
    QImage image(qCeil(width * ratio), qCeil(height * ratio), QImage::Format_RGB32);
    image.setDevicePixelRatio(ratio);
    image.fill(Qt::white);
    return image;
}

}  // namespace

void DrawOneForOne(QPainter& painter, const QImage& image, const QRect& covered) {
    const qreal ratio = image.devicePixelRatio();
    const QRectF source(covered.x() * ratio, covered.y() * ratio, covered.width() * ratio,
                        covered.height() * ratio);
    const QTransform toDevice = painter.deviceTransform();
    if (toDevice.type() > QTransform::TxScale || toDevice.m11() != ratio ||
        toDevice.m22() != ratio) {
        painter.drawImage(QRectF(covered), image, source);
        return;
    }
    // Qt copies an image one for one only when the transform is a
    // translation and the clip a single rectangle.  At a ratio that is not a
    // whole number it draws the image through its scaling routine instead,
    // which at a scale of one moves every pixel by the same whole number of
    // pixels but costs several times a copy; and under a clip of several
    // rectangles (a picture partly under other widgets) it blends the image
    // span by span, handing the spans to helper threads.  The copy is made
    // instead: the same pixels to the same places.  Qt sets the device
    // pixels of the target rectangle rounded, and the source pixel of each
    // is the one the widget's offset rounded half up takes there.
    const QRect target = source.translated(toDevice.dx(), toDevice.dy()).toRect();
    const QPoint shift(qFloor(toDevice.dx() + 0.5), qFloor(toDevice.dy() + 0.5));
    const QRect from = target.translated(-shift) & image.rect();
    if (from.isEmpty()) return;
    // The area the painter may paint, in device pixels: the system's clip
    // (what is not under other widgets), or all of its device.
    const QPaintEngine* engine = painter.paintEngine();
    const QRegion allowed = engine != nullptr ? engine->systemClip() : QRegion();
    // The image's pixels without its ratio, under a transform that cancels
    // the screen's: a translation only, which Qt copies when the clip is a
    // single rectangle; each rectangle of the clip is drawn under a clip of
    // that rectangle alone.
    const QImage pixels(image.constBits(), image.width(), image.height(), image.bytesPerLine(),
                        image.format());
    const QPointF offset(toDevice.dx(), toDevice.dy());
    const QPointF at = QPointF(from.topLeft() + shift) - offset;
    painter.save();
    painter.scale(1 / ratio, 1 / ratio);
    if (allowed.rectCount() <= 1) {
        painter.drawImage(at, pixels, QRectF(from));
    } else {
        const QRegion parts = allowed & from.translated(shift);
        for (const QRect& part : parts) {
            painter.save();
            painter.setClipRect(QRectF(part).translated(-offset), Qt::IntersectClip);
            painter.drawImage(at, pixels, QRectF(from));
            painter.restore();
        }
    }
    painter.restore();
}

PictureWidget::PictureWidget(QWidget* parent, int imageWidth, int imageHeight)
    : QWidget(parent),
      imageSize_(imageWidth, imageHeight),
      surface_(&image_,
               [this] {
                   if (!drawingKept_) RepaintLater();
               }),
      canvas_(kept_) {
    setAttribute(Qt::WA_OpaquePaintEvent);
}

DrawingSurface& PictureWidget::Canvas() {
    if (!seen_ && kept_.Calls() >= kMaxKeptCalls) DrawKeptCalls();
    if (seen_) EnsureImage();
    return canvas_;
}

DrawingSurface& PictureWidget::DrawingTarget() {
    if (seen_) return surface_;
    return kept_;
}

void PictureWidget::SetThrough(DrawingSurface* through) {
    through_ = through;
    canvas_.SetTarget(through_ ? *through_ : DrawingTarget());
}

const QImage& PictureWidget::Image() const {
    // Looking at the pixels counts as seeing the picture.  No picture is a
    // const object, so the cast is safe.
    const_cast<PictureWidget*>(this)->DrawKeptCalls();
    EnsureImage();
    return image_;
}

void PictureWidget::EnsureImage() const {
    if (image_.isNull())
        image_ = WhiteImage(imageSize_.width(), imageSize_.height(), devicePixelRatioF());
}

void PictureWidget::DrawKeptCalls(bool repaint) {
    if (seen_) return;
    seen_ = true;
    if (!through_) canvas_.SetTarget(surface_);
    if (kept_.Calls() == 0) return;  // the image is made when first drawn on
    EnsureImage();
    drawingKept_ = true;
    kept_.ReplayOn(surface_);
    drawingKept_ = false;
    kept_.Clear();
    if (repaint) update();
}

void PictureWidget::RepaintLater() {
    // A widget that cannot be updated now is painted whole when it can.
    if (!isVisible() || !updatesEnabled()) return;
    if (repaintAsked_) return;
    repaintAsked_ = true;
    update();
}

void PictureWidget::SetDevicePixelRatio(qreal ratio) {
    if (ratio <= 0) return;
    if (image_.isNull()) {  // nothing drawn yet to carry over
        image_ = WhiteImage(imageSize_.width(), imageSize_.height(), ratio);
        return;
    }
    if (ratio == image_.devicePixelRatio()) return;
    // What is on the picture stays: it is carried over scaled, and whatever
    // is drawn from now on is drawn at the new ratio.
    QImage next = WhiteImage(imageSize_.width(), imageSize_.height(), ratio);
    {
        QPainter painter(&next);
        painter.setRenderHint(QPainter::SmoothPixmapTransform);
        const qreal old = image_.devicePixelRatio();
        painter.drawImage(QRectF(QPointF(0, 0), QSizeF(imageSize_)), image_,
                          QRectF(0, 0, imageSize_.width() * old, imageSize_.height() * old));
    }
    image_ = std::move(next);
    update();
}

bool PictureWidget::event(QEvent* event) {
    // Shown for the first time: what was drawn while hidden is drawn now,
    // before the paint that follows.
    if (event->type() == QEvent::Show) DrawKeptCalls();
    // A window moved to a screen of another ratio.
    if (event->type() == QEvent::ScreenChangeInternal
#if QT_VERSION >= QT_VERSION_CHECK(6, 6, 0)
        || event->type() == QEvent::DevicePixelRatioChange
#endif
    )
        // An image not made yet is made at the ratio of its time.
        if (!image_.isNull()) SetDevicePixelRatio(devicePixelRatioF());
    return QWidget::event(event);
}

void PictureWidget::paintEvent(QPaintEvent* event) {
    repaintAsked_ = false;
    // Painted without being shown first (grabbed while hidden).
    DrawKeptCalls(false);
    // Also when the ratio changed without word of it.
    if (!image_.isNull() && devicePixelRatioF() != image_.devicePixelRatio())
        SetDevicePixelRatio(devicePixelRatioF());
    QPainter painter(this);
    // The image where it reaches, white beyond it; one device pixel of the
    // image to each device pixel of the screen.
    const QRect area = event->rect();
    const QRect covered = image_.isNull() ? QRect() : area & QRect(QPoint(0, 0), imageSize_);
    if (!covered.isEmpty()) DrawOneForOne(painter, image_, covered);
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
