// Grouping from the window: pasting and returning members by presses on the
// list and the group boxes, the automatic run through its start button, and
// the road of a whole meeting.
#include <QCheckBox>
#include <QLabel>
#include <QPushButton>

#include <algorithm>
#include <array>
#include <map>

#include "ui/window_fixture.h"

namespace tovi::test {
namespace {

class GroupingWindowTest : public WindowTest {
protected:
    void SetUp() override {
        WindowTest::SetUp();
        LoadMembers({"A", "B", "C", "D", "E", "F", "G", "H"});
        Click(Button(3));
        AttachRecorders();
    }
    void AttachRecorders() {
        Observe(Image(1), &list);
        for (int g = 1; g <= MaxGroups; ++g) Observe(GroupBox(g), &boxes[g]);
    }
    void ClearRecorders() {
        list.Clear();
        for (auto& box : boxes) box.Clear();
    }
    // Registration and back: every flag and group cleared, by the mode buttons.
    void StartOver() {
        Click(Button(2));
        Click(Button(3));
    }
    void PasteOn() {
        if (!I().pasteButtonOn) Click(Image(9));
    }
    void Paste(int row, int group) {
        PasteOn();
        PressRow(row);
        PressGroup(group, 10);
    }
    // The names a box shows, as "x,y:name" from the top: a later write on a
    // row replaces the earlier one, a blank line empties the row.
    std::vector<std::string> BoxLog(int g) {
        std::map<int, std::string> rows;
        for (const auto& t : boxes[g].texts) {
            if (t.x == 3)
                rows.erase(t.y);
            else if (t.x == 9)
                rows[t.y] = "9," + std::to_string(t.y) + ":" + Cp932ToUtf8(t.text);
        }
        std::vector<std::string> log;
        for (const auto& [y, text] : rows) log.push_back(text);
        return log;
    }
    static std::vector<std::string> Rows(const std::vector<std::string>& names) {
        std::vector<std::string> rows;
        for (std::size_t i = 0; i < names.size(); ++i)
            rows.push_back("9," + std::to_string(18 * i + 6) + ":" + names[i]);
        return rows;
    }
    std::string Placed() { return Label(27)->text().toStdString(); }
    std::string Players() { return Label(8)->text().toStdString(); }
    bool BoxesAccept() {
        for (int g = 1; g <= MaxGroups; ++g)
            if (GroupBox(g)->IgnoresPresses()) return false;
        return true;
    }
    bool BoxesIgnore() {
        for (int g = 1; g <= MaxGroups; ++g)
            if (!GroupBox(g)->IgnoresPresses()) return false;
        return true;
    }
    void TypeGroupCount(const char* text) {
        Click(Edit(6));
        QTest::keyClicks(Edit(6), text);
    }

