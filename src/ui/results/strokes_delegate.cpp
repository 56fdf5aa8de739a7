#include "ui/results/strokes_delegate.h"

#include <QIntValidator>
#include <QLineEdit>

#include "results/score_card.h"
#include "ui/results/score_model.h"

namespace tovi {

QWidget* StrokesDelegate::createEditor(QWidget* parent, const QStyleOptionViewItem&,
                                       const QModelIndex& index) const {
    auto* editor = new QLineEdit(parent);
    const auto* model = qobject_cast<const ScoreModel*>(index.model());
    if (model && model->IsCardTotalCell(index)) {
        editor->setValidator(new QIntValidator(kMinCardTotal, kMaxCardTotal, editor));
        editor->setMaxLength(3);
    } else {
        editor->setValidator(new QIntValidator(kMinStrokes, kMaxStrokes, editor));
        editor->setMaxLength(2);
    }
    editor->setAlignment(Qt::AlignCenter);
    // Digits, not a composition of the input method.
    editor->setAttribute(Qt::WA_InputMethodEnabled, false);
    return editor;
}

void StrokesDelegate::setEditorData(QWidget* editor, const QModelIndex& index) const {
    QStyledItemDelegate::setEditorData(editor, index);
    if (auto* line = qobject_cast<QLineEdit*>(editor)) line->selectAll();
}

}  // namespace tovi
