// What leaves the results window and comes back: the CSV of the list chosen,
// its print, the results file saved and read again with its refusals, and
// the question before the main window closes.
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QPrinter>
#include <QProcess>
#include <QPushButton>
#include <QRadioButton>
#include <QRegularExpression>
#include <QStandardPaths>

#include "core/file_io.h"
#include "platform/file_name.h"
#include "results/results_file.h"
#include "ui/results/ranking_page.h"
#include "ui/results_fixture.h"

namespace tovi::test {
namespace {

std::string ReadBytes(const QString& path) {
    std::string bytes;
    EXPECT_TRUE(ReadRegularFile(TryQtToPath(path).value_or(""), 1 << 20, bytes))
        << path.toStdString();
    return bytes;
}

class ResultsFilesTest : public ResultsTest {
protected:
    // 一郎 1 2 / 3 4, 花子 2 2 / 2 2, "Mary Smith" 1 3 / not yet; two holes.
    void SetUp() override {
        ResultsTest::SetUp();
        Meet({"一郎", "花子", "\"Mary Smith\""}, "MFF", {{0, 1, 2}});
        Open("2");
        Type(
            "1234"
            "2222"
            "13");
        dialogs.ClearShown();
    }
    QString Offered() const {
        return dialogs.shown.empty() ? QString() : dialogs.shown.back().caption;
    }
};

TEST_F(ResultsFilesTest, TheCsvHoldsTheListChosenInRankingOrder) {
    const std::string heading = "順位,氏名,チーム,性別,組,1R,2R,実打数,一打,二打,合計\r\n";
    const std::string ichiro = "2,一郎,T,男,1,3,7,10,1,1,10\r\n";
    const std::string hanako = "1,花子,T,女,1,4,4,8,0,4,8\r\n";
    const std::string mary = ",\"Mary Smith\",T,女,1,4,0,4,1,0,4\r\n";
    const struct {
        int list;  // 全体, 男子, 女子
        const char* offered;
        std::string csv;
    } cases[] = {
        {0, "成績表_全体", heading + hanako + ichiro + mary},
        {1, "成績表_男子", heading + "1,一郎,T,男,1,3,7,10,1,1,10\r\n"},
        {2, "成績表_女子", heading + hanako + mary},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.offered);
        ListButton(c.list)->click();
        const QString path = folder.filePath(QString::fromUtf8(c.offered) + ".csv");
        dialogs.csvSaveAnswers.push_back(path);
        // From an entry page as well as from 順位.
        if (c.list == 1)
            Tabs()->setCurrentIndex(0);
        else
            Tabs()->setCurrentWidget(&W().Ranks());
        CommandButton("CsvButton")->click();
        EXPECT_EQ(Offered(), QString::fromUtf8(c.offered));
        EXPECT_EQ(ReadBytes(path), Utf8ToCp932(c.csv));
    }
    // A cancelled dialog writes nothing; a folder that is not there is reported.
    CommandButton("CsvButton")->click();
    dialogs.csvSaveAnswers.push_back(folder.filePath("none/x.csv"));
    CommandButton("CsvButton")->click();
    EXPECT_EQ(TakeMessages(), std::vector<QString>{QStringLiteral("ファイルに保存出来ません")});
}

TEST_F(ResultsFilesTest, PrintsTheListChosenOnA4PortraitThroughThePrintDialog) {
    std::vector<RecordingSurface> printed;
    W().SetPrintObserver([&printed](const RecordedDrawing& page) {
        printed.emplace_back();
        page.ReplayOn(printed.back());
    });
    ListButton(2)->click();
    const QString pdf = folder.filePath("women.pdf");
    QString offered;
    dialogs.printAnswers.push_back([&](QPrinter& printer) {
        // The job's name, which Windows' PDF printer proposes and which names
        // the file offered on Linux.
        offered = printer.docName();
        EXPECT_EQ(printer.pageLayout().orientation(), QPageLayout::Portrait);
        EXPECT_EQ(printer.pageLayout().pageSize().id(), QPageSize::A4);
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setOutputFileName(pdf);
        return true;
    });
    CommandButton("PrintButton")->click();
    EXPECT_EQ(offered, QStringLiteral("成績表_女子"));
    EXPECT_TRUE(dialogs.Messages().empty());
    ASSERT_EQ(printed.size(), 1u);
    const RecordingSurface& page = printed.front();
    // The sheet's heading, then the list in ranking order.
    for (const char* text : {"秋季親睦会", "市民公園グラウンド", "成績表　女子", "合計"})
        EXPECT_NE(page.FindText(text), nullptr) << text;
    const TextCall* hanako = page.FindText("花子");
    const TextCall* mary = page.FindText("Mary Smith");
    ASSERT_NE(hanako, nullptr);
    ASSERT_NE(mary, nullptr);
    EXPECT_LT(hanako->y, mary->y);
    EXPECT_EQ(page.FindText("一郎"), nullptr);
    EXPECT_TRUE(QFile::exists(pdf));
    if (!QStandardPaths::findExecutable("pdfinfo").isEmpty()) {
        QProcess info;
        info.start("pdfinfo", {pdf});
        ASSERT_TRUE(info.waitForFinished(60000));
        const QString out = QString::fromUtf8(info.readAllStandardOutput());
        EXPECT_TRUE(out.contains(QRegularExpression("Pages: +1\\n"))) << out.toStdString();
        EXPECT_TRUE(
            out.contains(QRegularExpression("Page size: +595(\\.\\d+)? x 84[12](\\.\\d+)?")))
            << out.toStdString();
    }
    // A cancelled dialog prints nothing.
    printed.clear();
    CommandButton("PrintButton")->click();
    EXPECT_TRUE(printed.empty());
}

TEST_F(ResultsFilesTest, WithoutAPrinterThePrintSaysSo) {
    dialogs.printerInstalled = false;
    CommandButton("PrintButton")->click();
    ASSERT_EQ(dialogs.Messages().size(), 1u);
    EXPECT_TRUE(
        dialogs.Messages()[0].startsWith(QStringLiteral("プリンターがインストールされていない")));
}

TEST_F(ResultsTest, ThirtySixPlayersGoOnOnePage) {
    std::vector<std::string> names;
    std::vector<std::vector<int>> groups(6);
    for (int i = 0; i < 36; ++i) {
        names.push_back("選手" + std::to_string(100 + i));
        groups[static_cast<std::size_t>(i / 6)].push_back(i);
    }
    Meet(names, std::string(36, 'M'), groups);
    Open("1");
    SetRounds(1);
    // Player i takes 1 + i % 9 strokes: all complete, ranked.
    std::string keys;
    for (int i = 0; i < 36; ++i) keys += static_cast<char>('1' + i % 9);
    Type(keys);
    std::vector<RecordingSurface> printed;
    W().SetPrintObserver([&printed](const RecordedDrawing& page) {
        printed.emplace_back();
        page.ReplayOn(printed.back());
    });
    dialogs.printAnswers.push_back([this](QPrinter& printer) {
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setOutputFileName(folder.filePath("all.pdf"));
        return true;
    });
    CommandButton("PrintButton")->click();
    ASSERT_EQ(printed.size(), 1u);
    for (const std::string& name : names) EXPECT_NE(printed[0].FindText(name), nullptr) << name;
    EXPECT_EQ(Cell(W().RankingTable(), 35, 0), QStringLiteral("33"));  // four take 9 strokes
}

TEST_F(ResultsFilesTest, TheResultsFileBringsEveryScoreBackToItsMember) {
    const QString path = folder.filePath("scores.csv");
    dialogs.csvSaveAnswers.push_back(path);
    CommandButton("SaveButton")->click();
    EXPECT_EQ(Offered(), QStringLiteral("成績"));
    EXPECT_TRUE(dialogs.Messages().empty());
    EXPECT_FALSE(form->HasUnsavedChanges());
    const Results entered = form->Results().Scores().Get();

    dialogs.yesNoAnswers.push_back(true);
    CommandButton("ClearButton")->click();
    ASSERT_TRUE(form->Results().Scores().Get().cards.empty());
    dialogs.csvOpenAnswers.push_back(path);
    CommandButton("LoadButton")->click();
    EXPECT_EQ(form->Results().Scores().Get(), entered);
    EXPECT_EQ(Cell(W().EntryTable(0), 0, 3), QStringLiteral("1"));
    EXPECT_FALSE(form->HasUnsavedChanges());

    // Over scores not saved a load asks first; いいえ keeps them.
    Type("5");
    dialogs.ClearShown();
    dialogs.yesNoAnswers.push_back(false);
    CommandButton("LoadButton")->click();
    ASSERT_EQ(dialogs.shown.size(), 1u);
    EXPECT_EQ(dialogs.shown[0].kind, ScriptedDialogs::Kind::YesNo);
    EXPECT_NE(form->Results().Scores().Get(), entered);

    // The roster refuses the results file.
    dialogs.openAnswers.push_back(path);
    form->Registration().OpenRoster();
    EXPECT_EQ(TakeMessages(), std::vector<QString>{QStringLiteral("このデータは開けません")});
}

TEST_F(ResultsFilesTest, ALoadRefusesWhatIsNoResultsFileAndNamesWhomItCannotPlace) {
    // Saved with a member the roster does not hold.
    Results other = form->Results().Scores().Get();
    other.cards[{Utf8ToCp932("桜子,T,女,0,0,0,0,0,"), 1}] = other.cards.begin()->second;
    const std::string withStranger = FormatResultsFile(other, W().Heading()).bytes;
    const struct {
        const char* name;
        std::string bytes;
        std::vector<QString> messages;
        bool loaded;
    } cases[] = {
        {"a roster",
         Utf8ToCp932("作成\r\n一郎,T,男,0,0,0,0,0,\r\n"),
         {QStringLiteral("これは名簿のファイルです。成績のファイルを選んで下さい")},
         false},
        {"any text", "hello\r\n", {QStringLiteral("このデータは開けません")}, false},
        {"a later format",
         Utf8ToCp932("成績,5\r\n2,0\r\n"),
         {QStringLiteral("この形式の成績ファイルは開けません")},
         false},
        {"a bad line",
         Utf8ToCp932("成績,1\r\n2,0\r\nx\r\n"),
         {QStringLiteral("成績ファイルの3行目が正しくないため開けません")},
         false},
        {"a stranger",
         withStranger,
         {QStringLiteral("名簿にない次の人の成績は読み込んでいません\n桜子")},
         true},
    };
    const Results entered = form->Results().Scores().Get();
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const QString path = folder.filePath(QString::fromUtf8(c.name) + ".csv");
        ASSERT_TRUE(ReplaceFileContents(TryQtToPath(path).value_or(""), c.bytes));
        dialogs.yesNoAnswers.push_back(true);  // over the scores not saved
        dialogs.csvOpenAnswers.push_back(path);
        CommandButton("LoadButton")->click();
        EXPECT_EQ(TakeMessages(), c.messages);
        // Refused: nothing changes; loaded: everyone but the stranger.
        EXPECT_EQ(form->Results().Scores().Get(), entered);
        EXPECT_EQ(form->HasUnsavedChanges(), !c.loaded);
    }
    dialogs.csvOpenAnswers.push_back(folder.filePath("missing.csv"));
    CommandButton("LoadButton")->click();
    EXPECT_EQ(TakeMessages(), std::vector<QString>{QStringLiteral("ファイルを読み込めません")});
}

