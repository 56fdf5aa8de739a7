#include "ui/common/text_table_model.h"

#include <algorithm>
#include <utility>

namespace tovi {

TextTableModel::TextTableModel(QStringList headings, std::vector<int> rightAligned)
    : headings_(std::move(headings)), rightAligned_(std::move(rightAligned)) {}

void TextTableModel::Set(std::vector<QStringList> rows) {
    if (rows.size() == rows_.size()) {
        rows_ = std::move(rows);
        if (!rows_.empty()) emit dataChanged(index(0, 0), index(rowCount() - 1, columnCount() - 1));
        return;
    }
    beginResetModel();
    rows_ = std::move(rows);
    endResetModel();
}

int TextTableModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : static_cast<int>(rows_.size());
}

int TextTableModel::columnCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : static_cast<int>(headings_.size());
}

QVariant TextTableModel::headerData(int section, Qt::Orientation orientation, int role) const {
    if (orientation != Qt::Horizontal || role != Qt::DisplayRole || section < 0 ||
        section >= headings_.size())
        return {};
    return headings_[section];
}

QVariant TextTableModel::data(const QModelIndex& index, int role) const {
    if (!index.isValid() || index.row() >= rowCount() || index.column() >= columnCount()) return {};
    if (role == Qt::TextAlignmentRole) {
        const bool number = std::find(rightAligned_.begin(), rightAligned_.end(), index.column()) !=
                            rightAligned_.end();
        return QVariant((number ? Qt::AlignRight : Qt::AlignLeft) | Qt::AlignVCenter);
    }
    if (role != Qt::DisplayRole) return {};
    const QStringList& row = rows_[static_cast<std::size_t>(index.row())];
    return index.column() < row.size() ? row[index.column()] : QString();
}

}  // namespace tovi
