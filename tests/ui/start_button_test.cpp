// The start button of automatic grouping, pressed in the window: what the run
// dealt must stay in the groups, be drawn in the boxes and be marked placed.
#include <QCheckBox>
#include <QLabel>
#include <QPushButton>

#include <algorithm>

#include "ui/window_fixture.h"

namespace tovi::test {
namespace {

class StartButtonTest : public WindowTest {
protected:
    // Loads five members, enters grouping mode and marks the given rows as
    // players and leaders by pressing them, as a user does.
    void Prepare(const std::vector<int>& players, const std::vector<int>& leaders) {
        Load(WriteRoster("r.txt", {"A,T,男,0,0,0,0,0,", "B,T,女,0,0,0,0,0,", "C,T,男,0,0,0,0,0,",
                                   "D,T,女,0,0,0,0,0,", "E,T,男,0,0,0,0,0,"}));
        Click(Button(3));
        Click(Image(6));
        for (int row : players) PressRow(row);
        Click(Image(7));
        for (int row : leaders) PressRow(row);
        Click(Image(7));
    }
    std::size_t Placed() {
        std::size_t total = 0;
        for (int g = 1; g <= MaxGroups; ++g) total += S().groupList[g].size();
        return total;
    }
};

TEST_F(StartButtonTest, TheDealtMembersStayInTheirGroupsAndMarks) {
    struct Case {
        const char* name;
        std::vector<int> players, leaders;
        const char* groupCount;
        bool balanced;
        std::size_t placed;   // members left in the groups
        const char* message;  // shown by the run, or nullptr
    };
    const Case cases[] = {
        {"plain", {0, 1, 2, 3, 4}, {}, "2", false, 5, nullptr},
        {"one group of three", {0, 1, 2}, {}, "1", false, 3, nullptr},
        {"balanced", {0, 1, 2, 3, 4}, {}, "3", true, 5, nullptr},
        {"leaders", {0, 1, 2, 3, 4}, {0, 3}, "2", true, 5, nullptr},
        // Leaders that do not match the count: the dealt members stay, the
        // leaders are not placed.
        {"leader mismatch", {0, 1, 2, 3, 4}, {0}, "2", false, 4, "リーダ数と組数が合いませんe"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        form->EnterRegistrationMode();
        Prepare(c.players, c.leaders);
        CheckBox(4)->setChecked(c.balanced);
        Edit(6)->setText(QString::fromUtf8(c.groupCount));
        RecordingSurface box1;
        Observe(GroupBox(1), &box1);
        dialogs.ClearShown();
        Click(Button(1));
        Observe(GroupBox(1), nullptr);

        ASSERT_EQ(Placed(), c.placed);
        for (int p = 0; p < 5; ++p) {
            bool inGroup = false;
            for (int g = 1; g <= MaxGroups; ++g)
                for (const auto& entry : S().groupList[g]) inGroup |= entry == std::to_string(p);
            EXPECT_EQ(S().placedFlag[p], inGroup ? 1 : 0) << p;
        }
        const auto messages = TakeMessages();
        if (c.message) {
            ASSERT_EQ(messages.size(), 1u);
            EXPECT_EQ(messages[0], QString::fromUtf8(c.message));
            continue;
        }
        EXPECT_TRUE(messages.empty());
        EXPECT_EQ(S().placedCount, static_cast<int>(c.placed));
        EXPECT_EQ(Label(27)->text(), QString::number(c.placed));  // the placed count
        // The first box shows the names of its group, in order.
        std::vector<std::string> drawn;
        for (const auto& t : box1.texts)
            if (t.x == 9) drawn.push_back(Cp932ToUtf8(t.text));
        EXPECT_EQ(drawn, Group(1));
        EXPECT_FALSE(drawn.empty());
    }
}

// A member picked for pasting and then placed by a run of the start button
// must not be pasted a second time: the pick no longer stands for a member
// in no group.
TEST_F(StartButtonTest, APickThatARunPlacedPastesNothing) {
    Prepare({0, 1, 2}, {});
    Click(Image(9));
    PressRow(0);
    ASSERT_EQ(I().pickedMember, "0");
    Edit(6)->setText(QStringLiteral("1"));
    Click(Button(1));
    ASSERT_EQ(S().groupList[1].size(), 3u);

    Click(Image(9));  // paste on again; the pick is kept
    PressGroup(2, 10);
    EXPECT_TRUE(S().groupList[2].empty());
    EXPECT_EQ(Placed(), 3u);

    // Returning member 0 from its one group leaves it in no group at all.
    Click(Image(10));
    const auto& group1 = S().groupList[1];
    const int row = static_cast<int>(std::find(group1.begin(), group1.end(), "0") - group1.begin());
    PressGroup(1, 18 * row + 10);
    EXPECT_EQ(S().placedFlag[0], 0);
    for (int g = 1; g <= MaxGroups; ++g)
        EXPECT_EQ(std::count(S().groupList[g].begin(), S().groupList[g].end(), "0"), 0) << g;
}

}  // namespace
}  // namespace tovi::test
