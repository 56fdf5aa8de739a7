// The sentences shown for the roster file, the results file and the
// automatic grouping, byte for byte as the organiser has always read them
// (the odd spellings included).
#include <QString>

#include <gtest/gtest.h>

#include <string>

#include "ui/common/messages.h"

namespace tovi {
namespace {

TEST(Messages, EveryStatusAndNoticeShowsItsSentence) {
    const struct {
        const char* what;
        QString shown;
        const char* expected;  // UTF-8
    } cases[] = {
        {"roster: ok", RosterFileMessage(RosterFileStatus::Ok), ""},
        {"roster: cannot read", RosterFileMessage(RosterFileStatus::CannotRead),
         "ファイルを読み込めません"},
        {"roster: too large", RosterFileMessage(RosterFileStatus::TooLarge),
         "ファイルが大き過ぎるため開けません"},
        {"roster: empty", RosterFileMessage(RosterFileStatus::Empty), "このデータは開けません"},
        {"roster: no marker", RosterFileMessage(RosterFileStatus::NoMarker),
         "このデータは開けません"},
        {"roster: 41 member lines", RosterFileMessage(RosterFileStatus::TooManyMembers, 41),
         "このファイルにはメンバーの行が４１行あります。"
         "４０行を超えるファイルは開けません（空の行も１行と数えます）"},
        {"roster: every digit", RosterFileMessage(RosterFileStatus::TooManyMembers, 1234567890),
         "このファイルにはメンバーの行が１２３４５６７８９０行あります。"
         "４０行を超えるファイルは開けません（空の行も１行と数えます）"},
        {"roster: cannot write", RosterFileMessage(RosterFileStatus::CannotWrite),
         "ファイルに保存出来ません"},
        {"roster: bad file name", RosterFileMessage(RosterFileStatus::BadFileName),
         "ファイル名に扱えない文字が含まれています"},

        {"results: ok", ResultsFileMessage(ResultsFileStatus::Ok), ""},
        {"results: too large", ResultsFileMessage(ResultsFileStatus::TooLarge),
         "ファイルが大き過ぎるため開けません"},
        {"results: a roster", ResultsFileMessage(ResultsFileStatus::RosterFile),
         "これは名簿のファイルです。成績のファイルを選んで下さい"},
        {"results: no marker", ResultsFileMessage(ResultsFileStatus::NoMarker),
         "このデータは開けません"},
        {"results: not text", ResultsFileMessage(ResultsFileStatus::NotText),
         "このデータは開けません"},
        {"results: other version", ResultsFileMessage(ResultsFileStatus::UnsupportedVersion),
         "この形式の成績ファイルは開けません"},
        {"results: line 12", ResultsFileMessage(ResultsFileStatus::BadLine, 12),
         "成績ファイルの12行目が正しくないため開けません"},

        {"grouping: none", GroupingMessage(GroupingNotice::None), ""},
        {"grouping: no players", GroupingMessage(GroupingNotice::NoPlayers), "出場者がありません"},
        {"grouping: no count", GroupingMessage(GroupingNotice::NoGroupCount),
         "組数を入力して下さい"},
        {"grouping: too many groups", GroupingMessage(GroupingNotice::TooManyGroups),
         "６組を超えています"},
        {"grouping: too few leaders", GroupingMessage(GroupingNotice::TooFewLeaders),
         "リダー数が足りません"},
        {"grouping: more groups", GroupingMessage(GroupingNotice::MoreGroupsNeeded),
         "組数を増やして下さい"},
        {"grouping: leaders short", GroupingMessage(GroupingNotice::LeadersShort),
         "リーダ数が足りません"},
        {"grouping: leaders mismatch", GroupingMessage(GroupingNotice::LeadersMismatch),
         "リーダ数と組数が合いませんe"},
    };
    for (const auto& c : cases) EXPECT_EQ(c.shown.toStdString(), std::string(c.expected)) << c.what;
}

// The window's own sentences that no window test meets (the others are
// compared where the window shows them).
TEST(Messages, TheWindowsOwnSentencesNoOtherTestMeets) {
    const struct {
        QString shown;
        const char* expected;  // UTF-8
    } cases[] = {
        {NoticeText(Notice::CannotPrint), "印刷を開始できません"},
        {NoticeText(Notice::RecoveryNotWritten), "入力した成績の控えを書き込めません。"},
        {NoticeText(Notice::ScoresNotSavedFor),
         "次の人の成績は名前を書けないため保存されていません"},
        {QuestionCaption(Question::LoadOverUnsaved), "成績読込"},
        {QuestionText(Question::LoadOverUnsaved),
         "保存されていない成績があります。読み込むと失われます。読み込みますか？"},
    };
    for (const auto& c : cases) EXPECT_EQ(c.shown.toStdString(), std::string(c.expected));
}

}  // namespace
}  // namespace tovi
