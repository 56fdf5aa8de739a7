// The recovery file: written at every score, offered and restored by the next
// start after a run that did not end normally, removed by a normal end; and
// the child process that the crash tests kill (results_recovery_*_test.cpp).
#include <QCheckBox>
#include <QDir>
#include <QFile>
#include <QLabel>

#include <cstdio>
#include <iostream>

#include "core/file_io.h"
#include "platform/file_name.h"
#include "results/recovery_file.h"
#include "ui/results_recovery_fixture.h"

namespace tovi::test {
namespace {

class RecoveryTest : public ResultsTest {
protected:
    void SetUp() override {
        ResultsTest::SetUp();
        ASSERT_TRUE(data.isValid());
        form->UseRecoveryFolder(Folder());
    }
    std::filesystem::path Folder() const { return TryQtToPath(data.path()).value_or(""); }
    std::filesystem::path File() const { return Folder() / ResultsSession::kRecoveryFileName; }
    std::optional<RecoveryRecord> Recorded() const {
        std::string bytes;
        if (!ReadRegularFile(File(), kMaxRecoveryFileBytes, bytes)) return std::nullopt;
        return ParseRecoveryFile(bytes);
    }
    // A window started anew on the same folder, answering the question.
    void Restart(bool yes) {
        form.reset();  // no close: as if the run had been killed
        dialogs.ClearShown();
        dialogs.yesNoAnswers = {yes};
        form = std::make_unique<MainWindow>(dialogs, random, clock);
        form->UseRecoveryFolder(Folder());
    }

