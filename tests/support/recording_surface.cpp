#include "support/recording_surface.h"

#include "platform/cp932.h"

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
    const std::string wanted = Sjis(utf8);
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

}  // namespace tovi::test