TEST_F(ResultsTest, ClosingAsksOnlyWhenSomethingWouldBeLost) {
    const QString question =
        QStringLiteral("保存されていない変更があります。保存せずに終了しますか？");
    enum Step { Nothing, LoadRoster, Register, SaveRoster, EnterScore, SaveScores, ClearScores };
    const struct {
        const char* name;
        std::vector<Step> steps;
        bool asked;
    } cases[] = {
        {"nothing at all", {Nothing}, false},
        {"a roster opened", {LoadRoster}, false},
        {"a member typed in", {Register}, true},
        {"a member added to an opened roster", {LoadRoster, Register}, true},
        {"the roster saved after", {LoadRoster, Register, SaveRoster}, false},
        {"a score entered", {LoadRoster, EnterScore}, true},
        {"the scores saved", {LoadRoster, EnterScore, SaveScores}, false},
        {"a score after saving", {LoadRoster, EnterScore, SaveScores, EnterScore}, true},
        {"the scores cleared", {LoadRoster, EnterScore, ClearScores}, false},
    };
    for (const auto& c : cases) {
        for (const bool yes : {false, true}) {
            SCOPED_TRACE(std::string(c.name) + (yes ? ", はい" : ", いいえ"));
            form = std::make_unique<MainWindow>(dialogs, random, clock);
            form->show();
            for (const Step step : c.steps) {
                switch (step) {
                    case Nothing:
                        break;
                    case LoadRoster:
                        Meet({"一郎", "花子"}, "MF", {{0, 1}});
                        break;
                    case Register:
                        Click(Button(2));
                        Edit(1)->setText(QStringLiteral("三郎"));
                        Click(Button(6));
                        break;
                    case SaveRoster:
                        dialogs.saveAnswers.push_back(folder.filePath("saved.txt"));
                        Click(Button(8));
                        break;
                    case EnterScore:
                        if (!form->Results().Window()) Open("2");
                        Type("3");
                        break;
                    case SaveScores:
                        dialogs.csvSaveAnswers.push_back(folder.filePath("scores.csv"));
                        CommandButton("SaveButton")->click();
                        break;
                    case ClearScores:
                        dialogs.yesNoAnswers.push_back(true);
                        CommandButton("ClearButton")->click();
                        break;
                }
            }
            ASSERT_TRUE(dialogs.Messages().empty());
            dialogs.ClearShown();
            dialogs.yesNoAnswers = {yes};
            const bool closed = form->close();
            if (c.asked) {
                ASSERT_EQ(dialogs.shown.size(), 1u);
                EXPECT_EQ(dialogs.shown[0].kind, ScriptedDialogs::Kind::YesNo);
                EXPECT_EQ(dialogs.shown[0].caption, QStringLiteral("トヴィ"));
                EXPECT_EQ(dialogs.shown[0].text, question);
                EXPECT_EQ(dialogs.shown[0].answer, DefaultAnswer::No);
            } else {
                EXPECT_TRUE(dialogs.shown.empty());
            }
            const bool closes = !c.asked || yes;
            EXPECT_EQ(closed, closes);
            EXPECT_EQ(form->isVisible(), !closes);
            // The results window goes with the main window, and only then.
            if (form->Results().Window()) {
                EXPECT_EQ(W().isVisible(), !closes);
            }
            dialogs.yesNoAnswers.clear();
        }
    }
}

}  // namespace
}  // namespace tovi::test
