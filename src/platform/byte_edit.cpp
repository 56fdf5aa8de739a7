#include "platform/byte_edit.h"

#include <QValidator>

#include "platform/qt_text.h"

namespace tovi {
namespace {

// Refuses an edit that would not fit the byte limit or that holds a character
// without a CP932 spelling, so the box never holds a text the roster cannot keep.
class Cp932Validator : public QValidator {
public:
    Cp932Validator(QObject* parent, int maxBytes) : QValidator(parent), maxBytes_(maxBytes) {}
    State validate(QString& input, int&) const override {
        const int length = Cp932Length(input);
        if (length < 0 || length > maxBytes_) return Invalid;
        return Acceptable;
    }

private:
    int maxBytes_;
};

}  // namespace

ByteEdit::ByteEdit(QWidget* parent, int maxBytes) : QLineEdit(parent), maxBytes_(maxBytes) {
    setValidator(new Cp932Validator(this, maxBytes));
}

std::string ByteEdit::Bytes() const { return FromQt(text()).value_or(std::string()); }

void ByteEdit::SetBytes(const std::string& cp932) { setText(ToQt(cp932)); }

void ByteEdit::mousePressEvent(QMouseEvent* event) {
    QLineEdit::mousePressEvent(event);
    emit clicked();
}

}  // namespace tovi
