// The table of the results window's 順位 page: the ranking of one list, a row
// per player in ranking order with 順位, 氏名, チーム, 組, one column per
// round, 実打数, 一打, 二打 and 合計.
#pragma once

#include <QAbstractTableModel>

#include <vector>

#include "results/ranking.h"

namespace tovi {

class RankingModel final : public QAbstractTableModel {
    Q_OBJECT

public:
    // players: those the rankings set are made of; they must outlive the model.
    explicit RankingModel(const std::vector<Player>& players) : players_(players) {}

    const Ranking& Get() const { return ranking_; }
    // Shows a ranking.  With as many rows and rounds as the one shown, every
    // cell changes in place (a view keeps its selection and scroll
    // position); otherwise the model is reset.
    void Set(Ranking ranking);

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;
    QVariant data(const QModelIndex& index, int role) const override;

private:
    const std::vector<Player>& players_;
    Ranking ranking_;
};

}  // namespace tovi
