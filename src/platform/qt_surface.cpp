#include "platform/qt_surface.h"

#include <QFontMetrics>
#include <QImage>
#include <QPainter>

#include "platform/fonts.h"
#include "platform/qt_text.h"

namespace tovi {
namespace {

QColor ToColor(Rgb c) { return QColor(c.r, c.g, c.b); }

}  // namespace

QtSurface::QtSurface(QImage* image, std::function<void()> onChange)
    : image_(image), onChange_(std::move(onChange)), face_(kPGothicFace) {}

QtSurface::QtSurface(QPainter* painter) : painter_(painter), face_(kPGothicFace) {}

template <typename Fn>
void QtSurface::Paint(Fn&& fn) {
    if (painter_) {
        painter_->save();
        fn(*painter_);
        painter_->restore();
        return;
    }
    {
        QPainter painter(image_);
        fn(painter);
    }
    if (onChange_) onChange_();
}

void QtSurface::SetFontFace(const std::string& face) { face_ = ToQt(face); }

void QtSurface::SetFontHeight(int cellHeight) {
    cellHeight_ = cellHeight;
    points_ = 0;
}

void QtSurface::SetFontSize(int points) {
    points_ = points;
    cellHeight_ = 0;
}

QFont QtSurface::CurrentFont() const {
    return points_ > 0 ? FontForPoints(face_, points_) : FontForCellHeight(face_, cellHeight_);
}

void QtSurface::TextOut(int x, int y, const std::string& text) {
    const QString shown = ToQt(text);
    const QFont font = CurrentFont();
    Paint([&](QPainter& p) {
        p.setFont(font);
        const QFontMetrics metrics = p.fontMetrics();
        // Opaque background in the brush colour, as wide as the text advances.
        p.fillRect(QRect(x, y, metrics.horizontalAdvance(shown), metrics.height()), ToColor(brush_));
        p.setPen(ToColor(fontColor_));
        p.drawText(QPoint(x, y + metrics.ascent()), shown);
    });
}

void QtSurface::LineTo(int x, int y) {
    const QPoint from = position_;
    const QPoint to(x, y);
    Paint([&](QPainter& p) {
        QPen pen(ToColor(pen_));
        pen.setWidth(penWidth_);  // 0 is the thinnest line the device offers
        pen.setCapStyle(Qt::FlatCap);
        p.setPen(pen);
        p.drawLine(from, to);
    });
    position_ = to;
}

void QtSurface::Rectangle(int left, int top, int right, int bottom) {
    if (right <= left || bottom <= top) return;
    Paint([&](QPainter& p) {
        p.fillRect(QRect(left, top, right - left, bottom - top), ToColor(brush_));
        QPen pen(ToColor(pen_));
        pen.setWidth(penWidth_);
        pen.setJoinStyle(Qt::MiterJoin);
        p.setPen(pen);
        p.setBrush(Qt::NoBrush);
        p.drawRect(QRect(left, top, right - left - 1, bottom - top - 1));
    });
}

}  // namespace tovi
