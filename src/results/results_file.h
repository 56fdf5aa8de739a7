// The results file: the settings, the heading, the prize-giving's settings,
// the decided ties and the score cards as CP932 comma text, every line ending
// in CR LF.  Version 4, the one written:
//
//   成績,4                   marker and format version
//   ROUNDS,DEDUCTION         e.g. 2,0
//   見出し,TITLE,NAME,COURSE,YEAR,MONTH,DAY,HOLES
//                            the heading: six texts and the hole count 1..12
//   表彰,PLACES,DIVISION,TOBI,BOOBY,BOOBYMAKER,TEAMSIZE
//                            0..10, 0 男女別 or 1 全体, 0 or 2..20, 0/1, 0/1, 1..10
//   スタート,PERGROUP,S1,..,S6
//                            0 every group at one start hole, 1 組ごと; the
//                            start hole each group's sheet printed (1..HOLES
//                            with 組ごと, otherwise one number for all), empty
//                            where it printed none or no member line sits in
//                            the group
//   検算,CHECK               0/1: カード計で検算
//   年長,OLDERFIRST          0/1: 同成績は年長者を上位
//   決定,N                   the number of decided ties, then N lines:
//   COUNT,LINE,OCC,LINE,OCC,..  one tie: COUNT (2 or more) members in the
//                            order decided, each by line and occurrence
//   LINE,OCC,GROUP,C1,..,C48,T1,..,T4
//                            one line per member with anything entered; T the
//                            カード計 of each round 1..999, empty for none and
//                            for the rounds past ROUNDS
//
// LINE is the member's roster line as one field and every heading text one
// field, each quoted by the roster's rule; OCC is the member's occurrence
// (results/score_card.h).  The 48 cells run round by round, holes 1..12 of
// each round, an empty field for a cell not entered.  GROUP is the group
// 1..6 the results window showed the member in, 0 for none; the members with
// a group come first, in the order shown, the others follow.  Every member of
// a tie has a member line, and a member is in one tie at most.
//
// Version 3, still read, is version 4 without the 年長 line; its ranks were
// made without age, so it reads with 同成績は年長者を上位 off.  Version 2,
// still read, is version 3 without the スタート and 検算 lines and without
// the T fields.  Version 1, still read (also with age off), has the first
// two lines and then member lines without GROUP:
//
//   成績,1
//   ROUNDS,DEDUCTION
//   LINE,OCC,C1,..,C48
//
// The file is read into a separate value that the caller takes over only
// when the whole file was accepted.
#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "model/start_holes.h"
#include "results/score_card.h"

namespace tovi {

inline constexpr std::size_t kMaxResultsFileBytes = 1024 * 1024;
inline constexpr int kResultsFileVersion = 4;  // the version written; 1 to 3 are read too

// How a read of the file ended; the window words it for the organiser.
enum class ResultsFileStatus {
    Ok,
    TooLarge,            // more than kMaxResultsFileBytes
    RosterFile,          // line 1 begins with the roster marker: a roster, not results
    NoMarker,            // line 1 is not the results marker
    UnsupportedVersion,  // the marker names a format version other than 1 to 4
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
    int holes = 0;          // 1..12
    StartHoles startHoles;  // nothing before version 3
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
// Cards without any strokes are not written, nor the seats and the places in
// decided ties of members whose card is not written; a tie left with fewer
// than two members is dropped, and so is a member's second seat or second
// place in the ties.  Settings out of range are written as the nearest
// allowed value, a start hole only for a group a written member sits in,
// a カード計 only for the rounds played; a heading text that would not read back whole (a line end,
// a NUL, a lone lead byte at its end) is written empty.
ResultsFileBytes FormatResultsFile(const Results& results, const MeetingHeading& heading);

struct RosterMatch {
    // The saved settings, and the cards, seats and decided ties of the
    // members found; a tie left with fewer than two members is dropped.
    Results results;
    // Names (CP932, the first field of the saved line) of the saved members
    // that the roster has no line and occurrence for, in the order of the
    // saved cards.
    std::vector<std::string> unmatched;
};

// Matches every saved card, seat and tie member to the roster by line and
// occurrence; a card that matches nothing is reported and left out, never
// given to another member.
RosterMatch MatchToRoster(const Results& saved, const std::vector<std::string>& rosterLines);

}  // namespace tovi
