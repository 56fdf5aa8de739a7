// A drawing kept for later: every call is recorded and can be replayed, in
// order, on another surface.  A print draws all its pages this way before the
// job begins, so that a sheet that stops on a bad number prints nothing; a
// picture not yet seen keeps what is drawn on it this way.
#pragma once

#include <cstddef>
#include <functional>
#include <string>
#include <utility>
#include <vector>

#include "core/drawing_surface.h"

namespace tovi {

class RecordedDrawing final : public DrawingSurface {
public:
    void SetPenColor(Rgb c) override {
        Keep([c](DrawingSurface& s) { s.SetPenColor(c); });
    }
    void SetPenWidth(int w) override {
        Keep([w](DrawingSurface& s) { s.SetPenWidth(w); });
    }
    void SetBrushColor(Rgb c) override {
        Keep([c](DrawingSurface& s) { s.SetBrushColor(c); });
    }
    void SetFontFace(const std::string& f) override {
        Keep([f](DrawingSurface& s) { s.SetFontFace(f); });
    }
    void SetFontHeight(int h) override {
        Keep([h](DrawingSurface& s) { s.SetFontHeight(h); });
    }
    void SetFontSize(int p) override {
        Keep([p](DrawingSurface& s) { s.SetFontSize(p); });
    }
    void SetFontColor(Rgb c) override {
        Keep([c](DrawingSurface& s) { s.SetFontColor(c); });
    }
    void TextOut(int x, int y, const std::string& t) override {
        Keep([x, y, t](DrawingSurface& s) { s.TextOut(x, y, t); });
    }
    void MoveTo(int x, int y) override {
        Keep([x, y](DrawingSurface& s) { s.MoveTo(x, y); });
    }
    void LineTo(int x, int y) override {
        Keep([x, y](DrawingSurface& s) { s.LineTo(x, y); });
    }
    void Rectangle(int l, int t, int r, int b) override {
        Keep([l, t, r, b](DrawingSurface& s) { s.Rectangle(l, t, r, b); });
    }

    // Makes every recorded call on target, in the order they were made.
    void ReplayOn(DrawingSurface& target) const {
        for (const auto& call : calls_) call(target);
    }
    std::size_t Calls() const { return calls_.size(); }
    // Forgets every call and gives back their memory.
    void Clear() { calls_ = {}; }

private:
    void Keep(std::function<void(DrawingSurface&)> call) { calls_.push_back(std::move(call)); }

    std::vector<std::function<void(DrawingSurface&)>> calls_;
};

}  // namespace tovi
