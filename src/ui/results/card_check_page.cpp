#include "ui/results/card_check_page.h"

#include <QVBoxLayout>

#include "platform/qt_text.h"
#include "ui/common/list_table.h"
#include "ui/common/text_table_model.h"

namespace tovi {

CardCheckPage::CardCheckPage(QWidget* parent) : QWidget(parent) {
    auto* layout = new QVBoxLayout(this);
    model_ = std::make_unique<TextTableModel>(
        QStringList{QStringLiteral("組"), QStringLiteral("氏名"), QStringLiteral("ラウンド"),
                    QStringLiteral("入力計"), QStringLiteral("カード計")},
        std::vector<int>{0, 3, 4});
    table_ = new ListTable(this);
    table_->setObjectName(QStringLiteral("CardCheckTable"));
    table_->setModel(model_.get());
    layout->addWidget(table_);
}

CardCheckPage::~CardCheckPage() = default;

void CardCheckPage::Show(const std::vector<Player>& players,
                         const std::vector<CardCheckRow>& rows) {
    std::vector<QStringList> texts;
    texts.reserve(rows.size());
    for (const CardCheckRow& row : rows) {
        const Player& player = players.at(row.player);
        texts.push_back(
            {player.group != 0 ? QString::number(player.group) : QString(), Cp932ToQt(player.name),
             QStringLiteral("%1R").arg(row.round + 1),
             row.mismatch.holesSum ? QString::number(*row.mismatch.holesSum) : QString(),
             QString::number(row.mismatch.cardTotal)});
    }
    model_->Set(std::move(texts));
}

}  // namespace tovi
