// The table of an entry page of the results window, or of 組なし: a row per
// player and round, with the player's name, team and round, a cell per hole,
// the round's sum (計), with カード計で検算 the round's カード計, and the
// player's 実打数, 一打, 二打 and 合計.  A カード計 that does not agree with
// the round's holes is marked, in colour and with ×.  The
// strokes and the settings are read from the score book at every look, so the
// table always shows the book as it is; what is typed into a hole cell goes
// through the enter function, which a read-only table (組なし) has none of.
#pragma once

#include <QAbstractTableModel>

#include <functional>
#include <optional>
#include <vector>

#include "results/ranking.h"
#include "results/score_book.h"

namespace tovi {

class ScoreModel final : public QAbstractTableModel {
    Q_OBJECT

public:
    // The columns: name, team, round, the holes from kFirstHoleColumn on,
    // then kSumColumns sums: 計 (the round), 実打数, 一打, 二打, 合計 (the
    // player); with カード計で検算 the カード計 of the round stands after 計.
    static constexpr int kNameColumn = 0;
    static constexpr int kTeamColumn = 1;
    static constexpr int kRoundColumn = 2;
    static constexpr int kFirstHoleColumn = 3;
    static constexpr int kSumColumns = 5;

    // Enters strokes (nothing: empties the cell) at the hole of a round of
    // the player at a row of this table, or at hole Holes() the round's
    // カード計; false when refused.
    using EnterFunction = std::function<bool(int player, int round, int hole, std::optional<int>)>;

    // enter empty: the table is shown only.
    ScoreModel(const ScoreBook& book, std::vector<Player> players, int holes, EnterFunction enter);

    const std::vector<Player>& Players() const { return players_; }
    // The numbers over the hole columns, as the group's score sheet prints
    // them; 1, 2, .. until set.
    void SetHoleNumbers(std::vector<int> numbers) { holeNumbers_ = std::move(numbers); }
    int Holes() const { return holes_; }
    int Rounds() const { return book_.Get().settings.rounds; }
    bool Editable() const { return static_cast<bool>(enter_); }
    bool IsHoleCell(const QModelIndex& index) const;
    // カード計で検算 is on: each round has its カード計 cell.
    bool ChecksCards() const { return book_.Get().checkCardTotals; }
    bool IsCardTotalCell(const QModelIndex& index) const;
    // A hole cell, or a カード計 cell: where entry goes.
    bool IsEntryCell(const QModelIndex& index) const {
        return IsHoleCell(index) || IsCardTotalCell(index);
    }
    // The entry cells of a round: the holes, and the カード計 when checked.
    int EntryCells() const { return holes_ + (ChecksCards() ? 1 : 0); }
    // The hole (from 0) of an entry cell; Holes() for a カード計 cell.
    int EntryHole(const QModelIndex& index) const;
    // The cell of a hole, or of the カード計 for hole Holes().
    QModelIndex Cell(int player, int round, int hole) const;
    // The column of sum `sum` (0 計, 1 実打数, .. 4 合計).
    int SumColumn(int sum) const;
    // A cell of a player changed, and with it the round's sum and the
    // player's sums.
    void CellChanged(int player, int round, int hole);
    // The settings changed: the rows and every cell anew.
    void Reset();

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;
    Qt::ItemFlags flags(const QModelIndex& index) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    // A hole cell takes a whole number as text, or an empty text to empty the
    // cell; the score book decides whether the number is taken.
    bool setData(const QModelIndex& index, const QVariant& value, int role) override;

private:
    // What a カード計 cell shows in a role.
    QVariant CardTotalData(const Player& player, int round, int role) const;

    const ScoreBook& book_;
    std::vector<Player> players_;
    int holes_;
    EnterFunction enter_;  // empty: shown only
    std::vector<int> holeNumbers_;
};

}  // namespace tovi
