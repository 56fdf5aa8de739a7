// Every sentence the program's windows show in a message box or ask in a
// question, kept in one place: the window's own, and the words for what the
// roster file, the results file and the automatic grouping report (the core
// hands out only what happened).
#pragma once

#include <QString>

#include <cstddef>

#include "grouping/auto_grouping.h"
#include "model/roster_file.h"
#include "results/results_file.h"

namespace tovi {

// The message for a load or save of the roster; empty for Ok.  memberLines:
// for TooManyMembers, how many member lines the file holds.
QString RosterFileMessage(RosterFileStatus status, std::size_t memberLines = 0);

// The message for a results file refused; empty for Ok.  badLine: for
// BadLine, the number of the first bad line, from 1.
QString ResultsFileMessage(ResultsFileStatus status, std::size_t badLine = 0);

// The message for what a grouping run has to tell; empty for None.
QString GroupingMessage(GroupingNotice notice);

// What the windows tell in a message box with an OK button.
enum class Notice {
    RosterFull,          // 登録: the roster holds 40 members
    NameMissing,         // 登録 without a name
    GenderMissing,       // 登録 without a gender
    TooManyPlayers,      // more than 36 players marked
    GroupFull,           // 貼り付け into a group of six
    OutsideGroup,        // 戻す below a group's last member
    NoGroupToPrint,      // 全組印刷 without groups
    CannotPrint,         // the print job did not start
    NoPrinter,           // 印刷 on Windows with no printer installed
    NoGroupToEnter,      // 成績入力 without groups or scores
    RecoveryUnreadable,  // followed by a line with the recovery file's path
    RecoveryNotWritten,  // followed by a line with the recovery file's path
    BadFileName,         // a file name the program cannot spell
    CannotSave,
    CannotRead,
    ScoresNotSavedFor,    // followed by the names, one a line
    ScoresNotLoadedFor,   // followed by the names, one a line
    SeasonFileAsMeeting,  // 年間成績 追加 of a season file; followed by its name
    MeetingsLeftOut,      // a season file's meetings not read; followed by their names
    MeetingsNotSaved,     // season file paths not written; followed by them
    BadPointsTable,       // the points table typed is not 0..999 x 1..20
    NotSeasonFile,        // 年間成績 読込 of a file that is no season file
    GuideMissing,         // ヘルプ without the guide's pages; followed by their folder
    StartHoleOutOfRange,  // 組ごと: a start hole not on the course; %1 the group, %2 the holes
    CorrectRowMissing,    // 登録 with 修正 on before a member is picked
    CorrectDoesNotFit,    // 修正 of a member whose name or team the boxes cannot hold
    BirthDatePartial,     // 生年月日 with year, month or day missing
    BirthDateNotNumber,   // 生年月日 with a box that is no number
    BirthDateYear,        // a year before 1900 or after this one; %1 this year
    BirthDateMonth,       // a month outside 1..12
    BirthDateDay,         // no such day; %1 the month, %2 its last day
    BirthDateAfterToday,  // a day still to come
};
QString NoticeText(Notice notice);

// What the windows ask with はい and いいえ.
enum class Question {
    DeleteRow,             // 削除 of a member row
    CloseUnsaved,          // closing with a roster or scores not saved
    RestoreScores,         // a start that finds the recovery file
    LoadOverUnsaved,       // 成績読込 over scores not saved
    ClearScores,           // 成績を消去
    CloseSeasonUnsaved,    // closing the season window with its list not saved
    ReplaceSeasonUnsaved,  // 年間成績 読込 over a list not saved
};
QString QuestionCaption(Question question);
QString QuestionText(Question question);

}  // namespace tovi
