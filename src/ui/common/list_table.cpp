#include "ui/common/list_table.h"

#include <QEvent>
#include <QHeaderView>

namespace tovi {

ListTable::ListTable(QWidget* parent) : QTableView(parent) {
    verticalHeader()->hide();
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    setSelectionBehavior(QAbstractItemView::SelectRows);
    setSelectionMode(QAbstractItemView::SingleSelection);
    setWordWrap(false);
    // Ctrl+Tab and Tab leave the list for the next page and control.
    setTabKeyNavigation(false);
}

void ListTable::setModel(QAbstractItemModel* model) {
    QTableView::setModel(model);
    if (!model) return;
    connect(model, &QAbstractItemModel::dataChanged, this, &ListTable::Fit);
    connect(model, &QAbstractItemModel::modelReset, this, &ListTable::Fit);
    connect(model, &QAbstractItemModel::headerDataChanged, this, &ListTable::Fit);
    Fit();
}

void ListTable::showEvent(QShowEvent* event) {
    QTableView::showEvent(event);
    if (stale_) Fit();
}

void ListTable::changeEvent(QEvent* event) {
    QTableView::changeEvent(event);
    if (event->type() == QEvent::FontChange) Fit();
}

void ListTable::Fit() {
    stale_ = !isVisible();
    if (stale_) return;
    resizeColumnsToContents();
}

}  // namespace tovi
