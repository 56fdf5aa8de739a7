// A label that reports a click released over it, as a link does: the
// version dialog's こちらから.
#pragma once

#include <QLabel>
#include <QMouseEvent>

#include <functional>
#include <utility>

namespace tovi {

class LinkLabel : public QLabel {
    Q_OBJECT

public:
    LinkLabel(const QString& text, QWidget* parent, std::function<void()> onClick)
        : QLabel(text, parent), onClick_(std::move(onClick)) {
        setCursor(Qt::PointingHandCursor);
    }

protected:
    void mouseReleaseEvent(QMouseEvent* event) override {
        if (rect().contains(event->position().toPoint())) onClick_();
    }

private:
    std::function<void()> onClick_;
};

}  // namespace tovi
