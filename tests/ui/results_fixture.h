// The main window with a meeting grouped and the results window open, and
// helpers to type into it as a user would.
#pragma once

#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>
#include <QTabWidget>
#include <QTableView>

#include <string>
#include <vector>

#include "ui/results/results_window.h"
#include "ui/results/score_model.h"
#include "ui/window_fixture.h"

namespace tovi::test {

class ResultsTest : public WindowTest {
protected:
    // Loads members (genders[i] 'F' for a woman) and puts them into groups
    // by roster position.
    void Meet(const std::vector<std::string>& names, const std::string& genders,
              const std::vector<std::vector<int>>& groups) {
        LoadMembers(names, genders);
        for (std::size_t g = 0; g < groups.size(); ++g) {
            S().groupList[g + 1].clear();
            for (const int position : groups[g])
                S().groupList[g + 1].push_back(std::to_string(position));
        }
    }
    // The score-sheet mode with the hole count, then 成績入力.
    void Open(const char* holes = "10") {
        Click(Button(4));
        Edit(9)->setText(QString::fromUtf8(holes));
        Click(Find<QPushButton>("ResultsButton"));
    }
    ResultsWindow& W() { return *form->Results().Window(); }
    // The results window's widget of that object name.
    template <typename T>
    T* Child(const char* name) {
        T* child = W().findChild<T*>(QString::fromLatin1(name));
        EXPECT_NE(child, nullptr) << name;
        return child;
    }
    QTabWidget* Tabs() { return Child<QTabWidget>("Tabs"); }
    QSpinBox* RoundsBox() { return Child<QSpinBox>("RoundsBox"); }
    QSpinBox* DeductionBox() { return Child<QSpinBox>("DeductionBox"); }
    // 全体, 男子, 女子.
    QRadioButton* ListButton(int list) {
        return Child<QRadioButton>(("ListButton" + std::to_string(list)).c_str());
    }
    // PrintButton, CsvButton, SaveButton, LoadButton, ClearButton, CloseButton.
    QPushButton* CommandButton(const char* name) { return Child<QPushButton>(name); }
    void SetRounds(int rounds) { RoundsBox()->setValue(rounds); }

    // Where keys go: the open cell's editor, else the table of the page shown.
    QWidget* KeyTarget() {
        auto* table = qobject_cast<QTableView*>(Tabs()->currentWidget());
        if (table)
            for (auto* editor : table->findChildren<QLineEdit*>())
                if (editor->isVisible()) return editor;
        return table ? static_cast<QWidget*>(table) : Tabs()->currentWidget();
    }
    // Types keys: digits as themselves, E Enter, B Backspace, D Delete,
    // X Esc, F F2, < > ^ v the arrows.
    void Type(const std::string& keys) {
        for (const char c : keys) {
            QWidget* target = KeyTarget();
            switch (c) {
                case 'E':
                    QTest::keyClick(target, Qt::Key_Return);
                    break;
                case 'B':
                    QTest::keyClick(target, Qt::Key_Backspace);
                    break;
                case 'D':
                    QTest::keyClick(target, Qt::Key_Delete);
                    break;
                case 'X':
                    QTest::keyClick(target, Qt::Key_Escape);
                    break;
                case 'F':
                    QTest::keyClick(target, Qt::Key_F2);
                    break;
                case '<':
                    QTest::keyClick(target, Qt::Key_Left);
                    break;
                case '>':
                    QTest::keyClick(target, Qt::Key_Right);
                    break;
                case '^':
                    QTest::keyClick(target, Qt::Key_Up);
                    break;
                case 'v':
                    QTest::keyClick(target, Qt::Key_Down);
                    break;
                default:
                    QTest::keyClick(target, c);
            }
            // The editor hands its number over through the event loop.
            QCoreApplication::processEvents();
        }
    }
    // The strokes of the member at roster position, round by round, as
    // "12./3..": '.' for a hole not entered, '/' between rounds, strokes
    // above 9 in brackets ("[12]").
    std::string Card(int position, int holes, int rounds = 2) {
        const MemberKey key = MemberKeys(S().rosterList).at(static_cast<std::size_t>(position));
        const auto& cards = form->Results().Scores().Get().cards;
        const auto card = cards.find(key);
        std::string text;
        for (int round = 0; round < rounds; ++round) {
            if (round > 0) text += '/';
            for (int hole = 0; hole < holes; ++hole) {
                const auto strokes =
                    card == cards.end() ? std::nullopt : card->second.Strokes(round, hole);
                if (!strokes)
                    text += '.';
                else if (*strokes < 10)
                    text += static_cast<char>('0' + *strokes);
                else
                    text += '[' + std::to_string(*strokes) + ']';
            }
        }
        return text;
    }
    // The text of a cell of a table.
    static QString Cell(const QTableView* table, int row, int column) {
        return table->model()->index(row, column).data().toString();
    }
    // The texts of a row of a table.
    static std::vector<QString> Row(const QTableView* table, int row) {
        std::vector<QString> texts;
        for (int column = 0; column < table->model()->columnCount(); ++column)
            texts.push_back(Cell(table, row, column));
        return texts;
    }
    // The names in the ranking shown, in order.
    std::vector<std::string> RankedNames() {
        std::vector<std::string> names;
        const QTableView* table = W().RankingTable();
        for (int row = 0; row < table->model()->rowCount(); ++row)
            names.push_back(Cell(table, row, 1).toStdString());
        return names;
    }
};

}  // namespace tovi::test
