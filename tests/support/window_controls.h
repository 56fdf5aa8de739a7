// The controls of the main window by the names they carry from the layout
// (their objectName: Panel3, Button6, Edit9, Image23, Label27 ...).  The
// tests, the monkey and the benchmarks reach the controls by these names, as
// a user knows them by their place, whichever part of the window holds them.
#pragma once

#include <QCheckBox>
#include <QFrame>
#include <QLabel>
#include <QList>
#include <QPushButton>
#include <QRadioButton>
#include <QString>
#include <QWidget>

#include <functional>
#include <map>
#include <utility>

#include "platform/byte_edit.h"
#include "platform/picture_widget.h"

namespace tovi::test {

// The controls of that name and type that belong to the window itself: those
// of a dialog it holds (the version dialog has its own Label1 and Label2)
// are not among them.
template <typename T = QWidget>
QList<T*> ControlsNamed(const QWidget& window, const QString& name) {
    QList<T*> found;
    for (T* control : window.findChildren<T*>(name))
        if (control->window() == &window) found.push_back(control);
    return found;
}

class WindowControls {
public:
    // Told the name of a control the window does not hold exactly once (or
    // not of the type asked for); without it that ends the program.
    using Missing = std::function<void(const QString& name)>;

    explicit WindowControls(const QWidget& window, Missing missing = {})
        : window_(window), missing_(std::move(missing)) {}

    // The one control of that name; null when there is none, or more than one.
    // A control once found is remembered: the window keeps its controls
    // while it lives.
    template <typename T = QWidget>
    T* Find(const QString& name) const {
        QWidget*& known = found_[name];
        if (!known) {
            const QList<QWidget*> found = ControlsNamed(window_, name);
            if (found.size() == 1) known = found.front();
        }
        if (T* control = qobject_cast<T*>(known)) return control;
        if (missing_)
            missing_(name);
        else
            qFatal("the window holds no one control named %s", qPrintable(name));
        return nullptr;
    }

    QFrame* Panel(int n) const { return Find<QFrame>(Numbered("Panel", n)); }
    QPushButton* Button(int n) const { return Find<QPushButton>(Numbered("Button", n)); }
    ByteEdit* Edit(int n) const { return Find<ByteEdit>(Numbered("Edit", n)); }
    PictureWidget* Image(int n) const { return Find<PictureWidget>(Numbered("Image", n)); }
    QLabel* Label(int n) const { return Find<QLabel>(Numbered("Label", n)); }
    QCheckBox* CheckBox(int n) const { return Find<QCheckBox>(Numbered("CheckBox", n)); }
    // The group boxes 1..6 (Image11..Image16) and their captions (Label11..Label16).
    PictureWidget* GroupBox(int group) const { return Image(10 + group); }
    QLabel* GroupCaption(int group) const { return Label(10 + group); }
    // The items of the gender choice: 0 男性, 1 女性.
    QRadioButton* GenderItem(int index) const {
        return Find<QRadioButton>(Numbered("RadioGroup2Item", index));
    }

private:
    static QString Numbered(const char* stem, int n) {
        return QLatin1String(stem) + QString::number(n);
    }

    const QWidget& window_;
    Missing missing_;
    mutable std::map<QString, QWidget*> found_;
};

}  // namespace tovi::test
