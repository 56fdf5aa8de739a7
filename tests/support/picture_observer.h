// Lets a test see every call drawn on a picture: the calls made through the
// picture's Canvas() go to the picture as before and to the observer too.
#pragma once

#include <QPointer>

#include "platform/picture_widget.h"

namespace tovi::test {

class PictureObserver final : public DrawingSurface {
public:
    PictureObserver(PictureWidget& picture, DrawingSurface& observer)
        : picture_(&picture), observer_(observer) {
        picture.SetThrough(this);
    }
    ~PictureObserver() override {
        if (picture_) picture_->SetThrough(nullptr);
    }
    PictureObserver(const PictureObserver&) = delete;
    PictureObserver& operator=(const PictureObserver&) = delete;

    void SetPenColor(Rgb c) override { Both(&DrawingSurface::SetPenColor, c); }
    void SetPenWidth(int w) override { Both(&DrawingSurface::SetPenWidth, w); }
    void SetBrushColor(Rgb c) override { Both(&DrawingSurface::SetBrushColor, c); }
    void SetFontFace(const std::string& f) override { Both(&DrawingSurface::SetFontFace, f); }
    void SetFontHeight(int h) override { Both(&DrawingSurface::SetFontHeight, h); }
    void SetFontSize(int p) override { Both(&DrawingSurface::SetFontSize, p); }
    void SetFontColor(Rgb c) override { Both(&DrawingSurface::SetFontColor, c); }
    void TextOut(int x, int y, const std::string& t) override {
        Both(&DrawingSurface::TextOut, x, y, t);
    }
    void MoveTo(int x, int y) override { Both(&DrawingSurface::MoveTo, x, y); }
    void LineTo(int x, int y) override { Both(&DrawingSurface::LineTo, x, y); }
    void Rectangle(int l, int t, int r, int b) override {
        Both(&DrawingSurface::Rectangle, l, t, r, b);
    }

private:
    // The picture first, where it draws now (its kept calls or its image).
    template <typename M, typename... Args>
    void Both(M method, const Args&... args) {
        if (picture_) (picture_->DrawingTarget().*method)(args...);
        (observer_.*method)(args...);
    }

    QPointer<PictureWidget> picture_;
    DrawingSurface& observer_;
};

}  // namespace tovi::test
