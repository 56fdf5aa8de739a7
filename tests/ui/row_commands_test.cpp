// Moving and deleting members by presses on the member list, and the command
// pictures that switch these commands and their prompts.
#include <QPushButton>

#include "ui/window_fixture.h"

namespace tovi::test {
namespace {

class RowCommandTest : public WindowTest {
protected:
    void SetUp() override {
        WindowTest::SetUp();
        LoadMembers({"A", "B", "C", "D"});
        Observe(Image(1), &rec);
    }
    // Where the red "*" of a row stands on the picture.
    static QRect StarArea(int row) { return QRect(36, 30 * row + 3, 14, 25); }
    static QColor Face(PictureWidget* picture) { return PixelAt(picture->Image(), 3, 17); }

    RecordingSurface rec;
};

TEST_F(RowCommandTest, MovePutsTheMemberAboveTheOneOnTheDestinationRow) {
    const struct {
        int sourceY, targetY;
        std::vector<std::string> order;
    } cases[] = {
        {15, 75, {"B", "A", "C", "D"}},   // A onto row 2
        {105, 45, {"A", "D", "B", "C"}},  // D onto row 1
        {45, 135, {"A", "C", "D", "B"}},  // B onto row 4, the first empty row
        {29, 120, {"B", "C", "D", "A"}},  // y 29 is still row 0; y 120 is row 4
        {75, 60, {"A", "B", "C", "D"}},   // own row
        {30, 60, {"A", "B", "C", "D"}},   // y 30 is row 1; the row below leaves the order
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.sourceY);
        LoadMembers({"A", "B", "C", "D"});
        Click(Image(3));
        ASSERT_EQ(I().commandState, ListCommand::MoveSource);
        const int source = c.sourceY / 30;
        rec.Clear();
        PressList(c.sourceY, 300);
        EXPECT_EQ(I().commandState, ListCommand::MoveTarget);
        EXPECT_EQ(I().selectedRow, source);
        EXPECT_EQ(MarkAt(rec, source, 38), "* red");
        EXPECT_GT(RedInk(Image(1)->Image(), StarArea(source)), 0);

        PressList(c.targetY, 460, Qt::RightButton);
        EXPECT_EQ(Names(), c.order);
        EXPECT_EQ(I().targetRow, c.targetY / 30);
        EXPECT_EQ(MarkAt(rec, source, 38), "");
        EXPECT_EQ(RedInk(Image(1)->Image(), StarArea(source)), 0);
        // Ready for the next move, prompt still shown.
        EXPECT_EQ(I().commandState, ListCommand::MoveSource);
        EXPECT_TRUE(I().moveButtonOn);
        EXPECT_TRUE(Image(8)->isVisibleTo(Panel(3)));
        // The list was redrawn: the row texts show the new order.
        EXPECT_EQ(rec.texts.back().y, 6 + 30 * 3);
        Click(Image(3));
    }
    EXPECT_TRUE(dialogs.Messages().empty());
}

TEST_F(RowCommandTest, ADestinationTooFarDownIsIgnoredAndTheSourceStaysMarked) {
    Click(Image(3));
    PressRow(5);  // no member: no source
    EXPECT_EQ(I().commandState, ListCommand::MoveSource);
    EXPECT_TRUE(rec.texts.empty());

    PressRow(0);
    rec.Clear();
    PressRow(5);
    PressRow(39);
    EXPECT_EQ(I().commandState, ListCommand::MoveTarget);
    EXPECT_EQ(Names(), (std::vector<std::string>{"A", "B", "C", "D"}));
    EXPECT_TRUE(rec.texts.empty());
    EXPECT_GT(RedInk(Image(1)->Image(), StarArea(0)), 0);

    PressRow(4);  // one below the last member is still a place
    EXPECT_EQ(Names(), (std::vector<std::string>{"B", "C", "D", "A"}));
    EXPECT_EQ(I().commandState, ListCommand::MoveSource);
}

TEST_F(RowCommandTest, CancellingAMoveAfterTheSourcePressErasesTheStar) {
    // Switching 順移動 off, or another command on, cancels the move.
    const struct {
        const char* what;
        const char* picture;
        ListCommand state;
    } cases[] = {
        {"順移動 off", "Image3", ListCommand::None},
        {"削除 on", "Image4", ListCommand::Delete},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        Click(Image(3));
        PressRow(2);
        ASSERT_GT(RedInk(Image(1)->Image(), StarArea(2)), 0);
        Click(Find<PictureWidget>(c.picture));
        EXPECT_EQ(I().commandState, c.state);
        EXPECT_FALSE(I().moveButtonOn);
        EXPECT_FALSE(Image(8)->isVisibleTo(Panel(3)));
        EXPECT_EQ(MarkAt(rec, 2, 38), "");
        EXPECT_EQ(RedInk(Image(1)->Image(), StarArea(2)), 0);
        EXPECT_EQ(Names(), (std::vector<std::string>{"A", "B", "C", "D"}));
        if (I().deleteButtonOn) Click(Image(4));
    }
}

TEST_F(RowCommandTest, DeleteAsksAndRemovesOnlyOnYes) {
    const struct {
        bool yes;
        int row;
        std::vector<std::string> left;
    } cases[] = {
        {false, 1, {"A", "B", "C", "D"}},
        {true, 1, {"A", "C", "D"}},
        {true, 6, {"A", "C", "D"}},  // no member there: nothing to remove
        {true, 3, {"A", "C", "D"}},  // the row freed by the first deletion
        {true, 0, {"C", "D"}},
    };
    Click(Image(4));
    for (const auto& c : cases) {
        SCOPED_TRACE(c.row);
        dialogs.yesNoAnswers.push_back(c.yes);
        rec.Clear();
        dialogs.ClearShown();
        PressRow(c.row);
        ASSERT_EQ(dialogs.shown.size(), 1u);
        EXPECT_EQ(dialogs.shown[0].kind, ScriptedDialogs::Kind::YesNo);
        EXPECT_EQ(dialogs.shown[0].caption, QStringLiteral("削除"));
        EXPECT_EQ(dialogs.shown[0].text, QStringLiteral("この行を削除しますか"));
        EXPECT_EQ(Names(), c.left);
        EXPECT_EQ(I().selectedRow, c.row);
        // Marked red while asking, erased afterwards.
        ASSERT_NE(rec.FindText("*"), nullptr);
        EXPECT_EQ(rec.FindText("*")->color, kRed);
        EXPECT_EQ(MarkAt(rec, c.row, 38), "");
        EXPECT_EQ(RedInk(Image(1)->Image(), StarArea(c.row)), 0);
        // Redrawn every time: the erase pass covers one row past the roster.
        int erased = 0;
        for (const auto& t : rec.texts) erased += t.color == kWhite && t.x == 45;
        EXPECT_EQ(erased, static_cast<int>(c.left.size()) + 1);
        EXPECT_EQ(I().commandState, ListCommand::Delete);
        EXPECT_TRUE(I().deleteButtonOn);
        EXPECT_TRUE(Image(5)->isVisibleTo(Panel(3)));
    }
}

TEST_F(RowCommandTest, DeletingTheOnlyMemberLeavesAnEmptyRosterAndTheCommandOn) {
    LoadMembers({"A"});
    Click(Image(4));
    dialogs.yesNoAnswers.push_back(true);
    PressRow(0);
    EXPECT_TRUE(S().rosterList.empty());
    EXPECT_EQ(I().commandState, ListCommand::Delete);
    // The name is gone from the picture as well.
    EXPECT_EQ(DarkInk(Image(1)->Image(), QRect(40, 3, 130, 25)), 0);
}

TEST_F(RowCommandTest, OnlyOnePromptIsShownAndTheFacesFollowTheCommand) {
    const QColor yellow(255, 255, 0), white(Qt::white);
    const struct {
        const char* click;
        ListCommand state;
        bool movePrompt, deletePrompt;
    } steps[] = {
        {"Image3", ListCommand::MoveSource, true, false},
        {"Image4", ListCommand::Delete, false, true},
        {"Image3", ListCommand::MoveSource, true, false},
        {"Image3", ListCommand::None, false, false},
        {"Image4", ListCommand::Delete, false, true},
        {"Image4", ListCommand::None, false, false},
    };
    for (const auto& step : steps) {
        Click(Find<PictureWidget>(step.click));
        EXPECT_EQ(I().commandState, step.state);
        EXPECT_EQ(Image(8)->isVisibleTo(Panel(3)), step.movePrompt);
        EXPECT_EQ(Image(5)->isVisibleTo(Panel(3)), step.deletePrompt);
        EXPECT_EQ(Face(Image(3)), step.movePrompt ? yellow : white);
        EXPECT_EQ(Face(Image(4)), step.deletePrompt ? yellow : white);
    }
}

TEST_F(RowCommandTest, WithNoCommandAPressDoesNothing) {
    dialogs.ClearShown();
    PressRow(1);
    EXPECT_TRUE(rec.texts.empty());
    EXPECT_EQ(Names(), (std::vector<std::string>{"A", "B", "C", "D"}));
    EXPECT_TRUE(dialogs.shown.empty());
}

}  // namespace
}  // namespace tovi::test
