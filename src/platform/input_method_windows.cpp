// The input method on Windows, through IMM32 on the window's input context.
#include <imm.h>
#include <windows.h>

#include <QWidget>

#include <utility>

#include "platform/input_method.h"

namespace tovi {
namespace {

// Holds the input context of a window while it is set or read.
class InputContext {
public:
    explicit InputContext(HWND window) : window_(window), context_(ImmGetContext(window)) {}
    ~InputContext() {
        if (context_) ImmReleaseContext(window_, context_);
    }
    InputContext(const InputContext&) = delete;
    InputContext& operator=(const InputContext&) = delete;
    HIMC Get() const { return context_; }

private:
    HWND window_;
    HIMC context_;
};

HWND WindowOf(QWidget& widget) { return reinterpret_cast<HWND>(widget.window()->winId()); }

constexpr DWORD kHiragana = IME_CMODE_NATIVE | IME_CMODE_FULLSHAPE;

}  // namespace

void SwitchInputMethod(QWidget& box, bool hiragana) {
    // A box without composition has its window's context taken away by Qt
    // while it has the focus; there is nothing left to close then.
    const InputContext context(WindowOf(box));
    if (!context.Get()) return;
    if (!hiragana) {
        ImmSetOpenStatus(context.Get(), FALSE);
        return;
    }
    ImmSetOpenStatus(context.Get(), TRUE);
    DWORD conversion = 0;
    DWORD sentence = 0;
    ImmGetConversionStatus(context.Get(), &conversion, &sentence);
    conversion = (conversion & ~DWORD{IME_CMODE_KATAKANA}) | kHiragana;
    ImmSetConversionStatus(context.Get(), conversion, sentence);
}

std::optional<InputMethodStatus> CurrentInputMethodStatus(QWidget& widget) {
    const InputContext context(WindowOf(widget));
    InputMethodStatus status;
    if (!context.Get()) return status;
    status.open = ImmGetOpenStatus(context.Get()) != 0;
    DWORD conversion = 0;
    DWORD sentence = 0;
    if (ImmGetConversionStatus(context.Get(), &conversion, &sentence))
        status.hiragana =
            (conversion & kHiragana) == kHiragana && !(conversion & IME_CMODE_KATAKANA);
    return status;
}

}  // namespace tovi
