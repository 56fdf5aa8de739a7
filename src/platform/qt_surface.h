// The drawing surface on QPainter: over a QImage (the pictures) or over a
// painter that somebody else holds open (the printer page).  A picture's
// image may have any device pixel ratio; everything is drawn in logical
// pixels.
#pragma once

#include <QColor>
#include <QFont>
#include <QFontMetrics>
#include <QImage>
#include <QPoint>
#include <QRect>

#include <functional>
#include <memory>
#include <string>
#include <unordered_map>
#include <vector>

#include "core/drawing_surface.h"

class QPainter;

namespace tovi {

class QtSurface final : public DrawingSurface {
public:
    // Draws into image; onChange runs after every drawing call.
    explicit QtSurface(QImage* image, std::function<void()> onChange = {});
    // Draws with an open painter (the caller owns it and keeps it open).
    explicit QtSurface(QPainter* painter);

    void SetPenColor(Rgb color) override { pen_ = color; }
    void SetPenWidth(int width) override { penWidth_ = width; }
    void SetBrushColor(Rgb color) override { brush_ = color; }
    void SetFontFace(const std::string& face) override;
    void SetFontHeight(int cellHeight) override;
    void SetFontSize(int points) override;
    void SetFontColor(Rgb color) override { fontColor_ = color; }
    void TextOut(int x, int y, const std::string& text) override;
    void MoveTo(int x, int y) override { position_ = QPoint(x, y); }
    void LineTo(int x, int y) override;
    void Rectangle(int left, int top, int right, int bottom) override;

    // The bytes the text cache holds (keys, Unicode forms and stamps).
    std::size_t CachedTextBytes() const { return cachedTextBytes_; }
    // How many calls were drawn with QPainter as they came, not by a short cut.
    std::size_t PaintedCalls() const { return paintedCalls_; }

private:
    // A text finished in one colour pair, ready to be copied.
    struct Stamp {
        Rgb text, background;
        QImage image;
    };
    // A picture's device pixels repeat their pattern over its logical pixels
    // every `period` logical pixels (1 at a whole ratio, 2 at 1.5, 4 at 1.25
    // and 1.75).  A text set at positions a whole number of periods apart
    // gets the same device pixels, shifted by whole device pixels.  At each
    // phase (its position modulo the period) it is known where the
    // background box TextOut fills falls in device pixels when the text
    // stands at the phase itself, the pixels its ink touches together with
    // the box (unless they reach too far to be found), and those pixels
    // finished in the colour pairs it was drawn in.
    struct Phase {
        int x = 0, y = 0;
        bool inkKnown = false;
        QRect box, ink;
        std::vector<Stamp> stamps;
    };
    // A text as one font sets it: its Unicode form, its advance, and how it
    // falls on the picture's device pixels at each phase of its position it
    // was drawn at.  A text wider than the surface is cut, at whole
    // characters, to the part that spans reach pixels from its start: up to
    // the right edge when drawn at x = 0, or further for a text that starts
    // left of the surface.  The rest could never be seen.
    struct SetText {
        QString shown;
        int advance = 0;
        bool cut = false;
        int reach = 0;              // when cut: the width it was cut for
        std::vector<Phase> phases;  // pictures only
    };
    // One font the surface has drawn with, its metrics on this surface's
    // device and the texts set in it, by their CP932 bytes.
    struct FontEntry {
        QString face;
        int cellHeight = 0;
        int points = 0;
        QFont font;
        QFontMetrics metrics;
        std::unordered_map<std::string, SetText> texts;
    };
    // How the picture's device pixels lie on its logical ones; period 0 when
    // the short cuts do not hold (a printer page, a ratio without a short
    // period, an image format they do not write).
    struct Grid {
        qreal ratio = 1;
        int period = 0;
    };

    template <typename Fn>
    void Paint(Fn&& fn);
    FontEntry& CurrentFont();
    Grid PictureGrid() const;
    // The picture in logical pixels.
    QRect PictureRect() const;
    SetText& Set(FontEntry& font, const std::string& text, int x);
    int RightEdge() const;
    // The text at the phase of x, y: its box placed and its ink found when
    // first drawn there.
    Phase& PhaseOf(const FontEntry& font, SetText& set, int x, int y, const Grid& grid);
    // The text's stamp at the phase in the current font colour on the brush
    // colour, made when first needed; KeepStamp files one away.
    const QImage& StampOf(const FontEntry& font, const SetText& set, Phase& phase,
                          const Grid& grid);
    const QImage& KeepStamp(Phase& phase, QImage image);
    // A short cut has changed the picture.
    void Changed();
    // The outline of a Rectangle call drawn with the pen.
    void DrawOutline(QPainter& p, const QRect& area) const;

    QImage* image_ = nullptr;
    QPainter* painter_ = nullptr;
    std::function<void()> onChange_;
    Rgb pen_ = kBlack, brush_ = kWhite, fontColor_ = kBlack;
    int penWidth_ = 1;
    QString face_;
    int cellHeight_ = 0;
    int points_ = 8;
    QPoint position_;
    std::vector<std::unique_ptr<FontEntry>> fonts_;
    FontEntry* currentFont_ = nullptr;  // null when face or size changed
    qreal fontsRatio_ = 1.0;            // the picture's ratio that fonts_ was built at
    std::size_t cachedTextBytes_ = 0;
    std::size_t paintedCalls_ = 0;
};

// Passes every call on to one surface, which can change: a picture hands out
// this one, so that a reference taken while its calls were kept for later
// stays good once they go straight to its image.
class ForwardingSurface final : public DrawingSurface {
public:
    explicit ForwardingSurface(DrawingSurface& target) : target_(&target) {}
    void SetTarget(DrawingSurface& target) { target_ = &target; }

    void SetPenColor(Rgb c) override { target_->SetPenColor(c); }
    void SetPenWidth(int w) override { target_->SetPenWidth(w); }
    void SetBrushColor(Rgb c) override { target_->SetBrushColor(c); }
    void SetFontFace(const std::string& f) override { target_->SetFontFace(f); }
    void SetFontHeight(int h) override { target_->SetFontHeight(h); }
    void SetFontSize(int p) override { target_->SetFontSize(p); }
    void SetFontColor(Rgb c) override { target_->SetFontColor(c); }
    void TextOut(int x, int y, const std::string& t) override { target_->TextOut(x, y, t); }
    void MoveTo(int x, int y) override { target_->MoveTo(x, y); }
    void LineTo(int x, int y) override { target_->LineTo(x, y); }
    void Rectangle(int l, int t, int r, int b) override { target_->Rectangle(l, t, r, b); }

private:
    DrawingSurface* target_;
};

}  // namespace tovi
