#include "roster_fuzz_target.h"

#include <algorithm>
#include <cstddef>
#include <cstdio>
#include <cstdlib>
#include <functional>
#include <iterator>
#include <string>
#include <string_view>
#include <vector>

#include "model/cp932_literals.h"
#include "model/member_line.h"
#include "model/roster_file.h"
#include "model/roster_table.h"
#include "model/tournament_state.h"

namespace tovi::fuzz {
namespace {

[[noreturn]] void Broken(const char* condition, int line) {
    std::fprintf(stderr, "roster fuzz target, line %d: broken invariant: %s\n", line, condition);
    std::abort();
}

#define ROSTER_CHECK(condition)                         \
    do {                                                \
        if (!(condition)) Broken(#condition, __LINE__); \
    } while (false)

using Lines = std::vector<std::string>;

const std::string kBlank = cp932::kIdeographicSpace;
const std::string kOldName = "old";
const std::string kOldCell = "stale";

// True when the text, read with double-byte characters whole, ends in a lead
// byte that has no second byte.
bool EndsInLoneLeadByte(const std::string& text) {
    std::size_t pos = 0;
    bool lone = false;
    while (pos < text.size()) {
        const bool lead = IsLeadByte(static_cast<unsigned char>(text[pos]));
        lone = lead && pos + 1 == text.size();
        pos += lead ? 2 : 1;
    }
    return lone;
}

void CheckLines(std::string_view bytes, const Lines& lines) {
    std::size_t total = 0;
    for (const auto& line : lines) {
        ROSTER_CHECK(line.find_first_of(std::string_view("\r\n\0", 3)) == std::string::npos);
        total += line.size();
    }
    ROSTER_CHECK(total <= bytes.size());
    // Lines written back with any line end read back the same.
    for (const char* end : {"\r\n", "\n", "\r"}) {
        std::string joined;
        for (const auto& line : lines) joined += line + end;
        ROSTER_CHECK(SplitRosterLines(joined) == lines);
    }
}

void CheckFileCheck(std::string_view bytes, const Lines& lines, const RosterParseResult& result) {
    const std::string_view marker = cp932::kRosterMarker;
    RosterFileStatus expected = RosterFileStatus::Ok;
    if (bytes.size() > kMaxRosterFileBytes)
        expected = RosterFileStatus::TooLarge;
    else if (lines.empty())
        expected = RosterFileStatus::Empty;
    else if (lines.front().compare(0, marker.size(), marker) != 0)
        expected = RosterFileStatus::NoMarker;
    else if (lines.size() - 1 > static_cast<std::size_t>(MemberCapacity))
        expected = RosterFileStatus::TooManyMembers;
    ROSTER_CHECK(result.status == expected);
    if (expected == RosterFileStatus::Ok || expected == RosterFileStatus::TooManyMembers)
        ROSTER_CHECK(result.memberLines == lines.size() - 1);
    if (result.status != RosterFileStatus::Ok) {
        ROSTER_CHECK(result.members.empty());
        return;
    }
    ROSTER_CHECK(result.members == Lines(lines.begin() + 1, lines.end()));

    // Saving the accepted lines and reading them back gives the same lines.
    const std::string saved = FormatRosterFile(result.members);
    ROSTER_CHECK(saved.size() >= 2 && saved.compare(saved.size() - 2, 2, "\r\n") == 0);
    const RosterParseResult again = ReadRosterBytes(saved);
    ROSTER_CHECK(again.status == RosterFileStatus::Ok);
    ROSTER_CHECK(again.members == result.members);
}

void CheckFields(const std::string& line, const Lines& fields) {
    std::size_t total = 0;
    for (const auto& field : fields) {
        ROSTER_CHECK(field.find('\0') == std::string::npos);
        total += field.size();
    }
    ROSTER_CHECK(total <= line.size());
    ROSTER_CHECK(fields.size() <= line.size() + 1);
}

// A member line made of the parsed name, team and gender parses back to them.
void CheckMemberLineRoundTrip(const RosterRow& row) {
    const std::string& name = row[0];
    const std::string& team = row[1];
    const std::string& gender = row[2];
    if (EndsInLoneLeadByte(name) || EndsInLoneLeadByte(team) || EndsInLoneLeadByte(gender))
        return;  // such a text cannot be followed by a comma in a line
    const Lines expected = {name, team, gender, "0", "0", "0", "0", "0", ""};
    ROSTER_CHECK(SplitCommaText(MakeMemberLine(name, team, gender)) == expected);
}

void CheckParse(const TournamentState& state) {
    const std::size_t count = state.rosterList.size();
    for (std::size_t r = 0; r < count; ++r) {
        const Lines fields = SplitCommaText(state.rosterList[r]);
        CheckFields(state.rosterList[r], fields);
        const RosterRow& row = state.rosterTable[r];
        for (std::size_t c = 0; c < 7; ++c)
            ROSTER_CHECK(row[c] == (c < fields.size() ? fields[c] : std::string()));
        ROSTER_CHECK(row[7] == kBlank && row[8] == kBlank);
        CheckMemberLineRoundTrip(row);
    }
    for (std::size_t r = count; r < static_cast<std::size_t>(kBlankedTableRows); ++r) {
        const RosterRow& row = state.rosterTable[r];
        ROSTER_CHECK(row[0] == kOldName);
        ROSTER_CHECK(std::all_of(row.begin() + 1, row.end(),
                                 [](const std::string& cell) { return cell == kBlank; }));
    }
    ROSTER_CHECK(state.rosterTable[kBlankedTableRows][1] == kOldCell);
}

bool Increasing(const std::vector<int>& list) {
    return std::adjacent_find(list.begin(), list.end(), std::greater_equal<int>()) == list.end() &&
           std::all_of(list.begin(), list.end(),
                       [](int member) { return member >= 1 && member <= kTalliedSlots; });
}

void CheckTallies(const TournamentState& state, const TallyResult& result, int oldLeaderCount) {
    ROSTER_CHECK(state.entryCount == static_cast<int>(state.entryList.size()));
    ROSTER_CHECK(state.maleCount == static_cast<int>(state.maleList.size()));
    ROSTER_CHECK(state.femaleCount == static_cast<int>(state.femaleList.size()));
    ROSTER_CHECK(state.placedCount == static_cast<int>(state.placedList.size()));
    ROSTER_CHECK(state.entryCount == state.maleCount + state.femaleCount);
    for (const auto* list :
         {&state.entryList, &state.maleList, &state.femaleList, &state.placedList})
        ROSTER_CHECK(Increasing(*list));

    std::vector<int> entries, males, placed;
    int leaders = 0;
    for (int i = 0; i < kTalliedSlots; ++i) {
        if (state.entryFlag[i] == 1) entries.push_back(i + 1);
        if (state.entryFlag[i] == 1 && state.rosterTable[i][2] == cp932::kMale)
            males.push_back(i + 1);
        if (state.placedFlag[i] == 1) placed.push_back(i + 1);
        if (i < kLeaderSlots && state.leaderFlag[i] == 1) ++leaders;
    }
    ROSTER_CHECK(state.entryList == entries);
    ROSTER_CHECK(state.maleList == males);
    ROSTER_CHECK(state.placedList == placed);
    std::vector<int> merged;
    std::merge(state.maleList.begin(), state.maleList.end(), state.femaleList.begin(),
               state.femaleList.end(), std::back_inserter(merged));
    ROSTER_CHECK(merged == state.entryList);

    ROSTER_CHECK(result.overLimit == (state.entryCount > MaxEntrants));
    if (result.overLimit) {
        ROSTER_CHECK(state.leaderCount == oldLeaderCount);
        ROSTER_CHECK(!result.groupCountText.has_value());
    } else {
        ROSTER_CHECK(state.leaderCount == leaders);
        ROSTER_CHECK(result.groupCountText ==
                     (leaders > 0 ? std::to_string(leaders) : std::string()));
    }
}

}  // namespace

int RosterFuzzOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);

