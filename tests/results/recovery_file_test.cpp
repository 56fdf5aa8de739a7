#include "results/recovery_file.h"

#include <gtest/gtest.h>

#include <string>

#include "core/cp932.h"
#include "results/card_builder.h"
#include "results/results_file.h"

namespace tovi {
namespace {

const std::string kIchiro = Utf8ToCp932("一郎,東町,男,0,0,0,0,0,");
const std::string kMary = Utf8ToCp932("\"Mary Smith\",北町,女,0,0,0,0,0,");

// Three members, the first twice; 1組 holds 1 and 0, 3組 holds 2.
TournamentState Meeting() {
    TournamentState state;
    state.rosterList = {kIchiro, kMary, kIchiro};
    state.entryFlag[0] = state.entryFlag[1] = state.entryFlag[2] = 1;
    state.leaderFlag[1] = 1;
    state.groupList[1] = {"1", "0"};
    state.groupList[3] = {"2"};
    return state;
}

Results Scores() {
    Results results;
    results.settings = {3, 1};
    results.prizes = {5, PrizeDivision::Overall, 4, false, true, 2};
    results.cards[{kIchiro, 2}] = CardOf({{1, 12}, {}, {99}});
    results.cards[{kMary, 1}] = CardOf({{4}});
    results.seats = {{{kMary, 1}, 1}, {{kIchiro, 2}, 3}};
    results.decisions = {{{kMary, 1}, {kIchiro, 2}}};
    return results;
}

MeetingHeading Heading() {
    return {Utf8ToCp932("第3回"), Utf8ToCp932("町民大会"), "A,B", "2024", "5", "12", 8, {}};
}

TEST(ResultRecoveryFile, WritesExactBytes) {
    const RecoveryRecord record = MakeRecoveryRecord(Meeting(), "12", Scores(), Heading());
    const std::optional<std::string> bytes = FormatRecoveryFile(record);
    ASSERT_TRUE(bytes);
    const std::string expected = Utf8ToCp932("成績復元,1\r\nホール数,12\r\n名簿,3\r\n") + kIchiro +
                                 "\r\n" + kMary + "\r\n" + kIchiro + "\r\n" +
                                 Utf8ToCp932("出場,0,1,2\r\nリーダ,1\r\n組,1,1,0\r\n組,2\r\n") +
                                 Utf8ToCp932("組,3,2\r\n組,4\r\n組,5\r\n組,6\r\n") +
                                 FormatResultsFile(Scores(), Heading()).bytes;
    EXPECT_EQ(*bytes, expected);
}

TEST(ResultRecoveryFile, ReadsBackWhatItWroteAndPutsItIntoTheState) {
    TournamentState empty;
    TournamentState odd = Meeting();
    odd.groupList[2] = {"x", "7", "1"};  // no member, out of the roster, and one twice
    Results withoutAge = Scores();
    withoutAge.olderFirst = false;
    for (const TournamentState& state : {empty, Meeting(), odd}) {
        for (const std::string holes : {"", "10", "a,\"b"}) {
            const Results scores = holes.empty() ? withoutAge : Scores();
            const RecoveryRecord record = MakeRecoveryRecord(state, holes, scores, Heading());
            const std::optional<std::string> bytes = FormatRecoveryFile(record);
            ASSERT_TRUE(bytes);
            const std::optional<RecoveryRecord> back = ParseRecoveryFile(*bytes);
            ASSERT_TRUE(back) << *bytes;
            EXPECT_EQ(*back, record);
        }
    }
    EXPECT_TRUE(MakeRecoveryRecord(odd, "", {}, {}).groups[2].empty());

    TournamentState restored;
    restored.entryFlag[30] = restored.placedFlag[30] = 1;  // gone after
    restored.groupList[4] = {"5"};
    ApplyRecoveryRecord(MakeRecoveryRecord(Meeting(), "10", {}, Heading()), restored);
    const TournamentState meeting = Meeting();
    EXPECT_EQ(restored.rosterList, meeting.rosterList);
    EXPECT_EQ(restored.groupList, meeting.groupList);
    EXPECT_EQ(restored.entryFlag, meeting.entryFlag);
    EXPECT_EQ(restored.leaderFlag, meeting.leaderFlag);
    FlagArray placed{};
    placed[0] = placed[1] = placed[2] = 1;
    EXPECT_EQ(restored.placedFlag, placed);
}

TEST(ResultRecoveryFile, RefusesAnythingButAWholeFile) {
    const std::string good =
        *FormatRecoveryFile(MakeRecoveryRecord(Meeting(), "10", Scores(), Heading()));
    const auto replaced = [&good](const char* utf8From, const char* utf8To) {
        std::string bytes = good;
        const std::string from = Utf8ToCp932(utf8From);
        const std::size_t at = bytes.find(from);
        EXPECT_NE(at, std::string::npos) << utf8From;
        return bytes.replace(at, from.size(), Utf8ToCp932(utf8To));
    };
    const struct {
        const char* name;
        std::string bytes;
    } cases[] = {
        {"empty", ""},
        {"a results file", FormatResultsFile(Scores(), Heading()).bytes},
        {"a results file of a later version", replaced("成績,4", "成績,5")},
        {"a bad 年長 line", replaced("年長,1", "年長,2")},
        {"a bad heading", replaced("見出し", "見出")},
        {"cut short", good.substr(0, good.size() / 2)},
        {"a later version", replaced("成績復元,1", "成績復元,2")},
        {"more members than said", replaced("名簿,3", "名簿,2")},
        {"more members than a roster holds", replaced("名簿,3", "名簿,41")},
        {"a player past the roster", replaced("出場,0,1,2", "出場,0,1,3")},
        {"a player twice", replaced("出場,0,1,2", "出場,0,1,1")},
        {"a leader that is no number", replaced("リーダ,1", "リーダ,a")},
        {"groups out of order", replaced("組,1,1,0", "組,2,1,0")},
        {"a member in two groups", replaced("組,3,2", "組,3,1")},
        {"seven in a group", replaced("組,1,1,0", "組,1,1,0,2,2,2,2,2")},
        {"a NUL", good + std::string(1, '\0')},
        {"a bad results line", good + "x\r\n"},
        {"too large", good + std::string(kMaxRecoveryFileBytes, ' ')},
    };
    for (const auto& c : cases) EXPECT_FALSE(ParseRecoveryFile(c.bytes)) << c.name;

    // A roster line with a line end cannot be written.
    TournamentState broken = Meeting();
    broken.rosterList[1] = "a\r\nb";
    EXPECT_FALSE(FormatRecoveryFile(MakeRecoveryRecord(broken, "10", {}, {})));
}

TEST(ResultRecoveryFile, RestoresAFileWrittenWithAVersion1ResultsFile) {
    Results scores;
    scores.settings = {3, 1};
    scores.cards[{kIchiro, 2}] = CardOf({{5}});
    const std::string now = *FormatRecoveryFile(MakeRecoveryRecord(Meeting(), "10", scores, {}));
    // The same file as written before the results file had a heading.
    const std::string results = FormatResultsFile(scores, {}).bytes;
    ASSERT_TRUE(now.ends_with(results));
    const std::string old = now.substr(0, now.size() - results.size()) +
                            Utf8ToCp932("成績,1\r\n3,1\r\n\"") + kIchiro + "\",2,5" +
                            std::string(47, ',') + "\r\n";
    const std::optional<RecoveryRecord> back = ParseRecoveryFile(old);
    ASSERT_TRUE(back);
    // Its ranks were made without age.
    Results expected = scores;
    expected.olderFirst = false;
    EXPECT_EQ(*back, MakeRecoveryRecord(Meeting(), "10", expected, {}));
}

}  // namespace
}  // namespace tovi
