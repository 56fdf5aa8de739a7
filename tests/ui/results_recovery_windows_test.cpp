// A run ended by TerminateProcess (what QProcess::kill does on Windows)
// between entries loses nothing but the number being typed.
#include "ui/results_recovery_fixture.h"

namespace tovi::test {
namespace {

TEST_F(CrashTest, ATerminatedRunLosesNothingButTheNumberBeingTyped) {
    QTemporaryDir data;
    ASSERT_TRUE(data.isValid());
    ASSERT_TRUE(RunChildAndKill(data.path(), {"1", "2", "3", "4", "E1"},
                                [](QProcess& child) { child.kill(); }));
    dialogs.ClearShown();
    dialogs.yesNoAnswers = {true};
    form->UseRecoveryFolder(data.path().toStdWString());
    ASSERT_EQ(dialogs.shown.size(), 1u);
    EXPECT_EQ(Card(0, 3, 1), "123");
    EXPECT_EQ(Card(1, 3, 1), "4..");
}

}  // namespace
}  // namespace tovi::test
