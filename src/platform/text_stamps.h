// How the picture surface (QtSurface, qt_surface.cpp) sets a text once and
// then copies it: the part of a CP932 text that can be seen, and the text
// set with QPainter in a scratch image, where the device pixels its ink
// touches are found and from which its stamp is cut.
//
// A stamp holds exactly the pixels QPainter would draw for the text at the
// same phase of the picture's device pixels, which
// tests/platform/qt_surface_test.cpp checks at the device pixel ratios 1,
// 1.25, 1.5, 1.75 and 2.  Texts are stamped because QPainter was measured
// several times slower for the redraws of the member list and of the
// score-sheet preview on a desktop scaled to 125 to 200 % (README: "On a
// scaled desktop" and scripts/bench); each text is set once per font,
// phase and colour pair, and copied row by row after that.
#pragma once

#include <QColor>
#include <QFont>
#include <QFontMetrics>
#include <QImage>
#include <QPoint>
#include <QRect>
#include <QString>

#include <cstddef>
#include <string_view>

namespace tovi::stamps {

// No text is converted or measured beyond this many characters, whatever the
// surface: far more than the widest page shows at any readable size.  A
// member line may be as long as a roster file, and shaping all of it would
// cost seconds and gigabytes for nothing.
inline constexpr std::size_t kMaxShownCharacters = 4096;

// The first `characters` characters of a CP932 text (a lead byte and the
// byte after it are one character).
std::string_view Cp932Prefix(std::string_view text, std::size_t characters);

// The Unicode form of as much of a CP932 text as can be seen reach pixels
// wide: whole characters up to the one that passes reach, and one more; all
// of the text when it is narrower.  cut tells whether anything was left off.
// Only a little more than what is kept is ever converted or shaped.
QString VisiblePart(std::string_view text, const QFontMetrics& metrics, int reach, bool& cut);

// The text set in the colour on the background in a scratch image at the
// ratio, with room all round: a text height, a whole number of periods, so
// that the text keeps the phase of `at`.  room gets the room in device
// pixels.
QImage SetWithRoom(const QFont& font, const QFontMetrics& metrics, const QString& text, int advance,
                   QPoint at, int period, qreal ratio, QImage::Format format, const QColor& colour,
                   const QColor& background, int& room);

// The device pixels the glyphs of text touch together with the box that
// TextOut fills for it, with the text at logical position `at` (only its
// phase matters) on a picture at the ratio, in that picture's device pixels;
// and those pixels with the text in black on white.  Found by setting the
// text black on white with room all round and looking for ink: font metrics
// round, and some glyphs reach past their advance or a row past the box.
// False when the ink reaches the edge of the room, so that its extent is
// not known.
bool InkAndBox(const QFont& font, const QFontMetrics& metrics, const QString& text, int advance,
               QPoint at, int period, qreal ratio, QRect& ink, QImage& blackOnWhite);

}  // namespace tovi::stamps
