// A read-only list of the results window (順位, 団体, 表彰): whole rows
// selected, and columns always as wide as what they hold, at every scaling.
// The widths are measured when the list is shown and whenever what it shows
// changes while shown, so that the typing on other pages costs nothing here.
#pragma once

#include <QTableView>

namespace tovi {

class ListTable final : public QTableView {
    Q_OBJECT

public:
    explicit ListTable(QWidget* parent);
    void setModel(QAbstractItemModel* model) override;

protected:
    void showEvent(QShowEvent* event) override;
    void changeEvent(QEvent* event) override;

private:
    void Fit();

    bool stale_ = true;  // what is shown changed while the list was hidden
};

}  // namespace tovi
