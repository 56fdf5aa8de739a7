// The results window's table models on their own: an entry page's table (and
// 組なし's) over a score book, and the ranking's.
#include <QAbstractItemModelTester>
#include <QSignalSpy>

#include <gtest/gtest.h>

#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "results/card_builder.h"
#include "ui/results/ranking_model.h"
#include "ui/results/score_model.h"

namespace tovi {
namespace {

constexpr int kHoles = 3;
constexpr int kFirstHole = ScoreModel::kFirstHoleColumn;
constexpr int kRoundSum = kFirstHole + kHoles;  // 計; 実打数, 一打, 二打, 合計 follow

Player PlayerNamed(const std::string& name, int group = 1) {
    return {{name + ",T", 1}, name, "T", "", std::nullopt, group};
}

// What a model tester reports, as warnings, while it lives.
class ModelWarnings {
public:
    ModelWarnings() {
        Seen().clear();
        previous_ = qInstallMessageHandler(&Collect);
    }
    ~ModelWarnings() { qInstallMessageHandler(previous_); }
    ModelWarnings(const ModelWarnings&) = delete;
    ModelWarnings& operator=(const ModelWarnings&) = delete;
    static QStringList& Seen() {
        static QStringList seen;
        return seen;
    }

private:
    static void Collect(QtMsgType, const QMessageLogContext&, const QString& text) {
        Seen().append(text);
    }
    QtMessageHandler previous_ = nullptr;
};

// A and B in a group, 3 holes, 2 rounds, one stroke off per hole in one; A
// has 2 3 . / 1 . . entered.
class ScoreModelTest : public testing::Test {
protected:
    ScoreModelTest() { book.Restore(Entered()); }
    // A's strokes, two rounds, one stroke off per hole in one.
    Results Entered() const {
        Results results;
        results.settings = {2, 1};
        results.cards = {{players[0].key, CardOf({{2, 3, 0}, {1}})}};
        return results;
    }
    std::unique_ptr<ScoreModel> Model(bool editable) {
        ScoreModel::EnterFunction enter;
        if (editable)
            enter = [this](int player, int round, int hole, std::optional<int> strokes) {
                if (!book.Enter(players.at(static_cast<std::size_t>(player)).key, round, hole,
                                strokes))
                    return false;
                model->CellChanged(player, round, hole);
                return true;
            };
        return std::make_unique<ScoreModel>(book, players, kHoles, enter);
    }
    static QString Text(const ScoreModel& m, int row, int column) {
        return m.index(row, column).data().toString();
    }

