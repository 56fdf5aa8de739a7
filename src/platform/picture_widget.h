// A picture that owns a white image and keeps what is drawn on it until it is
// drawn over.  Painting only copies the image to the screen.  Reports mouse
// presses with their position and clicks, and can be set to ignore presses.
#pragma once

#include <QImage>
#include <QWidget>

#include <memory>

#include "platform/qt_surface.h"

namespace tovi {

class PictureWidget : public QWidget {
    Q_OBJECT
public:
    // The image is created with the given size; the widget may be sized apart.
    PictureWidget(QWidget* parent, int imageWidth, int imageHeight);

    // The surface that draws into the image.
    DrawingSurface& Canvas() { return tee_; }
    const QImage& Image() const { return image_; }

    // A surface that sees every call made through Canvas() (for tests); null to stop.
    void SetObserver(DrawingSurface* observer) { tee_.SetSecond(observer); }

    // While set, mouse presses and clicks are not reported.
    void SetIgnorePresses(bool ignore) { ignorePresses_ = ignore; }
    bool IgnoresPresses() const { return ignorePresses_; }

signals:
    void pressed(int x, int y);  // any button
    void clicked();              // the left button, pressed and released on the picture

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

private:
    QImage image_;
    QtSurface surface_;
    TeeSurface tee_;
    bool ignorePresses_ = false;
    bool pressInside_ = false;
};

}  // namespace tovi
