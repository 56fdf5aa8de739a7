// The editor of a hole cell opened for a number: a line of two digits that
// takes 1..99 (of a カード計 cell three digits, 1..999), centred, with the old value selected so
// that typing replaces it.
#pragma once

#include <QStyledItemDelegate>

namespace tovi {

class StrokesDelegate final : public QStyledItemDelegate {
    Q_OBJECT

public:
    using QStyledItemDelegate::QStyledItemDelegate;
    QWidget* createEditor(QWidget* parent, const QStyleOptionViewItem& option,
                          const QModelIndex& index) const override;
    void setEditorData(QWidget* editor, const QModelIndex& index) const override;
};

}  // namespace tovi
