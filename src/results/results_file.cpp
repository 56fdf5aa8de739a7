#include "results/results_file.h"

#include <algorithm>
#include <charconv>
#include <iterator>
#include <limits>
#include <optional>
#include <set>
#include <string>
#include <utility>

#include "core/cp932.h"
#include "core/line_end.h"
#include "model/cp932_literals.h"
#include "model/int_conversion.h"
#include "model/member_line.h"
#include "model/roster_file.h"
#include "model/roster_table.h"
#include "model/tournament_state.h"

namespace tovi {
namespace {

constexpr std::string_view kRosterMarker = cp932::kRosterMarker;
constexpr std::string_view kMarker = cp932::kResultsMarker;
constexpr int kFirstVersion = 1;
constexpr int kStartHolesVersion = 3;  // the first with start holes, 検算 and カード計
constexpr int kOlderFirstVersion = 4;  // the first with 年長
// The line numbers of the fixed lines from version 2 on.
constexpr std::size_t kSettingsLine = 2;
constexpr std::size_t kHeadingLine = 3;
constexpr std::size_t kPrizesLine = 4;
constexpr std::size_t kStartHolesLine = 5;  // from version 3 on
constexpr std::size_t kCheckLine = 6;       // from version 3 on
constexpr std::size_t kOlderFirstLine = 7;  // from version 4 on
// The start hole of a group printed without 組ごと, as its two-byte box
// can hold it.
constexpr int kLeastStartHole = -9;
constexpr int kMostStartHole = 99;

const std::string& HeadingTag() {
    static const std::string tag = Utf8ToCp932("見出し");
    return tag;
}
const std::string& PrizesTag() {
    static const std::string tag = Utf8ToCp932("表彰");
    return tag;
}
const std::string& StartHolesTag() {
    static const std::string tag = Utf8ToCp932("スタート");
    return tag;
}
const std::string& CheckTag() {
    static const std::string tag = Utf8ToCp932("検算");
    return tag;
}
const std::string& OlderFirstTag() {
    static const std::string tag = Utf8ToCp932("年長");
    return tag;
}
const std::string& DecisionsTag() {
    static const std::string tag = Utf8ToCp932("決定");
    return tag;
}

// Where the cells of a member line begin: after the line and the occurrence,
// and from version 2 on the group.
std::size_t CellsFrom(int version) { return version == kFirstVersion ? 2 : 3; }
// The fields of a member line: the cells, and from version 3 on a カード計 a round.
std::size_t MemberFields(int version) {
    return CellsFrom(version) + kCardCells + (version >= kStartHolesVersion ? kMaxRounds : 0);
}

bool HoldsLineEndOrNul(std::string_view text) {
    return text.find_first_of(std::string_view("\r\n\0", 3)) != std::string_view::npos;
}

// The name of a member: the first field of its roster line.
std::string NameOf(const std::string& line) {
    std::vector<std::string> fields = SplitCommaText(line);
    return fields.empty() ? std::string() : std::move(fields.front());
}

// One member's line of the file, without its line end; カード計 for the
// first `rounds` rounds.
std::string MemberRecord(const MemberKey& key, int group, const ScoreCard& card, int rounds) {
    std::string record;
    AppendCommaTextField(record, key.line);
    record.append(",").append(std::to_string(key.occurrence));
    record.append(",").append(std::to_string(group));
    for (int round = 0; round < kMaxRounds; ++round) {
        for (int hole = 0; hole < kMaxHoles; ++hole) {
            record += ',';
            if (const auto strokes = card.Strokes(round, hole)) record += std::to_string(*strokes);
        }
    }
    for (int round = 0; round < kMaxRounds; ++round) {
        record += ',';
        if (const auto total = card.CardTotal(round); total && round < rounds)
            record += std::to_string(*total);
    }
    return record;
}

// True when the record reads back as the member's line and occurrence with
// all the cells: a line ending in a lone lead byte would take the closing
// quote along, and a line end would split the record.
bool ReadsBack(const std::string& record, const MemberKey& key) {
    if (HoldsLineEndOrNul(record)) return false;
    const std::vector<std::string> fields = SplitCommaText(record);
    return fields.size() == MemberFields(kResultsFileVersion) && fields[0] == key.line &&
           ParseDigitField(fields[1], 1, MemberCapacity) == key.occurrence;
}

// Appends a heading text as one field, or an empty field when the text would
// not read back whole with another field after it.
void AppendHeadingText(std::string& line, const std::string& text) {
    std::string field;
    AppendCommaTextField(field, text);
    if (!HoldsLineEndOrNul(text) &&
        SplitCommaText(field + ",0") == std::vector<std::string>{text, "0"})
        line += field;
}

std::string HeadingLine(const MeetingHeading& heading) {
    std::string line = HeadingTag();
    for (const std::string* text : {&heading.title, &heading.meetingName, &heading.course,
                                    &heading.year, &heading.month, &heading.day}) {
        line += ',';
        AppendHeadingText(line, *text);
    }
    return line.append(",").append(std::to_string(std::clamp(heading.holes, kMinHoles, kMaxHoles)));
}

// Settings out of range are written as the nearest allowed value.
std::string PrizesLine(const PrizeSettings& prizes) {
    const int tobi =
        prizes.tobiEvery < kMinTobiEvery ? 0 : std::min(prizes.tobiEvery, kMaxTobiEvery);
    const int values[] = {
        std::clamp(prizes.places, 0, kMaxPlaces),
        prizes.division == PrizeDivision::Overall ? 1 : 0,
        tobi,
        prizes.booby ? 1 : 0,
        prizes.boobyMaker ? 1 : 0,
        std::clamp(prizes.teamSize, kMinTeamSize, kMaxTeamSize),
    };
    std::string line = PrizesTag();
    for (const int value : values) line.append(",").append(std::to_string(value));
    return line;
}

// The start holes of the groups with a member written.
std::string StartHolesLine(const StartHoles& starts, const std::set<int>& seated) {
    std::string line = StartHolesTag();
    line.append(starts.perGroup ? ",1" : ",0");
    for (int g = 1; g <= MaxGroups; ++g) {
        line += ',';
        const std::optional<int> start = starts.groups[static_cast<std::size_t>(g - 1)];
        if (start && seated.contains(g)) line += std::to_string(*start);
    }
    return line;
}

std::string DecisionLine(const std::vector<MemberKey>& decision) {
    std::string line = std::to_string(decision.size());
    for (const MemberKey& key : decision) {
        line += ',';
        AppendCommaTextField(line, key.line);
        line.append(",").append(std::to_string(key.occurrence));
    }
    return line;
}

std::optional<MeetingHeading> ParseHeading(const std::string& line) {
    std::vector<std::string> fields = SplitCommaText(line);
    if (fields.size() != 8 || fields[0] != HeadingTag()) return std::nullopt;
    const auto holes = ParseDigitField(fields[7], kMinHoles, kMaxHoles);
    if (!holes) return std::nullopt;
    return MeetingHeading{std::move(fields[1]),
                          std::move(fields[2]),
                          std::move(fields[3]),
                          std::move(fields[4]),
                          std::move(fields[5]),
                          std::move(fields[6]),
                          *holes,
                          {}};
}

// A whole number with an optional minus sign, within least..most.
std::optional<int> ParseSignedField(const std::string& field, int least, int most) {
    if (field.starts_with('-')) {
        const auto magnitude = ParseDigitField(field.substr(1), 0, -least);
        if (!magnitude || field.size() < 2) return std::nullopt;
        return -*magnitude;
    }
    return ParseDigitField(field, std::max(least, 0), most);
}

// The start holes of a heading over `holes` holes: with 組ごと each on the
// course, otherwise one number for every group that has one.
std::optional<StartHoles> ParseStartHoles(const std::string& line, int holes) {
    const std::vector<std::string> fields = SplitCommaText(line);
    if (fields.size() != 2 + MaxGroups || fields[0] != StartHolesTag()) return std::nullopt;
    const auto perGroup = ParseDigitField(fields[1], 0, 1);
    if (!perGroup) return std::nullopt;
    StartHoles starts;
    starts.perGroup = *perGroup == 1;
    for (int g = 0; g < MaxGroups; ++g) {
        const std::string& field = fields[2 + static_cast<std::size_t>(g)];
        if (field.empty()) continue;
        const auto start = starts.perGroup
                               ? ParseDigitField(field, 1, holes)
                               : ParseSignedField(field, kLeastStartHole, kMostStartHole);
        if (!start) return std::nullopt;
        starts.groups[static_cast<std::size_t>(g)] = start;
    }
    if (!starts.perGroup) {
        std::optional<int> one;
        for (const std::optional<int>& start : starts.groups) {
            if (start && one && *start != *one) return std::nullopt;
            if (start) one = start;
        }
    }
    return starts;
}

std::optional<PrizeSettings> ParsePrizes(const std::string& line) {
    const std::vector<std::string> fields = SplitCommaText(line);
    if (fields.size() != 7 || fields[0] != PrizesTag()) return std::nullopt;
    const auto places = ParseDigitField(fields[1], 0, kMaxPlaces);
    const auto division = ParseDigitField(fields[2], 0, 1);
    const auto tobi = ParseDigitField(fields[3], 0, kMaxTobiEvery);
    const auto booby = ParseDigitField(fields[4], 0, 1);
    const auto boobyMaker = ParseDigitField(fields[5], 0, 1);
    const auto teamSize = ParseDigitField(fields[6], kMinTeamSize, kMaxTeamSize);
    if (!places || !division || !tobi || !booby || !boobyMaker || !teamSize) return std::nullopt;
    const PrizeSettings prizes{
        *places,  static_cast<PrizeDivision>(*division), *tobi, *booby == 1, *boobyMaker == 1,
        *teamSize};
    if (!IsValidPrizeSettings(prizes)) return std::nullopt;  // a prize every 1st place
    return prizes;
}

// A decided tie: the count and as many members, two at least.
std::optional<std::vector<MemberKey>> ParseDecision(const std::string& line) {
    std::vector<std::string> fields = SplitCommaText(line);
    if (fields.size() % 2 == 0) return std::nullopt;  // the count and pairs
    const auto count = ParseDigitField(fields[0], 2, std::numeric_limits<int>::max());
    if (!count || static_cast<std::size_t>(*count) != fields.size() / 2) return std::nullopt;
    std::vector<MemberKey> decision;
    for (std::size_t i = 1; i < fields.size(); i += 2) {
        const auto occurrence = ParseDigitField(fields[i + 1], 1, MemberCapacity);
        if (!occurrence) return std::nullopt;
        decision.push_back({std::move(fields[i]), *occurrence});
    }
    return decision;
}

struct MemberEntry {
    MemberKey key;
    int group = 0;
    ScoreCard card;
};

// A member line; its カード計 only for the first `rounds` rounds.
std::optional<MemberEntry> ParseMember(const std::string& line, int version, int rounds) {
    std::vector<std::string> fields = SplitCommaText(line);
    const std::size_t cellsFrom = CellsFrom(version);
    if (fields.size() != MemberFields(version)) return std::nullopt;
    const auto occurrence = ParseDigitField(fields[1], 1, MemberCapacity);
    const auto group =
        version == kFirstVersion ? std::optional<int>(0) : ParseDigitField(fields[2], 0, MaxGroups);
    if (!occurrence || !group) return std::nullopt;
    MemberEntry entry{{std::move(fields[0]), *occurrence}, *group, {}};
    for (int cell = 0; cell < kCardCells; ++cell) {
        const std::string& field = fields[cellsFrom + static_cast<std::size_t>(cell)];
        if (field.empty()) continue;
        const auto strokes = ParseDigitField(field, kMinStrokes, kMaxStrokes);
        if (!strokes) return std::nullopt;
        entry.card.Set(cell / kMaxHoles, cell % kMaxHoles, strokes);
    }
    for (int round = 0; version >= kStartHolesVersion && round < kMaxRounds; ++round) {
        const std::string& field = fields[cellsFrom + kCardCells + static_cast<std::size_t>(round)];
        if (field.empty()) continue;
        const auto total = ParseDigitField(field, kMinCardTotal, kMaxCardTotal);
        if (!total || round >= rounds) return std::nullopt;
        entry.card.SetCardTotal(round, total);
    }
    return entry;
}

ResultsParse Refused(ResultsFileStatus status, std::size_t badLine = 0) {
    return {status, badLine, {}, 0, std::nullopt};
}

// The fields of line `number` (from 1); none for a line the file lacks.
std::vector<std::string> FieldsOf(const std::vector<std::string>& lines, std::size_t number) {
    return number <= lines.size() ? SplitCommaText(lines[number - 1]) : std::vector<std::string>();
}

// A switch kept on a line of its own, "TAG,0" or "TAG,1"; nothing for any
// other line or a line the file lacks.
std::optional<bool> SwitchOf(const std::vector<std::string>& lines, std::size_t number,
                             const std::string& tag) {
    const std::vector<std::string> fields = FieldsOf(lines, number);
    if (fields.size() != 2 || fields[0] != tag) return std::nullopt;
    const std::optional<int> value = ParseDigitField(fields[1], 0, 1);
    if (!value) return std::nullopt;
    return *value == 1;
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
    const auto version = marker.size() == 2
                             ? ParseDigitField(marker[1], kFirstVersion, kResultsFileVersion)
                             : std::nullopt;
    if (!version) return Refused(ResultsFileStatus::UnsupportedVersion);

    ResultsParse parse;
    parse.version = *version;
    // The ranks of a file from before 年長 were made without age.
    parse.results.olderFirst = false;
    const std::vector<std::string> settings = FieldsOf(lines, kSettingsLine);
    const auto rounds =
        settings.size() == 2 ? ParseDigitField(settings[0], kMinRounds, kMaxRounds) : std::nullopt;
    const auto deduction = settings.size() == 2
                               ? ParseDigitField(settings[1], 0, kMaxHoleInOneDeduction)
                               : std::nullopt;
    if (!rounds || !deduction) return Refused(ResultsFileStatus::BadLine, kSettingsLine);
    parse.results.settings = {*rounds, *deduction};

    std::size_t firstMember = kSettingsLine + 1;  // the line number of the first member line
    std::vector<std::size_t> decisionLines;       // the line number of each decision
    if (*version > kFirstVersion) {
        parse.heading =
            kHeadingLine <= lines.size() ? ParseHeading(lines[kHeadingLine - 1]) : std::nullopt;
        if (!parse.heading) return Refused(ResultsFileStatus::BadLine, kHeadingLine);
        const auto prizes =
            kPrizesLine <= lines.size() ? ParsePrizes(lines[kPrizesLine - 1]) : std::nullopt;
        if (!prizes) return Refused(ResultsFileStatus::BadLine, kPrizesLine);
        parse.results.prizes = *prizes;
        if (*version >= kStartHolesVersion) {
            const auto starts =
                kStartHolesLine <= lines.size()
                    ? ParseStartHoles(lines[kStartHolesLine - 1], parse.heading->holes)
                    : std::nullopt;
            if (!starts) return Refused(ResultsFileStatus::BadLine, kStartHolesLine);
            parse.heading->startHoles = *starts;
            const std::optional<bool> checkCards = SwitchOf(lines, kCheckLine, CheckTag());
            if (!checkCards) return Refused(ResultsFileStatus::BadLine, kCheckLine);
            parse.results.checkCardTotals = *checkCards;
        }
        if (*version >= kOlderFirstVersion) {
            const std::optional<bool> olderFirst =
                SwitchOf(lines, kOlderFirstLine, OlderFirstTag());
            if (!olderFirst) return Refused(ResultsFileStatus::BadLine, kOlderFirstLine);
            parse.results.olderFirst = *olderFirst;
        }

        // No more decisions than lines after this one.
        const std::size_t decisionsLine = *version >= kOlderFirstVersion   ? kOlderFirstLine + 1
                                          : *version >= kStartHolesVersion ? kCheckLine + 1
                                                                           : kPrizesLine + 1;
        const std::vector<std::string> count = FieldsOf(lines, decisionsLine);
        const int linesLeft =
            static_cast<int>(lines.size() - std::min(lines.size(), decisionsLine));
        const auto decisions = count.size() == 2 && count[0] == DecisionsTag()
                                   ? ParseDigitField(count[1], 0, linesLeft)
                                   : std::nullopt;
        if (!decisions) return Refused(ResultsFileStatus::BadLine, decisionsLine);
        std::set<MemberKey> decided;
        for (int i = 0; i < *decisions; ++i) {
            const std::size_t number = decisionsLine + 1 + static_cast<std::size_t>(i);
            std::optional<std::vector<MemberKey>> decision = ParseDecision(lines[number - 1]);
            if (!decision) return Refused(ResultsFileStatus::BadLine, number);
            for (const MemberKey& key : *decision)
                if (!decided.insert(key).second) return Refused(ResultsFileStatus::BadLine, number);
            parse.results.decisions.push_back(std::move(*decision));
            decisionLines.push_back(number);
        }
        firstMember = decisionsLine + 1 + static_cast<std::size_t>(*decisions);
    }

    for (std::size_t number = firstMember; number <= lines.size(); ++number) {
        std::optional<MemberEntry> entry =
            ParseMember(lines[number - 1], *version, parse.results.settings.rounds);
        if (!entry || parse.results.cards.contains(entry->key))
            return Refused(ResultsFileStatus::BadLine, number);
        if (entry->group > 0) parse.results.seats.push_back({entry->key, entry->group});
        parse.results.cards.emplace(std::move(entry->key), entry->card);
    }
    // Every member of a tie has a member line.
    for (std::size_t i = 0; i < decisionLines.size(); ++i)
        for (const MemberKey& key : parse.results.decisions[i])
            if (!parse.results.cards.contains(key))
                return Refused(ResultsFileStatus::BadLine, decisionLines[i]);
    // A start hole only for a group that a member sits in.
    if (parse.heading) {
        std::set<int> seated;
        for (const Seat& seat : parse.results.seats) seated.insert(seat.group);
        for (int g = 1; g <= MaxGroups; ++g)
            if (parse.heading->startHoles.groups[static_cast<std::size_t>(g - 1)] &&
                !seated.contains(g))
                return Refused(ResultsFileStatus::BadLine, kStartHolesLine);
    }
    return parse;
}

ResultsFileBytes FormatResultsFile(const Results& results, const MeetingHeading& heading) {
    ResultsFileBytes file;
    // The members with strokes in the order written, each with its group: the
    // seated first in the order shown, then the others in key order.
    std::vector<std::pair<MemberKey, int>> order;
    std::set<MemberKey> ordered;
    for (const Seat& seat : results.seats) {
        const auto card = results.cards.find(seat.key);
        if (seat.group >= 1 && seat.group <= MaxGroups && card != results.cards.end() &&
            !card->second.IsEmpty() && ordered.insert(seat.key).second)
            order.emplace_back(seat.key, seat.group);
    }
    for (const auto& [key, card] : results.cards)
        if (!card.IsEmpty() && ordered.insert(key).second) order.emplace_back(key, 0);

    std::string members;
    std::set<MemberKey> written;
    std::set<int> seated;  // the groups a written member sits in
    for (const auto& [key, group] : order) {
        const std::string record =
            MemberRecord(key, group, results.cards.at(key), results.settings.rounds);
        if (!ReadsBack(record, key)) {
            file.leftOut.push_back(NameOf(key.line));
            continue;
        }
        members.append(record).append(kCrLf);
        written.insert(key);
        if (group > 0) seated.insert(group);
    }

    // The ties as far as their members are written, each member once.
    std::vector<std::vector<MemberKey>> decisions;
    std::set<MemberKey> decided;
    for (const std::vector<MemberKey>& decision : results.decisions) {
        std::vector<MemberKey> kept;
        for (const MemberKey& key : decision)
            if (written.contains(key) && !decided.contains(key) &&
                std::find(kept.begin(), kept.end(), key) == kept.end())
                kept.push_back(key);
        if (kept.size() < 2) continue;
        decided.insert(kept.begin(), kept.end());
        decisions.push_back(std::move(kept));
    }

    std::string& bytes = file.bytes;
    bytes.append(kMarker).append(",").append(std::to_string(kResultsFileVersion)).append(kCrLf);
    bytes.append(std::to_string(std::clamp(results.settings.rounds, kMinRounds, kMaxRounds)))
        .append(",")
        .append(std::to_string(
            std::clamp(results.settings.holeInOneDeduction, 0, kMaxHoleInOneDeduction)))
        .append(kCrLf);
    bytes.append(HeadingLine(heading)).append(kCrLf);
    bytes.append(PrizesLine(results.prizes)).append(kCrLf);
    bytes.append(StartHolesLine(heading.startHoles, seated)).append(kCrLf);
    bytes.append(CheckTag()).append(results.checkCardTotals ? ",1" : ",0").append(kCrLf);
    bytes.append(OlderFirstTag()).append(results.olderFirst ? ",1" : ",0").append(kCrLf);
    bytes.append(DecisionsTag()).append(",").append(std::to_string(decisions.size())).append(kCrLf);
    for (const std::vector<MemberKey>& decision : decisions)
        bytes.append(DecisionLine(decision)).append(kCrLf);
    bytes.append(members);
    return file;
}

RosterMatch MatchToRoster(const Results& saved, const std::vector<std::string>& rosterLines) {
    const std::vector<MemberKey> keys = MemberKeys(rosterLines);
    const std::set<MemberKey> roster(keys.begin(), keys.end());
    RosterMatch match;
    match.results.settings = saved.settings;
    match.results.prizes = saved.prizes;
    match.results.checkCardTotals = saved.checkCardTotals;
    match.results.olderFirst = saved.olderFirst;
    for (const auto& [key, card] : saved.cards) {
        if (roster.contains(key))
            match.results.cards.emplace(key, card);
        else
            match.unmatched.push_back(NameOf(key.line));
    }
    for (const Seat& seat : saved.seats)
        if (roster.contains(seat.key)) match.results.seats.push_back(seat);
    for (const std::vector<MemberKey>& decision : saved.decisions) {
        std::vector<MemberKey> kept;
        std::copy_if(decision.begin(), decision.end(), std::back_inserter(kept),
                     [&roster](const MemberKey& key) { return roster.contains(key); });
        if (kept.size() >= 2) match.results.decisions.push_back(std::move(kept));
    }
    return match;
}

}  // namespace tovi
