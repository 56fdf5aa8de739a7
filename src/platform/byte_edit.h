// A one-line edit box whose text is limited to a number of CP932 bytes and to
// characters CP932 can spell; it reports a left click into it.
#pragma once

#include <QLineEdit>

#include <string>

namespace tovi {

class ByteEdit : public QLineEdit {
    Q_OBJECT
public:
    // Whether the desktop's input method may compose text in the box.  The
    // number boxes take plain keys only, so that a digit typed with a Japanese
    // input method switched on arrives as that digit, not as a full-width one.
    enum class InputMethod { Composition, Off };

    ByteEdit(QWidget* parent, int maxBytes, InputMethod inputMethod = InputMethod::Composition);

    // The text as CP932 bytes (the validator keeps it encodable).
    std::string Bytes() const;
    void SetBytes(const std::string& cp932);
    int MaxBytes() const { return maxBytes_; }
    bool TakesComposition() const { return takesComposition_; }
    // Both forms Qt asks with answer false to Qt::ImEnabled in a box
    // without composition.
    QVariant inputMethodQuery(Qt::InputMethodQuery query) const override;
    Q_INVOKABLE QVariant inputMethodQuery(Qt::InputMethodQuery query, QVariant argument) const;

signals:
    // A press of the left button; the others keep their own meaning (the
    // right button opens the box's context menu, the middle one pastes).
    void clicked();

protected:
    void mousePressEvent(QMouseEvent* event) override;
    // Entering the box, by mouse or by Tab, leaves its text unselected and
    // switches the input method as the box asks (platform/input_method.h).
    void focusInEvent(QFocusEvent* event) override;

private:
    int maxBytes_;
    bool takesComposition_;
};

}  // namespace tovi
