// The results file: the settings and the score cards as CP932 comma text,
// every line ending in CR LF.
//
//   成績,1                   marker and format version
//   ROUNDS,DEDUCTION         e.g. 2,0
//   LINE,OCCURRENCE,C1,..,C48  one line per member with any strokes entered
//
// LINE is the member's roster line as one field, quoted by the roster's rule;
// the 48 cells run round by round, holes 1..12 of each round, an empty field
// for a cell not entered.  The file is read into a separate value that the
// caller takes over only when the whole file was accepted.
#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "results/score_card.h"

namespace tovi {

inline constexpr std::size_t kMaxResultsFileBytes = 1024 * 1024;
inline constexpr int kResultsFileVersion = 1;

// How a read of the file ended; the window words it for the organiser.
enum class ResultsFileStatus {
    Ok,
    TooLarge,            // more than kMaxResultsFileBytes
    RosterFile,          // line 1 begins with the roster marker: a roster, not results
    NoMarker,            // line 1 is not the results marker
    UnsupportedVersion,  // the marker names a format version other than 1
    NotText,             // the file holds a NUL byte
    BadLine,             // a line malformed, out of range or a member twice
};

// The meeting's heading as the score sheet held it when the results were
// saved: the texts as typed (CP932) and the hole count a round.
struct MeetingHeading {
    std::string title;        // 表題
    std::string meetingName;  // 大会名
    std::string course;       // コース
    std::string year;         // 開催日: the three numbers as typed
    std::string month;
    std::string day;
    int holes = 0;  // 1..12
    friend bool operator==(const MeetingHeading&, const MeetingHeading&) = default;
};

struct ResultsParse {
    ResultsFileStatus status = ResultsFileStatus::Ok;
    std::size_t badLine = 0;  // BadLine: the number of the first bad line, from 1
    Results results;          // empty unless status is Ok
    int version = 0;          // the file's format version, when status is Ok
    // The heading of a version 2 file; nothing for version 1, which has none.
    std::optional<MeetingHeading> heading;
};

// Checks the bytes of a results file and returns what it holds.
ResultsParse ParseResultsFile(std::string_view bytes);

struct ResultsFileBytes {
    std::string bytes;
    // Names (CP932) of members whose roster line cannot be written so that it
    // reads back whole (one ending in a lone lead byte, or holding a line
    // end); their cards are not in the bytes.
    std::vector<std::string> leftOut;
};

// The bytes of a results file holding these results under the heading.
// Cards without any strokes are not written.
ResultsFileBytes FormatResultsFile(const Results& results, const MeetingHeading& heading = {});

struct RosterMatch {
    Results results;  // the saved settings and the cards of the members found
    // Names (CP932, the first field of the saved line) of the saved members
    // that the roster has no line and occurrence for, in the order of the
    // saved cards.
    std::vector<std::string> unmatched;
};

// Matches every saved card to the roster by line and occurrence; a card that
// matches nothing is reported and left out, never given to another member.
RosterMatch MatchToRoster(const Results& saved, const std::vector<std::string>& rosterLines);

}  // namespace tovi
