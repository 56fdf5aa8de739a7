// Setting a text for the picture surface's stamps (text_stamps.h).  A text
// is set here with QPainter, exactly as a drawing call would set it, so that
// its stamp copied later holds QPainter's own pixels
// (tests/platform/qt_surface_test.cpp compares them at the ratios 1 to 2).
#include "platform/text_stamps.h"

#include <QPainter>
#include <QtMath>

#include <algorithm>
#include <string>

#include "platform/device_pixels.h"
#include "platform/qt_text.h"

namespace tovi::stamps {
namespace {

// A scratch image of the given size in logical pixels, at the ratio.
QImage ScratchImage(int width, int height, qreal ratio, QImage::Format format) {
    QImage image(qCeil(width * ratio), qCeil(height * ratio), format);
    image.setDevicePixelRatio(ratio);
    return image;
}

}  // namespace

std::string_view Cp932Prefix(std::string_view text, std::size_t characters) {
    std::size_t end = 0;
    for (std::size_t n = 0; n < characters && end < text.size(); ++n) {
        const auto byte = static_cast<unsigned char>(text[end]);
        const bool lead = (byte >= 0x81 && byte <= 0x9F) || (byte >= 0xE0 && byte <= 0xFC);
        end += lead && end + 1 < text.size() ? 2 : 1;
    }
    return text.substr(0, end);
}

QString VisiblePart(std::string_view text, const QFontMetrics& metrics, int reach, bool& cut) {
    // Every character advances at least a pixel at any readable size, so
    // reach + 2 characters are a first guess that seldom needs growing.
    std::size_t take = std::min<std::size_t>(static_cast<std::size_t>(std::max(reach, 0)) + 2,
                                             kMaxShownCharacters);
    for (;;) {
        const std::string_view part = Cp932Prefix(text, take);
        const bool more = part.size() < text.size();
        QString shown = Cp932ToQt(std::string(part));
        // Single-character advances (cheap, from the glyph cache) find the
        // edge; the shaped text, which may kern, confirms it.
        qsizetype keep = 0;
        for (int sum = 0; keep < shown.size() && sum < reach; ++keep)
            sum += metrics.horizontalAdvance(shown.at(keep));
        if (keep + 1 < shown.size()) {
            QString left = shown.left(keep + 1);
            if (metrics.horizontalAdvance(left) >= reach) {
                cut = true;
                return left;
            }
        }
        if (!more || take >= kMaxShownCharacters || metrics.horizontalAdvance(shown) >= reach) {
            cut = more;
            return shown;
        }
        take = std::min(take * 4, kMaxShownCharacters);
    }
}

QImage SetWithRoom(const QFont& font, const QFontMetrics& metrics, const QString& text, int advance,
                   QPoint at, int period, qreal ratio, QImage::Format format, const QColor& colour,
                   const QColor& background, int& room) {
    const int height = metrics.height();
    const int margin = (height + period - 1) / period * period;
    QImage scratch =
        ScratchImage(advance + 2 * margin + period, height + 2 * margin + period, ratio, format);
    scratch.fill(background);
    {
        QPainter p(&scratch);
        p.setFont(font);
        p.setPen(colour);
        p.drawText(QPoint(margin + at.x(), margin + at.y() + metrics.ascent()), text);
    }
    room = qRound(margin * ratio);
    return scratch;
}

bool InkAndBox(const QFont& font, const QFontMetrics& metrics, const QString& text, int advance,
               QPoint at, int period, qreal ratio, QRect& ink, QImage& blackOnWhite) {
    int room = 0;
    const QImage scratch = SetWithRoom(font, metrics, text, advance, at, period, ratio,
                                       QImage::Format_RGB32, Qt::black, Qt::white, room);
    ink = pixels::DeviceRect(QRect(at, QSize(advance, metrics.height())), ratio)
              .translated(room, room);
    const QRgb white = QColor(Qt::white).rgb();
    const int width = scratch.width(), rows = scratch.height();
    for (int y = 0; y < rows; ++y) {
        const auto* line = reinterpret_cast<const QRgb*>(scratch.constScanLine(y));
        int first = 0, last = width - 1;
        while (first < width && line[first] == white) ++first;
        if (first == width) continue;
        while (line[last] == white) --last;
        ink |= QRect(first, y, last - first + 1, 1);
    }
    if (!ink.isEmpty() &&
        (ink.left() == 0 || ink.top() == 0 || ink.right() == width - 1 || ink.bottom() == rows - 1))
        return false;
    blackOnWhite = scratch.copy(ink);
    // From the room's corner to the picture's.
    ink.translate(-room, -room);
    return true;
}

}  // namespace tovi::stamps
