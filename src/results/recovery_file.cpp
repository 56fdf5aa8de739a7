#include "results/recovery_file.h"

#include <algorithm>
#include <charconv>
#include <set>

#include "core/cp932.h"
#include "core/line_end.h"
#include "model/int_conversion.h"
#include "model/member_line.h"
#include "model/roster_file.h"
#include "model/roster_table.h"
#include "results/results_file.h"

namespace tovi {
namespace {

constexpr int kRecoveryFileVersion = 1;

const std::string& Marker() {
    static const std::string marker = Utf8ToCp932("成績復元");
    return marker;
}
const std::string& HoleCountTag() {
    static const std::string tag = Utf8ToCp932("ホール数");
    return tag;
}
const std::string& RosterTag() {
    static const std::string tag = Utf8ToCp932("名簿");
    return tag;
}
const std::string& PlayersTag() {
    static const std::string tag = Utf8ToCp932("出場");
    return tag;
}
const std::string& LeadersTag() {
    static const std::string tag = Utf8ToCp932("リーダ");
    return tag;
}
const std::string& GroupTag() {
    static const std::string tag = Utf8ToCp932("組");
    return tag;
}

std::string PositionLine(const std::string& tag, const std::vector<int>& positions) {
    std::string line = tag;
    for (const int position : positions) line.append(",").append(std::to_string(position));
    return line;
}

// The positions after the leading fields of a line, each a member of the
// roster, none twice, at most `most` of them.
std::optional<std::vector<int>> Positions(const std::vector<std::string>& fields, std::size_t first,
                                          int members, std::size_t most) {
    if (fields.size() < first || fields.size() - first > most) return std::nullopt;
    std::vector<int> positions;
    std::set<int> seen;
    for (std::size_t i = first; i < fields.size(); ++i) {
        const auto position = ParseDigitField(fields[i], 0, members - 1);
        if (!position || !seen.insert(*position).second) return std::nullopt;
        positions.push_back(*position);
    }
    return positions;
}

bool Tagged(const std::vector<std::string>& fields, const std::string& tag) {
    return !fields.empty() && fields.front() == tag;
}

}  // namespace

RecoveryRecord MakeRecoveryRecord(const TournamentState& state, const std::string& holeCount,
                                  const Results& results, const MeetingHeading& heading) {
    RecoveryRecord record;
    record.holeCount = holeCount;
    record.roster = state.rosterList;
    const int members = std::min(static_cast<int>(state.rosterList.size()), kFlagSlots);
    for (int position = 0; position < members; ++position) {
        const auto slot = static_cast<std::size_t>(position);
        if (state.entryFlag[slot] == 1) record.players.push_back(position);
        if (state.leaderFlag[slot] == 1) record.leaders.push_back(position);
    }
    // A member is kept in the first group that names it.
    std::set<int> placed;
    for (int group = 1; group <= MaxGroups; ++group) {
        for (const std::string& entry : state.groupList[static_cast<std::size_t>(group)]) {
            const auto position = ParseDigitField(entry, 0, members - 1);
            if (position &&
                record.groups[static_cast<std::size_t>(group)].size() <
                    static_cast<std::size_t>(MaxGroupSize) &&
                placed.insert(*position).second)
                record.groups[static_cast<std::size_t>(group)].push_back(*position);
        }
    }
    record.results = results;
    record.heading = heading;
    return record;
}

std::optional<std::string> FormatRecoveryFile(const RecoveryRecord& record) {
    for (const std::string& line : record.roster)
        if (line.find_first_of(std::string_view("\r\n\0", 3)) != std::string::npos)
            return std::nullopt;
    std::string bytes = Marker() + "," + std::to_string(kRecoveryFileVersion);
    bytes += kCrLf;
    bytes += HoleCountTag() + ",";
    AppendCommaTextField(bytes, record.holeCount);
    bytes += kCrLf;
    bytes += RosterTag() + "," + std::to_string(record.roster.size());
    bytes += kCrLf;
    for (const std::string& line : record.roster) bytes.append(line).append(kCrLf);
    bytes.append(PositionLine(PlayersTag(), record.players)).append(kCrLf);
    bytes.append(PositionLine(LeadersTag(), record.leaders)).append(kCrLf);
    for (int group = 1; group <= MaxGroups; ++group)
        bytes
            .append(PositionLine(GroupTag() + "," + std::to_string(group),
                                 record.groups[static_cast<std::size_t>(group)]))
            .append(kCrLf);
    bytes += FormatResultsFile(record.results, record.heading).bytes;
    return bytes;
}

std::optional<RecoveryRecord> ParseRecoveryFile(std::string_view bytes) {
    if (bytes.size() > kMaxRecoveryFileBytes || bytes.find('\0') != std::string_view::npos)
        return std::nullopt;
    // Each line taken off the front in turn; a line end at the very end makes no line.
    const auto nextLine = [&bytes]() -> std::optional<std::string_view> {
        if (bytes.empty()) return std::nullopt;
        const std::size_t end = bytes.find(kCrLf);
        if (end == std::string_view::npos) return std::nullopt;
        const std::string_view line = bytes.substr(0, end);
        bytes.remove_prefix(end + kCrLf.size());
        return line;
    };
    const auto nextFields = [&nextLine]() -> std::optional<std::vector<std::string>> {
        const auto line = nextLine();
        if (!line) return std::nullopt;
        return SplitCommaText(*line);
    };

    const auto marker = nextFields();
    if (!marker || marker->size() != 2 || !Tagged(*marker, Marker()) ||
        ParseDigitField((*marker)[1], kRecoveryFileVersion, kRecoveryFileVersion) !=
            kRecoveryFileVersion)
        return std::nullopt;

    RecoveryRecord record;
    const auto holes = nextFields();
    if (!holes || !Tagged(*holes, HoleCountTag()) || holes->size() > 2) return std::nullopt;
    record.holeCount = holes->size() == 2 ? (*holes)[1] : std::string();

    const auto roster = nextFields();
    if (!roster || roster->size() != 2 || !Tagged(*roster, RosterTag())) return std::nullopt;
    const auto count = ParseDigitField((*roster)[1], 0, MemberCapacity);
    if (!count) return std::nullopt;
    for (int i = 0; i < *count; ++i) {
        const auto line = nextLine();
        if (!line) return std::nullopt;
        record.roster.emplace_back(*line);
    }

    const auto players = nextFields();
    const auto playerPositions =
        players && Tagged(*players, PlayersTag())
            ? Positions(*players, 1, *count, static_cast<std::size_t>(MemberCapacity))
            : std::nullopt;
    const auto leaders = nextFields();
    const auto leaderPositions =
        leaders && Tagged(*leaders, LeadersTag())
            ? Positions(*leaders, 1, *count, static_cast<std::size_t>(MemberCapacity))
            : std::nullopt;
    if (!playerPositions || !leaderPositions) return std::nullopt;
    record.players = *playerPositions;
    record.leaders = *leaderPositions;

    std::set<int> placed;
    for (int group = 1; group <= MaxGroups; ++group) {
        const auto fields = nextFields();
        if (!fields || !Tagged(*fields, GroupTag()) || fields->size() < 2 ||
            ParseDigitField((*fields)[1], group, group) != group)
            return std::nullopt;
        const auto members = Positions(*fields, 2, *count, static_cast<std::size_t>(MaxGroupSize));
        if (!members) return std::nullopt;
        for (const int member : *members)
            if (!placed.insert(member).second) return std::nullopt;  // in two groups
        record.groups[static_cast<std::size_t>(group)] = *members;
    }

    ResultsParse results = ParseResultsFile(bytes);
    if (results.status != ResultsFileStatus::Ok) return std::nullopt;
    record.results = std::move(results.results);
    record.heading = results.heading.value_or(MeetingHeading{});
    return record;
}

void ApplyRecoveryRecord(const RecoveryRecord& record, TournamentState& state) {
    state.rosterList = record.roster;
    state.entryFlag.fill(0);
    state.leaderFlag.fill(0);
    state.placedFlag.fill(0);
    for (const int position : record.players)
        state.entryFlag[static_cast<std::size_t>(position)] = 1;
    for (const int position : record.leaders)
        state.leaderFlag[static_cast<std::size_t>(position)] = 1;
    for (int group = 1; group <= MaxGroups; ++group) {
        auto& list = state.groupList[static_cast<std::size_t>(group)];
        list.clear();
        for (const int position : record.groups[static_cast<std::size_t>(group)]) {
            list.push_back(std::to_string(position));
            state.placedFlag[static_cast<std::size_t>(position)] = 1;
        }
    }
}

}  // namespace tovi
