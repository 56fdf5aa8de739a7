// The results window's 順位 page: the lists 全体, 男子 and 女子, the ranking of
// the list chosen, and the deciding of ties: a player who shares a rank moves
// up or down among those sharing it with 上へ and 下へ (Ctrl+↑, Ctrl+↓).
// Ranks so decided show ※, with the footnote under the list.  同成績は年長者を
// 上位 beside the lists ranks the players the strokes leave equal by age.
#pragma once

#include <QWidget>

#include <cstddef>
#include <functional>
#include <memory>
#include <optional>
#include <vector>

#include "results/ranking.h"

class QCheckBox;
class QLabel;
class QPushButton;

namespace tovi {

class ListTable;
class RankingModel;

// Its widgets have the object names ListButton0..ListButton2 (全体, 男子,
// 女子), OlderFirstBox (同成績は年長者を上位), UpButton, DownButton,
// RankingTable, DecidedNote and CardCheckNote.
class RankingPage final : public QWidget {
    Q_OBJECT

public:
    // players: those the rankings shown are made of; they must outlive the page.
    RankingPage(const std::vector<Player>& players, QWidget* parent);
    ~RankingPage() override;

    RankingList List() const { return list_; }
    ListTable* Table() const { return table_; }
    // 同成績は年長者を上位; ticking or clearing it signals olderFirstChosen.
    QCheckBox* OlderFirstBox() const { return olderFirst_; }
    const Ranking& Shown() const;
    // Shows a ranking of the list chosen.
    void Show(Ranking ranking);
    // With カード計で検算 the line カード計と合わない：n件, n the rounds that do
    // not agree; nothing hides it.
    void ShowCardMismatches(std::optional<std::size_t> count);
    // Selects a row (after a move, the row the player moved to).
    void SelectRow(std::size_t row);

signals:
    // The list chosen changed.
    void listChosen(RankingList list);
    // 同成績は年長者を上位 ticked (true) or cleared.
    void olderFirstChosen(bool older);
    // 上へ (step -1) or 下へ (+1) for the row selected.
    void moveRequested(std::size_t row, int step);

private:
    void Move(int step);
    void UpdateButtons();

    RankingList list_ = RankingList::All;
    std::unique_ptr<RankingModel> model_;
    ListTable* table_ = nullptr;
    QCheckBox* olderFirst_ = nullptr;
    QPushButton* up_ = nullptr;
    QPushButton* down_ = nullptr;
    QLabel* note_ = nullptr;
    QLabel* cardNote_ = nullptr;
};

}  // namespace tovi