    const Lines lines = SplitRosterLines(bytes);
    CheckLines(bytes, lines);
    const RosterParseResult result = ReadRosterBytes(bytes);
    CheckFileCheck(bytes, lines, result);

    // Parse the accepted members; parse a refused file's lines all the same,
    // so that every input exercises the comma-text rule.
    TournamentState state;
    if (result.status == RosterFileStatus::Ok) {
        state.rosterList = result.members;
    } else {
        const std::size_t count = std::min(lines.size(), static_cast<std::size_t>(MemberCapacity));
        state.rosterList.assign(lines.begin(), lines.begin() + static_cast<std::ptrdiff_t>(count));
    }
    for (auto& row : state.rosterTable) {
        row.fill(kOldCell);
        row[0] = kOldName;
    }
    BlankRosterTable(state);
    ParseRoster(state);
    CheckParse(state);

    // Flags from the input bytes, values 0..3 of which only 1 counts.
    for (int i = 0; i < kTalliedSlots && size > 0; ++i) {
        const std::uint8_t b = data[static_cast<std::size_t>(i) % size];
        state.entryFlag[i] = b & 3;
        state.leaderFlag[i] = (b >> 2) & 3;
        state.placedFlag[i] = (b >> 4) & 3;
    }
    constexpr int kOldLeaderCount = -1;
    state.leaderCount = kOldLeaderCount;
    const TallyResult tallies = ComputeTallies(state);
    CheckTallies(state, tallies, kOldLeaderCount);
    return 0;
}

}  // namespace tovi::fuzz
