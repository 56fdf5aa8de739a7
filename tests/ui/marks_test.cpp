// Participation and leader marks set by presses on the member list in
// grouping mode: the flags, the marks drawn beside the rows and the counts.
#include <QLabel>
#include <QPushButton>
#include <QScrollArea>

#include "ui/window_fixture.h"

namespace tovi::test {
namespace {

class MarkTest : public WindowTest {
protected:
    void SetUp() override {
        WindowTest::SetUp();
        LoadMembers({"A", "B", "C", "D"}, "MFMF");
        Click(Button(3));
        Observe(Image(1), &rec);
    }
    std::string Players() { return Label(8)->text().toStdString(); }
    std::string Proposal() { return Edit(6)->text().toStdString(); }

    RecordingSurface rec;
};

TEST_F(MarkTest, PressesToggleTheFlagsAndTheMarkFollows) {
    enum Command { Entry, Leader };
    struct Step {
        Command command;
        int entry, leader;
        const char* mark;
        const char* players;
        const char* proposal;
    };
    const struct {
        const char* what;
        std::vector<Step> steps;
    } cases[] = {
        {"participation twice", {{Entry, 1, 0, "出場", "1", ""}, {Entry, 0, 0, "", "0", ""}}},
        {"leader on a member who does not play, then again",
         {{Leader, 1, 1, "リーダ", "1", "1"}, {Leader, 1, 0, "出場", "1", ""}}},
        {"participation on a leader",
         {{Leader, 1, 1, "リーダ", "1", "1"},
          {Entry, 1, 0, "出場", "1", ""},
          {Entry, 0, 0, "", "0", ""}}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        for (const Step& step : c.steps) {
            PictureWidget* picture = step.command == Entry ? Image(6) : Image(7);
            const ListCommand wanted =
                step.command == Entry ? ListCommand::Entry : ListCommand::Leader;
            if (I().commandState != wanted) Click(picture);
            ASSERT_EQ(I().commandState, wanted);
            PressList(30 * 2 + 1, 5);  // member C, at the far left of its row
            EXPECT_EQ(I().selectedRow, 2);
            EXPECT_EQ(S().entryFlag[2], step.entry);
            EXPECT_EQ(S().leaderFlag[2], step.leader);
            EXPECT_EQ(MarkAt(rec, 2, 388), step.mark);
            const int ink = DarkInk(Image(1)->Image(), MarksColumn(2));
            if (*step.mark)
                EXPECT_GT(ink, 0);
            else
                EXPECT_EQ(ink, 0);
            EXPECT_EQ(Players(), step.players);
            EXPECT_EQ(S().leaderCount, step.leader);
            EXPECT_EQ(Proposal(), step.proposal);
            EXPECT_EQ(I().commandState, wanted);
        }
    }
    EXPECT_TRUE(dialogs.Messages().empty());
}

TEST_F(MarkTest, TheCountsSplitThePlayersByGender) {
    Click(Image(6));
    for (int row : {0, 1, 3}) PressRow(row);
    EXPECT_EQ(S().entryList, (std::vector<int>{1, 2, 4}));
    EXPECT_EQ(S().maleList, (std::vector<int>{1}));
    EXPECT_EQ(S().femaleList, (std::vector<int>{2, 4}));
    EXPECT_EQ(Players(), "3");
    for (int row : {0, 1, 3}) EXPECT_EQ(MarkAt(rec, row, 388), "出場");
    EXPECT_EQ(MarkAt(rec, 2, 388), "");
}

TEST_F(MarkTest, PressesOnEmptyRowsChangeNothing) {
    Click(Image(6));
    PressRow(0);
    for (PictureWidget* picture : {Image(6), Image(7)}) {
        if (picture == Image(7)) Click(picture);
        rec.Clear();
        for (int row : {4, 5, 39}) PressRow(row);
        PressList(1200);  // the bottom line of the picture, row 40
        EXPECT_TRUE(rec.texts.empty());
        EXPECT_EQ(Players(), "1");
        EXPECT_EQ(S().entryList, std::vector<int>{1});
        for (int i = 4; i <= 40; ++i) {
            EXPECT_EQ(S().entryFlag[i], 0);
            EXPECT_EQ(S().leaderFlag[i], 0);
        }
    }
}

TEST_F(MarkTest, TheProposedGroupCountFollowsTheLeaders) {
    Click(Image(7));
    const struct {
        int row;
        const char* proposal;
    } presses[] = {{0, "1"}, {2, "2"}, {3, "3"}, {2, "2"}, {0, "1"}, {3, ""}};
    for (const auto& p : presses) {
        PressRow(p.row);
        EXPECT_EQ(Proposal(), p.proposal) << p.row;
    }
    // Every former leader still plays.
    EXPECT_EQ(Players(), "3");
}

TEST_F(MarkTest, SwitchingBetweenTheTwoMarkCommands) {
    const QColor yellow(255, 255, 0), white(Qt::white);
    auto face = [](PictureWidget* p) { return PixelAt(p->Image(), 3, 17); };
    Click(Image(6));
    EXPECT_EQ(face(Image(6)), yellow);
    Click(Image(7));
    EXPECT_EQ(I().commandState, ListCommand::Leader);
    EXPECT_FALSE(I().entryButtonOn);
    EXPECT_TRUE(I().leaderButtonOn);
    EXPECT_EQ(face(Image(6)), white);
    EXPECT_EQ(face(Image(7)), yellow);
    Click(Image(7));
    EXPECT_EQ(I().commandState, ListCommand::None);
    EXPECT_EQ(face(Image(7)), white);
    // With both off a press marks nobody.
    PressRow(0);
    EXPECT_EQ(S().entryFlag[0], 0);
}

TEST_F(MarkTest, TheThirtySeventhPlayerIsWarnedAboutAndKept) {
    std::vector<std::string> names;
    for (int i = 1; i <= 38; ++i) names.push_back("M" + std::to_string(i));
    LoadMembers(names);
    Click(Image(7));
    PressRow(0);  // one leader, so the proposal has something to keep
    Click(Image(6));
    for (int row = 1; row < 36; ++row) PressRow(row);
    EXPECT_EQ(Players(), "36");
    EXPECT_TRUE(dialogs.Messages().empty());

    PressRow(36);
    EXPECT_EQ(S().entryFlag[36], 1);
    EXPECT_EQ(Players(), "37");
    EXPECT_EQ(MarkAt(rec, 36, 388), "出場");
    EXPECT_EQ(TakeMessages(), std::vector<QString>{QStringLiteral("出場者が３６名を超えています")});
    EXPECT_TRUE(Image(1)->isVisibleTo(Find<QScrollArea>("ScrollBox1")));

    // While above the limit the leader count and the proposal are not updated.
    Click(Image(7));
    PressRow(0);
    EXPECT_EQ(S().leaderFlag[0], 0);
    EXPECT_EQ(Proposal(), "1");
    EXPECT_EQ(TakeMessages().size(), 1u);

    // Back to 36: no warning, and the proposal catches up.
    Click(Image(6));
    PressRow(0);
    EXPECT_EQ(Players(), "36");
    EXPECT_TRUE(TakeMessages().empty());
    EXPECT_EQ(Proposal(), "");
}

}  // namespace
}  // namespace tovi::test
