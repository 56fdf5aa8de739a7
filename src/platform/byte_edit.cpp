#include "platform/byte_edit.h"

#include <QFocusEvent>
#include <QMouseEvent>
#include <QValidator>

#include <algorithm>
#include <utility>

#include "platform/input_method.h"
#include "platform/qt_text.h"

namespace tovi {
namespace {

// Keeps the box within its byte limit and to characters CP932 can spell, so
// the box never holds a text the roster cannot keep.  An edit that would pass
// the limit keeps the whole characters of it that fit: the characters just
// before the cursor are the ones typed, committed by the input method or
// pasted last, and they are cut from their end.  A text holding a character
// without a CP932 spelling is refused whole.
class Cp932Validator : public QValidator {
public:
    Cp932Validator(QObject* parent, int maxBytes) : QValidator(parent), maxBytes_(maxBytes) {}
    State validate(QString& input, int& cursor) const override {
        const int length = Cp932Length(input);
        if (length < 0) return Invalid;
        if (length <= maxBytes_) return Acceptable;

        const int at = std::clamp(cursor, 0, static_cast<int>(input.size()));
        const QString after = input.mid(at);
        const int room = maxBytes_ - Cp932Length(after);
        if (room < 0) return Invalid;
        // No CP932 character is spelt with a surrogate pair, so each QChar
        // here is one character of one or two bytes.
        int used = 0;
        int kept = 0;
        while (kept < at) {
            const int bytes = Cp932Length(QString(input[kept]));
            if (used + bytes > room) break;
            used += bytes;
            ++kept;
        }
        input = input.left(kept) + after;
        cursor = kept;
        return Acceptable;
    }

private:
    int maxBytes_;
};

}  // namespace

ByteEdit::ByteEdit(QWidget* parent, int maxBytes, InputMethod inputMethod)
    : QLineEdit(parent),
      maxBytes_(maxBytes),
      takesComposition_(inputMethod == InputMethod::Composition) {
    setValidator(new Cp932Validator(this, maxBytes));
    if (!takesComposition_) {
        // A widget without this attribute, which also answers that it takes no
        // input method (inputMethodQuery), gets no input-method events: the
        // input method lets the keys through as they are.
        setAttribute(Qt::WA_InputMethodEnabled, false);
        setInputMethodHints(Qt::ImhPreferNumbers | Qt::ImhLatinOnly);
    }
}

QVariant ByteEdit::inputMethodQuery(Qt::InputMethodQuery query) const {
    return inputMethodQuery(query, QVariant());
}

QVariant ByteEdit::inputMethodQuery(Qt::InputMethodQuery query, QVariant argument) const {
    // QLineEdit answers that it takes input whenever it is enabled and not
    // read-only, whatever the attribute says.
    if (query == Qt::ImEnabled && !takesComposition_) return false;
    return QLineEdit::inputMethodQuery(query, std::move(argument));
}

std::string ByteEdit::Bytes() const { return TryQtToCp932(text()).value_or(std::string()); }

void ByteEdit::SetBytes(const std::string& cp932) { setText(Cp932ToQt(cp932)); }

void ByteEdit::mousePressEvent(QMouseEvent* event) {
    QLineEdit::mousePressEvent(event);
    if (event->button() == Qt::LeftButton) emit clicked();
}

void ByteEdit::focusInEvent(QFocusEvent* event) {
    // QLineEdit selects the whole text when the focus comes by Tab or a
    // shortcut; the cursor stays where that put it, at the end.
    const bool hadSelection = hasSelectedText();
    QLineEdit::focusInEvent(event);
    if (!hadSelection && hasSelectedText()) deselect();
    // Qt gives the window's input context to the new focus only after this
    // event, so the input method is switched once the event has been handled.
    QMetaObject::invokeMethod(
        this,
        [this] {
            if (hasFocus()) SwitchInputMethod(*this, takesComposition_);
        },
        Qt::QueuedConnection);
}

}  // namespace tovi
