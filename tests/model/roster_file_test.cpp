#include "model/roster_file.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <filesystem>
#include <optional>
#include <set>
#include <string>
#include <vector>

#include "core/cp932.h"
#include "model/cp932_literals.h"
#include "model/roster_file_fixture.h"
#include "model/roster_table.h"

namespace tovi {
namespace {

using namespace roster_test;

TEST(SplitRosterLines, EndsLinesAtCrLfOrCrLfAndTextAtNul) {
    const struct {
        const char* what;
        std::string bytes;
        Lines lines;
    } cases[] = {
        {"nothing", "", {}},
        {"one line without an end", "a", {"a"}},
        {"CR LF", "a\r\nb\r\n", {"a", "b"}},
        {"LF", "a\nb\n", {"a", "b"}},
        {"CR", "a\rb\r", {"a", "b"}},
        {"text after the last end is a line", "a\r\nb", {"a", "b"}},
        {"empty lines inside stay", "a\r\n\r\nb", {"a", "", "b"}},
        {"LF CR is two line ends", "a\n\rb", {"a", "", "b"}},
        {"CR CR LF is two line ends", "a\r\r\nb", {"a", "", "b"}},
        {"a line end alone is one empty line", "\r\n", {""}},
        {"mixed ends", "a\rb\nc\r\nd", {"a", "b", "c", "d"}},
        {"NUL ends the text", std::string("a\r\nb\0c\r\nd", 9), {"a", "b"}},
        {"NUL first", std::string("\0a\r\n", 4), {}},
        {"NUL right after a line end", std::string("a\r\n\0", 4), {"a"}},
    };
    for (const auto& c : cases) EXPECT_EQ(SplitRosterLines(c.bytes), c.lines) << c.what;
}

TEST(ReadRosterBytes, ChecksTheMarkerAndTheMemberCount) {
    const std::string crlf = "\r\n";
    const struct {
        const char* what;
        std::string bytes;
        RosterFileStatus status;
        Lines members;
    } cases[] = {
        {"marker alone", kMarker + crlf, RosterFileStatus::Ok, {}},
        {"marker without a line end", kMarker, RosterFileStatus::Ok, {}},
        {"marker and members",
         kMarker + crlf + "a" + crlf + "b" + crlf,
         RosterFileStatus::Ok,
         {"a", "b"}},
        {"marker with trailing text",
         kMarker + Utf8ToCp932("データ") + crlf + "a",
         RosterFileStatus::Ok,
         {"a"}},
        {"member beginning with the marker",
         kMarker + crlf + kMarker + ",x" + crlf,
         RosterFileStatus::Ok,
         {kMarker + ",x"}},
        {"bytes that are not CP932 kept",
         kMarker + crlf + "\x80\xFF\x81" + crlf,
         RosterFileStatus::Ok,
         {"\x80\xFF\x81"}},
        {"forty members", kMarker + crlf + Join(Members(40), crlf), RosterFileStatus::Ok,
         Members(40)},
        {"empty file", "", RosterFileStatus::Empty, {}},
        {"NUL at the start", std::string("\0", 1) + kMarker, RosterFileStatus::Empty, {}},
        {"no marker", "a,b\r\n", RosterFileStatus::NoMarker, {}},
        {"marker on line 2", crlf + kMarker + crlf, RosterFileStatus::NoMarker, {}},
        {"half the marker", kMarker.substr(0, 2) + crlf + "a", RosterFileStatus::NoMarker, {}},
        {"three bytes of the marker", kMarker.substr(0, 3), RosterFileStatus::NoMarker, {}},
        {"marker split by a line end",
         kMarker.substr(0, 2) + crlf + kMarker.substr(2),
         RosterFileStatus::NoMarker,
         {}},
        {"forty-one members",
         kMarker + crlf + Join(Members(41), crlf),
         RosterFileStatus::TooManyMembers,
         {}},
        {"forty members and an empty line",
         kMarker + crlf + Join(Members(40), crlf) + crlf,
         RosterFileStatus::TooManyMembers,
         {}},
    };
    for (const auto& c : cases) {
        const RosterParseResult result = ReadRosterBytes(c.bytes);
        EXPECT_EQ(result.status, c.status) << c.what;
        EXPECT_EQ(result.members, c.members) << c.what;
    }
}

TEST(ReadRosterBytes, RefusesMoreThanOneMebibyte) {
    std::string bytes = kMarker + "\r\n";
    bytes.resize(kMaxRosterFileBytes, 'a');
    EXPECT_EQ(ReadRosterBytes(bytes).status, RosterFileStatus::Ok);
    bytes += 'a';
    const RosterParseResult result = ReadRosterBytes(bytes);
    EXPECT_EQ(result.status, RosterFileStatus::TooLarge);
    EXPECT_TRUE(result.members.empty());
}

TEST(FormatRosterFile, WritesTheMarkerAndEndsEveryLineWithCrLf) {
    EXPECT_EQ(FormatRosterFile({}), kMarker + "\r\n");
    EXPECT_EQ(FormatRosterFile({"a", "", "b"}), kMarker + "\r\na\r\n\r\nb\r\n");
    const Lines roster = SampleRoster();
    EXPECT_EQ(ReadRosterBytes(FormatRosterFile(roster)).members, roster);
}

TEST(RosterFile, SaveThenLoadGivesTheSameLines) {
    TempDir dir;
    const fs::path path = dir / "roster.txt";
    TournamentState saved;
    saved.rosterList = SampleRoster();
    ASSERT_EQ(SaveRoster(saved, path), RosterFileStatus::Ok);
    EXPECT_EQ(saved.currentFileName, path);
    EXPECT_EQ(saved.rosterList, SampleRoster());
    EXPECT_EQ(ReadBytes(path), FormatRosterFile(SampleRoster()));
    EXPECT_EQ(dir.Entries(), std::set<fs::path>{"roster.txt"});

    TournamentState loaded;
    ASSERT_EQ(LoadRoster(loaded, path), RosterFileStatus::Ok);
    EXPECT_EQ(loaded.rosterList, SampleRoster());
    EXPECT_EQ(loaded.currentFileName, path);

    // The quoted name and the empty team come back as typed.
    BlankRosterTable(loaded);
    ParseRoster(loaded);
    EXPECT_EQ(loaded.rosterTable[0][0], Utf8ToCp932("山田　花子"));
    EXPECT_EQ(loaded.rosterTable[1][0], "A B");
    EXPECT_EQ(loaded.rosterTable[1][1], "");
    EXPECT_EQ(loaded.rosterTable[1][2], cp932::kMale);
    EXPECT_EQ(loaded.rosterTable[2][0], "say \"hi\"");
    EXPECT_EQ(loaded.rosterTable[2][1], Utf8ToCp932("西町,北"));
}

TEST(RosterFile, EmptyRosterSavesTheMarkerLineAlone) {
    TempDir dir;
    TournamentState state;
    ASSERT_EQ(SaveRoster(state, dir / "empty.txt"), RosterFileStatus::Ok);
    EXPECT_EQ(ReadBytes(dir / "empty.txt"), kMarker + "\r\n");
    state.rosterList = {"old"};
    ASSERT_EQ(LoadRoster(state, dir / "empty.txt"), RosterFileStatus::Ok);
    EXPECT_TRUE(state.rosterList.empty());
}

TEST(RosterFile, LoadsEveryLineEndStyleAndStopsAtNul) {
    const Lines roster = SampleRoster();
    const struct {
        const char* what;
        std::string bytes;
        Lines members;
    } cases[] = {
        {"CR LF", Join({kMarker}, "\r\n") + Join(roster, "\r\n"), roster},
        {"LF", Join({kMarker}, "\n") + Join(roster, "\n"), roster},
        {"CR", Join({kMarker}, "\r") + Join(roster, "\r"), roster},
        {"no end on the last line", kMarker + "\r\na\r\nb", {"a", "b"}},
        {"NUL", kMarker + "\r\na\r\nb" + std::string("\0c\r\nd\r\n", 7), {"a", "b"}},
    };
    TempDir dir;
    for (const auto& c : cases) {
        const fs::path path = dir / "in.txt";
        WriteBytes(path, c.bytes);
        TournamentState state;
        EXPECT_EQ(LoadRoster(state, path), RosterFileStatus::Ok) << c.what;
        EXPECT_EQ(state.rosterList, c.members) << c.what;
    }
}

TEST(RosterFile, RefusedLoadLeavesRosterAndFileNameAsTheyWere) {
    TempDir dir;
    fs::create_directory(dir / "folder.txt");
    std::string tooLarge = kMarker + "\r\n";
    tooLarge.resize(kMaxRosterFileBytes + 1, 'a');
    const struct {
        const char* name;
        std::optional<std::string> bytes;  // nothing: the file is not written
        RosterFileStatus status;
    } cases[] = {
        {"missing.txt", std::nullopt, RosterFileStatus::CannotRead},
        {"folder.txt", std::nullopt, RosterFileStatus::CannotRead},
        {"empty.txt", "", RosterFileStatus::Empty},
        {"nul-byte.txt", std::string("\0\r\n", 3), RosterFileStatus::Empty},
        {"nomarker.txt", Join(Members(3), "\r\n"), RosterFileStatus::NoMarker},
        {"many.txt", kMarker + "\r\n" + Join(Members(41), "\r\n"),
         RosterFileStatus::TooManyMembers},
        {"large.txt", tooLarge, RosterFileStatus::TooLarge},
    };
    for (const auto& c : cases) {
        if (c.bytes) WriteBytes(dir / c.name, *c.bytes);
        TournamentState state;
        state.rosterList = {"before,1", "before,2"};
        state.currentFileName = "/previous/roster.txt";
        EXPECT_EQ(LoadRoster(state, dir / c.name), c.status) << c.name;
        EXPECT_EQ(state.rosterList, (Lines{"before,1", "before,2"})) << c.name;
        EXPECT_EQ(state.currentFileName, "/previous/roster.txt") << c.name;
    }
}

TEST(RosterFile, FailedSaveLeavesFileAndStateAsTheyWere) {
    TempDir dir;
    fs::create_directory(dir / "folder.txt");
    WriteBytes(dir / "folder.txt" / "inside", "keep");
    WriteBytes(dir / "plain", "plain");
    const struct {
        const char* what;
        fs::path path;
    } cases[] = {
        {"folder that does not exist", dir / "missing" / "roster.txt"},
        {"path is a folder", dir / "folder.txt"},
        {"path names no file", dir.Path() / ""},
        {"folder is a file", dir / "plain" / "roster.txt"},
    };
    for (const auto& c : cases) {
        TournamentState state;
        state.rosterList = {"a", "b"};
        state.currentFileName = "/previous/roster.txt";
        EXPECT_EQ(SaveRoster(state, c.path), RosterFileStatus::CannotWrite) << c.what;
        EXPECT_EQ(state.currentFileName, "/previous/roster.txt") << c.what;
        EXPECT_EQ(state.rosterList, (Lines{"a", "b"})) << c.what;
        EXPECT_EQ(dir.Entries(), (std::set<fs::path>{"folder.txt", "plain"})) << c.what;
        EXPECT_EQ(ReadBytes(dir / "folder.txt" / "inside"), "keep");
        EXPECT_EQ(ReadBytes(dir / "plain"), "plain");
    }
}

TEST(RosterFile, LeftoversOfKilledSavesGoOnlyWhileTheRosterItselfIsThere) {
    // A save killed between writing its temporary file and the rename may
    // leave the only copy in that file when the roster is missing.
    const std::uint32_t ended = EndedProcessId();
    ASSERT_NE(ended, 0u);
    const fs::path leftover = ".roster.txt.tmp-" + std::to_string(ended) + "-4";
    const struct {
        const char* what;
        bool rosterThere;
        std::set<fs::path> after;
    } cases[] = {
        {"roster there: the dead save's file goes", true, {"roster.txt"}},
        {"roster missing: it stays", false, {"roster.txt", leftover}},
    };
    for (const auto& c : cases) {
        TempDir dir;
        if (c.rosterThere) WriteBytes(dir / "roster.txt", "old");
        WriteBytes(dir / leftover, kMarker + "\r\nonly copy\r\n");
        TournamentState state;
        state.rosterList = {"a"};
        ASSERT_EQ(SaveRoster(state, dir / "roster.txt"), RosterFileStatus::Ok) << c.what;
        EXPECT_EQ(dir.Entries(), c.after) << c.what;
        EXPECT_EQ(ReadBytes(dir / "roster.txt"), kMarker + "\r\na\r\n") << c.what;
    }
}

TEST(ReadRosterBytes, TooManyMembersTellsHowManyLinesCountingEmptyOnes) {
    // Forty members and one empty line: the empty line is a member line too.
    const RosterParseResult parsed =
        ReadRosterBytes(kMarker + "\r\n" + Join(Members(40), "\r\n") + "\r\n");
    EXPECT_EQ(parsed.status, RosterFileStatus::TooManyMembers);
    EXPECT_EQ(parsed.memberLines, 41u);

    TempDir dir;
    WriteBytes(dir / "many.txt",
               kMarker + "\r\n" + Join(Members(2), "\r\n") + std::string(50, '\n'));
    TournamentState state;
    std::size_t memberLines = 0;
    EXPECT_EQ(LoadRoster(state, dir / "many.txt", &memberLines), RosterFileStatus::TooManyMembers);
    EXPECT_EQ(memberLines, 52u);
}

}  // namespace
}  // namespace tovi