    RecordingSurface list;
    std::array<RecordingSurface, MaxGroups + 1> boxes;
};

TEST_F(GroupingWindowTest, PasteFillsAGroupToSixAndThenRefuses) {
    // Nobody plays here: any member in no group can be pasted.
    for (int row = 0; row < 6; ++row) {
        SCOPED_TRACE(row);
        PasteOn();
        PressRow(row);
        EXPECT_EQ(I().pickedMember, std::to_string(row));
        EXPECT_EQ(MarkAt(list, row, 450), "⇒");
        EXPECT_TRUE(BoxesAccept());
        PressGroup(1, 100);  // anywhere in the box
        EXPECT_EQ(S().groupList[1].size(), static_cast<std::size_t>(row + 1));
        EXPECT_EQ(S().placedFlag[row], 1);
        EXPECT_EQ(MarkAt(list, row, 450), "⇒ red");
        EXPECT_EQ(Placed(), std::to_string(row + 1));
        EXPECT_TRUE(I().pickedMember.empty());
        EXPECT_TRUE(BoxesIgnore());
        EXPECT_EQ(I().commandState, ListCommand::PastePick);
    }
    EXPECT_TRUE(dialogs.Messages().empty());
    EXPECT_EQ(BoxLog(1), Rows({"A", "B", "C", "D", "E", "F"}));

    PressRow(6);
    PressGroup(1, 10);
    EXPECT_EQ(TakeMessages(), std::vector<QString>{QStringLiteral("人数オーバーです")});
    EXPECT_EQ(S().groupList[1].size(), 6u);
    EXPECT_EQ(I().pickedMember, "6");
    EXPECT_EQ(S().placedFlag[6], 0);
    EXPECT_EQ(MarkAt(list, 6, 450), "");  // the redraw of the marks wipes the pick
    EXPECT_TRUE(BoxesAccept());
    EXPECT_EQ(Placed(), "6");

    PressGroup(2, 10);  // the pick is still there for another group
    EXPECT_EQ(Group(2), std::vector<std::string>{"G"});
    EXPECT_EQ(MarkAt(list, 6, 450), "⇒ red");
    EXPECT_EQ(Placed(), "7");
    EXPECT_EQ(BoxLog(2), Rows({"G"}));
}

TEST_F(GroupingWindowTest, PlacedMembersAndEmptyRowsCannotBePicked) {
    Paste(0, 1);
    ClearRecorders();
    PressGroup(2, 10);  // no pick since the paste: the boxes ignore presses
    EXPECT_TRUE(S().groupList[2].empty());
    PressRow(0);  // placed
    EXPECT_TRUE(I().pickedMember.empty());
    EXPECT_TRUE(BoxesIgnore());
    EXPECT_TRUE(list.texts.empty());

    // A refused pick also drops an earlier one; the boxes then paste nothing.
    PressRow(1);
    PressRow(9);
    EXPECT_TRUE(I().pickedMember.empty());
    EXPECT_TRUE(BoxesAccept());
    PressGroup(2, 10);
    EXPECT_TRUE(S().groupList[2].empty());
    EXPECT_TRUE(dialogs.Messages().empty());
    EXPECT_EQ(Placed(), "1");
}

TEST_F(GroupingWindowTest, SwitchingCommandsKeepsThePick) {
    const std::vector<std::vector<const char*>> switches = {
        {"Image9", "Image9"},   // 貼り付け off and on again
        {"Image10", "Image9"},  // 戻す on, then 貼り付け
        {"Image6", "Image9"},   // 出場設定 on, then 貼り付け
    };
    int row = 0;
    for (const auto& clicks : switches) {
        PasteOn();
        PressRow(row);
        for (const char* picture : clicks) Click(Find<PictureWidget>(picture));
        EXPECT_EQ(I().pickedMember, std::to_string(row));
        ASSERT_TRUE(I().pasteButtonOn);
        PressGroup(3, 10);
        EXPECT_EQ(S().groupList[3].back(), std::to_string(row));
        ++row;
    }
    EXPECT_EQ(Group(3), (std::vector<std::string>{"A", "B", "C"}));
}

TEST_F(GroupingWindowTest, WithNeitherCommandOnABoxPressDoesNothing) {
    PasteOn();
    PressRow(0);
    Click(Image(9));  // off; the pick and the accepting boxes stay
    ASSERT_EQ(I().commandState, ListCommand::None);
    ASSERT_TRUE(BoxesAccept());
    ClearRecorders();
    dialogs.ClearShown();
    PressGroup(1, 10);
    EXPECT_TRUE(S().groupList[1].empty());
    EXPECT_TRUE(dialogs.shown.empty());
    EXPECT_TRUE(boxes[1].texts.empty());
    EXPECT_EQ(I().pickedMember, "0");

    Click(Image(10));  // 戻す on and off: the boxes keep accepting
    Click(Image(10));
    PressGroup(1, 10);
    EXPECT_TRUE(dialogs.shown.empty());
}

TEST_F(GroupingWindowTest, ReturnTakesTheMemberOnThePressedRow) {
    const struct {
        int y;
        std::vector<std::string> left;
    } cases[] = {
        {0, {"B", "C", "D"}},  {20, {"B", "C", "D"}}, {21, {"A", "C", "D"}},
        {38, {"A", "C", "D"}}, {39, {"A", "B", "D"}}, {74, {"A", "B", "C"}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.y);
        StartOver();
        for (int row = 0; row < 4; ++row) Paste(row, 3);
        Paste(4, 1);
        ASSERT_EQ(Placed(), "5");
        Click(Image(10));
        ClearRecorders();
        const int returned = (c.y - 3) / 18;
        PressGroup(3, c.y);
        EXPECT_TRUE(dialogs.Messages().empty());
        EXPECT_EQ(Group(3), c.left);
        EXPECT_EQ(S().placedFlag[returned], 0);
        EXPECT_EQ(MarkAt(list, returned, 450), "");
        EXPECT_EQ(Placed(), "4");
        // Box 3 alone is blanked and drawn again; the others are drawn over.
        int blanks = 0;
        for (const auto& t : boxes[3].texts) blanks += t.x == 3;
        EXPECT_EQ(blanks, 6);
        EXPECT_EQ(BoxLog(3), Rows(c.left));
        EXPECT_EQ(BoxLog(1), Rows({"E"}));
        for (int g : {1, 2, 4, 5, 6}) {
            for (const auto& t : boxes[g].texts) EXPECT_NE(t.x, 3) << g;
        }
        // The command stays on for the next return.
        EXPECT_EQ(I().commandState, ListCommand::Return);
        EXPECT_TRUE(BoxesAccept());
    }
}

TEST_F(GroupingWindowTest, ReturnBelowTheLastNameOrOnAnEmptyGroupIsOutOfPlace) {
    Paste(0, 2);
    Paste(1, 2);
    Click(Image(10));
    const struct { int group, y; } cases[] = {{2, 39}, {2, 120}, {5, 10}};
    for (const auto& c : cases) {
        ClearRecorders();
        PressGroup(c.group, c.y);
        EXPECT_EQ(TakeMessages(), std::vector<QString>{QStringLiteral("位置が外れています")});
        EXPECT_EQ(Group(2), (std::vector<std::string>{"A", "B"}));
        EXPECT_EQ(Placed(), "2");
        EXPECT_TRUE(list.texts.empty());
    }
    // A returned member can be picked and pasted again.
    PressGroup(2, 10);
    Paste(0, 4);
    EXPECT_EQ(Group(4), std::vector<std::string>{"A"});
    EXPECT_EQ(Placed(), "2");
}

class AutomaticGroupingWindowTest : public GroupingWindowTest {
protected:
    void SetUp() override {
        WindowTest::SetUp();
        std::vector<std::string> names;
        std::string genders;
        for (int i = 0; i < 38; ++i) {
            names.push_back((i % 2 ? "W" : "M") + std::to_string(i));
            genders += i % 2 ? 'F' : 'M';
        }
        LoadMembers(names, genders);
        Click(Button(3));
        AttachRecorders();
    }
    // Marks players and leaders by presses, with every mark cleared first.
    void Mark(const std::vector<int>& players, const std::vector<int>& leaders) {
        StartOver();
        Click(Image(6));
        for (int row : players) PressRow(row);
        Click(Image(7));
        for (int row : leaders) PressRow(row);
        Click(Image(7));
    }
    static std::vector<int> Range(int from, int to) {
        std::vector<int> rows;
        for (int r = from; r < to; ++r) rows.push_back(r);
        return rows;
    }
    bool IsMan(const std::string& entry) { return std::stoi(entry) % 2 == 0; }
};

TEST_F(AutomaticGroupingWindowTest, ABalancedRunDrawsTheGroupsMarksAndCounts) {
    // Four men (rows 0 2 4 6) and five women (1 3 5 7 9).
    Mark({0, 1, 2, 3, 4, 5, 6, 7, 9}, {});
    TypeGroupCount("3");
    dialogs.ClearShown();
    ClearRecorders();
    Click(Button(1));
    EXPECT_TRUE(dialogs.Messages().empty());
    for (int g = 1; g <= 3; ++g) {
        SCOPED_TRACE(g);
        ASSERT_EQ(S().groupList[g].size(), 3u);
        int men = 0;
        for (const auto& entry : S().groupList[g]) men += IsMan(entry);
        EXPECT_EQ(men, g == 1 ? 2 : 1);
        EXPECT_EQ(BoxLog(g), Rows(Group(g)));
    }
    for (int g = 4; g <= 6; ++g) EXPECT_TRUE(S().groupList[g].empty());
    for (int row : {0, 1, 2, 3, 4, 5, 6, 7, 9}) EXPECT_EQ(MarkAt(list, row, 450), "⇒ red") << row;
    EXPECT_EQ(MarkAt(list, 8, 450), "");
    EXPECT_EQ(Placed(), "9");
    EXPECT_EQ(Players(), "9");

    // Without leaders the box is emptied by the refresh: a new number is needed.
    EXPECT_TRUE(Edit(6)->text().isEmpty());
    Click(Button(1));
    EXPECT_EQ(TakeMessages(), std::vector<QString>{QStringLiteral("組数を入力して下さい")});
    EXPECT_EQ(S().groupList[1].size(), 3u);
}

TEST_F(AutomaticGroupingWindowTest, APlainRunDealsRoundTheGroups) {
    Mark(Range(0, 7), {});
    CheckBox(4)->setChecked(false);
    TypeGroupCount("2");
    Click(Button(1));
    EXPECT_TRUE(dialogs.Messages().empty());
    EXPECT_EQ(S().groupList[1].size(), 4u);
    EXPECT_EQ(S().groupList[2].size(), 3u);
    EXPECT_EQ(Placed(), "7");
}

TEST_F(AutomaticGroupingWindowTest, RefusedAndCutShortRunsShowTheirMessagesInOrder) {
    const std::vector<int> none;
    const struct {
        const char* what;
        std::vector<int> players, leaders;
        bool balanced;
        const char* count;
        std::vector<QString> messages;
        std::array<std::size_t, 3> sizes;  // groups 1..3 afterwards
        bool boxesDrawn;
        // Refused by the checks before the run: nothing changes, not even
        // the grouping made by hand.
        bool refusedByChecks;
    } cases[] = {
        {"no players", none, none, true, "3", {"出場者がありません"}, {}, false, true},
        {"no count", Range(0, 4), none, true, "", {"組数を入力して下さい"}, {}, false, true},
        {"above six", Range(0, 4), none, true, "7", {"６組を超えています"}, {}, false, true},
        {"too few leaders",
         Range(0, 13),
         {0, 1},
         true,
         "2",
         {"リダー数が足りません"},
         {},
         false,
         true},
        {"plain, too few groups",
         Range(0, 13),
         none,
         false,
         "2",
         {"組数を増やして下さい"},
         {},
         false,
         false},
        {"plain, zero groups",
         Range(0, 4),
         none,
         false,
         "0",
         {"組数を増やして下さい"},
         {},
         false,
         false},
        {"balanced, negative",
         Range(0, 4),
         none,
         true,
         "-1",
         {"組数を増やして下さい"},
         {},
         false,
         false},
        {"balanced, 37 players",
         Range(0, 37),
         none,
         true,
         "6",
         {"組数を増やして下さい", "出場者が３６名を超えています"},
         {},
         false,
         false},
        {"plain, more groups than leaders",
         Range(0, 4),
         {0},
         false,
         "2",
         {"リーダ数と組数が合いませんe"},
         {2, 1, 0},
         false,
         false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        Mark(c.players, c.leaders);
        // A grouping made by hand beforehand, to see what each outcome keeps.
        Paste(37, 6);
        CheckBox(4)->setChecked(c.balanced);
        TypeGroupCount(c.count);
        const std::string placedBefore = Placed();
        dialogs.ClearShown();
        ClearRecorders();
        Click(Button(1));
        EXPECT_EQ(dialogs.Messages(), c.messages);
        for (int g = 1; g <= 3; ++g) EXPECT_EQ(S().groupList[g].size(), c.sizes[g - 1]) << g;
        const bool refused = c.messages.size() == 1 && list.texts.empty();
        EXPECT_EQ(refused, c.refusedByChecks);
        if (c.refusedByChecks) {
            // Nothing changed: the hand-made group is still there.
            EXPECT_EQ(Group(6), std::vector<std::string>{"W37"});
            EXPECT_EQ(Placed(), placedBefore);
        } else {
            EXPECT_TRUE(S().groupList[6].empty());
            EXPECT_EQ(S().placedFlag[37], 0);
        }
        for (int g = 1; g <= MaxGroups; ++g) EXPECT_EQ(!BoxLog(g).empty(), c.boxesDrawn) << g;
        if (I().pasteButtonOn) Click(Image(9));
    }
}

TEST_F(WindowTest, TheRoadOfAMeeting) {
    std::vector<std::string> lines;
    for (int i = 0; i < 14; ++i)
        lines.push_back("P" + std::to_string(i) + ",町" + std::to_string(i % 3) + "," +
                        (i % 2 ? "女" : "男") + ",0,0,0,0,0,");
    Load(WriteRoster("club.txt", lines));
    ASSERT_EQ(S().rosterList.size(), 14u);

    Click(Button(3));
    Click(Image(6));
    for (int row = 0; row < 12; ++row) PressRow(row);
    Click(Image(7));
    PressRow(3);
    PressRow(8);
    EXPECT_EQ(Label(8)->text(), "12");
    EXPECT_EQ(Edit(6)->text(), "2");
    ASSERT_TRUE(CheckBox(4)->isChecked());

    Click(Button(1));
    EXPECT_TRUE(dialogs.Messages().empty());
    std::vector<std::string> leaders;
    for (int g = 1; g <= 2; ++g) {
        ASSERT_EQ(S().groupList[g].size(), 6u) << g;
        const int head = std::stoi(S().groupList[g][0]);
        EXPECT_EQ(S().leaderFlag[head], 1) << g;
        for (std::size_t i = 1; i < 6; ++i)
            EXPECT_EQ(S().leaderFlag[std::stoi(S().groupList[g][i])], 0);
        leaders.push_back(Group(g)[0]);
    }
    std::sort(leaders.begin(), leaders.end());
    EXPECT_EQ(leaders, (std::vector<std::string>{"P3", "P8"}));
    for (int g = 3; g <= MaxGroups; ++g) EXPECT_TRUE(S().groupList[g].empty());
    EXPECT_EQ(Label(27)->text(), "12");
    EXPECT_EQ(Edit(6)->text(), "2");

    // Take the third member of group 1 out and put it into group 3.
    const std::string moved = S().groupList[1][2];
    Click(Image(10));
    PressGroup(1, 18 * 2 + 10);
    EXPECT_EQ(S().groupList[1].size(), 5u);
    EXPECT_EQ(Label(27)->text(), "11");
    Click(Image(9));
    PressRow(std::stoi(moved));
    PressGroup(3, 10);
    EXPECT_EQ(S().groupList[3], std::vector<std::string>{moved});
    EXPECT_EQ(S().placedFlag[std::stoi(moved)], 1);
    EXPECT_EQ(Label(8)->text(), "12");
    EXPECT_EQ(Label(27)->text(), "12");
    EXPECT_TRUE(dialogs.Messages().empty());
}

}  // namespace
}  // namespace tovi::test
