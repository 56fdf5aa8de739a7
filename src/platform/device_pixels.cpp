// The fills that write a picture's device pixels directly, and the device
// pixels QPainter sets for rules and outlines (device_pixels.h).  Every
// result here matches QPainter pixel for pixel at the ratios 1 to 2
// (tests/platform/qt_surface_test.cpp); the surface uses them because
// QPainter was measured several times slower for the list and preview
// redraws on a scaled desktop.
#include "platform/device_pixels.h"

#include <QColor>
#include <QPainter>
#include <QPen>

#include <algorithm>
#include <cstring>

#if defined(__GNUC__) && defined(__x86_64__)
#include <immintrin.h>
#endif

#include "platform/qt_colour.h"

namespace tovi::pixels {
namespace {

// Sets count pixels from line to value.  The pictures are filled a great
// deal (a whole list of 2.3 million device pixels at 200 %): where the
// processor has 32-byte stores, four of them a step set twice the pixels a
// plain loop does in the same time.
using FillRow = void (*)(QRgb* line, int count, QRgb value);

void FillRowPlain(QRgb* line, int count, QRgb value) { std::fill_n(line, count, value); }

#if defined(__GNUC__) && defined(__x86_64__)
__attribute__((target("avx2"))) void FillRowWide(QRgb* line, int count, QRgb value) {
    const __m256i pixels = _mm256_set1_epi32(static_cast<int>(value));
    int x = 0;
    for (; x + 32 <= count; x += 32) {
        auto* at = reinterpret_cast<__m256i*>(line + x);
        _mm256_storeu_si256(at, pixels);
        _mm256_storeu_si256(at + 1, pixels);
        _mm256_storeu_si256(at + 2, pixels);
        _mm256_storeu_si256(at + 3, pixels);
    }
    for (; x + 8 <= count; x += 8)
        _mm256_storeu_si256(reinterpret_cast<__m256i*>(line + x), pixels);
    std::fill_n(line + x, count - x, value);
}

FillRow PickFillRow() {
    __builtin_cpu_init();
    return __builtin_cpu_supports("avx2") ? FillRowWide : FillRowPlain;
}
#else
FillRow PickFillRow() { return FillRowPlain; }
#endif

bool Level(qreal a, qreal b) { return int((b - a) * 64.) == 0; }  // within 1/64

}  // namespace

void FillDevice(QImage& image, QRect area, Rgb colour) {
    static const FillRow fillRow = PickFillRow();
    area &= image.rect();
    if (area.isEmpty()) return;
    const QRgb value = qRgb(colour.r, colour.g, colour.b);
    uchar* bits = image.bits();
    const qsizetype stride = image.bytesPerLine();
    uchar* first = bits + area.top() * stride + area.left() * qsizetype(sizeof(QRgb));
    for (int y = 0; y < area.height(); ++y)
        fillRow(reinterpret_cast<QRgb*>(first + y * stride), area.width(), value);
}

void CopyDevice(QImage& image, QPoint at, const QImage& stamp) {
    const QRect area = QRect(at, stamp.size()) & image.rect();
    if (area.isEmpty()) return;
    uchar* bits = image.bits();
    const qsizetype stride = image.bytesPerLine();
    const auto bytes = static_cast<std::size_t>(area.width()) * sizeof(QRgb);
    for (int y = area.top(); y <= area.bottom(); ++y)
        std::memcpy(bits + y * stride + area.left() * qsizetype(sizeof(QRgb)),
                    stamp.constScanLine(y - at.y()) + (area.left() - at.x()) * sizeof(QRgb), bytes);
}

void SetPen(QPainter& p, Rgb colour, int width, bool onPicture, Run run) {
    QPen pen(ToQColor(colour));
    pen.setWidth(width);  // 0 is the thinnest line the device offers
    pen.setCapStyle(Qt::FlatCap);
    pen.setJoinStyle(Qt::MiterJoin);
    p.setPen(pen);
    if (onPicture && width % 2 == 1 && p.device()->devicePixelRatio() != 1.0)
        p.translate(PenShift(run));
}

bool RuleDeviceRect(QPoint from, QPoint to, Run run, qreal ratio, QSize device, QRect& pixels) {
    const QPointF shift = PenShift(run);
    QPointF pa(ratio * from.x() + shift.x() * ratio, ratio * from.y() + shift.y() * ratio);
    QPointF pb(ratio * to.x() + shift.x() * ratio, ratio * to.y() + shift.y() * ratio);
    const auto inside = [&](QPointF p) {
        return p.x() >= 0 && p.y() >= 0 && p.x() <= device.width() && p.y() <= device.height();
    };
    if (!inside(pa) || !inside(pb)) return false;
    // The pen's width relative to the line's length.
    qreal width = ratio / std::hypot(pb.x() - pa.x(), pb.y() - pa.y());
    if (Level(pa.y(), pb.y())) {  // a row: turned into a column of the same box
        const qreal x = (pa.x() + pb.x()) * 0.5f;
        const qreal dx = qAbs(pb.x() - pa.x()) * 0.5f;
        const qreal y = pa.y();
        const qreal dy = width * dx;
        pa = QPointF(x, y - dy);
        pb = QPointF(x, y + dy);
        width = 1 / width;
    }
    if (pa.y() > pb.y()) std::swap(pa, pb);
    const qreal halfWidth = 0.5f * width * (pb.y() - pa.y());
    const qreal right = std::clamp(pa.x() + halfWidth, 0.0, qreal(device.width()));
    const qreal left = std::clamp(pa.x() - halfWidth, 0.0, qreal(device.width()));
    const qreal top = pa.y(), bottom = pb.y();  // inside the picture, checked above
    if (Level(left, right) || Level(top, bottom)) {
        pixels = QRect();
        return true;
    }
    // A pixel is set when its centre lies inside, or on the right or lower
    // edge.
    const int iTop = int(top + 0.5f), iBottom = bottom < 0.5f ? -1 : int(bottom - 0.5f);
    const int iLeft = int(left + 0.5f), iRight = right < 0.5f ? -1 : int(right - 0.5f);
    pixels = QRect(QPoint(iLeft, iTop), QPoint(iRight, iBottom));
    return true;
}

bool HairDeviceRect(QPoint from, QPoint to, qreal ratio, QSize device, QRect& pixels) {
    const QPointF a(from.x() * ratio, from.y() * ratio), b(to.x() * ratio, to.y() * ratio);
    for (const QPointF& p : {a, b})
        if (p.x() < 0 || p.y() < 0 || p.x() > device.width() || p.y() > device.height())
            return false;
    const auto grid = [](qreal v) { return static_cast<int>(v * 64.); };
    const auto centre = [&](qreal v) { return (grid(v) + 32) >> 6; };
    if (from.x() == to.x()) {
        const int top = std::min(centre(a.y()), centre(b.y()));
        const int bottom = std::max(centre(a.y()), centre(b.y()));
        pixels = QRect(grid(a.x()) >> 6, top, 1, bottom - top);
    } else {
        const int left = std::min(centre(a.x()), centre(b.x()));
        const int right = std::max(centre(a.x()), centre(b.x()));
        pixels = QRect(left, grid(a.y()) >> 6, right - left, 1);
    }
    return true;
}

bool HairOutlineOnFill(const QRect& area, qreal ratio, const QRect& device) {
    const QRect reach = QRectF(area.left() * ratio, area.top() * ratio, (area.width() - 1) * ratio,
                               (area.height() - 1) * ratio)
                            .toAlignedRect()
                            .adjusted(-1, -1, 1, 1);
    return (DeviceRect(area, ratio) & device).contains(reach & device);
}

bool OnlyColourAround(const QImage& image, const QRect& outer, const QRect& inner, Rgb colour) {
    const QRgb value = qRgb(colour.r, colour.g, colour.b) & 0xffffffu;
    const QRect area = outer & image.rect();
    for (int y = area.top(); y <= area.bottom(); ++y) {
        const auto* line = reinterpret_cast<const QRgb*>(image.constScanLine(y));
        const bool innerRow = y >= inner.top() && y <= inner.bottom();
        for (int x = area.left(); x <= area.right(); ++x) {
            if (innerRow && x == inner.left()) {
                x = inner.right();
                continue;
            }
            if ((line[x] & 0xffffffu) != value) return false;
        }
    }
    return true;
}

}  // namespace tovi::pixels
