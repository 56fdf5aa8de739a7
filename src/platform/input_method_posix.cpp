// Linux desktops let no program switch the input method (fcitx5 and IBus
// keep that to the user): nothing to do, nothing to report.
#include "platform/input_method.h"

namespace tovi {

void SwitchInputMethod(QWidget&, bool) {}

std::optional<InputMethodStatus> CurrentInputMethodStatus(QWidget&) { return std::nullopt; }

}  // namespace tovi
