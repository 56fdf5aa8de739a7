// The prize-giving on the results window: ties decided on the 順位 page, the
// 団体 and 表彰 pages with their settings, their print and CSV, and lists
// whose columns fit what they hold.
#include <QCheckBox>
#include <QFile>
#include <QLabel>
#include <QPrinter>
#include <QPushButton>
#include <QSpinBox>

#include "core/file_io.h"
#include "platform/file_name.h"
#include "ui/common/list_table.h"
#include "ui/results/prize_pages.h"
#include "ui/results/ranking_page.h"
#include "ui/results_fixture.h"

namespace tovi::test {
namespace {

class PrizeGivingTest : public ResultsTest {
protected:
    // One round of two holes: 一郎 and 二郎 tie on 3 with a hole in one
    // each, then 花子 4, 春子 6, 三郎 7.
    void SetUp() override {
        ResultsTest::SetUp();
        Load(WriteRoster("members.txt",
                         {"一郎,赤,男,0,0,0,0,0,", "二郎,赤,男,0,0,0,0,0,", "花子,白,女,0,0,0,0,0,",
                          "春子,白,女,0,0,0,0,0,", "三郎,白,男,0,0,0,0,0,"}));
        S().groupList[1] = {"0", "1", "2"};
        S().groupList[2] = {"3", "4"};
        Open("2");
        SetRounds(1);
        Type(
            "12"
            "12"
            "22"
            "33"
            "34");
        dialogs.ClearShown();
    }
    void ShowPage(QWidget* page) { Tabs()->setCurrentWidget(page); }
    // The texts of a list, row by row, joined by spaces.
    static std::vector<std::string> Lines(const QTableView* table) {
        std::vector<std::string> lines;
        for (int row = 0; row < table->model()->rowCount(); ++row) {
            QStringList cells;
            for (const QString& cell : Row(table, row)) cells << cell;
            lines.push_back(cells.join(' ').toStdString());
        }
        return lines;
    }
    std::vector<std::string> RankLines() {
        std::vector<std::string> lines;
        for (int row = 0; row < W().RankingTable()->model()->rowCount(); ++row)
            lines.push_back(
                (Cell(W().RankingTable(), row, 0) + ' ' + Cell(W().RankingTable(), row, 1))
                    .toStdString());
        return lines;
    }
    void Press(const char* button) { Child<QPushButton>(button)->click(); }
};

TEST_F(PrizeGivingTest, ATieDecidedOnThe順位PageOrdersEveryList) {
    ShowPage(&W().Ranks());
    EXPECT_EQ(RankLines(),
              (std::vector<std::string>{"1 一郎", "1 二郎", "3 花子", "4 春子", "5 三郎"}));
    EXPECT_FALSE(Child<QLabel>("DecidedNote")->isVisible());
    // 花子 shares her rank with nobody: she cannot move.
    W().Ranks().SelectRow(2);
    EXPECT_FALSE(Child<QPushButton>("UpButton")->isEnabled());
    Press("UpButton");
    EXPECT_EQ(RankLines()[2], "3 花子");

    W().Ranks().SelectRow(1);
    EXPECT_TRUE(Child<QPushButton>("UpButton")->isEnabled());
    EXPECT_FALSE(Child<QPushButton>("DownButton")->isEnabled());
    Press("UpButton");
    EXPECT_EQ(RankLines(),
              (std::vector<std::string>{"1※ 二郎", "2※ 一郎", "3 花子", "4 春子", "5 三郎"}));
    EXPECT_EQ(W().RankingTable()->currentIndex().row(), 0);  // the player moved, selected
    EXPECT_TRUE(Child<QLabel>("DecidedNote")->isVisible());
    ListButton(1)->click();  // 男子
    EXPECT_EQ(RankLines(), (std::vector<std::string>{"1※ 二郎", "2※ 一郎", "3 三郎"}));
    ListButton(2)->click();  // 女子: nothing decided there
    EXPECT_FALSE(Child<QLabel>("DecidedNote")->isVisible());
    ListButton(0)->click();

    // Ctrl+↓ moves 二郎 back down.
    W().Ranks().SelectRow(0);
    QTest::keyClick(W().RankingTable(), Qt::Key_Down, Qt::ControlModifier);
    EXPECT_EQ(RankLines()[0], "1※ 一郎");
    EXPECT_EQ(RankLines()[1], "2※ 二郎");

    // Scores that part them end the decision; scores that tie them again
    // bring it back.
    ShowPage(W().EntryTable(0));
    W().EntryTable(0)->setCurrentIndex(
        W().EntryTable(0)->model()->index(1, ScoreModel::kFirstHoleColumn + 1));
    Type("3");
    ShowPage(&W().Ranks());
    EXPECT_EQ(RankLines()[0], "1 一郎");
    EXPECT_EQ(RankLines()[1], "2 二郎");
    ShowPage(W().EntryTable(0));
    W().EntryTable(0)->setCurrentIndex(
        W().EntryTable(0)->model()->index(1, ScoreModel::kFirstHoleColumn + 1));
    Type("2");
    ShowPage(&W().Ranks());
    EXPECT_EQ(RankLines()[0], "1※ 一郎");
}

TEST_F(PrizeGivingTest, The表彰And団体PagesFollowTheirSettings) {
    ShowPage(&W().Awards());
    EXPECT_EQ(Lines(W().Awards().Table()),
              (std::vector<std::string>{
                  "男子1位 1 一郎 赤 1 3 ", "男子1位 1 二郎 赤 1 3 ", "男子3位 3 三郎 白 2 7 ",
                  "女子1位 1 花子 白 1 4 ", "女子2位 2 春子 白 2 6 ",
                  "ホールインワン賞 1 一郎 赤 1 3 1回", "ホールインワン賞 1 二郎 赤 1 3 1回"}));
    EXPECT_EQ(Lines(W().Awards().HoleInOneTable()),
              (std::vector<std::string>{"一郎 1R 1", "二郎 1R 1"}));

    // 全体, places 1, 飛び賞 every 2nd, ブービーメーカー賞 too.
    Child<QRadioButton>("DivisionButton1")->click();
    Child<QSpinBox>("PlacesBox")->setValue(1);
    auto* tobi = Child<QSpinBox>("TobiBox");
    tobi->stepBy(1);
    EXPECT_EQ(tobi->value(), 2);  // 1 is passed over
    Child<QCheckBox>("BoobyMakerBox")->setChecked(true);
    EXPECT_EQ(Lines(W().Awards().Table()),
              (std::vector<std::string>{
                  "1位 1 一郎 赤 1 3 ", "1位 1 二郎 赤 1 3 ", "飛び賞 4 春子 白 2 6 ",
                  "ブービーメーカー賞 5 三郎 白 2 7 ", "ホールインワン賞 1 一郎 赤 1 3 1回",
                  "ホールインワン賞 1 二郎 赤 1 3 1回"}));
    const PrizeSettings& kept = form->Results().Scores().Get().prizes;
    EXPECT_EQ(kept.division, PrizeDivision::Overall);
    EXPECT_EQ(kept.tobiEvery, 2);
    EXPECT_TRUE(kept.boobyMaker);

    // 団体: four counted by default, so no team is complete; two are.
    ShowPage(&W().Teams());
    EXPECT_EQ(Lines(W().Teams().Table()),
              (std::vector<std::string>{" 赤 6 2 一郎・二郎", " 白 17 3 花子・春子・三郎"}));
    Child<QSpinBox>("TeamSizeBox")->setValue(2);
    EXPECT_EQ(Lines(W().Teams().Table()),
              (std::vector<std::string>{"1 赤 6 2 一郎・二郎", "2 白 10 2 花子・春子"}));
}

TEST_F(PrizeGivingTest, PrintAndCsvTakeThePageShown) {
    struct Case {
        QWidget* page;
        const char* name;
        const char* firstLine;
        const char* printed;
    };
    const Case cases[] = {
        {&W().Ranks(), "成績表_全体", "順位,氏名,チーム,性別,組,1R,実打数,一打,二打,合計",
         "成績表　全体"},
        {&W().Teams(), "団体成績", "順位,チーム,合計,人数,選手", "団体成績"},
        {&W().Awards(), "表彰一覧", "賞,順位,氏名,チーム,組,合計,備考", "ホールインワン"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        ShowPage(c.page);
        const QString path = folder.filePath(QString::fromUtf8(c.name) + ".csv");
        dialogs.csvSaveAnswers.push_back(path);
        CommandButton("CsvButton")->click();
        ASSERT_FALSE(dialogs.shown.empty());
        EXPECT_EQ(dialogs.shown.back().caption, QString::fromUtf8(c.name));
        std::string bytes;
        ASSERT_TRUE(ReadRegularFile(TryQtToPath(path).value_or(""), 1 << 20, bytes));
        EXPECT_EQ(bytes.substr(0, bytes.find("\r\n")), Utf8ToCp932(c.firstLine));

        std::vector<RecordingSurface> printed;
        W().SetPrintObserver([&printed](const RecordedDrawing& page) {
            printed.emplace_back();
            page.ReplayOn(printed.back());
        });
        QString offered;
        dialogs.printAnswers.push_back([&](QPrinter& printer) {
            offered = printer.docName();
            EXPECT_EQ(printer.pageLayout().orientation(), QPageLayout::Portrait);
            printer.setOutputFormat(QPrinter::PdfFormat);
            printer.setOutputFileName(folder.filePath("out.pdf"));
            return true;
        });
        CommandButton("PrintButton")->click();
        EXPECT_EQ(offered, QString::fromUtf8(c.name));
        ASSERT_EQ(printed.size(), 1u);
        EXPECT_NE(printed[0].FindText(c.printed), nullptr);
        EXPECT_NE(printed[0].FindText("秋季親睦会"), nullptr);
    }
}

TEST_F(PrizeGivingTest, TheListsColumnsFitWhatTheyHold) {
    // Measured while every total was still small, then typed to two digits
    // on another page.
    ShowPage(&W().Ranks());
    ShowPage(W().EntryTable(0));
    W().EntryTable(0)->setCurrentIndex(
        W().EntryTable(0)->model()->index(0, ScoreModel::kFirstHoleColumn));
    Type("F99E");
    std::vector<QTableView*> tables = {W().EntryTable(0)};
    for (QWidget* page : std::initializer_list<QWidget*>{&W().Ranks(), &W().Teams(), &W().Awards()})
        for (ListTable* table : page->findChildren<ListTable*>()) tables.push_back(table);
    for (QTableView* table : tables) {
        // As wide as a fresh measure of what they hold makes them.
        SCOPED_TRACE(table->objectName().toStdString());
        Tabs()->setCurrentWidget(Tabs()->indexOf(table) >= 0 ? table : table->parentWidget());
        std::vector<int> shown;
        for (int column = 0; column < table->model()->columnCount(); ++column)
            shown.push_back(table->columnWidth(column));
        table->resizeColumnsToContents();
        for (int column = 0; column < table->model()->columnCount(); ++column)
            EXPECT_GE(shown[static_cast<std::size_t>(column)], table->columnWidth(column))
                << column;
    }
}

TEST_F(PrizeGivingTest, TheSettingsAndDecisionsComeBackFromTheResultsFile) {
    ShowPage(&W().Ranks());
    W().Ranks().SelectRow(1);
    Press("UpButton");
    Child<QSpinBox>("TeamSizeBox")->setValue(3);
    const QString path = folder.filePath("meeting.csv");
    dialogs.csvSaveAnswers.push_back(path);
    CommandButton("SaveButton")->click();
    dialogs.yesNoAnswers = {true};
    CommandButton("ClearButton")->click();
    Child<QSpinBox>("TeamSizeBox")->setValue(5);
    // As after a restart: the sheet's heading and hole count are others.
    Edit(7)->setText(QStringLiteral("別の大会"));
    Edit(9)->setText(QStringLiteral("8"));
    dialogs.csvOpenAnswers.push_back(path);
    CommandButton("LoadButton")->click();
    EXPECT_TRUE(dialogs.Messages().empty());
    EXPECT_EQ(Child<QSpinBox>("TeamSizeBox")->value(), 3);
    EXPECT_EQ(Edit(7)->text(), QStringLiteral("秋季親睦会"));
    EXPECT_EQ(Edit(9)->text(), QStringLiteral("2"));
    EXPECT_EQ(W().Meeting().holes, 2);
    ShowPage(&W().Ranks());
    EXPECT_EQ(RankLines()[0], "1※ 二郎");
}

}  // namespace
}  // namespace tovi::test
