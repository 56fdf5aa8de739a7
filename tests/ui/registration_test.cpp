// Registering members through the registration panel: the checks, the byte
// limits of the boxes, the gender selection and a round trip through a file.
#include <QButtonGroup>
#include <QPushButton>
#include <QRadioButton>

#include "ui/window_fixture.h"

namespace tovi::test {
namespace {

class RegistrationTest : public WindowTest {
protected:
    // Fills the panel as a user would and presses 登　録.  Gender -1 leaves no
    // item selected, which the panel itself cannot do.
    void Register(const QString& name, const QString& team, int gender) {
        Click(Edit(1));
        Commit(Edit(1), name);
        Click(Edit(2));
        Commit(Edit(2), team);
        if (gender >= 0)
            QTest::mouseClick(GenderItem(gender), Qt::LeftButton);
        else
            ChooseNoGender();
        Click(Button(6));
    }
    // Leaves neither item checked, through the items' button group.
    void ChooseNoGender() {
        QButtonGroup* group = GenderItem(0)->group();
        group->setExclusive(false);
        for (int i = 0; i < 2; ++i) GenderItem(i)->setChecked(false);
        group->setExclusive(true);
    }
    std::string Cell(int row, int column) { return Cp932ToUtf8(S().rosterTable[row][column]); }
};

TEST_F(RegistrationTest, TheChecksAndWhatTheyLeave) {
    const struct {
        QString name;
        int gender;
        std::vector<QString> messages;
        const char* line;  // UTF-8, nullptr when nothing is registered
    } cases[] = {
        {"", 0, {"氏名を入力して下さい"}, nullptr},
        {"X", -1, {"性別を入力して下さい"}, nullptr},
        {"", -1, {"氏名を入力して下さい", "性別を入力して下さい"}, nullptr},
        {"山田　花子", 1, {}, "山田　花子,東町,女,0,0,0,0,0,"},
        {"   ", 0, {}, "\"   \",東町,男,0,0,0,0,0,"},  // spaces only is a name
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name.toStdString());
        const auto before = S().rosterList;
        Register(c.name, QStringLiteral("東町"), c.gender);
        EXPECT_EQ(TakeMessages(), c.messages);
        auto expected = before;
        if (c.line) expected.push_back(Utf8ToCp932(c.line));
        EXPECT_EQ(S().rosterList, expected);
        EXPECT_EQ(form->Registration().GenderIndex(), 0);
        // The boxes keep what was typed.
        EXPECT_EQ(Edit(1)->text(), c.name);
        EXPECT_EQ(Edit(2)->text(), QStringLiteral("東町"));
    }
    EXPECT_EQ(Cell(0, 0), "山田　花子");
    EXPECT_EQ(Cell(0, 2), "女");
    EXPECT_EQ(Cell(1, 0), "   ");
    EXPECT_EQ(Cell(1, 2), "男");
}

TEST_F(RegistrationTest, TheFortiethIsAcceptedAndTheFortyFirstRefused) {
    std::vector<std::string> names;
    for (int i = 1; i <= 39; ++i) names.push_back("M" + std::to_string(i));
    LoadMembers(names);
    Register(QStringLiteral("Last"), QStringLiteral("T"), 1);
    EXPECT_TRUE(TakeMessages().empty());
    ASSERT_EQ(S().rosterList.size(), 40u);
    EXPECT_EQ(Cell(39, 0), "Last");
    EXPECT_EQ(form->Registration().GenderIndex(), 0);

    QTest::mouseClick(GenderItem(1), Qt::LeftButton);
    Click(Button(6));
    EXPECT_EQ(TakeMessages(),
              std::vector<QString>{QStringLiteral("登録出来ません。人数が超過します")});
    EXPECT_EQ(S().rosterList.size(), 40u);
    EXPECT_EQ(form->Registration().GenderIndex(), 1);
    EXPECT_EQ(Edit(1)->text(), QStringLiteral("Last"));
}

TEST_F(RegistrationTest, AnEmptyTeamIsRegisteredAndShownEmpty) {
    RecordingSurface rec;
    Observe(Image(1), &rec);
    Register(QStringLiteral("A"), QString(), 0);
    EXPECT_EQ(S().rosterList, std::vector<std::string>{Utf8ToCp932("A,,男,0,0,0,0,0,")});
    EXPECT_EQ(Cell(0, 1), "");
    const auto log = rec.TextLog();
    EXPECT_EQ(std::vector<std::string>(log.end() - 3, log.end()),
              (std::vector<std::string>{"45,6:A", "185,6:", "345,6:男"}));
}

TEST_F(RegistrationTest, TheBoxesTakeOnlyWhatFitsAndWhatCp932CanSpell) {
    // Seven double-byte characters fill the fourteen bytes of the name box.
    for (const QChar c : QStringLiteral("山田花子太郎次")) Commit(Edit(1), QString(c));
    EXPECT_EQ(Edit(1)->text(), QStringLiteral("山田花子太郎次"));
    Commit(Edit(1), QStringLiteral("x"));
    QTest::keyClicks(Edit(1), "a");
    EXPECT_EQ(Edit(1)->Bytes().size(), 14u);
    EXPECT_EQ(Edit(1)->text(), QStringLiteral("山田花子太郎次"));

    // Thirteen bytes leave no room for a double-byte character.
    Click(Edit(1));
    QTest::keyClicks(Edit(1), "abcdefghijklm");
    Commit(Edit(1), QStringLiteral("山"));
    EXPECT_EQ(Edit(1)->text(), QStringLiteral("abcdefghijklm"));
    QTest::keyClicks(Edit(1), "no");
    EXPECT_EQ(Edit(1)->text(), QStringLiteral("abcdefghijklmn"));

    // Sixteen bytes in the team box.
    QTest::keyClicks(Edit(2), "abcdefghijklmnopq");
    EXPECT_EQ(Edit(2)->text(), QStringLiteral("abcdefghijklmnop"));

    // Characters without a CP932 spelling are refused, not turned into "?".
    const QString refused[] = {QStringLiteral("한"), QStringLiteral("A😀"), QStringLiteral("é")};
    for (const QString& text : refused) {
        Click(Edit(1));
        Commit(Edit(1), text);
        EXPECT_TRUE(Edit(1)->text().isEmpty()) << text.toStdString();
    }
    Commit(Edit(1), QStringLiteral("Ａ－①"));
    EXPECT_EQ(Edit(1)->text(), QStringLiteral("Ａ－①"));

    // The longest name is registered whole.
    Click(Edit(1));
    for (const QChar c : QStringLiteral("山田花子太郎次")) Commit(Edit(1), QString(c));
    Click(Button(6));
    EXPECT_EQ(Cell(0, 0), "山田花子太郎次");
}

TEST_F(RegistrationTest, ANameWithASpaceAndACommaComesBackWholeFromTheFile) {
    Click(Edit(1));
    QTest::keyClicks(Edit(1), "A B,C\"D");
    Click(Edit(2));
    Commit(Edit(2), QStringLiteral("東 町,"));
    Click(Button(6));
    EXPECT_EQ(Cell(0, 0), "A B,C\"D");

    const QString path = folder.filePath("saved.txt");
    dialogs.saveAnswers.push_back(path);
    Click(Button(8));
    LoadMembers({"Other"});
    RecordingSurface rec;
    Observe(Image(1), &rec);
    Load(path);
    EXPECT_TRUE(dialogs.Messages().empty());
    ASSERT_EQ(S().rosterList.size(), 1u);
    EXPECT_EQ(Cell(0, 0), "A B,C\"D");
    EXPECT_EQ(Cell(0, 1), "東 町,");
    EXPECT_EQ(Cell(0, 2), "男");
    const auto log = rec.TextLog();
    EXPECT_EQ(std::vector<std::string>(log.end() - 3, log.end()),
              (std::vector<std::string>{"45,6:A B,C\"D", "185,6:東 町,", "345,6:男"}));
}

TEST_F(RegistrationTest, AClickIntoANameOrTeamBoxEmptiesThatBox) {
    Edit(1)->setText(QStringLiteral("name"));
    Edit(2)->setText(QStringLiteral("team"));
    Click(Edit(1));
    EXPECT_TRUE(Edit(1)->text().isEmpty());
    EXPECT_EQ(Edit(2)->text(), QStringLiteral("team"));
    Click(Edit(2));
    EXPECT_TRUE(Edit(2)->text().isEmpty());
}

}  // namespace
}  // namespace tovi::test
