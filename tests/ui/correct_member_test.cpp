// 修正: a member corrected in place through the registration boxes, and the
// date of birth that registration takes.
#include <QButtonGroup>
#include <QDate>
#include <QPushButton>
#include <QRadioButton>

#include "ui/results_fixture.h"

namespace tovi::test {
namespace {

class CorrectMemberTest : public ResultsTest {
protected:
    PictureWidget* Command() { return Find<PictureWidget>("CorrectCommand"); }
    PictureWidget* Prompt() { return Find<PictureWidget>("CorrectPrompt"); }
    ByteEdit* Date(const char* part) {
        return Find<ByteEdit>((std::string("Birth") + part + "Edit").c_str());
    }
    // Types a date of birth into the three boxes, "" leaving a box empty.
    void TypeDate(const char* year, const char* month, const char* day) {
        Retype(Date("Year"), QString::fromUtf8(year));
        Retype(Date("Month"), QString::fromUtf8(month));
        Retype(Date("Day"), QString::fromUtf8(day));
    }
    // Picks the member on row for 修正, switching the command on first.
    void Pick(int row) {
        if (!I().correctButtonOn) Click(Command());
        PressRow(row);
    }
    // Empties a name or team box and puts text into it through the input method.
    static void Put(ByteEdit* edit, const char* text) {
        edit->clear();
        Commit(edit, QString::fromUtf8(text));
    }
    std::vector<std::string> Lines() {
        std::vector<std::string> lines;
        for (const std::string& line : S().rosterList) lines.push_back(Cp932ToUtf8(line));
        return lines;
    }
};

TEST_F(CorrectMemberTest, APickedMemberComesIntoTheBoxesAndIsReplacedInPlace) {
    Load(WriteRoster("club.txt", {"山田,東町,男,0,0,0,0,0,", "佐藤,西町,女,19501224,0,0,0,0,",
                                  "鈴木,,男,x,1,2,3,4,"}));
    Pick(1);
    EXPECT_TRUE(Prompt()->isVisibleTo(form.get()));
    EXPECT_EQ(Edit(1)->text(), QStringLiteral("佐藤"));
    EXPECT_EQ(Edit(2)->text(), QStringLiteral("西町"));
    EXPECT_EQ(form->Registration().GenderIndex(), 1);
    EXPECT_EQ(Date("Year")->text(), QStringLiteral("1950"));
    EXPECT_EQ(Date("Month")->text(), QStringLiteral("12"));
    EXPECT_EQ(Date("Day")->text(), QStringLiteral("24"));

    // Every correction goes to the member picked, in its place; registration's
    // rules hold, and a refusal changes nothing.
    const struct {
        const char *name, *team;
        int gender;
        const char *year, *month, *day;
        std::vector<QString> messages;
        const char* line;  // the member's line afterwards
    } cases[] = {
        {"", "西町", 1, "", "", "", {"氏名を入力して下さい"}, "佐藤,西町,女,19501224,0,0,0,0,"},
        {"佐藤 花子",
         "西町",
         1,
         "1950",
         "2",
         "30",
         {"生年月日の日は2月なら1から28までにして下さい"},
         "佐藤,西町,女,19501224,0,0,0,0,"},
        {"佐藤 花子",
         "西町",
         1,
         "1950",
         "2",
         "",
         {"生年月日は年・月・日をすべて入力して下さい"},
         "佐藤,西町,女,19501224,0,0,0,0,"},
        {"佐藤 花子",
         "西,町",
         0,
         "1950",
         "02",
         "03",
         {},
         "\"佐藤 花子\",\"西,町\",男,19500203,0,0,0,0,"},
        {"佐藤　花子", "西町", 1, "", "", "", {}, "佐藤　花子,西町,女,0,0,0,0,0,"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        if (I().commandState != ListCommand::CorrectEdit) PressRow(1);
        Put(Edit(1), c.name);
        Put(Edit(2), c.team);
        QTest::mouseClick(GenderItem(c.gender), Qt::LeftButton);
        TypeDate(c.year, c.month, c.day);
        Click(Button(6));
        EXPECT_EQ(TakeMessages(), c.messages);
        EXPECT_EQ(Lines(), (std::vector<std::string>{"山田,東町,男,0,0,0,0,0,", c.line,
                                                     "鈴木,,男,x,1,2,3,4,"}));
        EXPECT_TRUE(I().correctButtonOn);
    }
    // After a correction 修正 waits for the next member; 登録 before one is
    // picked says so and adds nobody.
    EXPECT_EQ(I().commandState, ListCommand::CorrectPick);
    EXPECT_EQ(Names(), (std::vector<std::string>{"山田", "佐藤　花子", "鈴木"}));
    Click(Button(6));
    EXPECT_EQ(TakeMessages(), (std::vector<QString>{"修正する行を指定して下さい"}));
    EXPECT_EQ(S().rosterList.size(), 3u);
    // A press below the roster picks nobody.
    PressRow(5);
    EXPECT_EQ(I().commandState, ListCommand::CorrectPick);

    // The unsaved question follows the roster as for registration.
    EXPECT_TRUE(form->HasUnsavedChanges());
}

TEST_F(CorrectMemberTest, EscAnotherCommandOrTheCommandItselfGivesUpAndEmptiesTheBoxes) {
    LoadMembers({"A", "B"});
    const std::function<void()> giveUp[] = {
        [&] { QTest::keyClick(form.get(), Qt::Key_Escape); },
        [&] { QTest::keyClick(Edit(1), Qt::Key_Escape); },
        [&] { Click(Image(3)); },  // 順移動
        [&] { Click(Command()); },
        [&] { Click(Button(3)); },  // the grouping mode
    };
    for (const auto& action : giveUp) {
        Click(Button(2));
        Pick(1);
        ASSERT_EQ(I().commandState, ListCommand::CorrectEdit);
        action();
        EXPECT_FALSE(I().correctButtonOn);
        EXPECT_FALSE(Prompt()->isVisibleTo(form.get()));
        EXPECT_TRUE(Edit(1)->text().isEmpty());
        EXPECT_TRUE(Date("Year")->text().isEmpty());
        EXPECT_EQ(Names(), (std::vector<std::string>{"A", "B"}));
    }
    // Nothing picked: Esc switches 修正 off and leaves what was typed.
    Click(Button(2));
    Click(Command());
    Retype(Edit(1), QStringLiteral("C"));
    QTest::keyClick(form.get(), Qt::Key_Escape);
    EXPECT_FALSE(I().correctButtonOn);
    EXPECT_EQ(Edit(1)->text(), QStringLiteral("C"));
}

TEST_F(CorrectMemberTest, ANameTheBoxCannotHoldIsNotTakenForCorrection) {
    Load(
        WriteRoster("long.txt", {"とても長い名前の会員さん,T,男,0,0,0,0,0,", "B,T,男,0,0,0,0,0,"}));
    Pick(0);
    EXPECT_EQ(TakeMessages(),
              (std::vector<QString>{"この行の氏名かチームは長すぎるため修正出来ません"}));
    EXPECT_EQ(I().commandState, ListCommand::CorrectPick);
    Pick(1);
    EXPECT_EQ(I().commandState, ListCommand::CorrectEdit);
}

TEST_F(CorrectMemberTest, RegistrationTakesADateOfBirthOrSaysWhatIsWrong) {
    const QDate tomorrow = QDate::currentDate().addDays(1);
    const QString thisYear = QString::number(QDate::currentDate().year());
    const struct {
        QString year, month, day;
        std::vector<QString> messages;
        const char* line;  // nullptr when nothing is registered
    } cases[] = {
        {"", "", "", {}, "A,T,男,0,0,0,0,0,"},
        {"1931", "5", "7", {}, "A,T,男,19310507,0,0,0,0,"},
        {"1899", "5", "7", {"生年月日の年は1900から" + thisYear + "までにして下さい"}, nullptr},
        {"1931", "4", "31", {"生年月日の日は4月なら1から30までにして下さい"}, nullptr},
        {QString::number(tomorrow.year()),
         QString::number(tomorrow.month()),
         QString::number(tomorrow.day()),
         {"生年月日が今日より後になっています"},
         nullptr},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.year.toStdString() + "/" + c.month.toStdString());
        const std::vector<std::string> before = Lines();
        Retype(Edit(1), QStringLiteral("A"));
        Retype(Edit(2), QStringLiteral("T"));
        QTest::mouseClick(GenderItem(0), Qt::LeftButton);
        Retype(Date("Year"), c.year);
        Retype(Date("Month"), c.month);
        Retype(Date("Day"), c.day);
        Click(Button(6));
        EXPECT_EQ(TakeMessages(), c.messages);
        std::vector<std::string> expected = before;
        if (c.line) expected.push_back(c.line);
        EXPECT_EQ(Lines(), expected);
        // A date goes with the member registered; a wrong one stays to be mended.
        EXPECT_EQ(Date("Month")->text().isEmpty(), c.line != nullptr);
    }
    // The boxes take digits only up to their size, and a click empties them.
    Retype(Date("Year"), QStringLiteral("195012"));
    EXPECT_EQ(Date("Year")->text(), QStringLiteral("1950"));
    Click(Date("Year"));
    EXPECT_TRUE(Date("Year")->text().isEmpty());
    EXPECT_FALSE(Date("Year")->TakesComposition());
}

TEST_F(CorrectMemberTest, AMemberWithStrokesKeepsTheCardUnderTheCorrectedName) {
    Meet({"A", "B", "C"}, "", {{0, 1, 2}});
    Open("1");
    SetRounds(1);
    Type("123");
    ASSERT_EQ(Card(0, 1, 1), "1");
    W().close();
    form->Results().Scores().MarkSaved();
    EXPECT_FALSE(form->HasUnsavedChanges());

    Click(Button(2));  // back to the registration mode: the groups go
    Pick(0);
    Put(Edit(1), "安藤");
    Click(Button(6));
    ASSERT_EQ(Names(), (std::vector<std::string>{"安藤", "B", "C"}));
    EXPECT_EQ(Card(0, 1, 1), "1");
    EXPECT_EQ(Card(1, 1, 1), "2");
    // A results file saved before names the member by the old line.
    EXPECT_TRUE(form->Results().Scores().Unsaved());
    EXPECT_TRUE(form->HasUnsavedChanges());

    // The results window shows the member under the new name.
    Click(Button(4));
    Click(Find<QPushButton>("ResultsButton"));
    EXPECT_EQ(RankedNames(), (std::vector<std::string>{"安藤", "B", "C"}));
}

}  // namespace
}  // namespace tovi::test
