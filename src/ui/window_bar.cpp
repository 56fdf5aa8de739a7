#include "ui/window_bar.h"

#include <QBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QString>
#include <QWidget>

namespace tovi {

QPushButton* AddBarButton(QWidget* owner, QBoxLayout* row, const QString& text, const char* name) {
    auto* button = new QPushButton(text, owner);
    button->setObjectName(QString::fromLatin1(name));
    row->addWidget(button);
    return button;
}

QPushButton* AddCloseButton(QWidget* window, QBoxLayout* row) {
    QPushButton* button = AddBarButton(window, row, QStringLiteral("閉じる"), "CloseButton");
    QObject::connect(button, &QPushButton::clicked, window, &QWidget::close);
    return button;
}

void AddLabelled(QWidget* owner, QBoxLayout* row, const QString& text, QWidget* buddy,
                 int spacingAfter) {
    auto* label = new QLabel(text, owner);
    label->setBuddy(buddy);
    row->addWidget(label);
    row->addWidget(buddy);
    if (spacingAfter > 0) row->addSpacing(spacingAfter);
}

}  // namespace tovi
