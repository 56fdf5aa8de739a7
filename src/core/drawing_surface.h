// The one drawing interface of the program.  The member list, the group boxes,
// the command pictures, the score-sheet preview and the printer page are all
// drawn through it; tests hand in a recording implementation.
//
// It keeps its state between calls like a canvas: pen, brush, font and the
// current position stay as last set.  Texts are CP932 bytes.  Coordinates are
// device units with the origin at the top-left corner.
#pragma once

#include <cstdint>
#include <string>

namespace tovi {

struct Rgb {
    std::uint8_t r = 0, g = 0, b = 0;
    friend bool operator==(const Rgb&, const Rgb&) = default;
};

inline constexpr Rgb kBlack{0, 0, 0};
inline constexpr Rgb kWhite{255, 255, 255};
inline constexpr Rgb kRed{255, 0, 0};
inline constexpr Rgb kYellow{255, 255, 0};
inline constexpr Rgb kTeal{0, 128, 128};
// Stand-ins for the desktop's "inactive caption" and "inactive border" colours.
// The caption blue is dark enough for the panels' white captions and light
// enough for their black labels: both reach 4.58 : 1, past the 4.5 : 1 that
// small text needs to read well.
inline constexpr Rgb kInactiveCaption{69, 111, 222};
inline constexpr Rgb kInactiveBorder{212, 208, 200};

class DrawingSurface {
public:
    virtual ~DrawingSurface() = default;

    virtual void SetPenColor(Rgb color) = 0;
    // Width 0 draws the thinnest line the surface offers.
    virtual void SetPenWidth(int width) = 0;
    virtual void SetBrushColor(Rgb color) = 0;
    // Face name in CP932, e.g. "ＭＳ ゴシック".
    virtual void SetFontFace(const std::string& face) = 0;
    // Height of the character cell in device units.
    virtual void SetFontHeight(int cellHeight) = 0;
    // Size in points, at 96 dots per inch on screen.
    virtual void SetFontSize(int points) = 0;
    virtual void SetFontColor(Rgb color) = 0;

    // Text whose first character cell has its top-left corner at (x, y),
    // on an opaque background in the brush colour.
    virtual void TextOut(int x, int y, const std::string& text) = 0;
    virtual void MoveTo(int x, int y) = 0;
    // Line from the current position to (x, y), the end point excluded;
    // (x, y) becomes the current position.
    virtual void LineTo(int x, int y) = 0;
    // Rectangle covering left..right-1, top..bottom-1: filled with the brush,
    // outlined with the pen.
    virtual void Rectangle(int left, int top, int right, int bottom) = 0;
};

}  // namespace tovi
