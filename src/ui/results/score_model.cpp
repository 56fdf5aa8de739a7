#include "ui/results/score_model.h"

#include <QColor>

#include <utility>

#include "platform/qt_text.h"

namespace tovi {
namespace {

constexpr int kFirstHole = ScoreModel::kFirstHoleColumn;

QString Number(int value) { return QString::number(value); }

// Whether any of the first holes cells of a round of the card holds strokes.
bool RoundEntered(const ScoreCard& card, int round, int holes) {
    for (int hole = 0; hole < holes; ++hole)
        if (card.Strokes(round, hole)) return true;
    return false;
}

}  // namespace

ScoreModel::ScoreModel(const ScoreBook& book, std::vector<Player> players, int holes,
                       EnterFunction enter)
    : book_(book), players_(std::move(players)), holes_(holes), enter_(std::move(enter)) {}

bool ScoreModel::IsHoleCell(const QModelIndex& index) const {
    return index.isValid() && index.column() >= kFirstHole && index.column() < kFirstHole + holes_;
}

QModelIndex ScoreModel::Cell(int player, int round, int hole) const {
    return index(player * Rounds() + round, kFirstHole + hole);
}

void ScoreModel::CellChanged(int player, int round, int hole) {
    // Cell by cell: a view repaints a single cell alone, but the whole table
    // for a range.
    const int rounds = Rounds();
    const int row = player * rounds + round;
    const auto changed = [this](int r, int column) {
        const QModelIndex cell = index(r, column);
        emit dataChanged(cell, cell, {Qt::DisplayRole, Qt::EditRole});
    };
    changed(row, kFirstHole + hole);
    changed(row, kFirstHole + holes_);
    for (int sum = 1; sum < kSumColumns; ++sum) changed(player * rounds, kFirstHole + holes_ + sum);
}

void ScoreModel::Reset() {
    beginResetModel();
    endResetModel();
}

int ScoreModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : static_cast<int>(players_.size()) * Rounds();
}

int ScoreModel::columnCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : kFirstHole + holes_ + kSumColumns;
}

QVariant ScoreModel::headerData(int section, Qt::Orientation orientation, int role) const {
    if (orientation != Qt::Horizontal || role != Qt::DisplayRole) return {};
    if (section == kNameColumn) return QStringLiteral("氏名");
    if (section == kTeamColumn) return QStringLiteral("チーム");
    if (section == kRoundColumn) return QString();
    if (section < kFirstHole + holes_) {
        const auto column = static_cast<std::size_t>(section - kFirstHole);
        return Number(column < holeNumbers_.size() ? holeNumbers_[column]
                                                   : static_cast<int>(column) + 1);
    }
    static const QString sums[] = {QStringLiteral("計"), QStringLiteral("実打数"),
                                   QStringLiteral("一打"), QStringLiteral("二打"),
                                   QStringLiteral("合計")};
    return sums[section - kFirstHole - holes_];
}

Qt::ItemFlags ScoreModel::flags(const QModelIndex& index) const {
    // The table's root is no item: no drops, nothing to enable.
    if (!index.isValid()) return Qt::NoItemFlags;
    if (!IsHoleCell(index)) return Qt::ItemIsEnabled;
    return Editable() ? Qt::ItemIsEnabled | Qt::ItemIsSelectable | Qt::ItemIsEditable
                      : Qt::ItemIsEnabled | Qt::ItemIsSelectable;
}

QVariant ScoreModel::data(const QModelIndex& index, int role) const {
    if (!index.isValid()) return {};
    const int rounds = Rounds();
    const auto player = static_cast<std::size_t>(index.row() / rounds);
    const int round = index.row() % rounds;
    const int column = index.column();
    if (role == Qt::TextAlignmentRole)
        return column <= kTeamColumn ? QVariant(Qt::AlignLeft | Qt::AlignVCenter)
                                     : QVariant(Qt::AlignCenter);
    if (role == Qt::BackgroundRole && !IsHoleCell(index)) return QColor(236, 236, 236);
    if (role != Qt::DisplayRole && role != Qt::EditRole) return {};
    if (player >= players_.size()) return {};
    const Player& p = players_[player];
    if (column == kNameColumn) return Cp932ToQt(p.name);
    if (column == kTeamColumn) return Cp932ToQt(p.team);
    if (column == kRoundColumn) return QStringLiteral("%1R").arg(round + 1);

    const auto card = book_.Get().cards.find(p.key);
    if (card == book_.Get().cards.end()) return QString();
    if (IsHoleCell(index)) {
        const auto strokes = card->second.Strokes(round, column - kFirstHole);
        return strokes ? Number(*strokes) : QString();
    }
    const CardSums sums = SumCard(card->second, book_.Get().settings, holes_);
    const int sum = column - kFirstHole - holes_;
    if (sum == 0)
        return RoundEntered(card->second, round, holes_)
                   ? Number(sums.roundSums[static_cast<std::size_t>(round)])
                   : QString();
    const int values[] = {sums.strokes, sums.holesIn[0], sums.holesIn[1], sums.total};
    return Number(values[sum - 1]);
}

bool ScoreModel::setData(const QModelIndex& index, const QVariant& value, int role) {
    if (role != Qt::EditRole || !IsHoleCell(index) || !Editable()) return false;
    const QString text = value.toString().trimmed();
    std::optional<int> strokes;
    if (!text.isEmpty()) {
        bool ok = false;
        strokes = text.toInt(&ok);
        if (!ok) return false;
    }
    const int rounds = Rounds();
    return enter_(index.row() / rounds, index.row() % rounds, index.column() - kFirstHole, strokes);
}

}  // namespace tovi
