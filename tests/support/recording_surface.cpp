#include "support/recording_surface.h"

#include "core/cp932.h"

namespace tovi::test {

void RecordingSurface::TextOut(int x, int y, const std::string& text) {
    texts.push_back({x, y, text, face_, height_, points_, fontColor_, brush_});
    order.push_back(CallKind::Text);
}

void RecordingSurface::LineTo(int x, int y) {
    lines.push_back({x_, y_, x, y, penWidth_, pen_});
    order.push_back(CallKind::Line);
    x_ = x;
    y_ = y;
}

void RecordingSurface::Rectangle(int left, int top, int right, int bottom) {
    rects.push_back({left, top, right, bottom, pen_, brush_});
    order.push_back(CallKind::Rect);
}

void RecordingSurface::Clear() {
    texts.clear();
    lines.clear();
    rects.clear();
    order.clear();
}

const TextCall* RecordingSurface::FindText(const std::string& utf8) const {
    const std::string wanted = Utf8ToCp932(utf8);
    for (const auto& call : texts)
        if (call.text == wanted) return &call;
    return nullptr;
}

std::vector<std::string> RecordingSurface::TextLog() const {
    std::vector<std::string> log;
    for (const auto& call : texts)
        log.push_back(std::to_string(call.x) + "," + std::to_string(call.y) + ":" +
                      Cp932ToUtf8(call.text));
    return log;
}

namespace {

// Appended piece by piece: "#" + std::string sets off GCC 12's false
// -Wrestrict alarm at -O2.
std::string Colour(Rgb c) {
    std::string text = "#";
    text += std::to_string(c.r);
    text += '.';
    text += std::to_string(c.g);
    text += '.';
    text += std::to_string(c.b);
    return text;
}

}  // namespace

std::vector<std::string> RecordingSurface::CallLog() const {
    std::vector<std::string> log;
    std::size_t text = 0, line = 0, rect = 0;
    for (CallKind kind : order) {
        std::string entry;
        if (kind == CallKind::Text) {
            const TextCall& t = texts[text++];
            entry = "text " + std::to_string(t.x) + "," + std::to_string(t.y) + " " +
                    Cp932ToUtf8(t.face) + " h" + std::to_string(t.height) + " p" +
                    std::to_string(t.points) + " " + Colour(t.color) + " on " +
                    Colour(t.background) + ": " + Cp932ToUtf8(t.text);
        } else if (kind == CallKind::Line) {
            const LineCall& l = lines[line++];
            entry = "line " + std::to_string(l.x1) + "," + std::to_string(l.y1) + " " +
                    std::to_string(l.x2) + "," + std::to_string(l.y2) + " w" +
                    std::to_string(l.penWidth) + " " + Colour(l.color);
        } else {
            const RectCall& r = rects[rect++];
            entry = "rect " + std::to_string(r.left) + "," + std::to_string(r.top) + " " +
                    std::to_string(r.right) + "," + std::to_string(r.bottom) + " " + Colour(r.pen) +
                    " " + Colour(r.brush);
        }
        log.push_back(std::move(entry));
    }
    return log;
}

}  // namespace tovi::test
