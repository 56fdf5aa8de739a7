// The controls of the main window as its areas make them: placed at their
// position in their parent, in the window's faces and colours, and named
// after their place in the layout (Button6, Edit9, Image23 ...), the name by
// which the layout tables, the accessibility tree and the tests find them.
#pragma once

#include <QColor>
#include <QString>

#include "core/drawing_surface.h"
#include "platform/byte_edit.h"
#include "platform/fonts.h"
#include "platform/qt_colour.h"

class QFrame;
class QLabel;
class QPushButton;
class QWidget;

namespace tovi {

class PictureWidget;

// Fills the widget's background with a flat colour.  Buttons and check boxes
// take their background from the button colour unless told otherwise.
void Fill(QWidget* widget, Rgb colour);

// A raised panel in the panels' blue.
QFrame* MakePanel(const char* name, QWidget* parent, int x, int y, int w, int h);

struct LabelStyle {
    int pixels = 13;
    Rgb colour = kBlack;
    bool bold = false;
    const QString* face = &kPGothicFace;
};

// A label at x, y; of the given size, or of its text's size when w or h is 0.
QLabel* MakeLabel(const char* name, QWidget* parent, const QString& text, int x, int y,
                  LabelStyle style, int w = 0, int h = 0);

// A push button reached by Tab and by the mouse; in the gothic face at the
// given points, or in its parent's font when points is 0.
QPushButton* MakeButton(const char* name, QWidget* parent, const QString& text, int x, int y, int w,
                        int h, int points = 0);

// A picture of the given size, placed at x, y of its parent.
PictureWidget* MakePicture(const char* name, QWidget* parent, int x, int y, int w, int h);

// The name, team and score-sheet text boxes take Japanese composed by the
// input method; the number boxes take no composition (ByteEdit::InputMethod).
inline constexpr auto kComposition = ByteEdit::InputMethod::Composition;
inline constexpr auto kNumber = ByteEdit::InputMethod::Off;

// An edit box of at most maxBytes CP932 bytes with a thin grey border.
ByteEdit* MakeEdit(const char* name, QWidget* parent, int maxBytes, int x, int y, int w, int h,
                   int pixels, const QString& face, ByteEdit::InputMethod inputMethod);

}  // namespace tovi
