// The results window as a user meets it: the 成績入力 button, the pages, the
// path of entry by keyboard and mouse, the sums and the ranking at every key,
// scores that follow their member, the refusals of the hole count, and ties
// the strokes leave ranked by age.
#include <QCheckBox>
#include <QColor>
#include <QFile>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>

#include "ui/common/list_table.h"
#include "ui/results/card_check_page.h"
#include "ui/results/prize_pages.h"
#include "ui/results/ranking_page.h"
#include "ui/results_fixture.h"

namespace tovi::test {
namespace {

TEST_F(ResultsTest, TheButtonStandsRightOfPrintAllInTheScoreSheetModeOnly) {
    form->show();
    const QPushButton* button = Find<QPushButton>("ResultsButton");
    EXPECT_EQ(button->text(), QStringLiteral("成績入力"));
    EXPECT_EQ(button->geometry(), QRect(880, 62, 100, 28));
    EXPECT_EQ(button->font(), Button(7)->font());
    EXPECT_EQ(Find<QPushButton>("PrintAllButton")->geometry(), QRect(770, 62, 100, 28));
    EXPECT_FALSE(button->isVisible());
    Click(Button(4));
    EXPECT_TRUE(button->isVisible());
    // Above the preview, where a click reaches it.
    EXPECT_EQ(form->childAt(930, 76), button);
}

TEST_F(ResultsTest, OnePagePerGroupWithPlayersThenTheRanking) {
    Meet({"一郎", "二郎", "花子", "梅子"}, "MMFF", {{2, 0}, {}, {3, 1}});
    Open("8");
    ASSERT_NE(form->Results().Window(), nullptr);
    EXPECT_TRUE(W().isVisible());
    ASSERT_EQ(Tabs()->count(), 5);
    EXPECT_EQ(Tabs()->tabText(0), QStringLiteral("1組"));
    EXPECT_EQ(Tabs()->tabText(1), QStringLiteral("3組"));
    EXPECT_EQ(Tabs()->tabText(2), QStringLiteral("順位"));
    EXPECT_EQ(Tabs()->tabText(3), QStringLiteral("団体"));
    EXPECT_EQ(Tabs()->tabText(4), QStringLiteral("表彰"));
    // Rows: the players in group order, one row per round (2 by default);
    // columns: name, team, round, 8 holes, 計, 実打数, 一打, 二打, 合計.
    const QTableView* first = W().EntryTable(0);
    EXPECT_EQ(first->model()->rowCount(), 4);
    EXPECT_EQ(first->model()->columnCount(), 3 + 8 + 5);
    EXPECT_EQ(Cell(first, 0, 0), QStringLiteral("花子"));
    EXPECT_EQ(Cell(first, 0, 1), QStringLiteral("T"));
    EXPECT_EQ(Cell(first, 1, 2), QStringLiteral("2R"));
    EXPECT_EQ(Cell(first, 2, 0), QStringLiteral("一郎"));
    EXPECT_EQ(first->model()->headerData(3, Qt::Horizontal).toString(), QStringLiteral("1"));
    EXPECT_EQ(first->model()->headerData(10, Qt::Horizontal).toString(), QStringLiteral("8"));
    EXPECT_EQ(first->model()->headerData(15, Qt::Horizontal).toString(), QStringLiteral("合計"));
    // Entry begins on the first hole of round 1 of the first player.
    EXPECT_EQ(W().Cursor(), (EntryPosition{0, 0, 0, 0}));
    EXPECT_EQ(RoundsBox()->value(), 2);
    EXPECT_EQ(DeductionBox()->value(), 0);
    // The commands, and the lists with 全体 chosen.
    const std::pair<const char*, const char*> buttons[] = {
        {"PrintButton", "印刷(&P)"},    {"CsvButton", "CSV保存(&C)"},
        {"SaveButton", "成績保存(&S)"}, {"LoadButton", "成績読込(&L)"},
        {"ClearButton", "成績を消去"},  {"CloseButton", "閉じる"},
    };
    for (const auto& [name, text] : buttons)
        EXPECT_EQ(CommandButton(name)->text().toStdString(), text) << name;
    EXPECT_TRUE(ListButton(0)->isChecked());
    EXPECT_EQ(ListButton(2)->text(), QStringLiteral("女子"));
}

TEST_F(ResultsTest, EachPageAndTheHolesInOneNumberTheHolesAsTheGroupsSheet) {
    Meet({"一郎", "二郎", "花子", "梅子"}, "MMFF", {{2, 0}, {}, {3, 1}});
    Click(Button(4));
    Edit(9)->setText(QStringLiteral("8"));
    Click(Find<QCheckBox>("PerGroupStartBox"));  // groups 1 and 3: from 1 and from 5
    Click(Find<QPushButton>("ResultsButton"));
    const auto headers = [](const QTableView* table) {
        QStringList numbers;
        for (int hole = 0; hole < 8; ++hole)
            numbers << table->model()
                           ->headerData(ScoreModel::kFirstHoleColumn + hole, Qt::Horizontal)
                           .toString();
        return numbers.join(' ').toStdString();
    };
    EXPECT_EQ(headers(W().EntryTable(0)), "1 2 3 4 5 6 7 8");
    EXPECT_EQ(headers(W().EntryTable(1)), "5 6 7 8 1 2 3 4");
    // A hole in one at group 3's fifth column is its sheet's hole 1.
    Tabs()->setCurrentWidget(W().EntryTable(1));
    W().EntryTable(1)->setCurrentIndex(
        W().EntryTable(1)->model()->index(0, ScoreModel::kFirstHoleColumn + 4));
    Type("1");
    const QTableView* holes = W().Awards().HoleInOneTable();
    ASSERT_EQ(holes->model()->rowCount(), 1);
    EXPECT_EQ(Row(holes, 0), (std::vector<QString>{QStringLiteral("梅子"), QStringLiteral("1R"),
                                                   QStringLiteral("1")}));
    // What the results file keeps.
    EXPECT_EQ(W().Heading().startHoles, (StartHoles{true, {1, 1, 5, 1, 1, 1}}));
}

TEST_F(ResultsTest, EachCardIsCheckedAgainstItsOwnTotalWhenAsked) {
    Meet({"一郎", "花子"}, "MF", {{0, 1}});
    Open("3");
    auto* check = Child<QCheckBox>("CardCheckBox");
    EXPECT_FALSE(check->isChecked());
    const QTableView* table = W().EntryTable(0);
    EXPECT_EQ(table->model()->columnCount(), 3 + 3 + 5);
    check->setChecked(true);
    table = W().EntryTable(0);
    // カード計 after 計.
    ASSERT_EQ(table->model()->columnCount(), 3 + 3 + 6);
    EXPECT_EQ(table->model()->headerData(7, Qt::Horizontal).toString(), QStringLiteral("カード計"));
    EXPECT_EQ(table->model()->headerData(8, Qt::Horizontal).toString(), QStringLiteral("実打数"));
    // The last hole leads to the カード計, whose digits collect until Enter.
    Type("123");
    EXPECT_EQ(W().Cursor(), (EntryPosition{0, 0, 0, 3}));
    Type("7E222");
    EXPECT_EQ(W().Cursor(), (EntryPosition{0, 0, 1, 3}));
    Type("6E1113E11112E");
    Type("0E");  // 0 is no カード計: refused, the 12 stays
    EXPECT_EQ(Card(0, 3), "123/222");
    EXPECT_EQ(Card(1, 3), "111/111");
    // The rounds that do not agree are marked, counted on 順位 and listed.
    EXPECT_EQ(Cell(table, 0, 7), QStringLiteral("×7"));
    EXPECT_EQ(Cell(table, 1, 7), QStringLiteral("6"));
    EXPECT_EQ(Cell(table, 3, 7), QStringLiteral("×12"));
    EXPECT_EQ(table->model()->index(0, 7).data(Qt::BackgroundRole).value<QColor>(),
              QColor(255, 200, 200));
    EXPECT_EQ(Child<QLabel>("CardCheckNote")->text(), QStringLiteral("カード計と合わない：2件"));
    ASSERT_EQ(Tabs()->tabText(Tabs()->count() - 1), QStringLiteral("検算"));
    const QTableView* list = W().CardChecks().Table();
    ASSERT_EQ(list->model()->rowCount(), 2);
    EXPECT_EQ(Row(list, 0), (std::vector<QString>{"1", QStringLiteral("一郎"), "1R", "6", "7"}));
    EXPECT_EQ(Row(list, 1), (std::vector<QString>{"1", QStringLiteral("花子"), "2R", "3", "12"}));
    // The ranking takes the holes typed.
    EXPECT_EQ(RankedNames(), (std::vector<std::string>{"花子", "一郎"}));
    // Without the check the カード計 stay on the cards, out of sight.
    check->setChecked(false);
    EXPECT_EQ(W().EntryTable(0)->model()->columnCount(), 3 + 3 + 5);
    EXPECT_FALSE(Child<QLabel>("CardCheckNote")->isVisible());
    EXPECT_EQ(Tabs()->tabText(Tabs()->count() - 1), QStringLiteral("表彰"));
    EXPECT_EQ(form->Results().Scores().Get().cards.begin()->second.CardTotal(0).has_value(), true);
}

TEST_F(ResultsTest, TheCursorRunsThroughHolesRoundsPlayersAndGroups) {
    const struct {
        const char* name;
        const char* holes;  // the sheet's hole count
        int rounds;
        std::string keys;
        EntryPosition cursor;            // after the keys
        std::vector<std::string> cards;  // roster positions 0, 1, 2
    } cases[] = {
        {"holes of a round", "3", 2, "12", {0, 0, 0, 2}, {"12./...", ".../...", ".../..."}},
        {"into the next round", "3", 2, "123", {0, 0, 1, 0}, {"123/...", ".../...", ".../..."}},
        {"to the next player", "3", 2, "123456", {0, 1, 0, 0}, {"123/456", ".../...", ".../..."}},
        {"to the next group",
         "3",
         2,
         "123456111111",
         {1, 0, 0, 0},
         {"123/456", "111/111", ".../..."}},
        {"the last cell stays", "3", 1, "123111999", {1, 0, 0, 2}, {"123", "111", "999"}},
        {"one round", "2", 1, "12", {0, 1, 0, 0}, {"12", "..", ".."}},
        {"eleven holes stay eleven",
         "11",
         1,
         "11111111111",
         {0, 1, 0, 0},
         {"11111111111", "...........", "..........."}},
        {"more than twelve count twelve",
         "15",
         1,
         "111111111111",
         {0, 1, 0, 0},
         {"111111111111", "............", "............"}},
        {"four rounds", "1", 4, "1234", {0, 1, 0, 0}, {"1/2/3/4", "./././.", "./././."}},
        {"zero enters nothing", "3", 1, "0", {0, 0, 0, 0}, {"...", "...", "..."}},
        {"Enter opens the cell for a large number",
         "3",
         1,
         "E12E",
         {0, 0, 0, 1},
         {"[12]..", "...", "..."}},
        {"F2 too", "3", 1, "F99E5", {0, 0, 0, 2}, {"[99]5.", "...", "..."}},
        {"Enter over a number replaces it",
         "3",
         1,
         "7<E10E",
         {0, 0, 0, 1},
         {"[10]..", "...", "..."}},
        {"Esc leaves the cell as it was", "3", 1, "7<E45X", {0, 0, 0, 0}, {"7..", "...", "..."}},
        {"Backspace empties and stays", "3", 1, "34<<B", {0, 0, 0, 0}, {".4.", "...", "..."}},
        {"Delete empties and stays", "3", 1, "34<D", {0, 0, 0, 1}, {"3..", "...", "..."}},
        {"right runs on into the next row",
         "2",
         2,
         ">>>",
         {0, 0, 1, 1},
         {"../..", "../..", "../.."}},
        {"left runs back into the row before",
         "2",
         2,
         "vv<",
         {0, 0, 1, 1},
         {"../..", "../..", "../.."}},
        {"down and up keep the hole",
         "3",
         2,
         ">vvv^",
         {0, 1, 0, 1},
         {".../...", ".../...", ".../..."}},
        {"arrows stop at the page's edges", "2", 1, "<^vvvv>>>", {0, 1, 0, 1}, {"..", "..", ".."}},
        {"arrows then a digit", "3", 1, ">>v5", {1, 0, 0, 0}, {"...", "..5", "..."}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        form = std::make_unique<MainWindow>(dialogs, random, clock);
        Meet({"一郎", "二郎", "三郎"}, "MMM", {{0, 1}, {2}});
        Open(c.holes);
        SetRounds(c.rounds);
        Tabs()->setCurrentIndex(0);
        Type(c.keys);
        EXPECT_EQ(W().Cursor(), c.cursor);
        const int holes = std::min(std::atoi(c.holes), 12);
        for (int p = 0; p < 3; ++p)
            EXPECT_EQ(Card(p, holes, c.rounds), c.cards[static_cast<std::size_t>(p)]) << p;
        EXPECT_TRUE(dialogs.Messages().empty());
    }
}

TEST_F(ResultsTest, TheMouseMovesAmongTheHoleCellsOnly) {
    Meet({"一郎", "二郎"}, "MM", {{0, 1}});
    Open("4");
    QTableView* table = W().EntryTable(0);
    const auto click = [table](int row, int column) {
        const QRect cell = table->visualRect(table->model()->index(row, column));
        QTest::mouseClick(table->viewport(), Qt::LeftButton, {}, cell.center());
    };
    click(2, ScoreModel::kFirstHoleColumn + 2);  // player 2, round 1, hole 3
    EXPECT_EQ(W().Cursor(), (EntryPosition{0, 1, 0, 2}));
    click(0, 0);  // a name
    EXPECT_EQ(W().Cursor(), (EntryPosition{0, 1, 0, 2}));
    click(1, ScoreModel::kFirstHoleColumn + 5);  // a sum
    EXPECT_EQ(W().Cursor(), (EntryPosition{0, 1, 0, 2}));
    Type("3");
    EXPECT_EQ(Card(1, 4), "..3./....");
    EXPECT_EQ(W().Cursor(), (EntryPosition{0, 1, 0, 3}));
}

TEST_F(ResultsTest, SumsAndRankingFollowEveryKey) {
    Meet({"一郎", "花子"}, "MF", {{0, 1}});
    Open("3");
    DeductionBox()->setValue(2);
    const QTableView* table = W().EntryTable(0);
    const int sums = ScoreModel::kFirstHoleColumn + 3;
    // The row of round 1 and round 2 of 一郎: 計 of the round; the player's
    // 実打数, 一打, 二打 and 合計 stand on the first row.
    const struct {
        std::string keys;
        std::vector<QString> round1, round2;  // 計, 実打数, 一打, 二打, 合計 / 計
        std::vector<std::string> ranked;
    } steps[] = {
        {"1", {"1", "1", "1", "0", "-1"}, {""}, {"一郎", "花子"}},
        {"2", {"3", "3", "1", "1", "1"}, {""}, {"一郎", "花子"}},
        {"5", {"8", "8", "1", "1", "6"}, {""}, {"一郎", "花子"}},
        {"11", {"8", "10", "3", "1", "4"}, {"2"}, {"一郎", "花子"}},
        // 一郎 complete: ranked, 花子 not yet.
        {"E12E", {"8", "22", "3", "1", "16"}, {"14"}, {"一郎", "花子"}},
        // 花子 complete with 合計 6 - 2 x 6: ahead of 一郎.
        {"111111", {"8", "22", "3", "1", "16"}, {"14"}, {"花子", "一郎"}},
    };
    for (const auto& step : steps) {
        SCOPED_TRACE(step.keys);
        Type(step.keys);
        for (std::size_t i = 0; i < step.round1.size(); ++i)
            EXPECT_EQ(Cell(table, 0, sums + static_cast<int>(i)), step.round1[i]) << i;
        EXPECT_EQ(Cell(table, 1, sums), step.round2[0]);
        EXPECT_EQ(RankedNames(), step.ranked);
    }
    EXPECT_EQ(Row(W().RankingTable(), 0),
              (std::vector<QString>{"1", "花子", "T", "1", "3", "3", "6", "6", "0", "-6"}));
    EXPECT_EQ(Row(W().RankingTable(), 1),
              (std::vector<QString>{"2", "一郎", "T", "1", "8", "14", "22", "3", "1", "16"}));
    // The lists: 男子 and 女子 each ranked on their own.
    ListButton(1)->click();
    EXPECT_EQ(W().ChosenList(), RankingList::Men);
    EXPECT_EQ(RankedNames(), std::vector<std::string>{"一郎"});
    ListButton(2)->click();
    EXPECT_EQ(RankedNames(), std::vector<std::string>{"花子"});
    EXPECT_EQ(Cell(W().RankingTable(), 0, 0), QStringLiteral("1"));
}

TEST_F(ResultsTest, AHoleCountThatIsNoWholeNumberFromOneUpKeepsTheWindowShut) {
    Meet({"一郎"}, "M", {{0}});
    const struct {
        const char* holes;
        const char* message;
    } cases[] = {
        {"x", "'x' は整数ではありません."},
        {"", "'' は整数ではありません."},
        {"0", "'0' は整数ではありません."},
        {"-3", "'-3' は整数ではありません."},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.holes);
        Open(c.holes);
        EXPECT_EQ(form->Results().Window(), nullptr);
        EXPECT_EQ(TakeMessages(), std::vector<QString>{QString::fromUtf8(c.message)});
        Edit(9)->setText(QStringLiteral("10"));
    }
    // Without any group there is nothing to enter.
    S().groupList[1].clear();
    Open("8");
    EXPECT_EQ(form->Results().Window(), nullptr);
    EXPECT_EQ(TakeMessages(), std::vector<QString>{QStringLiteral("成績を入力する組がありません")});
}

TEST_F(ResultsTest, ScoresBelongToTheMemberWhereverTheMemberGoes) {
    // Two members with the very same line keep their own scores.
    LoadMembers({"一郎", "二郎", "一郎"}, "MMM");
    S().groupList[1] = {"0", "1"};
    S().groupList[2] = {"2"};
    Open("2");
    SetRounds(1);
    Type(
        "1234"
        "56");
    EXPECT_EQ(Card(0, 2, 1), "12");
    EXPECT_EQ(Card(1, 2, 1), "34");
    EXPECT_EQ(Card(2, 2, 1), "56");

    const std::vector<std::vector<QString>> ranked = {
        Row(W().RankingTable(), 0), Row(W().RankingTable(), 1), Row(W().RankingTable(), 2)};
    const auto unchanged = [&] {
        ASSERT_EQ(W().EntryPages(), 2);
        EXPECT_EQ(Cell(W().EntryTable(0), 0, 3), QStringLiteral("1"));
        EXPECT_EQ(Cell(W().EntryTable(0), 1, 3), QStringLiteral("3"));
        EXPECT_EQ(Cell(W().EntryTable(1), 0, 3), QStringLiteral("5"));
        ASSERT_EQ(W().RankingTable()->model()->rowCount(), 3);
        for (int row = 0; row < 3; ++row)
            EXPECT_EQ(Row(W().RankingTable(), row), ranked[static_cast<std::size_t>(row)]);
        EXPECT_EQ(W().ApartTable(), nullptr);
    };

    // Regrouped by hand after the scores are in: every player with scores
    // stays in the group the scores were entered in.
    S().groupList[1] = {"2"};
    S().groupList[2] = {};
    S().groupList[3] = {"1", "0"};
    Click(Find<QPushButton>("ResultsButton"));
    unchanged();
    EXPECT_EQ(W().Cursor(), (EntryPosition{0, 0, 0, 0}));  // every cell is filled

    // メンバー登録 empties the marks and the groups: still nobody drops out.
    Click(Button(2));
    Click(Button(4));
    Click(Find<QPushButton>("ResultsButton"));
    unchanged();

    // Switching modes and previews change nothing of it.
    Click(Button(3));
    Click(Button(4));
    Click(Button(9));
    EXPECT_EQ(Card(1, 2, 1), "34");

    // 成績を消去 asks first; いいえ keeps everything.
    dialogs.ClearShown();
    dialogs.yesNoAnswers = {false};
    CommandButton("ClearButton")->click();
    ASSERT_EQ(dialogs.shown.size(), 1u);
    EXPECT_EQ(dialogs.shown[0].caption, QStringLiteral("成績を消去"));
    EXPECT_EQ(dialogs.shown[0].text, QStringLiteral("入力した成績をすべて消去しますか？"));
    EXPECT_EQ(dialogs.shown[0].answer, DefaultAnswer::No);
    EXPECT_EQ(Card(1, 2, 1), "34");
    // はい: the scores go, and the players without them follow the main
    // window's groups again (now none).
    dialogs.yesNoAnswers = {true};
    CommandButton("ClearButton")->click();
    EXPECT_TRUE(form->Results().Scores().Get().cards.empty());
    EXPECT_EQ(W().EntryPages(), 0);
    EXPECT_EQ(W().RankingTable()->model()->rowCount(), 0);
}

TEST_F(ResultsTest, OfTwoIdenticalMembersMovedOrDeletedEachKeepsItsOwnScores) {
    LoadMembers({"一郎", "一郎", "二郎"}, "MMM");
    S().groupList[1] = {"0", "1", "2"};
    Open("1");
    SetRounds(1);
    Type("123");
    // The registration mode empties the groups; the scores stay.
    Click(Button(2));
    // The first 一郎 moved below 二郎: now the second 一郎 of the roster.
    Click(Image(3));
    PressRow(0);
    PressRow(3);
    ASSERT_EQ(Names(), (std::vector<std::string>{"一郎", "二郎", "一郎"}));
    EXPECT_EQ(Card(0, 1, 1), "2");
    EXPECT_EQ(Card(1, 1, 1), "3");
    EXPECT_EQ(Card(2, 1, 1), "1");
    // The 一郎 on top deleted: the other keeps its own, the deleted one's
    // score goes to nobody.
    Click(Image(4));
    dialogs.yesNoAnswers = {true};
    PressRow(0);
    ASSERT_EQ(Names(), (std::vector<std::string>{"二郎", "一郎"}));
    EXPECT_EQ(Card(0, 1, 1), "3");
    EXPECT_EQ(Card(1, 1, 1), "1");
    EXPECT_EQ(form->Results().Scores().Get().cards.size(), 3u);
}

TEST_F(ResultsTest, FewerRoundsHideScoresThatMoreRoundsBringBack) {
    Meet({"一郎"}, "M", {{0}});
    Open("2");
    Type("1234");
    SetRounds(1);
    EXPECT_EQ(W().EntryTable(0)->model()->rowCount(), 1);
    EXPECT_EQ(Cell(W().EntryTable(0), 0, ScoreModel::kFirstHoleColumn + 3), "3");  // 実打数
    SetRounds(2);
    EXPECT_EQ(Cell(W().EntryTable(0), 1, 4), QStringLiteral("4"));
    EXPECT_EQ(form->Results().Scores().Get().settings.rounds, 2);
}

TEST_F(ResultsTest, TheOlderOfPlayersTheStrokesLeaveEqualRankHigherWhileTicked) {
    Load(
        WriteRoster("members.txt", {"一郎,T,男,19600101,0,0,0,0,", "花子,T,女,0,0,0,0,0,",
                                    "二郎,T,男,19500101,0,0,0,0,", "梅子,T,女,19550505,0,0,0,0,"}));
    S().groupList[1] = {"0", "1", "2", "3"};
    Open("2");
    SetRounds(1);
    // All on 4; 梅子 with a hole in one ahead of the others.
    Type(
        "22"
        "22"
        "22"
        "13");
    auto* box = Child<QCheckBox>("OlderFirstBox");
    EXPECT_EQ(box->text(), QStringLiteral("同成績は年長者を上位(&O)"));
    EXPECT_TRUE(box->isChecked());
    const auto ranks = [this] {
        std::vector<std::string> lines;
        const QTableView* table = W().RankingTable();
        for (int row = 0; row < table->model()->rowCount(); ++row)
            lines.push_back((Cell(table, row, 0) + ' ' + Cell(table, row, 1)).toStdString());
        return lines;
    };
    const auto note = [this] { return !Child<QLabel>("DecidedNote")->isHidden(); };
    const std::vector<std::string> byAge = {"1 梅子", "2※ 二郎", "3※ 一郎", "4※ 花子"};
    const std::vector<std::string> shared = {"1 梅子", "2 一郎", "2 花子", "2 二郎"};
    EXPECT_EQ(ranks(), byAge);
    EXPECT_TRUE(note());

    box->click();
    EXPECT_FALSE(form->Results().Scores().Get().olderFirst);
    EXPECT_EQ(ranks(), shared);
    EXPECT_FALSE(note());
    ListButton(1)->click();
    EXPECT_EQ(ranks(), (std::vector<std::string>{"1 一郎", "1 二郎"}));
    box->click();
    EXPECT_TRUE(form->Results().Scores().Get().olderFirst);
    EXPECT_EQ(ranks(), (std::vector<std::string>{"1※ 二郎", "2※ 一郎"}));
    ListButton(2)->click();
    EXPECT_EQ(ranks(), (std::vector<std::string>{"1 梅子", "2 花子"}));

    // The CSV writes the ranks without the mark.
    ListButton(0)->click();
    Tabs()->setCurrentWidget(&W().Ranks());
    const QString csv = folder.filePath("ranks.csv");
    dialogs.csvSaveAnswers.push_back(csv);
    CommandButton("CsvButton")->click();
    QFile file(csv);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    EXPECT_EQ(file.readAll().toStdString(),
              Utf8ToCp932("順位,氏名,チーム,性別,組,1R,実打数,一打,二打,合計\r\n"
                          "1,梅子,T,女,1,4,4,1,0,4\r\n"
                          "2,二郎,T,男,1,4,4,0,2,4\r\n"
                          "3,一郎,T,男,1,4,4,0,2,4\r\n"
                          "4,花子,T,女,1,4,4,0,2,4\r\n"));

    // A results file saved with the box cleared clears it again when read.
    box->click();
    const QString scores = folder.filePath("scores.csv");
    dialogs.csvSaveAnswers.push_back(scores);
    CommandButton("SaveButton")->click();
    box->click();
    EXPECT_EQ(ranks(), byAge);
    dialogs.yesNoAnswers.push_back(true);  // over the change not saved
    dialogs.csvOpenAnswers.push_back(scores);
    CommandButton("LoadButton")->click();
    EXPECT_TRUE(dialogs.Messages().empty());
    EXPECT_FALSE(box->isChecked());
    EXPECT_FALSE(form->Results().Scores().Get().olderFirst);
    EXPECT_EQ(ranks(), shared);
    EXPECT_FALSE(form->HasUnsavedChanges());
}

}  // namespace
}  // namespace tovi::test
