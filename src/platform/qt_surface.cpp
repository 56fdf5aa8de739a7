#include "platform/qt_surface.h"

#include <QPainter>

#include <QtMath>

#include <algorithm>
#include <cmath>
#include <cstring>
#include <string_view>

#if defined(__GNUC__) && defined(__x86_64__)
#include <immintrin.h>
#endif

#include "platform/fonts.h"
#include "platform/qt_colour.h"
#include "platform/qt_text.h"

namespace tovi {
namespace {

// A scratch image of the given size in logical pixels, at the ratio.
QImage ScratchImage(int width, int height, qreal ratio, QImage::Format format) {
    QImage image(qCeil(width * ratio), qCeil(height * ratio), format);
    image.setDevicePixelRatio(ratio);
    return image;
}

// No text is converted or measured beyond this many characters, whatever the
// surface: far more than the widest page shows at any readable size.  A
// member line may be as long as a roster file, and shaping all of it would
// cost seconds and gigabytes for nothing.
constexpr std::size_t kMaxShownCharacters = 4096;

// The text cache of a surface holds at most this many bytes, and one font's
// table at most this many texts; past either it starts afresh.
constexpr std::size_t kTextCacheBytes = 8 * 1024 * 1024;
constexpr std::size_t kTextCacheEntries = 2048;

// The first `characters` characters of a CP932 text (a lead byte and the
// byte after it are one character).
std::string_view Cp932Prefix(std::string_view text, std::size_t characters) {
    std::size_t end = 0;
    for (std::size_t n = 0; n < characters && end < text.size(); ++n) {
        const auto byte = static_cast<unsigned char>(text[end]);
        const bool lead = (byte >= 0x81 && byte <= 0x9F) || (byte >= 0xE0 && byte <= 0xFC);
        end += lead && end + 1 < text.size() ? 2 : 1;
    }
    return text.substr(0, end);
}

// The Unicode form of as much of a CP932 text as can be seen reach pixels
// wide: whole characters up to the one that passes reach, and one more; all
// of the text when it is narrower.  cut tells whether anything was left off.
// Only a little more than what is kept is ever converted or shaped.
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

std::size_t CostOf(const std::string& key, const QString& shown) {
    return key.size() + static_cast<std::size_t>(shown.size()) * sizeof(QChar) + 128;
}

// The smallest number of logical pixels that spans a whole number of device
// pixels at the ratio (1 at 1 and 2, 2 at 1.5, 4 at 1.25 and 1.75), or 0 when
// none up to 8 does.
int PeriodOf(qreal ratio) {
    for (int n = 1; n <= 8; ++n)
        if (n * ratio == std::floor(n * ratio)) return n;
    return 0;
}

// x modulo the period, from 0 up.
int Modulo(int x, int period) { return ((x % period) + period) % period; }

// The device pixels QPainter fills for a logical rectangle on a picture at the
// ratio: each edge scaled and rounded half away from zero.
QRect DeviceRect(const QRect& area, qreal ratio) {
    const int left = qRound(area.x() * ratio), right = qRound((area.x() + area.width()) * ratio);
    const int top = qRound(area.y() * ratio), bottom = qRound((area.y() + area.height()) * ratio);
    return QRect(left, top, right - left, bottom - top);
}

// The short cuts write the pixels of these formats themselves: one 32-bit
// word a pixel, an opaque colour as 0xffRRGGBB.
bool WritableFormat(QImage::Format format) {
    return format == QImage::Format_RGB32 || format == QImage::Format_ARGB32_Premultiplied;
}

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

// Copies stamp onto image with its top left corner at the device pixel at.
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

// The pen of a line or an outline.  Qt centres a pen on the mathematical
// line, and at ratio 1 sets an odd-width line on the pixels right of and
// below it; at other ratios the same pixels are reached by moving the pen
// half a pixel across its line (along both axes for a slanting one, or an
// outline), so that a rule covers the same logical pixels at every ratio.
enum class Run { Row, Column, Other };

QPointF PenShift(Run run) { return {run == Run::Row ? 0.0 : 0.5, run == Run::Column ? 0.0 : 0.5}; }

void SetPen(QPainter& p, Rgb colour, int width, bool onPicture, Run run = Run::Other) {
    QPen pen(ToQColor(colour));
    pen.setWidth(width);  // 0 is the thinnest line the device offers
    pen.setCapStyle(Qt::FlatCap);
    pen.setJoinStyle(Qt::MiterJoin);
    p.setPen(pen);
    if (onPicture && width % 2 == 1 && p.device()->devicePixelRatio() != 1.0)
        p.translate(PenShift(run));
}

bool Level(qreal a, qreal b) { return int((b - a) * 64.) == 0; }  // within 1/64

// The device pixels of a rule of width 1 from `from` to `to`, a row or a
// column of a picture of `device` pixels at a ratio other than 1, drawn as
// SetPen draws it.  Qt sets such a line as a rectangle whose edges come out
// of a few floating-point steps, and an edge that falls exactly on a pixel's
// centre (a half device pixel, common at 1.25, 1.5 and 1.75) goes either
// way by the last bit of those steps.  The same steps are taken here in the
// same order, so that every edge goes the same way.  A line that reaches
// past the picture, which Qt first clips, is left to QPainter (false).
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

// The device pixels of the thinnest line (a pen of width 0, one device pixel
// wide) from `from` to `to`, a row or a column of a picture of `device`
// pixels at the ratio, as Qt's line drawing for such pens sets them: the
// row or column the line lies in, from the pixel whose centre its lower end
// reaches up to the one whose centre its higher end reaches, not including
// it, all on a grid of 1/64 pixel.  A line that reaches past the picture is
// left to QPainter (false).
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

// Whether the thinnest outline of area, whose pixels lie at most a device
// pixel off its edges scaled, falls wholly on the device pixels that fill
// area, as far as either is on the picture's `device` pixels.
bool HairOutlineOnFill(const QRect& area, qreal ratio, const QRect& device) {
    const QRect reach = QRectF(area.left() * ratio, area.top() * ratio, (area.width() - 1) * ratio,
                               (area.height() - 1) * ratio)
                            .toAlignedRect()
                            .adjusted(-1, -1, 1, 1);
    return (DeviceRect(area, ratio) & device).contains(reach & device);
}

// The text set in the colour on the background in a scratch image at the
// ratio, with room all round: a text height, a whole number of periods, so
// that the text keeps the phase of `at`.  room gets the room in device
// pixels.
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

// The device pixels the glyphs of text touch together with the box that
// TextOut fills for it, with the text at logical position `at` (only its
// phase matters) on a picture at the ratio, in that picture's device pixels;
// and those pixels with the text in black on white.  Found by setting the
// text black on white with room all round and looking for ink: font metrics
// round, and some glyphs reach past their advance or a row past the box.
// False when the ink reaches the edge of the room, so that its extent is
// not known.
bool InkAndBox(const QFont& font, const QFontMetrics& metrics, const QString& text, int advance,
               QPoint at, int period, qreal ratio, QRect& ink, QImage& blackOnWhite) {
    int room = 0;
    const QImage scratch = SetWithRoom(font, metrics, text, advance, at, period, ratio,
                                       QImage::Format_RGB32, Qt::black, Qt::white, room);
    ink = DeviceRect(QRect(at, QSize(advance, metrics.height())), ratio).translated(room, room);
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

// Whether every pixel of the picture in outer but not in inner is colour.
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

}  // namespace

QtSurface::QtSurface(QImage* image, std::function<void()> onChange)
    : image_(image), onChange_(std::move(onChange)), face_(kPGothicFace) {}

QtSurface::QtSurface(QPainter* painter) : painter_(painter), face_(kPGothicFace) {}

template <typename Fn>
void QtSurface::Paint(Fn&& fn) {
    ++paintedCalls_;
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

void QtSurface::SetFontFace(const std::string& face) {
    face_ = Cp932ToQt(face);
    currentFont_ = nullptr;
}

void QtSurface::SetFontHeight(int cellHeight) {
    cellHeight_ = cellHeight;
    points_ = 0;
    currentFont_ = nullptr;
}

void QtSurface::SetFontSize(int points) {
    points_ = points;
    cellHeight_ = 0;
    currentFont_ = nullptr;
}

QtSurface::Grid QtSurface::PictureGrid() const {
    if (!image_ || !WritableFormat(image_->format())) return {};
    const qreal ratio = image_->devicePixelRatio();
    return {ratio, PeriodOf(ratio)};
}

void QtSurface::Changed() {
    if (onChange_) onChange_();
}

QRect QtSurface::PictureRect() const {
    const qreal ratio = image_->devicePixelRatio();
    return QRect(0, 0, qFloor(image_->width() / ratio), qFloor(image_->height() / ratio));
}

QtSurface::FontEntry& QtSurface::CurrentFont() {
    // Metrics, ink checks and stamps belong to the picture's ratio: a picture
    // moved to a screen of another ratio starts them afresh.
    if (image_ && image_->devicePixelRatio() != fontsRatio_) {
        fonts_.clear();
        cachedTextBytes_ = 0;
        currentFont_ = nullptr;
        fontsRatio_ = image_->devicePixelRatio();
    }
    if (currentFont_) return *currentFont_;
    for (const auto& entry : fonts_) {
        if (entry->face == face_ && entry->cellHeight == cellHeight_ && entry->points == points_)
            return *(currentFont_ = entry.get());
    }
    const QFont font =
        points_ > 0 ? FontForPoints(face_, points_) : FontForCellHeight(face_, cellHeight_);
    const QPaintDevice* device = painter_ ? painter_->device() : image_;
    fonts_.push_back(std::make_unique<FontEntry>(
        FontEntry{face_, cellHeight_, points_, font, QFontMetrics(font, device), {}}));
    return *(currentFont_ = fonts_.back().get());
}

// The right edge of what can be seen, in the surface's own coordinates.
int QtSurface::RightEdge() const {
    if (image_) return static_cast<int>(std::ceil(image_->deviceIndependentSize().width()));
    const QPaintDevice* device = painter_->device();
    bool invertible = false;
    const QTransform toLogical = painter_->combinedTransform().inverted(&invertible);
    if (!invertible) return device->width();
    const QRectF page = toLogical.mapRect(QRectF(0, 0, device->width(), device->height()));
    return static_cast<int>(std::ceil(std::clamp(page.right(), 0.0, 1e6)));
}

QtSurface::SetText& QtSurface::Set(FontEntry& font, const std::string& text, int x) {
    // No text has more characters than bytes: a short one is its own key.
    std::string cutKey;
    if (text.size() > kMaxShownCharacters) {
        const std::string_view kept = Cp932Prefix(text, kMaxShownCharacters);
        if (kept.size() < text.size()) cutKey.assign(kept);
    }
    const std::string& key = cutKey.empty() ? text : cutKey;

    const auto it = font.texts.find(key);
    if (it != font.texts.end() && !it->second.cut) return it->second;
    // A text drawn left of the surface's edge reaches that much further.
    const int reach = RightEdge() - std::min(x, 0);
    if (it != font.texts.end()) {
        if (it->second.reach >= reach) return it->second;
        // Cut for a narrower reach: set it again.
        std::size_t cost = CostOf(key, it->second.shown);
        for (const Phase& phase : it->second.phases)
            for (const Stamp& stamp : phase.stamps) cost += stamp.image.sizeInBytes();
        cachedTextBytes_ -= std::min(cost, cachedTextBytes_);
        font.texts.erase(it);
    }
    SetText set;
    set.shown = VisiblePart(key, font.metrics, reach, set.cut);
    set.reach = reach;
    set.advance = font.metrics.horizontalAdvance(set.shown);
    // A surface draws few distinct texts (names, marks, captions); one that
    // somehow sees very many, or very long ones, starts its tables afresh.
    const std::size_t cost = CostOf(key, set.shown);
    if (font.texts.size() >= kTextCacheEntries || cachedTextBytes_ + cost > kTextCacheBytes) {
        for (const auto& entry : fonts_) entry->texts.clear();
        cachedTextBytes_ = 0;
    }
    cachedTextBytes_ += cost;
    return font.texts.emplace(key, std::move(set)).first->second;
}

QtSurface::Phase& QtSurface::PhaseOf(const FontEntry& font, SetText& set, int x, int y,
                                     const Grid& grid) {
    const QPoint at(Modulo(x, grid.period), Modulo(y, grid.period));
    for (Phase& phase : set.phases)
        if (phase.x == at.x() && phase.y == at.y()) return phase;
    Phase& phase = set.phases.emplace_back();
    phase.x = at.x();
    phase.y = at.y();
    phase.box = DeviceRect(QRect(at, QSize(set.advance, font.metrics.height())), grid.ratio);
    QImage blackOnWhite;
    phase.inkKnown = InkAndBox(font.font, font.metrics, set.shown, set.advance, at, grid.period,
                               grid.ratio, phase.ink, blackOnWhite);
    // Most texts are black on white: the check has made their stamp.
    if (phase.inkKnown && fontColor_ == kBlack && brush_ == kWhite &&
        image_->format() == blackOnWhite.format())
        KeepStamp(phase, std::move(blackOnWhite));
    return phase;
}

const QImage& QtSurface::StampOf(const FontEntry& font, const SetText& set, Phase& phase,
                                 const Grid& grid) {
    for (const Stamp& stamp : phase.stamps)
        if (stamp.text == fontColor_ && stamp.background == brush_) return stamp.image;
    // The text at its phase on the brush colour, then its ink and box, set
    // as the ink check set it.
    int room = 0;
    const QImage image = SetWithRoom(
        font.font, font.metrics, set.shown, set.advance, QPoint(phase.x, phase.y), grid.period,
        grid.ratio, image_->format(), ToQColor(fontColor_), ToQColor(brush_), room);
    return KeepStamp(phase, image.copy(phase.ink.translated(room, room)));
}

const QImage& QtSurface::KeepStamp(Phase& phase, QImage image) {
    cachedTextBytes_ += static_cast<std::size_t>(image.sizeInBytes());
    phase.stamps.push_back({fontColor_, brush_, std::move(image)});
    return phase.stamps.back().image;
}

void QtSurface::TextOut(int x, int y, const std::string& text) {
    FontEntry& font = CurrentFont();
    SetText& set = Set(font, text, x);
    const QRect box(x, y, set.advance, font.metrics.height());
    // Opaque background in the brush colour, as wide as the text advances,
    // with the glyphs on it.  On a picture, glyphs in the brush colour leave
    // no trace (the usual way of erasing a row); other texts are drawn once
    // into a stamp that is then copied.  Ink that reaches past the box falls
    // on what is there: where that is the brush colour throughout, as on a
    // page filled white, the stamp holds it too.  A printer page, a text
    // whose ink falls on anything else, and one whose box does not fall on
    // the device pixels of its phase shifted (rounding differs left of and
    // above the picture), get every glyph as it comes.
    if (const Grid grid = PictureGrid(); grid.period > 0) {
        Phase& phase = PhaseOf(font, set, x, y, grid);
        // Whole periods away from the phase: whole device pixels.
        const QPoint shift(qRound((x - phase.x) * grid.ratio), qRound((y - phase.y) * grid.ratio));
        const QRect target = phase.box.translated(shift), ink = phase.ink.translated(shift);
        if (phase.inkKnown && DeviceRect(box, grid.ratio) == target &&
            (ink == target || OnlyColourAround(*image_, ink, target, brush_))) {
            if (fontColor_ == brush_ || box.isEmpty())
                FillDevice(*image_, target, brush_);
            else
                CopyDevice(*image_, ink.topLeft(), StampOf(font, set, phase, grid));
            Changed();
            return;
        }
    }
    Paint([&](QPainter& p) {
        p.fillRect(box, ToQColor(brush_));
        p.setFont(font.font);
        p.setPen(ToQColor(fontColor_));
        p.drawText(QPoint(x, y + font.metrics.ascent()), set.shown);
    });
}

void QtSurface::LineTo(int x, int y) {
    const QPoint from = position_;
    const QPoint to(x, y);
    position_ = to;
    const Run run = from.x() == to.x() ? Run::Column : from.y() == to.y() ? Run::Row : Run::Other;
    // On a picture a thin line along a row or a column is a run of device
    // pixels, which a fill sets several times faster than the line drawing.
    // At ratio 1 that is the run from its lower end up to, not including,
    // its higher end (at least one pixel), for a pen of width 1 and for the
    // thinnest; at other ratios the pixels RuleDeviceRect or HairDeviceRect
    // find.  A line of no length is one logical pixel.
    if (const Grid grid = PictureGrid();
        grid.period > 0 && run != Run::Other && (penWidth_ == 1 || penWidth_ == 0)) {
        const int left = std::min(from.x(), to.x()), top = std::min(from.y(), to.y());
        const QRect pixelRun(left, top, std::max(std::max(from.x(), to.x()) - left, 1),
                             std::max(std::max(from.y(), to.y()) - top, 1));
        QRect pixels = DeviceRect(pixelRun, grid.ratio);
        if (grid.ratio == 1 || from == to ||
            (penWidth_ == 1 ? RuleDeviceRect(from, to, run, grid.ratio, image_->size(), pixels)
                            : HairDeviceRect(from, to, grid.ratio, image_->size(), pixels))) {
            FillDevice(*image_, pixels, pen_);
            Changed();
            return;
        }
    }
    Paint([&](QPainter& p) {
        SetPen(p, pen_, penWidth_, image_ != nullptr, run);
        p.drawLine(from, to);
    });
}

void QtSurface::Rectangle(int left, int top, int right, int bottom) {
    if (right <= left || bottom <= top) return;
    const QRect area(left, top, right - left, bottom - top);
    const Grid grid = PictureGrid();
    if (grid.period == 0) {
        Paint([&](QPainter& p) {
            p.fillRect(area, ToQColor(brush_));
            DrawOutline(p, area);
        });
        return;
    }
    // On a picture the area is filled here; a thin outline that lies wholly
    // on it is the four edge runs of the area (one clipped at the picture's
    // edge is not), at any ratio for a pen of width 1, at ratio 1 also for
    // the thinnest.  Other outlines are drawn over the fill.
    FillDevice(*image_, DeviceRect(area, grid.ratio), brush_);
    if ((penWidth_ == 1 || (penWidth_ == 0 && grid.ratio == 1)) && area.width() >= 2 &&
        area.height() >= 2 && PictureRect().contains(area)) {
        for (const QRect& edge : {QRect(area.left(), area.top(), area.width(), 1),
                                  QRect(area.left(), area.bottom(), area.width(), 1),
                                  QRect(area.left(), area.top(), 1, area.height()),
                                  QRect(area.right(), area.top(), 1, area.height())})
            FillDevice(*image_, DeviceRect(edge, grid.ratio), pen_);
        Changed();
        return;
    }
    // The thinnest outline in the brush colour on its own fill leaves no
    // trace: a page is blanked with pen and brush alike.
    if (penWidth_ == 0 && pen_ == brush_ && HairOutlineOnFill(area, grid.ratio, image_->rect())) {
        Changed();
        return;
    }
    Paint([&](QPainter& p) { DrawOutline(p, area); });
}

void QtSurface::DrawOutline(QPainter& p, const QRect& area) const {
    SetPen(p, pen_, penWidth_, image_ != nullptr);
    p.setBrush(Qt::NoBrush);
    p.drawRect(QRect(area.left(), area.top(), area.width() - 1, area.height() - 1));
}

}  // namespace tovi
