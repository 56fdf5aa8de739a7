// Switching the desktop's input method when a box gets the focus: on, in
// hiragana, for the boxes that take Japanese text; off for the number boxes.
// One implementation per operating system: Windows lets a program set its
// input method (input_method_windows.cpp, IMM32); other desktops offer no
// such call, and there the user switches it (input_method_posix.cpp does
// nothing, and number boxes simply take no composition).
#pragma once

#include <optional>

class QWidget;

namespace tovi {

// Switches the input method of box's window: open in hiragana when hiragana,
// closed otherwise.
void SwitchInputMethod(QWidget& box, bool hiragana);

// What the input method of widget's window is set to, where the program can
// ask: open or closed, and whether it is in full-width hiragana.
struct InputMethodStatus {
    bool open = false;
    bool hiragana = false;
};
std::optional<InputMethodStatus> CurrentInputMethodStatus(QWidget& widget);

}  // namespace tovi
