#include "platform/qt_surface.h"

#include <QPainter>

#include <QtMath>

#include <algorithm>
#include <cmath>
#include <string_view>

#include "platform/fonts.h"
#include "platform/qt_text.h"

namespace tovi {
namespace {

QColor ToColor(Rgb c) { return QColor(c.r, c.g, c.b); }

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

// Whether every pixel the glyphs of text touch lies inside the box that
// TextOut fills for it, at the device pixel ratio of the picture.  Found by
// setting the text black on white with room all round and looking for ink
// outside the box: font metrics round, and some glyphs reach past their
// advance.  Only asked at whole ratios, where the box is whole device pixels.
// When it does, the box itself is the text's stamp in black on white: the
// glyphs are set the same at any whole offset.
bool InkInsideBox(const QFont& font, const QFontMetrics& metrics, const QString& text, int advance,
                  int ratio, QImage& blackOnWhite) {
    const int height = metrics.height();
    const int margin = height;
    QImage scratch =
        ScratchImage(advance + 2 * margin, height + 2 * margin, ratio, QImage::Format_RGB32);
    scratch.fill(Qt::white);
    {
        QPainter p(&scratch);
        p.setFont(font);
        p.setPen(Qt::black);
        p.drawText(QPoint(margin, margin + metrics.ascent()), text);
    }
    const QRect box(margin * ratio, margin * ratio, advance * ratio, height * ratio);
    const QRgb white = QColor(Qt::white).rgb();
    const int width = scratch.width(), rows = scratch.height();
    for (int y = 0; y < rows; ++y) {
        const auto* line = reinterpret_cast<const QRgb*>(scratch.constScanLine(y));
        const bool inBoxRows = y >= box.top() && y <= box.bottom();
        for (int x = 0; x < width; ++x) {
            if (inBoxRows && x == box.left()) x = box.right() + 1;  // the box may hold ink
            if (x < width && line[x] != white) return false;
        }
    }
    blackOnWhite = scratch.copy(box);
    blackOnWhite.setDevicePixelRatio(ratio);
    return true;
}

// The pen of a line or an outline.  Qt centres a pen on the mathematical
// line, and at ratio 1 sets an odd-width line on the pixels right of and
// below it; at other ratios the same pixels are reached by moving the pen
// half a pixel across its line (along both axes for a slanting one, or an
// outline), so that a rule covers the same logical pixels at every ratio.
enum class Run { Row, Column, Other };

void SetPen(QPainter& p, Rgb colour, int width, bool onPicture, Run run = Run::Other) {
    QPen pen(ToColor(colour));
    pen.setWidth(width);  // 0 is the thinnest line the device offers
    pen.setCapStyle(Qt::FlatCap);
    pen.setJoinStyle(Qt::MiterJoin);
    p.setPen(pen);
    if (onPicture && width % 2 == 1 && p.device()->devicePixelRatio() != 1.0)
        p.translate(run == Run::Row ? 0.0 : 0.5, run == Run::Column ? 0.0 : 0.5);
}

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

int QtSurface::WholeRatio() const {
    if (!image_) return 0;
    const qreal ratio = image_->devicePixelRatio();
    return ratio == qFloor(ratio) ? static_cast<int>(ratio) : 0;
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
        for (const Stamp& stamp : it->second.stamps) cost += stamp.image.sizeInBytes();
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

const QImage& QtSurface::StampOf(const FontEntry& font, SetText& set) {
    for (const Stamp& stamp : set.stamps)
        if (stamp.text == fontColor_ && stamp.background == brush_) return stamp.image;
    QImage image = ScratchImage(set.advance, font.metrics.height(), image_->devicePixelRatio(),
                                image_->format());
    image.fill(ToColor(brush_));
    {
        QPainter p(&image);
        p.setFont(font.font);
        p.setPen(ToColor(fontColor_));
        p.drawText(QPoint(0, font.metrics.ascent()), set.shown);
    }
    return KeepStamp(set, std::move(image));
}

const QImage& QtSurface::KeepStamp(SetText& set, QImage image) {
    image.setDotsPerMeterX(image_->dotsPerMeterX());
    image.setDotsPerMeterY(image_->dotsPerMeterY());
    cachedTextBytes_ += static_cast<std::size_t>(image.sizeInBytes());
    set.stamps.push_back({fontColor_, brush_, std::move(image)});
    return set.stamps.back().image;
}

void QtSurface::TextOut(int x, int y, const std::string& text) {
    FontEntry& font = CurrentFont();
    SetText& set = Set(font, text, x);
    const QRect box(x, y, set.advance, font.metrics.height());
    // Opaque background in the brush colour, as wide as the text advances,
    // with the glyphs on it.  On a picture, glyphs in the brush colour that
    // stay inside the box leave no trace (the usual way of erasing a row);
    // other texts that stay inside it are drawn once into a stamp that is
    // then copied.  A printer page, and a picture at a ratio that is not a
    // whole number (where the box does not end on device pixels), get every
    // glyph as it comes.
    const int ratio = WholeRatio();
    if (ratio > 0 && !set.inkChecked) {
        QImage blackOnWhite;
        set.inkInsideBox =
            InkInsideBox(font.font, font.metrics, set.shown, set.advance, ratio, blackOnWhite);
        set.inkChecked = true;
        // Most texts are black on white: the check has made their stamp.
        if (set.inkInsideBox && fontColor_ == kBlack && brush_ == kWhite &&
            image_->format() == blackOnWhite.format())
            KeepStamp(set, std::move(blackOnWhite));
    }
    if (ratio > 0 && set.inkInsideBox && (fontColor_ == brush_ || box.isEmpty())) {
        Paint([&](QPainter& p) { p.fillRect(box, ToColor(brush_)); });
    } else if (ratio > 0 && set.inkInsideBox) {
        const QImage& stamp = StampOf(font, set);
        Paint([&](QPainter& p) { p.drawImage(box.topLeft(), stamp); });
    } else {
        Paint([&](QPainter& p) {
            p.fillRect(box, ToColor(brush_));
            p.setFont(font.font);
            p.setPen(ToColor(fontColor_));
            p.drawText(QPoint(x, y + font.metrics.ascent()), set.shown);
        });
    }
}

void QtSurface::LineTo(int x, int y) {
    const QPoint from = position_;
    const QPoint to(x, y);
    position_ = to;
    // On a picture a thin line along a row or a column is the run of pixels
    // from its lower end up to, not including, its higher end (at least one
    // pixel), which a fill sets several times faster than the line drawing.
    // At a whole ratio above 1 that is a pen of width 1; the thinnest line
    // is then thinner than a pixel and is drawn as a line.
    const int ratio = WholeRatio();
    if (ratio > 0 && (penWidth_ == 1 || (penWidth_ == 0 && ratio == 1)) &&
        (from.x() == to.x() || from.y() == to.y())) {
        const int left = std::min(from.x(), to.x()), top = std::min(from.y(), to.y());
        const QRect pixels(left, top, std::max(std::max(from.x(), to.x()) - left, 1),
                           std::max(std::max(from.y(), to.y()) - top, 1));
        Paint([&](QPainter& p) { p.fillRect(pixels, ToColor(pen_)); });
        return;
    }
    Paint([&](QPainter& p) {
        const Run run = from.x() == to.x()   ? Run::Column
                        : from.y() == to.y() ? Run::Row
                                             : Run::Other;
        SetPen(p, pen_, penWidth_, image_ != nullptr, run);
        p.drawLine(from, to);
    });
}

void QtSurface::Rectangle(int left, int top, int right, int bottom) {
    if (right <= left || bottom <= top) return;
    const QRect area(left, top, right - left, bottom - top);
    // On a picture a thin outline that lies wholly on it is the four edge
    // runs of the area (one clipped at the picture's edge is not), at a whole
    // ratio as for lines.
    const int ratio = WholeRatio();
    if (ratio > 0 && (penWidth_ == 1 || (penWidth_ == 0 && ratio == 1)) && area.width() >= 2 &&
        area.height() >= 2 && PictureRect().contains(area)) {
        Paint([&](QPainter& p) {
            p.fillRect(area, ToColor(brush_));
            const QColor pen = ToColor(pen_);
            p.fillRect(QRect(area.left(), area.top(), area.width(), 1), pen);
            p.fillRect(QRect(area.left(), area.bottom(), area.width(), 1), pen);
            p.fillRect(QRect(area.left(), area.top(), 1, area.height()), pen);
            p.fillRect(QRect(area.right(), area.top(), 1, area.height()), pen);
        });
        return;
    }
    Paint([&](QPainter& p) {
        p.fillRect(area, ToColor(brush_));
        SetPen(p, pen_, penWidth_, image_ != nullptr);
        p.setBrush(Qt::NoBrush);
        p.drawRect(QRect(left, top, right - left - 1, bottom - top - 1));
    });
}

}  // namespace tovi
