// A drawing surface that records every call, for comparing what was drawn
// with the required positions.
#pragma once

#include <string>
#include <vector>

#include "core/drawing_surface.h"

namespace tovi::test {

struct TextCall {
    int x = 0, y = 0;
    std::string text;  // CP932
    std::string face;  // CP932
    int height = 0;    // cell height last set (0 when a point size was set)
    int points = 0;    // point size last set (0 when a cell height was set)
    Rgb color;
    Rgb background;
};

struct LineCall {
    int x1 = 0, y1 = 0, x2 = 0, y2 = 0;
    int penWidth = 0;
    Rgb color;
    friend bool operator==(const LineCall&, const LineCall&) = default;
};

struct RectCall {
    int left = 0, top = 0, right = 0, bottom = 0;
    Rgb pen, brush;
};

// Which kind of drawing call came when.
enum class CallKind { Text, Line, Rect };

class RecordingSurface : public DrawingSurface {
public:
    void SetPenColor(Rgb color) override { pen_ = color; }
    void SetPenWidth(int width) override { penWidth_ = width; }
    void SetBrushColor(Rgb color) override { brush_ = color; }
    void SetFontFace(const std::string& face) override { face_ = face; }
    void SetFontHeight(int cellHeight) override {
        height_ = cellHeight;
        points_ = 0;
    }
    void SetFontSize(int points) override {
        points_ = points;
        height_ = 0;
    }
    void SetFontColor(Rgb color) override { fontColor_ = color; }
    void TextOut(int x, int y, const std::string& text) override;
    void MoveTo(int x, int y) override {
        x_ = x;
        y_ = y;
    }
    void LineTo(int x, int y) override;
    void Rectangle(int left, int top, int right, int bottom) override;

    std::vector<TextCall> texts;
    std::vector<LineCall> lines;
    std::vector<RectCall> rects;
    std::vector<CallKind> order;  // every drawing call above, in order

    void Clear();
    // The first text call whose text equals the given UTF-8 text, or nullptr.
    const TextCall* FindText(const std::string& utf8) const;
    // Every text call, as "x,y:text" with the text in UTF-8, in order.
    std::vector<std::string> TextLog() const;
    // Every drawing call with all it drew with, in order: equal logs mean
    // equal drawings.
    std::vector<std::string> CallLog() const;

private:
    Rgb pen_ = kBlack, brush_ = kWhite, fontColor_ = kBlack;
    int penWidth_ = 1, height_ = 0, points_ = 0, x_ = 0, y_ = 0;
    std::string face_;
};

}  // namespace tovi::test
