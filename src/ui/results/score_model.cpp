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

bool ScoreModel::IsCardTotalCell(const QModelIndex& index) const {
    return index.isValid() && ChecksCards() && index.column() == kFirstHole + holes_ + 1;
}

int ScoreModel::EntryHole(const QModelIndex& index) const {
    return IsCardTotalCell(index) ? holes_ : index.column() - kFirstHole;
}

QModelIndex ScoreModel::Cell(int player, int round, int hole) const {
    return index(player * Rounds() + round,
                 hole >= holes_ ? kFirstHole + holes_ + 1 : kFirstHole + hole);
}

int ScoreModel::SumColumn(int sum) const {
    return kFirstHole + holes_ + sum + (sum > 0 && ChecksCards() ? 1 : 0);
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
    if (hole < holes_) changed(row, kFirstHole + hole);
    changed(row, SumColumn(0));
    if (ChecksCards()) changed(row, kFirstHole + holes_ + 1);  // agrees or not
    for (int sum = 1; sum < kSumColumns; ++sum) changed(player * rounds, SumColumn(sum));
}

void ScoreModel::Reset() {
    beginResetModel();
    endResetModel();
}

int ScoreModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : static_cast<int>(players_.size()) * Rounds();
}

int ScoreModel::columnCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : kFirstHole + holes_ + kSumColumns + (ChecksCards() ? 1 : 0);
}

QVariant ScoreModel::headerData(int section, Qt::Orientation orientation, int role) const {
    if (orientation != Qt::Horizontal || role != Qt::DisplayRole) return {};
    if (section == kNameColumn) return QStringLiteral("氏名");
    if (section == kTeamColumn) return QStringLiteral("チーム");
    if (section == kRoundColumn) return QString();
    if (ChecksCards() && section == kFirstHole + holes_ + 1) return QStringLiteral("カード計");
    if (section < kFirstHole + holes_) {
        const auto column = static_cast<std::size_t>(section - kFirstHole);
        return Number(column < holeNumbers_.size() ? holeNumbers_[column]
                                                   : static_cast<int>(column) + 1);
    }
    static const QString sums[] = {QStringLiteral("計"), QStringLiteral("実打数"),
                                   QStringLiteral("一打"), QStringLiteral("二打"),
                                   QStringLiteral("合計")};
    for (int sum = 0; sum < kSumColumns; ++sum)
        if (SumColumn(sum) == section) return sums[sum];
    return {};
}

Qt::ItemFlags ScoreModel::flags(const QModelIndex& index) const {
    // The table's root is no item: no drops, nothing to enable.
    if (!index.isValid()) return Qt::NoItemFlags;
    if (!IsEntryCell(index)) return Qt::ItemIsEnabled;
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
    if (player >= players_.size()) return {};
    if (IsCardTotalCell(index)) return CardTotalData(players_[player], round, role);
    if (role == Qt::BackgroundRole && !IsHoleCell(index)) return QColor(236, 236, 236);
    if (role != Qt::DisplayRole && role != Qt::EditRole) return {};
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
    int sum = 0;
    while (sum < kSumColumns && SumColumn(sum) != column) ++sum;
    if (sum == 0)
        return RoundEntered(card->second, round, holes_)
                   ? Number(sums.roundSums[static_cast<std::size_t>(round)])
                   : QString();
    const int values[] = {sums.strokes, sums.holesIn[0], sums.holesIn[1], sums.total};
    return Number(values[sum - 1]);
}

QVariant ScoreModel::CardTotalData(const Player& player, int round, int role) const {
    const auto card = book_.Get().cards.find(player.key);
    if (card == book_.Get().cards.end()) return {};
    // The text of the カード計 typed, empty for none.
    const int typed = card->second.CardTotal(round).value_or(0);
    const QString total = typed > 0 ? Number(typed) : QString();
    const bool disagrees = CheckCardTotal(card->second, round, holes_).has_value();
    switch (role) {
        case Qt::EditRole:
            return total;
        case Qt::DisplayRole:
            // Marked with a sign as well as a colour, readable without colour.
            return disagrees ? QStringLiteral("×") + total : total;
        case Qt::BackgroundRole:
            if (disagrees) return QColor(255, 200, 200);
            return {};
        case Qt::ToolTipRole:
            if (disagrees) return QStringLiteral("カード計と合わない");
            return {};
        default:
            return {};
    }
}

bool ScoreModel::setData(const QModelIndex& index, const QVariant& value, int role) {
    if (role != Qt::EditRole || !IsEntryCell(index) || !Editable()) return false;
    const QString text = value.toString().trimmed();
    std::optional<int> strokes;
    if (!text.isEmpty()) {
        bool ok = false;
        strokes = text.toInt(&ok);
        if (!ok) return false;
    }
    const int rounds = Rounds();
    return enter_(index.row() / rounds, index.row() % rounds, EntryHole(index), strokes);
}

}  // namespace tovi
