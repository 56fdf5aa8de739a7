// A description of a window as a user meets it, for comparing two windows:
// every widget in the order the window stacks them, with its class, place,
// whether it is shown, its text, font, colours and, for a picture, its
// pixels; then the order in which Tab visits the controls.
#pragma once

#include <QAbstractButton>
#include <QCryptographicHash>
#include <QLabel>
#include <QLineEdit>
#include <QWidget>

#include <algorithm>
#include <map>
#include <string>
#include <vector>

#include "platform/picture_widget.h"

namespace tovi::test {

inline std::string DescribeWidget(QWidget& w) {
    QString line = QStringLiteral("%1 %2,%3 %4x%5 hidden=%6 explicit=%7 focus=%8 font=%9")
                       .arg(QString::fromLatin1(w.metaObject()->className()))
                       .arg(w.x())
                       .arg(w.y())
                       .arg(w.width())
                       .arg(w.height())
                       .arg(w.isHidden())
                       .arg(w.testAttribute(Qt::WA_WState_ExplicitShowHide))
                       .arg(static_cast<int>(w.focusPolicy()))
                       .arg(w.font().key());
    if (auto* label = qobject_cast<QLabel*>(&w)) line += QStringLiteral(" text=") + label->text();
    if (auto* button = qobject_cast<QAbstractButton*>(&w))
        line += QStringLiteral(" text=%1 checked=%2").arg(button->text()).arg(button->isChecked());
    if (auto* edit = qobject_cast<QLineEdit*>(&w))
        line += QStringLiteral(" text=%1 max=%2").arg(edit->text()).arg(edit->maxLength());
    for (QPalette::ColorRole role : {QPalette::Window, QPalette::WindowText, QPalette::Button,
                                     QPalette::ButtonText, QPalette::Base, QPalette::Text})
        line += QLatin1Char(' ') + w.palette().color(role).name();
    line += QStringLiteral(" autofill=%1 sheet=%2").arg(w.autoFillBackground()).arg(w.styleSheet());
    if (auto* picture = qobject_cast<PictureWidget*>(&w)) {
        const QImage& image = picture->Image();
        line += QStringLiteral(" pixels=") +
                QString::fromLatin1(
                    QCryptographicHash::hash(QByteArrayView(image.constBits(), image.sizeInBytes()),
                                             QCryptographicHash::Md5)
                        .toHex());
    }
    return line.toStdString();
}

inline void DescribeTree(QWidget& w, int depth, std::map<const QWidget*, int>& numbers,
                         std::string& out) {
    numbers[&w] = static_cast<int>(numbers.size());
    out += std::string(static_cast<std::size_t>(depth) * 2, ' ') + DescribeWidget(w) + '\n';
    for (QObject* child : w.children())
        if (auto* widget = qobject_cast<QWidget*>(child); widget && !widget->isWindow())
            DescribeTree(*widget, depth + 1, numbers, out);
}

inline std::string DescribeWindow(QWidget& window) {
    std::map<const QWidget*, int> numbers;
    std::string out;
    DescribeTree(window, 0, numbers, out);
    // The controls Tab reaches, in turn, by their place in the list above.
    out += "tab:";
    for (QWidget* w = window.nextInFocusChain(); w && w != &window; w = w->nextInFocusChain())
        if ((w->focusPolicy() & Qt::TabFocus) && !w->isWindow())
            out += ' ' + std::to_string(numbers.count(w) ? numbers[w] : -1);
    return out + '\n';
}

// The lines in which two descriptions differ, each as "- first" and
// "+ second"; empty when they are the same.
inline std::string DescriptionDifference(const std::string& first, const std::string& second) {
    auto lines = [](const std::string& text) {
        std::vector<std::string> out;
        std::size_t start = 0;
        for (std::size_t end; (end = text.find('\n', start)) != std::string::npos; start = end + 1)
            out.push_back(text.substr(start, end - start));
        return out;
    };
    const std::vector<std::string> a = lines(first), b = lines(second);
    std::string out;
    for (std::size_t i = 0; i < std::max(a.size(), b.size()); ++i) {
        const std::string& x = i < a.size() ? a[i] : std::string();
        const std::string& y = i < b.size() ? b[i] : std::string();
        if (x != y) out += "- " + x + "\n+ " + y + "\n";
    }
    return out;
}

}  // namespace tovi::test
