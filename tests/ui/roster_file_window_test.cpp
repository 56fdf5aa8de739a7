// Opening and saving rosters through the window: very long member lines,
// refusals and their messages.
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QPushButton>

#include "model/member_line.h"
#include "ui/window_fixture.h"

namespace tovi::test {
namespace {

std::string Repeat(const std::string& unit, std::size_t times) {
    std::string text;
    text.reserve(unit.size() * times);
    for (std::size_t i = 0; i < times; ++i) text += unit;
    return text;
}

QByteArray FileBytes(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("(unreadable)");
}

// Writes CP932 member lines as a roster file.
QString WriteCp932Roster(const QTemporaryDir& folder, const char* name,
                         const std::vector<std::string>& lines) {
    const QString path = folder.filePath(QString::fromLatin1(name));
    std::ofstream out(path.toStdString(), std::ios::binary);
    out << Utf8ToCp932("作成") << "\r\n";
    for (const auto& line : lines) out << line << "\r\n";
    return path;
}

// Marks every member as playing and leading, deals them into one group each
// and previews group 1.
void GroupAndPreview(MainWindow& form) {
    form.EnterGroupingMode();
    TournamentState& s = form.State();
    for (std::size_t r = 0; r < s.rosterList.size(); ++r) s.entryFlag[r] = s.leaderFlag[r] = 1;
    form.List().RefreshRows();
    ControlsOf(form).Edit(6)->SetBytes(std::to_string(s.rosterList.size()));
    form.Grouping().StartAutomaticGrouping();
    form.EnterScoreSheetMode();
}

// Names far longer than anything can show are kept whole, and every picture
// shows what the start of the name alone would show.
TEST_F(WindowTest, VeryLongNamesAreKeptWholeAndShowWhatTheirStartWould) {
    const std::string male = Utf8ToCp932("男"), team = Utf8ToCp932("東町");
    const std::string longNames[] = {Repeat("Abcdefghij", 98'000),            // 980 kB
                                     Repeat(Utf8ToCp932("山田花子"), 3'250),  // 26 kB
                                     Repeat(Utf8ToCp932("ｶﾀｶﾅ"), 5'000)};
    std::vector<std::string> whole, start;
    for (const auto& name : longNames) {
        whole.push_back(MakeMemberLine(name, team, male));
        start.push_back(MakeMemberLine(name.substr(0, 400), team, male));
    }
    const QString wholeFile = WriteCp932Roster(folder, "whole.txt", whole);
    ASSERT_LT(QFileInfo(wholeFile).size(), 1024 * 1024);

    Load(wholeFile);
    ASSERT_EQ(TakeMessages(), std::vector<QString>{});
    EXPECT_EQ(S().rosterList, whole);
    GroupAndPreview(*form);
    ASSERT_EQ(TakeMessages(), std::vector<QString>{});

    ScriptedDialogs otherDialogs;
    LcgRandom otherRandom;
    FixedClock otherClock;
    MainWindow other(otherDialogs, otherRandom, otherClock);
    const WindowControls otherControls = ControlsOf(other);
    otherDialogs.openAnswers.push_back(WriteCp932Roster(folder, "start.txt", start));
    other.Registration().OpenRoster();
    GroupAndPreview(other);

    EXPECT_TRUE(Image(1)->Image() == otherControls.Image(1)->Image()) << "member list";
    for (int g = 1; g <= 3; ++g)
        EXPECT_TRUE(GroupBox(g)->Image() == otherControls.GroupBox(g)->Image()) << "group " << g;
    EXPECT_TRUE(Image(23)->Image() == otherControls.Image(23)->Image()) << "score sheet";

    // A save writes every byte back.
    form->EnterRegistrationMode();
    const QString saved = folder.filePath("saved.txt");
    dialogs.saveAnswers.push_back(saved);
    Click(Button(8));
    EXPECT_EQ(FileBytes(saved), FileBytes(wholeFile));
}

TEST_F(WindowTest, TheOverFortyRefusalCountsTheMemberLinesEmptyOnesIncluded) {
    std::vector<std::string> lines(40, "X,T,男,0,0,0,0,0,");
    lines.insert(lines.end(), 3, "");
    Load(WriteRoster("padded.txt", lines));
    EXPECT_EQ(TakeMessages(), std::vector<QString>{QStringLiteral(
                                  "このファイルにはメンバーの行が４３行あります。"
                                  "４０行を超えるファイルは開けません（空の行も１行と数えます）")});
    EXPECT_TRUE(S().rosterList.empty());
}

}  // namespace
}  // namespace tovi::test
