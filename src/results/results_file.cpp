#include "results/results_file.h"

#include <algorithm>
#include <charconv>
#include <optional>
#include <set>
#include <string>
#include <utility>

#include "model/cp932_literals.h"
#include "model/int_conversion.h"
#include "model/member_line.h"
#include "model/roster_file.h"
#include "model/roster_table.h"
#include "model/tournament_state.h"

namespace tovi {
namespace {

constexpr std::string_view kLineEnd = "\r\n";
constexpr std::string_view kRosterMarker = cp932::kRosterMarker;
constexpr std::string_view kMarker = cp932::kResultsMarker;
// The roster line, the occurrence and the cells.
constexpr std::size_t kMemberFields = 2 + kCardCells;

// The name of a member: the first field of its roster line.
std::string NameOf(const std::string& line) {
    std::vector<std::string> fields = SplitCommaText(line);
    return fields.empty() ? std::string() : std::move(fields.front());
}

// One member's line of the file, without its line end.
std::string MemberRecord(const MemberKey& key, const ScoreCard& card) {
    std::string record;
    AppendCommaTextField(record, key.line);
    record += ',';
    record += std::to_string(key.occurrence);
    for (int round = 0; round < kMaxRounds; ++round) {
        for (int hole = 0; hole < kMaxHoles; ++hole) {
            record += ',';
            if (const auto strokes = card.Strokes(round, hole)) record += std::to_string(*strokes);
        }
    }
    return record;
}

// True when the record reads back as the member's line and occurrence with
// all the cells: a line ending in a lone lead byte would take the closing
// quote along, and a line end would split the record.
bool ReadsBack(const std::string& record, const MemberKey& key) {
    if (record.find_first_of(std::string_view("\r\n\0", 3)) != std::string::npos) return false;
    const std::vector<std::string> fields = SplitCommaText(record);
    return fields.size() == kMemberFields && fields[0] == key.line &&
           ParseDigitField(fields[1], 1, MemberCapacity) == key.occurrence;
}

struct MemberEntry {
    MemberKey key;
    ScoreCard card;
};

std::optional<MemberEntry> ParseMember(const std::string& line) {
    std::vector<std::string> fields = SplitCommaText(line);
    if (fields.size() != kMemberFields) return std::nullopt;
    const auto occurrence = ParseDigitField(fields[1], 1, MemberCapacity);
    if (!occurrence) return std::nullopt;
    MemberEntry entry{{std::move(fields[0]), *occurrence}, {}};
    for (int cell = 0; cell < kCardCells; ++cell) {
        const std::string& field = fields[static_cast<std::size_t>(2 + cell)];
        if (field.empty()) continue;
        const auto strokes = ParseDigitField(field, kMinStrokes, kMaxStrokes);
        if (!strokes) return std::nullopt;
        entry.card.Set(cell / kMaxHoles, cell % kMaxHoles, strokes);
    }
    return entry;
}

ResultsParse Refused(ResultsFileStatus status, std::size_t badLine = 0) {
    return {status, badLine, {}, 0, std::nullopt};
}

}  // namespace

ResultsParse ParseResultsFile(std::string_view bytes) {
    if (bytes.size() > kMaxResultsFileBytes) return Refused(ResultsFileStatus::TooLarge);
    if (bytes.starts_with(kRosterMarker)) return Refused(ResultsFileStatus::RosterFile);
    // A NUL would end the text early and so drop the lines after it.
    if (bytes.find('\0') != std::string_view::npos) return Refused(ResultsFileStatus::NotText);

    const std::vector<std::string> lines = SplitRosterLines(bytes);
    if (lines.empty()) return Refused(ResultsFileStatus::NoMarker);
    const std::vector<std::string> marker = SplitCommaText(lines[0]);
    if (marker.empty() || marker[0] != kMarker) return Refused(ResultsFileStatus::NoMarker);
    if (marker.size() != 2 ||
        ParseDigitField(marker[1], kResultsFileVersion, kResultsFileVersion) != kResultsFileVersion)
        return Refused(ResultsFileStatus::UnsupportedVersion);

    ResultsParse parse;
    const std::vector<std::string> settings =
        lines.size() > 1 ? SplitCommaText(lines[1]) : std::vector<std::string>();
    const auto rounds =
        settings.size() == 2 ? ParseDigitField(settings[0], kMinRounds, kMaxRounds) : std::nullopt;
    const auto deduction = settings.size() == 2
                               ? ParseDigitField(settings[1], 0, kMaxHoleInOneDeduction)
                               : std::nullopt;
    if (!rounds || !deduction) return Refused(ResultsFileStatus::BadLine, 2);
    parse.results.settings = {*rounds, *deduction};

    for (std::size_t i = 2; i < lines.size(); ++i) {
        std::optional<MemberEntry> entry = ParseMember(lines[i]);
        if (!entry || parse.results.cards.contains(entry->key))
            return Refused(ResultsFileStatus::BadLine, i + 1);
        parse.results.cards.emplace(std::move(entry->key), entry->card);
    }
    return parse;
}

ResultsFileBytes FormatResultsFile(const Results& results, const MeetingHeading& /*heading*/) {
    ResultsFileBytes file;
    std::string& bytes = file.bytes;
    bytes.append(kMarker).append(",").append(std::to_string(kResultsFileVersion)).append(kLineEnd);
    // Settings out of range are written as the sums take them.
    bytes.append(std::to_string(std::clamp(results.settings.rounds, kMinRounds, kMaxRounds)))
        .append(",")
        .append(std::to_string(
            std::clamp(results.settings.holeInOneDeduction, 0, kMaxHoleInOneDeduction)))
        .append(kLineEnd);
    for (const auto& [key, card] : results.cards) {
        if (card.IsEmpty()) continue;
        const std::string record = MemberRecord(key, card);
        if (!ReadsBack(record, key)) {
            file.leftOut.push_back(NameOf(key.line));
            continue;
        }
        bytes.append(record).append(kLineEnd);
    }
    return file;
}

RosterMatch MatchToRoster(const Results& saved, const std::vector<std::string>& rosterLines) {
    const std::vector<MemberKey> keys = MemberKeys(rosterLines);
    const std::set<MemberKey> roster(keys.begin(), keys.end());
    RosterMatch match;
    match.results.settings = saved.settings;
    for (const auto& [key, card] : saved.cards) {
        if (roster.contains(key))
            match.results.cards.emplace(key, card);
        else
            match.unmatched.push_back(NameOf(key.line));
    }
    return match;
}

}  // namespace tovi
