#include "ui/common/window_bar.h"

#include "sheets/printed_list.h"

#include <QBoxLayout>
#include <QButtonGroup>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QString>
#include <QWidget>

namespace tovi {

QPushButton* AddBarButton(QWidget* owner, QBoxLayout* row, const QString& text, const char* name) {
    auto* button = new QPushButton(text, owner);
    button->setObjectName(QString::fromLatin1(name));
    row->addWidget(button);
    return button;
}

QButtonGroup* AddListButtons(QWidget* owner, QBoxLayout* row) {
    auto* group = new QButtonGroup(owner);
    for (int i = 0; i < 3; ++i) {
        auto* button = new QRadioButton(
            QString::fromUtf8(RankingListName(static_cast<RankingList>(i))), owner);
        button->setObjectName(QStringLiteral("ListButton%1").arg(i));
        group->addButton(button, i);
        row->addWidget(button);
    }
    group->button(0)->setChecked(true);
    return group;
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
