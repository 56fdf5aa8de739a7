// A picture that owns a white image and keeps what is drawn on it until it is
// drawn over.  Painting only copies the image to the screen.  The image has
// the screen's device pixel ratio and is drawn on in logical pixels.
//
// What is drawn on a picture before it is first shown or looked at is kept as
// a list of calls and drawn on the image then, so that pictures of a mode not
// yet entered (the commands of the grouping mode, the prompts, the score-sheet
// preview) cost neither time nor memory at start; unmade, the image paints
// white.  Reports mouse presses with their position and clicks, and can be
// set to ignore presses.
#pragma once

#include <QImage>
#include <QWidget>

#include <memory>

#include "core/recorded_drawing.h"
#include "platform/qt_surface.h"

class QPainter;

namespace tovi {

// Draws the part of image (at the screen's ratio) under the logical rectangle
// covered, each device pixel of the image on one device pixel of the screen,
// where QPainter's drawImage would put it.
void DrawOneForOne(QPainter& painter, const QImage& image, const QRect& covered);

class PictureWidget : public QWidget {
    Q_OBJECT
public:
    // The image is created with the given size; the widget may be sized apart.
    PictureWidget(QWidget* parent, int imageWidth, int imageHeight);

    // The surface that draws into the image (or keeps the calls for it).
    DrawingSurface& Canvas();
    // At the screen's device pixel ratio: index pixels by logical position
    // times Image().devicePixelRatio().
    const QImage& Image() const;

    // Moves the image to another device pixel ratio (the widget does so when
    // its window goes to a screen of another ratio).  What was drawn is kept,
    // scaled; what is drawn afterwards is drawn at the new ratio.
    void SetDevicePixelRatio(qreal ratio);

    // Where Canvas() passes its calls on to: the kept calls until the
    // picture is seen, then the image.
    DrawingSurface& DrawingTarget();
    // Passes the calls made through Canvas() to through instead, which
    // passes them on to DrawingTarget() itself (a test's observer); null to
    // pass them straight on again.
    void SetThrough(DrawingSurface* through);

    // While set, mouse presses and clicks are not reported.
    void SetIgnorePresses(bool ignore) { ignorePresses_ = ignore; }
    bool IgnoresPresses() const { return ignorePresses_; }

signals:
    void pressed(int x, int y);  // any button
    void clicked();              // the left button, pressed and released on the picture

protected:
    bool event(QEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

private:
    // Makes the white image at the widget's ratio if it is not made yet.
    void EnsureImage() const;
    // Makes the image and draws on it what was kept for it; from then on
    // every call draws straight away.  Asks for a repaint unless told not to
    // (when called from the paint itself).
    void DrawKeptCalls(bool repaint = true);
    // Asks for a repaint of the whole picture once: a picture drawn with
    // hundreds of calls before its next paint asks only for the first.
    void RepaintLater();

    QSize imageSize_;       // logical pixels
    mutable QImage image_;  // null until first needed
    QtSurface surface_;
    RecordedDrawing kept_;  // calls made before the picture was seen
    bool seen_ = false;
    bool drawingKept_ = false;
    bool repaintAsked_ = false;  // until the next paint
    DrawingSurface* through_ = nullptr;
    ForwardingSurface canvas_;
    bool ignorePresses_ = false;
    bool pressInside_ = false;
};

}  // namespace tovi
