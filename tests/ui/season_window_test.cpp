// The season window as the organiser uses it: 年間成績 in the score-sheet
// mode, meetings added from results files (and what is refused), the lists,
// the CSV, the season file saved and read again, and the question on closing.
#include <QDir>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>

#include "core/file_io.h"
#include "platform/file_name.h"
#include "results/card_builder.h"
#include "results/results_file.h"
#include "ui/common/list_table.h"
#include "ui/season/season_window.h"
#include "ui/window_fixture.h"

namespace tovi::test {
namespace {

class SeasonWindowTest : public WindowTest {
protected:
    void SetUp() override {
        WindowTest::SetUp();
        Click(Button(4));
        Click(Find<QPushButton>("SeasonButton"));
        ASSERT_NE(form->Season(), nullptr);
    }
    SeasonWindow& W() { return *form->Season(); }
    template <typename T>
    T* Child(const char* name) {
        T* child = W().findChild<T*>(QString::fromLatin1(name));
        EXPECT_NE(child, nullptr) << name;
        return child;
    }
    // A results file of one round of two holes: players as "name,gender,team"
    // with their two strokes.
    struct Card {
        const char* member;  // 名前,性別,チーム
        std::vector<int> strokes;
    };
    QString Meeting(const char* file, const char* month, const char* name,
                    const std::vector<Card>& cards) {
        Results results;
        results.settings = {1, 0};
        for (const Card& card : cards) {
            const std::vector<std::string> f = SplitUtf8(card.member);
            results.cards[{Utf8ToCp932(f[0] + "," + f[2] + "," + f[1] + ",0,0,0,0,0,"), 1}] =
                CardOf({card.strokes});
        }
        const MeetingHeading heading{
            Utf8ToCp932("月例会"), Utf8ToCp932(name), {}, "2026", month, "1", 2, {}};
        return Write(file, FormatResultsFile(results, heading).bytes);
    }
    QString Write(const char* file, const std::string& bytes) {
        const QString path = folder.filePath(QString::fromUtf8(file));
        EXPECT_TRUE(ReplaceFileContents(TryQtToPath(path).value_or(""), bytes));
        return path;
    }
    static std::vector<std::string> SplitUtf8(const std::string& text) {
        std::vector<std::string> fields(1);
        for (const char c : text) {
            if (c == ',')
                fields.emplace_back();
            else
                fields.back() += c;
        }
        return fields;
    }
    static std::vector<std::string> Lines(const QTableView* table) {
        std::vector<std::string> lines;
        for (int row = 0; row < table->model()->rowCount(); ++row) {
            QStringList cells;
            for (int column = 0; column < table->model()->columnCount(); ++column)
                cells << table->model()->index(row, column).data().toString();
            lines.push_back(cells.join(' ').toStdString());
        }
        return lines;
    }
    void Add(const std::vector<QString>& files) {
        dialogs.csvOpenManyAnswers.push_back(files);
        Child<QPushButton>("AddButton")->click();
    }
};

TEST_F(SeasonWindowTest, MeetingsAddedBecomeTheSeasonsListsAndItsCsv) {
    EXPECT_TRUE(W().isVisible());
    const QString may =
        Meeting("may.csv", "5", "五月例会",
                {{"一郎,男,東", {2, 2}}, {"花子,女,西", {3, 3}}, {"二郎,男,東", {2, 3}}});
    const QString april =
        Meeting("april.csv", "4", "四月例会", {{"一郎,男,東", {3, 3}}, {"花子,女,北", {1, 2}}});
    // Added in any order, listed by date; one added twice is listed once.
    Add({may, april, may});
    EXPECT_TRUE(TakeMessages().empty());
    EXPECT_EQ(Lines(W().MeetingTable()),
              (std::vector<std::string>{"2026年4月1日 四月例会 2 april.csv",
                                        "2026年5月1日 五月例会 3 may.csv"}));
    // 花子: 10 + 1 in April, 6 + 1 in May; 一郎 8 + 1 and 10 + 1.
    EXPECT_EQ(Lines(W().SeasonTable()), (std::vector<std::string>{"1 一郎 東 男 2 20 2 10 5.00 0",
                                                                  "2 花子 西 女 2 18 2 9 4.50 1",
                                                                  "3 二郎 東 男 1 9 1 5 5.00 0"}));
    Child<QRadioButton>("ListButton2")->click();
    EXPECT_EQ(Lines(W().SeasonTable()), (std::vector<std::string>{"1 花子 西 女 2 18 2 9 4.50 1"}));
    // 平均順 over one round at least.
    Child<QRadioButton>("ListButton0")->click();
    Child<QRadioButton>("OrderButton1")->click();
    EXPECT_EQ(Lines(W().SeasonTable())[0], "1 花子 西 女 2 18 2 9 4.50 1");

    const QString csv = folder.filePath("season.csv");
    dialogs.csvSaveAnswers.push_back(csv);
    Child<QPushButton>("CsvButton")->click();
    EXPECT_EQ(dialogs.shown.back().caption, QStringLiteral("年間成績_全体"));
    std::string bytes;
    ASSERT_TRUE(ReadRegularFile(TryQtToPath(csv).value_or(""), 1 << 20, bytes));
    EXPECT_EQ(bytes, Utf8ToCp932("順位,氏名,チーム,性別,出場,ポイント,ラウンド,打数,平均,一打\r\n"
                                 "1,花子,西,女,2,18,2,9,4.50,1\r\n"
                                 "2,一郎,東,男,2,20,2,10,5.00,0\r\n"
                                 "3,二郎,東,男,1,9,1,5,5.00,0\r\n"));

    // 削除 takes the selected meeting off.
    W().MeetingTable()->setCurrentIndex(W().MeetingTable()->model()->index(0, 0));
    Child<QPushButton>("RemoveButton")->click();
    EXPECT_EQ(W().MeetingTable()->model()->rowCount(), 1);
}

TEST_F(SeasonWindowTest, WhatIsNoResultsFileIsNamedAndTheRestIsAdded) {
    const QString good = Meeting("good.csv", "6", "六月例会", {{"一郎,男,東", {2, 2}}});
    const QString roster = WriteRoster("club.txt", {"一郎,東,男,0,0,0,0,0,"});
    const QString season = Write("season.txt", Utf8ToCp932("年間成績,1\r\n"));
    const QString large = Write("large.csv", Utf8ToCp932("成績,1\r\n") + std::string(1 << 20, 'x'));
    const QString broken = Write("broken.csv", Utf8ToCp932("成績,1\r\n2,0\r\nx\r\n"));
    Add({roster, season, good, large, broken});
    EXPECT_EQ(
        TakeMessages(),
        (std::vector<QString>{
            QStringLiteral("これは名簿のファイルです。成績のファイルを選んで下さい\nclub.txt"),
            QStringLiteral(
                "これは年間成績のファイルです。成績のファイルを選んで下さい\nseason.txt"),
            QStringLiteral("ファイルが大き過ぎるため開けません\nlarge.csv"),
            QStringLiteral("成績ファイルの3行目が正しくないため開けません\nbroken.csv")}));
    EXPECT_EQ(W().MeetingTable()->model()->rowCount(), 1);
    std::string bytes;
    ASSERT_TRUE(ReadRegularFile(TryQtToPath(broken).value_or(""), 1 << 20, bytes));
    EXPECT_EQ(bytes, Utf8ToCp932("成績,1\r\n2,0\r\nx\r\n"));  // nothing written

    // A points table that is no list of 0..999 is refused; the last good stays.
    auto* points = Child<QLineEdit>("PointsEdit");
    points->setText(QStringLiteral("10,x"));
    emit points->editingFinished();
    EXPECT_EQ(TakeMessages().size(), 1u);
    EXPECT_EQ(points->text(), QStringLiteral("10,8,6,5,4,3,2,1"));
    points->setText(QStringLiteral("5,3"));
    emit points->editingFinished();
    EXPECT_EQ(W().Settings().pointsTable, (std::vector<int>{5, 3}));
}

TEST_F(SeasonWindowTest, TheSeasonFileKeepsTheMeetingsAndSettings) {
    const QString a = Meeting("a.csv", "4", "四月例会", {{"一郎,男,東", {2, 2}}});
    const QString b = Meeting("b.csv", "5", "五月例会", {{"一郎,男,東", {3, 2}}});
    Add({a, b});
    Child<QSpinBox>("AttendanceBox")->setValue(3);
    EXPECT_TRUE(W().Unsaved());

    // Closing with the list not saved asks; いいえ keeps the window.
    dialogs.yesNoAnswers = {false};
    W().close();
    EXPECT_TRUE(W().isVisible());
    EXPECT_EQ(dialogs.shown.back().caption, QStringLiteral("年間成績"));

    const QString file = folder.filePath("season.txt");
    dialogs.textSaveAnswers.push_back(file);
    Child<QPushButton>("SaveButton")->click();
    EXPECT_FALSE(W().Unsaved());
    std::string bytes;
    ASSERT_TRUE(ReadRegularFile(TryQtToPath(file).value_or(""), 1 << 20, bytes));
    EXPECT_NE(bytes.find("a.csv\r\n"), std::string::npos);  // beside the season file

    // Read again with one meeting gone: named once, the rest loads.
    ASSERT_TRUE(QFile::remove(b));
    dialogs.openAnswers.push_back(file);
    Child<QPushButton>("LoadButton")->click();
    EXPECT_EQ(
        TakeMessages(),
        std::vector<QString>{QStringLiteral("次の成績のファイルは読み込めないため外しました\n") +
                             QDir::toNativeSeparators(b)});
    EXPECT_EQ(W().MeetingTable()->model()->rowCount(), 1);
    EXPECT_EQ(Child<QSpinBox>("AttendanceBox")->value(), 3);
    // A file that is no season file changes nothing.
    dialogs.yesNoAnswers = {true};
    dialogs.openAnswers.push_back(a);
    Child<QPushButton>("LoadButton")->click();
    EXPECT_EQ(TakeMessages(),
              std::vector<QString>{QStringLiteral("これは年間成績のファイルではありません")});
    EXPECT_EQ(W().MeetingTable()->model()->rowCount(), 1);
}

}  // namespace
}  // namespace tovi::test
