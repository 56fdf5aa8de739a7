// A run killed with SIGKILL between entries loses nothing but the number
// being typed: the next start restores every score entered before.
#include <signal.h>

#include "ui/results_recovery_fixture.h"

namespace tovi::test {
namespace {

TEST_F(CrashTest, AKilledRunLosesNothingButTheNumberBeingTyped) {
    const struct {
        const char* name;
        std::vector<std::string> lines;  // each entered before the kill
        bool offered;
        std::vector<std::string> cards;  // roster positions 0, 1, 2
    } cases[] = {
        {"killed before any score", {}, false, {"...", "...", "..."}},
        {"killed after three", {"1", "2", "3"}, true, {"123", "...", "..."}},
        {"killed in the next group",
         {"1", "2", "3", "4", "5", "6", "7"},
         true,
         {"123", "456", "7.."}},
        {"killed while a number is typed",
         {"1", "2", "3", "4", "5", "6", "7", "E1"},
         true,
         {"123", "456", "7.."}},
        {"killed after a large number and an emptied cell",
         {"E12E", "9", "<", "B"},
         true,
         {"[12]..", "...", "..."}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        QTemporaryDir data;
        ASSERT_TRUE(data.isValid());
        ASSERT_TRUE(RunChildAndKill(data.path(), c.lines, [](QProcess& child) {
            ::kill(static_cast<pid_t>(child.processId()), SIGKILL);
        }));

        form = std::make_unique<MainWindow>(dialogs, random, clock);
        dialogs.ClearShown();
        dialogs.yesNoAnswers = {true};
        form->UseRecoveryFolder(data.path().toStdString());
        EXPECT_EQ(dialogs.shown.size(), c.offered ? 1u : 0u);
        if (!c.offered) continue;
        ASSERT_EQ(S().rosterList.size(), 3u);
        for (int p = 0; p < 3; ++p)
            EXPECT_EQ(Card(p, 3, 1), c.cards[static_cast<std::size_t>(p)]) << p;
    }
}

}  // namespace
}  // namespace tovi::test
