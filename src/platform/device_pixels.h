// The device pixels QPainter sets for the picture surface's fills, rules and
// outlines (QtSurface, qt_surface.cpp), and the fills that set them directly.
//
// A picture's short cuts write device pixels themselves instead of going
// through QPainter: a filled rectangle, a thin straight line, an outline
// and a text copied from its stamp (text_stamps.h).  They give exactly the
// pixels QPainter gives, which tests/platform/qt_surface_test.cpp checks at
// the device pixel ratios 1, 1.25, 1.5, 1.75 and 2.  They exist because
// QPainter was measured several times slower for the redraws of the member
// list and of the score-sheet preview on a desktop scaled to 125 to 200 %
// (README: "On a scaled desktop" and scripts/bench).
//
// The small geometry that every drawing call needs is inline here; the
// fills and checks, which loop over pixels, and the rules' geometry are in
// device_pixels.cpp.
#pragma once

#include <QImage>
#include <QPoint>
#include <QPointF>
#include <QRect>
#include <QSize>
#include <QtMath>

#include <cmath>

#include "core/drawing_surface.h"

class QPainter;

namespace tovi::pixels {

// The smallest number of logical pixels that spans a whole number of device
// pixels at the ratio (1 at 1 and 2, 2 at 1.5, 4 at 1.25 and 1.75), or 0 when
// none up to 8 does.
inline int PeriodOf(qreal ratio) {
    for (int n = 1; n <= 8; ++n)
        if (n * ratio == std::floor(n * ratio)) return n;
    return 0;
}

// x modulo the period, from 0 up.
inline int Modulo(int x, int period) { return ((x % period) + period) % period; }

// The device pixels QPainter fills for a logical rectangle on a picture at the
// ratio: each edge scaled and rounded half away from zero.
inline QRect DeviceRect(const QRect& area, qreal ratio) {
    const int left = qRound(area.x() * ratio), right = qRound((area.x() + area.width()) * ratio);
    const int top = qRound(area.y() * ratio), bottom = qRound((area.y() + area.height()) * ratio);
    return QRect(left, top, right - left, bottom - top);
}

// The short cuts write the pixels of these formats themselves: one 32-bit
// word a pixel, an opaque colour as 0xffRRGGBB.
inline bool WritableFormat(QImage::Format format) {
    return format == QImage::Format_RGB32 || format == QImage::Format_ARGB32_Premultiplied;
}

// Sets the device pixels of area (clipped to the image) to colour.
void FillDevice(QImage& image, QRect area, Rgb colour);

// Copies stamp onto image with its top left corner at the device pixel at.
void CopyDevice(QImage& image, QPoint at, const QImage& stamp);

// Whether every pixel of the picture in outer but not in inner is colour.
bool OnlyColourAround(const QImage& image, const QRect& outer, const QRect& inner, Rgb colour);

// The pen of a line or an outline.  Qt centres a pen on the mathematical
// line, and at ratio 1 sets an odd-width line on the pixels right of and
// below it; at other ratios the same pixels are reached by moving the pen
// half a pixel across its line (along both axes for a slanting one, or an
// outline), so that a rule covers the same logical pixels at every ratio.
enum class Run { Row, Column, Other };

inline QPointF PenShift(Run run) {
    return {run == Run::Row ? 0.0 : 0.5, run == Run::Column ? 0.0 : 0.5};
}

void SetPen(QPainter& p, Rgb colour, int width, bool onPicture, Run run = Run::Other);

// The device pixels of a rule of width 1 from `from` to `to`, a row or a
// column of a picture of `device` pixels at a ratio other than 1, drawn as
// SetPen draws it.  Qt sets such a line as a rectangle whose edges come out
// of a few floating-point steps, and an edge that falls exactly on a pixel's
// centre (a half device pixel, common at 1.25, 1.5 and 1.75) goes either
// way by the last bit of those steps.  The same steps are taken here in the
// same order, so that every edge goes the same way.  A line that reaches
// past the picture, which Qt first clips, is left to QPainter (false).
bool RuleDeviceRect(QPoint from, QPoint to, Run run, qreal ratio, QSize device, QRect& pixels);

// The device pixels of the thinnest line (a pen of width 0, one device pixel
// wide) from `from` to `to`, a row or a column of a picture of `device`
// pixels at the ratio, as Qt's line drawing for such pens sets them: the
// row or column the line lies in, from the pixel whose centre its lower end
// reaches up to the one whose centre its higher end reaches, not including
// it, all on a grid of 1/64 pixel.  A line that reaches past the picture is
// left to QPainter (false).
bool HairDeviceRect(QPoint from, QPoint to, qreal ratio, QSize device, QRect& pixels);

// Whether the thinnest outline of area, whose pixels lie at most a device
// pixel off its edges scaled, falls wholly on the device pixels that fill
// area, as far as either is on the picture's `device` pixels.
bool HairOutlineOnFill(const QRect& area, qreal ratio, const QRect& device);

}  // namespace tovi::pixels
