#include "ui/results/score_table.h"

#include <QCoreApplication>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMouseEvent>
#include <QStyle>

#include <algorithm>

#include "ui/results/strokes_delegate.h"

namespace tovi {
namespace {

constexpr int kFirstHole = ScoreModel::kFirstHoleColumn;

}  // namespace

ScoreTable::ScoreTable(QWidget* parent) : QTableView(parent) {
    setSelectionMode(QAbstractItemView::SingleSelection);
    setSelectionBehavior(QAbstractItemView::SelectItems);
    setEditTriggers(QAbstractItemView::DoubleClicked | QAbstractItemView::EditKeyPressed);
    setTabKeyNavigation(false);
    setItemDelegate(new StrokesDelegate(this));
    // Digits arrive as keys with a Japanese input method switched on.
    setAttribute(Qt::WA_InputMethodEnabled, false);
    verticalHeader()->hide();
    horizontalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    horizontalHeader()->setHighlightSections(false);
}

void ScoreTable::Arrange() {
    const ScoreModel* m = Model();
    const int holes = m->Holes();
    const int rounds = m->Rounds();
    clearSpans();
    // Names and teams as wide as the longest; the sums as wide as the
    // largest they can reach (99 strokes on each of 48 holes) and their
    // headings.  At least the widths the page was laid out for.
    const auto fit = [this](int column, int least) {
        setColumnWidth(column, std::max(least, sizeHintForColumn(column)));
    };
    const int widestSum = fontMetrics().horizontalAdvance(QStringLiteral("8888")) +
                          2 * style()->pixelMetric(QStyle::PM_FocusFrameHMargin, nullptr, this) + 8;
    fit(ScoreModel::kNameColumn, 118);
    fit(ScoreModel::kTeamColumn, 104);
    setColumnWidth(ScoreModel::kRoundColumn, 30);
    for (int hole = 0; hole < holes; ++hole) setColumnWidth(kFirstHole + hole, 34);
    for (int sum = 0; sum < ScoreModel::kSumColumns; ++sum) {
        const int column = m->SumColumn(sum);
        setColumnWidth(column, std::max({sum == 1 ? 50 : 42, widestSum,
                                         horizontalHeader()->sectionSizeHint(column)}));
    }
    if (m->ChecksCards())
        setColumnWidth(
            kFirstHole + holes + 1,
            std::max(widestSum, horizontalHeader()->sectionSizeHint(kFirstHole + holes + 1)));
    for (int row = 0; row < m->rowCount(); ++row) setRowHeight(row, 26);
    if (rounds < 2) return;
    for (int player = 0; player < static_cast<int>(m->Players().size()); ++player) {
        const int row = player * rounds;
        setSpan(row, ScoreModel::kNameColumn, rounds, 1);
        setSpan(row, ScoreModel::kTeamColumn, rounds, 1);
        for (int sum = 1; sum < ScoreModel::kSumColumns; ++sum)
            setSpan(row, m->SumColumn(sum), rounds, 1);
    }
}

void ScoreTable::keyPressEvent(QKeyEvent* event) {
    if (state() == QAbstractItemView::EditingState ||
        (event->modifiers() & (Qt::ControlModifier | Qt::AltModifier))) {
        QTableView::keyPressEvent(event);
        return;
    }
    const QString text = event->text();
    const bool onHole = Model() && Model()->IsEntryCell(currentIndex());
    const bool onCardTotal = Model() && Model()->IsCardTotalCell(currentIndex());
    if (onCardTotal && Model()->Editable() && text.size() == 1 && text[0] >= QLatin1Char('0') &&
        text[0] <= QLatin1Char('9')) {
        // A カード計 takes up to three digits: they collect in the cell
        // opened with the first, until Enter.
        edit(currentIndex());
        for (auto* editor : findChildren<QLineEdit*>())
            if (editor->isVisible()) QCoreApplication::sendEvent(editor, event);
        event->accept();
        return;
    }
    if (text.size() == 1 && text[0] >= QLatin1Char('0') && text[0] <= QLatin1Char('9')) {
        // 0 is no score: taken, and nothing entered.
        if (onHole && text[0] != QLatin1Char('0')) emit digitTyped(text[0].digitValue());
        event->accept();
        return;
    }
    switch (event->key()) {
        case Qt::Key_Backspace:
        case Qt::Key_Delete:
            if (onHole) emit cellEmptied();
            event->accept();
            return;
        case Qt::Key_Return:
        case Qt::Key_Enter:
        case Qt::Key_F2:
            if (onHole && Model()->Editable()) edit(currentIndex());
            event->accept();
            return;
        case Qt::Key_Left:
            Move(0, -1);
            event->accept();
            return;
        case Qt::Key_Right:
            Move(0, 1);
            event->accept();
            return;
        case Qt::Key_Up:
            Move(-1, 0);
            event->accept();
            return;
        case Qt::Key_Down:
            Move(1, 0);
            event->accept();
            return;
        default:
            QTableView::keyPressEvent(event);
    }
}

void ScoreTable::mousePressEvent(QMouseEvent* event) {
    // A press beside the entry cells leaves the cell where it is.
    if (Model() && Model()->IsEntryCell(indexAt(event->position().toPoint())))
        QTableView::mousePressEvent(event);
    else
        event->accept();
}

void ScoreTable::mouseDoubleClickEvent(QMouseEvent* event) {
    if (Model() && Model()->IsEntryCell(indexAt(event->position().toPoint())))
        QTableView::mouseDoubleClickEvent(event);
    else
        event->accept();
}

void ScoreTable::closeEditor(QWidget* editor, QAbstractItemDelegate::EndEditHint hint) {
    // Enter (or Tab) in the editor enters the number and moves on; Esc
    // and a click elsewhere do not move.
    const bool moveOn = hint == QAbstractItemDelegate::SubmitModelCache ||
                        hint == QAbstractItemDelegate::EditNextItem;
    QTableView::closeEditor(editor, QAbstractItemDelegate::NoHint);
    if (moveOn) emit numberCommitted();
}

void ScoreTable::Move(int rows, int holes) {
    const ScoreModel* m = Model();
    if (!m || m->rowCount() == 0) return;
    QModelIndex at = currentIndex();
    if (!m->IsEntryCell(at)) at = m->index(std::max(0, at.row()), kFirstHole);
    if (m->IsCardTotalCell(at) && holes == 0) {  // up and down keep to the カード計
        setCurrentIndex(m->index(std::clamp(at.row() + rows, 0, m->rowCount() - 1), at.column()));
        return;
    }
    int row = at.row() + rows;
    // From a カード計 cell, left goes to the round's last hole.
    int hole = std::min(m->EntryHole(at), m->Holes()) + holes;
    if (hole < 0 && row > 0) {
        --row;
        hole = m->Holes() - 1;
    } else if (hole >= m->Holes() && row + 1 < m->rowCount()) {
        ++row;
        hole = 0;
    }
    row = std::clamp(row, 0, m->rowCount() - 1);
    hole = std::clamp(hole, 0, m->Holes() - 1);
    setCurrentIndex(m->index(row, kFirstHole + hole));
}

}  // namespace tovi
