// The drawing surface on QPainter (qt_surface.h): the surface itself, its
// font and text caches, and the choice, call by call, between a short cut
// and QPainter.
//
// On a picture whose device pixels repeat with a short period (the ratios
// 1, 1.25, 1.5, 1.75 and 2) fills, thin rules and outlines are written as
// device pixels (device_pixels.h) and texts are copied from stamps set once
// (text_stamps.h).  The short cuts give exactly the pixels QPainter gives,
// which tests/platform/qt_surface_test.cpp checks at those five ratios;
// they exist because QPainter was measured several times slower for the
// redraws of the member list and of the score-sheet preview on a desktop
// scaled to 125 to 200 % (README: "On a scaled desktop" and scripts/bench).
// Whatever they do not cover (a printer page, another ratio, a line that
// leaves the picture, ink that falls on other pixels) is drawn with
// QPainter as it comes.
#include "platform/qt_surface.h"

#include <QPainter>

#include <QtMath>

#include <algorithm>
#include <cmath>
#include <string_view>

#include "platform/device_pixels.h"
#include "platform/fonts.h"
#include "platform/qt_colour.h"
#include "platform/qt_text.h"
#include "platform/text_stamps.h"

namespace tovi {
namespace {

using pixels::CopyDevice;
using pixels::DeviceRect;
using pixels::FillDevice;
using pixels::HairDeviceRect;
using pixels::HairOutlineOnFill;
using pixels::Modulo;
using pixels::OnlyColourAround;
using pixels::PeriodOf;
using pixels::RuleDeviceRect;
using pixels::Run;
using pixels::SetPen;
using pixels::WritableFormat;
using stamps::Cp932Prefix;
using stamps::InkAndBox;
using stamps::kMaxShownCharacters;
using stamps::SetWithRoom;
using stamps::VisiblePart;

// The text cache of a surface holds at most this many bytes, and one font's
// table at most this many texts; past either it starts afresh.
constexpr std::size_t kTextCacheBytes = 8 * 1024 * 1024;
constexpr std::size_t kTextCacheEntries = 2048;

std::size_t CostOf(const std::string& key, const QString& shown) {
    return key.size() + static_cast<std::size_t>(shown.size()) * sizeof(QChar) + 128;
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
