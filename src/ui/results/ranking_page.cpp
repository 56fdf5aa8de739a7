#include "ui/results/ranking_page.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QHBoxLayout>
#include <QItemSelectionModel>
#include <QLabel>
#include <QPushButton>
#include <QShortcut>
#include <QVBoxLayout>

#include <algorithm>
#include <utility>

#include "sheets/printed_list.h"
#include "ui/common/list_table.h"
#include "ui/common/window_bar.h"
#include "ui/results/ranking_model.h"

namespace tovi {

RankingPage::RankingPage(const std::vector<Player>& players, QWidget* parent) : QWidget(parent) {
    auto* layout = new QVBoxLayout(this);
    auto* bar = new QHBoxLayout();
    layout->addLayout(bar);
    QButtonGroup* listGroup = AddListButtons(this, bar);
    connect(listGroup, &QButtonGroup::idClicked, this, [this](int id) {
        list_ = static_cast<RankingList>(id);
        emit listChosen(list_);
    });
    bar->addSpacing(16);
    olderFirst_ = new QCheckBox(QStringLiteral("同成績は年長者を上位(&O)"), this);
    olderFirst_->setObjectName(QStringLiteral("OlderFirstBox"));
    bar->addWidget(olderFirst_);
    connect(olderFirst_, &QCheckBox::toggled, this, &RankingPage::olderFirstChosen);
    bar->addStretch();
    const auto moveButton = [this, bar](const char* text, const char* name, int step,
                                        QKeyCombination key) {
        auto* button = new QPushButton(QString::fromUtf8(text), this);
        button->setObjectName(QString::fromLatin1(name));
        button->setToolTip(QKeySequence(key).toString(QKeySequence::NativeText));
        bar->addWidget(button);
        connect(button, &QPushButton::clicked, this, [this, step] { Move(step); });
        auto* shortcut = new QShortcut(QKeySequence(key), this);
        shortcut->setContext(Qt::WidgetWithChildrenShortcut);
        connect(shortcut, &QShortcut::activated, this, [this, step] { Move(step); });
        return button;
    };
    up_ = moveButton("上へ", "UpButton", -1, Qt::CTRL | Qt::Key_Up);
    down_ = moveButton("下へ", "DownButton", 1, Qt::CTRL | Qt::Key_Down);

    table_ = new ListTable(this);
    table_->setObjectName(QStringLiteral("RankingTable"));
    model_ = std::make_unique<RankingModel>(players);
    table_->setModel(model_.get());
    layout->addWidget(table_, 1);
    connect(table_->selectionModel(), &QItemSelectionModel::currentRowChanged, this,
            [this] { UpdateButtons(); });
    note_ = new QLabel(QStringLiteral("※ 同成績のため順位を決定"), this);
    note_->setObjectName(QStringLiteral("DecidedNote"));
    note_->hide();
    layout->addWidget(note_);
    cardNote_ = new QLabel(this);
    cardNote_->setObjectName(QStringLiteral("CardCheckNote"));
    cardNote_->hide();
    layout->addWidget(cardNote_);
    UpdateButtons();
}

RankingPage::~RankingPage() = default;

const Ranking& RankingPage::Shown() const { return model_->Get(); }

void RankingPage::Show(Ranking ranking) {
    const bool decided = std::any_of(ranking.rows.begin(), ranking.rows.end(),
                                     [](const RankedRow& row) { return row.decided; });
    model_->Set(std::move(ranking));
    note_->setVisible(decided);
    UpdateButtons();
}

void RankingPage::ShowCardMismatches(std::optional<std::size_t> count) {
    cardNote_->setVisible(count.has_value());
    if (!count) return;
    cardNote_->setText(QStringLiteral("カード計と合わない：%1件").arg(*count));
    // Red while there is a card to look at again.
    cardNote_->setStyleSheet(*count > 0 ? QStringLiteral("color: #c00000; font-weight: bold;")
                                        : QString());
}

void RankingPage::SelectRow(std::size_t row) {
    if (row >= Shown().rows.size()) return;
    table_->setCurrentIndex(model_->index(static_cast<int>(row), 0));
}

void RankingPage::Move(int step) {
    const QModelIndex at = table_->currentIndex();
    if (at.isValid()) emit moveRequested(static_cast<std::size_t>(at.row()), step);
}

void RankingPage::UpdateButtons() {
    // A player can move to a neighbour with the same tie.
    const auto& rows = Shown().rows;
    const QModelIndex at = table_->currentIndex();
    const auto sharesWith = [&](int other) {
        if (!at.isValid() || other < 0 || other >= static_cast<int>(rows.size())) return false;
        const RankedRow& row = rows[static_cast<std::size_t>(at.row())];
        return row.tie && rows[static_cast<std::size_t>(other)].tie == row.tie;
    };
    up_->setEnabled(sharesWith(at.row() - 1));
    down_->setEnabled(sharesWith(at.row() + 1));
}

}  // namespace tovi
