#include "ui/results/ranking_model.h"

#include <utility>

#include "platform/qt_text.h"

namespace tovi {
namespace {

// The columns before the rounds: 順位, 氏名, チーム, 組; and after them: 実打数,
// 一打, 二打, 合計.
constexpr int kLeadingColumns = 4;
constexpr int kTrailingColumns = 4;

QString Number(int value) { return QString::number(value); }

}  // namespace

void RankingModel::Set(Ranking ranking) {
    if (ranking.rows.size() == ranking_.rows.size() && ranking.rounds == ranking_.rounds) {
        ranking_ = std::move(ranking);
        if (!ranking_.rows.empty())
            emit dataChanged(index(0, 0), index(rowCount() - 1, columnCount() - 1));
        return;
    }
    beginResetModel();
    ranking_ = std::move(ranking);
    endResetModel();
}

int RankingModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : static_cast<int>(ranking_.rows.size());
}

int RankingModel::columnCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : kLeadingColumns + ranking_.rounds + kTrailingColumns;
}

QVariant RankingModel::headerData(int section, Qt::Orientation orientation, int role) const {
    if (orientation != Qt::Horizontal || role != Qt::DisplayRole) return {};
    static const QString first[] = {QStringLiteral("順位"), QStringLiteral("氏名"),
                                    QStringLiteral("チーム"), QStringLiteral("組")};
    static const QString last[] = {QStringLiteral("実打数"), QStringLiteral("一打"),
                                   QStringLiteral("二打"), QStringLiteral("合計")};
    if (section < kLeadingColumns) return first[section];
    if (section < kLeadingColumns + ranking_.rounds)
        return QStringLiteral("%1R").arg(section - kLeadingColumns + 1);
    return last[section - kLeadingColumns - ranking_.rounds];
}

QVariant RankingModel::data(const QModelIndex& index, int role) const {
    if (!index.isValid()) return {};
    const int column = index.column();
    if (role == Qt::TextAlignmentRole)
        return column == 1 || column == 2 ? QVariant(Qt::AlignLeft | Qt::AlignVCenter)
                                          : QVariant(Qt::AlignCenter);
    if (role != Qt::DisplayRole) return {};
    const RankedRow& row = ranking_.rows.at(static_cast<std::size_t>(index.row()));
    const Player& player = players_.at(row.player);
    switch (column) {
        case 0:
            if (!row.rank) return QString();
            return row.decided ? Number(*row.rank) + QStringLiteral("※") : Number(*row.rank);
        case 1:
            return Cp932ToQt(player.name);
        case 2:
            return Cp932ToQt(player.team);
        case 3:  // nothing for a player never in a group
            return player.group > 0 ? Number(player.group) : QString();
        default:
            break;
    }
    if (column < kLeadingColumns + ranking_.rounds)
        return Number(row.sums.roundSums.at(static_cast<std::size_t>(column - kLeadingColumns)));
    const int values[] = {row.sums.strokes, row.sums.holesIn[0], row.sums.holesIn[1],
                          row.sums.total};
    return Number(values[column - kLeadingColumns - ranking_.rounds]);
}

}  // namespace tovi
