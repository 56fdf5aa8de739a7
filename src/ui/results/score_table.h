// The view of an entry page of the results window (and of 組なし): the keys
// of entry, and moves among the hole cells only.
//
// A digit 1..9 on a hole cell signals digitTyped (0 is taken and enters
// nothing), Backspace and Delete cellEmptied; Enter or F2 opens an editable
// hole cell for a number (StrokesDelegate), and Enter or Tab in it signals
// numberCommitted once the number is in.  The arrow keys move one hole cell
// along, left and right running on into the row before and after; a mouse
// press beside the hole cells leaves the current cell where it is.  What
// follows, entering and moving on, is the window's.
#pragma once

#include <QTableView>

#include "ui/results/score_model.h"

namespace tovi {

class ScoreTable final : public QTableView {
    Q_OBJECT

public:
    explicit ScoreTable(QWidget* parent);

    // The model set, which must be a ScoreModel (or none).
    ScoreModel* Model() const { return qobject_cast<ScoreModel*>(model()); }

    // Lays the columns out and joins the name, team and the player's sums
    // over the player's rounds.  Again after the model's rounds changed.
    void Arrange();

signals:
    void digitTyped(int digit);
    void cellEmptied();
    void numberCommitted();

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void closeEditor(QWidget* editor, QAbstractItemDelegate::EndEditHint hint) override;

private:
    // One hole cell along: left and right run on into the row before and
    // after, up and down stay in the hole's column.
    void Move(int rows, int holes);
};

}  // namespace tovi
