// A read-only table of texts with a heading per column: the results window's
// 団体 and 表彰 pages and the hole-in-one list.
#pragma once

#include <QAbstractTableModel>
#include <QStringList>

#include <vector>

namespace tovi {

class TextTableModel final : public QAbstractTableModel {
    Q_OBJECT

public:
    // rightAligned: the columns of numbers, by index.
    TextTableModel(QStringList headings, std::vector<int> rightAligned);

    // Shows the rows.  With as many rows as shown, every cell changes in
    // place (a view keeps its selection and scroll position); otherwise the
    // model is reset.
    void Set(std::vector<QStringList> rows);
    const std::vector<QStringList>& Rows() const { return rows_; }

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;
    QVariant data(const QModelIndex& index, int role) const override;

private:
    QStringList headings_;
    std::vector<int> rightAligned_;
    std::vector<QStringList> rows_;
};

}  // namespace tovi