    ScoreBook book;
    const std::vector<Player> players{PlayerNamed("A"), PlayerNamed("B")};
    std::unique_ptr<ScoreModel> model;
};

TEST_F(ScoreModelTest, PassesTheModelTesterWhileCellsAndRoundsChange) {
    ModelWarnings warnings;
    for (const bool editable : {true, false}) {
        SCOPED_TRACE(editable);
        model = Model(editable);
        QAbstractItemModelTester tester(model.get(),
                                        QAbstractItemModelTester::FailureReportingMode::Warning);
        model->setData(model->Cell(1, 1, 2), QStringLiteral("4"), Qt::EditRole);
        ASSERT_TRUE(book.SetSettings({4, 0}));
        model->Reset();
        EXPECT_EQ(model->rowCount(), 8);
        model->setData(model->Cell(1, 3, 0), QString(), Qt::EditRole);
    }
    EXPECT_EQ(ModelWarnings::Seen().join('\n').toStdString(), "");
}

TEST_F(ScoreModelTest, SetDataEntersWhatTheBookTakesAndTheSumsFollow) {
    const std::vector<QString> before{"5", "6", "1", "1", "5"};
    const struct {
        const char* name;
        int player, round, column;
        QString typed;
        bool editable, accepted;
        QString cell;               // the cell typed into, afterwards
        std::vector<QString> sums;  // 計 of the round, 実打数, 一打, 二打, 合計
    } cases[] = {
        {"a number", 0, 0, kFirstHole + 2, "4", true, true, "4", {"9", "10", "1", "1", "9"}},
        {"a hole in one", 0, 0, kFirstHole + 2, "1", true, true, "1", {"6", "7", "2", "1", "5"}},
        {"the most", 0, 0, kFirstHole + 2, "99", true, true, "99", {"104", "105", "1", "1", "104"}},
        {"empty text empties", 0, 0, kFirstHole + 1, "", true, true, "", {"2", "3", "1", "1", "2"}},
        {"so do spaces", 0, 0, kFirstHole + 1, "  ", true, true, "", {"2", "3", "1", "1", "2"}},
        {"round 2", 0, 1, kFirstHole + 1, "2", true, true, "2", {"3", "8", "1", "2", "7"}},
        {"another player", 1, 0, kFirstHole, "1", true, true, "1", {"1", "1", "1", "0", "0"}},
        {"no number", 0, 0, kFirstHole + 2, "x", true, false, "", before},
        {"0", 0, 0, kFirstHole + 2, "0", true, false, "", before},
        {"100", 0, 0, kFirstHole + 2, "100", true, false, "", before},
        {"the name", 0, 0, ScoreModel::kNameColumn, "3", true, false, "A", before},
        {"a sum", 0, 0, kRoundSum, "3", true, false, "5", before},
        {"shown only", 0, 0, kFirstHole, "4", false, false, "2", before},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        book.Restore(Entered());
        model = Model(c.editable);
        const int first = c.player * 2;
        EXPECT_EQ(model->setData(model->index(first + c.round, c.column), c.typed, Qt::EditRole),
                  c.accepted);
        EXPECT_EQ(Text(*model, first + c.round, c.column), c.cell);
        std::vector<QString> sums{Text(*model, first + c.round, kRoundSum)};
        for (int sum = 1; sum < ScoreModel::kSumColumns; ++sum)
            sums.push_back(Text(*model, first, kRoundSum + sum));
        EXPECT_EQ(sums, c.sums);
    }
}

TEST(RankingModelTest, ShowsTheRanksAndKeepsItselfWhileTheRowsStayAsMany) {
    const std::vector<Player> players{PlayerNamed("A"), PlayerNamed("B", 2), PlayerNamed("C")};
    Results results;
    results.settings = {1, 0};
    results.cards = {{players[0].key, CardOf({{3, 3}})},
                     {players[1].key, CardOf({{1, 2}})},
                     {players[2].key, CardOf({{1}})}};
    RankingModel model(players);
    ModelWarnings warnings;
    QAbstractItemModelTester tester(&model,
                                    QAbstractItemModelTester::FailureReportingMode::Warning);
    model.Set(RankPlayers(players, results, 2, RankingList::All));
    const auto row = [&model](int r) {
        std::vector<QString> texts;
        for (int column = 0; column < model.columnCount(); ++column)
            texts.push_back(model.index(r, column).data().toString());
        return texts;
    };
    ASSERT_EQ(model.rowCount(), 3);
    EXPECT_EQ(model.headerData(4, Qt::Horizontal, Qt::DisplayRole).toString(), "1R");
    EXPECT_EQ(row(0), (std::vector<QString>{"1", "B", "T", "2", "3", "3", "1", "1", "3"}));
    EXPECT_EQ(row(1), (std::vector<QString>{"2", "A", "T", "1", "6", "6", "0", "0", "6"}));
    EXPECT_EQ(row(2), (std::vector<QString>{"", "C", "T", "1", "1", "1", "1", "0", "1"}));

    QSignalSpy changed(&model, &QAbstractItemModel::dataChanged);
    QSignalSpy reset(&model, &QAbstractItemModel::modelReset);
    results.cards[players[2].key] = CardOf({{1, 1}});
    model.Set(RankPlayers(players, results, 2, RankingList::All));
    EXPECT_EQ(changed.count(), 1);
    EXPECT_EQ(reset.count(), 0);
    EXPECT_EQ(row(0)[1], "C");
    model.Set(RankPlayers(players, results, 2, RankingList::Women));
    EXPECT_EQ(reset.count(), 1);
    EXPECT_EQ(model.rowCount(), 0);
    EXPECT_EQ(ModelWarnings::Seen().join('\n').toStdString(), "");
}

}  // namespace
}  // namespace tovi