    QTemporaryDir data;
};

TEST_F(RecoveryTest, EveryScoreIsWrittenAtOnce) {
    Meet({"一郎", "花子", "三郎"}, "MFM", {{1, 0}, {}, {2}});
    S().entryFlag[0] = S().entryFlag[1] = S().entryFlag[2] = 1;
    S().leaderFlag[1] = 1;
    Open("2");
    EXPECT_FALSE(std::filesystem::exists(File())) << "nothing entered yet";
    for (const std::string keys : {"3", "E12E", "<B", "4"}) {
        SCOPED_TRACE(keys);
        Type(keys);
        const std::optional<RecoveryRecord> record = Recorded();
        ASSERT_TRUE(record);
        // The scores and settings, and the seats of the players with strokes.
        const Results& entered = form->Results().Scores().Get();
        EXPECT_EQ(record->results.cards, entered.cards);
        EXPECT_EQ(record->results.settings, entered.settings);
        std::vector<Seat> seats = entered.seats;
        std::erase_if(seats, [&](const Seat& seat) { return !entered.cards.contains(seat.key); });
        EXPECT_EQ(record->results.seats, seats);
        EXPECT_EQ(record->heading.holes, 2);
        EXPECT_EQ(record->roster, S().rosterList);
        EXPECT_EQ(record->holeCount, "2");
        EXPECT_EQ(record->groups[1], (std::vector<int>{1, 0}));
        EXPECT_EQ(record->groups[3], std::vector<int>{2});
        EXPECT_EQ(record->players, (std::vector<int>{0, 1, 2}));
        EXPECT_EQ(record->leaders, std::vector<int>{1});
    }
    // The settings too.
    SetRounds(3);
    EXPECT_EQ(Recorded()->results.settings.rounds, 3);
}

TEST_F(RecoveryTest, TheNextStartOffersWhatWasEnteredAndRestoresItOnYes) {
    Meet({"一郎", "花子", "三郎"}, "MFM", {{1, 0}, {}, {2}});
    S().entryFlag[0] = S().entryFlag[1] = S().entryFlag[2] = 1;
    Open("11");
    Type("123");
    const Results entered = form->Results().Scores().Get();
    const TournamentState before = S();

    for (const bool yes : {false, true}) {
        SCOPED_TRACE(yes ? "はい" : "いいえ");
        Restart(yes);
        ASSERT_EQ(dialogs.shown.size(), 1u);
        EXPECT_EQ(dialogs.shown[0].kind, ScriptedDialogs::Kind::YesNo);
        EXPECT_EQ(dialogs.shown[0].caption, QStringLiteral("トヴィ"));
        EXPECT_EQ(dialogs.shown[0].text,
                  QStringLiteral("前回入力した成績が残っています。復元しますか？"));
        // いいえ keeps the file for a later start.
        EXPECT_TRUE(std::filesystem::exists(File()));
        if (!yes) {
            EXPECT_TRUE(S().rosterList.empty());
            EXPECT_TRUE(form->Results().Scores().Get().cards.empty());
            EXPECT_EQ(form->Results().Window(), nullptr);
            continue;
        }
        EXPECT_EQ(form->Results().Scores().Get(), entered);
        EXPECT_EQ(S().rosterList, before.rosterList);
        EXPECT_EQ(S().groupList, before.groupList);
        EXPECT_EQ(S().entryFlag, before.entryFlag);
        EXPECT_EQ(S().placedFlag[0], 1);
        EXPECT_EQ(Edit(9)->text(), QStringLiteral("11"));
        // Shown: the list with its marks and counts, the groups, the scores.
        EXPECT_EQ(I().screenMode, ScreenMode::Grouping);
        EXPECT_EQ(Label(8)->text(), QStringLiteral("3"));
        EXPECT_EQ(Group(1), (std::vector<std::string>{"花子", "一郎"}));
        ASSERT_NE(form->Results().Window(), nullptr);
        EXPECT_TRUE(W().isVisible());
        EXPECT_EQ(Cell(W().EntryTable(0), 0, 5), QStringLiteral("3"));
        EXPECT_EQ(W().EntryTable(0)->model()->columnCount(), 3 + 11 + 5);
        // Entry goes on at the first hole without strokes: a digit typed
        // overwrites nothing restored.
        EXPECT_EQ(W().Cursor(), (EntryPosition{0, 0, 0, 3}));
        // Restored is not saved: closing asks.
        EXPECT_TRUE(form->HasUnsavedChanges());
    }
    EXPECT_TRUE(dialogs.Messages().empty());
}

TEST_F(RecoveryTest, StartHolesAndCardTotalsComeBackWithTheScores) {
    Meet({"一郎", "花子", "三郎"}, "MFM", {{1, 0}, {}, {2}});
    Click(Button(4));
    Edit(9)->setText(QStringLiteral("8"));
    Click(Find<QCheckBox>("PerGroupStartBox"));  // groups 1 and 3: from 1 and from 5
    Retype(Find<ByteEdit>("GroupStartEdit3"), QStringLiteral("6"));
    Click(Button(9));
    Click(Find<QPushButton>("ResultsButton"));
    W().findChild<QCheckBox*>(QStringLiteral("CardCheckBox"))->setChecked(true);
    Type("123456789E");  // 花子's first round and a カード計 at odds with it
    const Results entered = form->Results().Scores().Get();
    ASSERT_TRUE(entered.checkCardTotals);

    Restart(true);
    EXPECT_EQ(form->Results().Scores().Get(), entered);
    EXPECT_TRUE(Find<QCheckBox>("PerGroupStartBox")->isChecked());
    EXPECT_EQ(Find<ByteEdit>("GroupStartEdit1")->text(), QStringLiteral("1"));
    // Group 3 has no scores: its start hole is spread anew.
    EXPECT_EQ(Find<ByteEdit>("GroupStartEdit3")->text(), QStringLiteral("5"));
    EXPECT_EQ(Cell(W().EntryTable(0), 0, 3 + 8 + 1), QStringLiteral("×9"));
}

TEST_F(RecoveryTest, ANormalEndOrClearedScoresLeaveNoFile) {
    Meet({"一郎"}, "M", {{0}});
    Open("2");
    Type("3");
    ASSERT_TRUE(std::filesystem::exists(File()));
    dialogs.yesNoAnswers = {true};
    CommandButton("ClearButton")->click();
    EXPECT_FALSE(std::filesystem::exists(File()));

    Type("4");
    ASSERT_TRUE(std::filesystem::exists(File()));
    form->show();
    dialogs.yesNoAnswers = {false};
    EXPECT_FALSE(form->close());  // いいえ: still running, the file stays
    EXPECT_TRUE(std::filesystem::exists(File()));
    dialogs.yesNoAnswers = {true};
    EXPECT_TRUE(form->close());
    EXPECT_FALSE(std::filesystem::exists(File()));
    Restart(true);
    EXPECT_TRUE(dialogs.shown.empty()) << "nothing offered after a normal end";
}

TEST_F(RecoveryTest, AFileThatCannotBeReadIsReportedAndPutAside) {
    ASSERT_TRUE(ReplaceFileContents(File(), "not a recovery file\r\n"));
    Restart(true);
    ASSERT_EQ(dialogs.shown.size(), 1u);
    EXPECT_EQ(dialogs.shown[0].kind, ScriptedDialogs::Kind::Message);
    EXPECT_TRUE(dialogs.shown[0].text.startsWith(
        QStringLiteral("前回入力した成績の控えが読めないため復元できません。")));
    EXPECT_FALSE(std::filesystem::exists(File()));
    std::filesystem::path aside = File();
    aside += ".broken";
    EXPECT_TRUE(std::filesystem::exists(aside));
    EXPECT_TRUE(S().rosterList.empty());
}

TEST_F(RecoveryTest, AFolderThatCannotBeWrittenIsReportedOnce) {
    // A file where the folder should be.
    const std::filesystem::path blocked = Folder() / "blocked";
    ASSERT_TRUE(ReplaceFileContents(blocked, "x"));
    form->UseRecoveryFolder(blocked);
    Meet({"一郎"}, "M", {{0}});
    Open("3");
    Type("123");
    EXPECT_EQ(TakeMessages().size(), 1u);
    EXPECT_EQ(form->Results().Scores().Get().cards.size(), 1u) << "entry goes on";
}

// The run the crash tests kill: enters one key for each line on its input
// and tells each entry on its output; only as a child of those tests.
TEST_F(CrashTest, RecoveryChildEntersKeysUntilKilled) {
    const QString recoveryFolder = qEnvironmentVariable(kRecoveryChildVariable);
    if (recoveryFolder.isEmpty()) GTEST_SKIP() << "the process the crash tests kill";
    form->UseRecoveryFolder(TryQtToPath(recoveryFolder).value_or(""));
    MeetForRecovery();
    std::cout << "ready" << std::endl;
    for (std::string line; std::getline(std::cin, line);) {
        Type(line);
        std::cout << "entered " << line << std::endl;
    }
}

}  // namespace
}  // namespace tovi::test
