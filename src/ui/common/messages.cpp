#include "ui/common/messages.h"

#include "platform/dialogs.h"

namespace tovi {
namespace {

// A count in full-width digits, as the messages write numbers.
QString FullWidthNumber(std::size_t n) {
    QString text = QString::number(n);
    for (QChar& c : text) c = QChar(u'０' + (c.unicode() - u'0'));
    return text;
}

}  // namespace

QString RosterFileMessage(RosterFileStatus status, std::size_t memberLines) {
    switch (status) {
        case RosterFileStatus::Ok:
            return {};
        case RosterFileStatus::CannotRead:
            return QStringLiteral("ファイルを読み込めません");
        case RosterFileStatus::TooLarge:
            return QStringLiteral("ファイルが大き過ぎるため開けません");
        case RosterFileStatus::Empty:
        case RosterFileStatus::NoMarker:
            return QStringLiteral("このデータは開けません");
        case RosterFileStatus::TooManyMembers:
            return QStringLiteral("このファイルにはメンバーの行が") + FullWidthNumber(memberLines) +
                   QStringLiteral(
                       "行あります。４０行を超えるファイルは開けません（空の行も１行と数えます）");
        case RosterFileStatus::CannotWrite:
            return QStringLiteral("ファイルに保存出来ません");
        case RosterFileStatus::BadFileName:
            return QStringLiteral("ファイル名に扱えない文字が含まれています");
    }
    return {};
}

QString ResultsFileMessage(ResultsFileStatus status, std::size_t badLine) {
    switch (status) {
        case ResultsFileStatus::Ok:
            return {};
        case ResultsFileStatus::TooLarge:
            return QStringLiteral("ファイルが大き過ぎるため開けません");
        case ResultsFileStatus::RosterFile:
            return QStringLiteral("これは名簿のファイルです。成績のファイルを選んで下さい");
        case ResultsFileStatus::NoMarker:
        case ResultsFileStatus::NotText:
            return QStringLiteral("このデータは開けません");
        case ResultsFileStatus::UnsupportedVersion:
            return QStringLiteral("この形式の成績ファイルは開けません");
        case ResultsFileStatus::BadLine:
            return QStringLiteral("成績ファイルの") + QString::number(badLine) +
                   QStringLiteral("行目が正しくないため開けません");
    }
    return {};
}

QString GroupingMessage(GroupingNotice notice) {
    switch (notice) {
        case GroupingNotice::None:
            return {};
        case GroupingNotice::NoPlayers:
            return QStringLiteral("出場者がありません");
        case GroupingNotice::NoGroupCount:
            return QStringLiteral("組数を入力して下さい");
        case GroupingNotice::TooManyGroups:
            return QStringLiteral("６組を超えています");
        case GroupingNotice::TooFewLeaders:
            return QStringLiteral("リダー数が足りません");
        case GroupingNotice::MoreGroupsNeeded:
            return QStringLiteral("組数を増やして下さい");
        case GroupingNotice::LeadersShort:
            return QStringLiteral("リーダ数が足りません");
        case GroupingNotice::LeadersMismatch:
            return QStringLiteral("リーダ数と組数が合いませんe");
    }
    return {};
}

QString NoticeText(Notice notice) {
    switch (notice) {
        case Notice::RosterFull:
            return QStringLiteral("登録出来ません。人数が超過します");
        case Notice::NameMissing:
            return QStringLiteral("氏名を入力して下さい");
        case Notice::GenderMissing:
            return QStringLiteral("性別を入力して下さい");
        case Notice::TooManyPlayers:
            return QStringLiteral("出場者が３６名を超えています");
        case Notice::GroupFull:
            return QStringLiteral("人数オーバーです");
        case Notice::OutsideGroup:
            return QStringLiteral("位置が外れています");
        case Notice::NoGroupToPrint:
            return QStringLiteral("印刷する組がありません");
        case Notice::CannotPrint:
            return QStringLiteral("印刷を開始できません");
        case Notice::NoPrinter:
            return QStringLiteral(
                "プリンターがインストールされていないため印刷できません。\n"
                "Windows の「設定」の「プリンターとスキャナー」でプリンターを追加してから、"
                "もう一度印刷して下さい。");
        case Notice::NoGroupToEnter:
            return QStringLiteral("成績を入力する組がありません");
        case Notice::RecoveryUnreadable:
            return QStringLiteral("前回入力した成績の控えが読めないため復元できません。");
        case Notice::RecoveryNotWritten:
            return QStringLiteral("入力した成績の控えを書き込めません。");
        case Notice::BadFileName:
            return RosterFileMessage(RosterFileStatus::BadFileName);
        case Notice::CannotSave:
            return RosterFileMessage(RosterFileStatus::CannotWrite);
        case Notice::CannotRead:
            return RosterFileMessage(RosterFileStatus::CannotRead);
        case Notice::ScoresNotSavedFor:
            return QStringLiteral("次の人の成績は名前を書けないため保存されていません");
        case Notice::ScoresNotLoadedFor:
            return QStringLiteral("名簿にない次の人の成績は読み込んでいません");
        case Notice::SeasonFileAsMeeting:
            return QStringLiteral("これは年間成績のファイルです。成績のファイルを選んで下さい");
        case Notice::MeetingsLeftOut:
            return QStringLiteral("次の成績のファイルは読み込めないため外しました");
        case Notice::MeetingsNotSaved:
            return QStringLiteral("次の成績のファイルは名前を書けないため保存されていません");
        case Notice::BadPointsTable:
            return QStringLiteral(
                "ポイントは０から９９９までの数を２０個まで、コンマで区切って入力して下さい");
        case Notice::NotSeasonFile:
            return QStringLiteral("これは年間成績のファイルではありません");
        case Notice::GuideMissing:
            return QStringLiteral("ヘルプのページが見つかりません");
        case Notice::StartHoleOutOfRange:
            return QStringLiteral("%1組のスタートホールは1から%2までの番号にして下さい");
        case Notice::CorrectRowMissing:
            return QStringLiteral("修正する行を指定して下さい");
        case Notice::CorrectDoesNotFit:
            return QStringLiteral("この行の氏名かチームは長すぎるため修正出来ません");
        case Notice::BirthDatePartial:
            return QStringLiteral("生年月日は年・月・日をすべて入力して下さい");
        case Notice::BirthDateNotNumber:
            return QStringLiteral("生年月日は数字で入力して下さい");
        case Notice::BirthDateYear:
            return QStringLiteral("生年月日の年は1900から%1までにして下さい");
        case Notice::BirthDateMonth:
            return QStringLiteral("生年月日の月は1から12までにして下さい");
        case Notice::BirthDateDay:
            return QStringLiteral("生年月日の日は%1月なら1から%2までにして下さい");
        case Notice::BirthDateAfterToday:
            return QStringLiteral("生年月日が今日より後になっています");
    }
    return {};
}

QString QuestionCaption(Question question) {
    switch (question) {
        case Question::DeleteRow:
            return QStringLiteral("削除");
        case Question::CloseUnsaved:
        case Question::RestoreScores:
            return kAppTitle;
        case Question::LoadOverUnsaved:
            return QStringLiteral("成績読込");
        case Question::ClearScores:
            return QStringLiteral("成績を消去");
        case Question::CloseSeasonUnsaved:
        case Question::ReplaceSeasonUnsaved:
            return QStringLiteral("年間成績");
    }
    return {};
}

QString QuestionText(Question question) {
    switch (question) {
        case Question::DeleteRow:
            return QStringLiteral("この行を削除しますか");
        case Question::CloseUnsaved:
            return QStringLiteral("保存されていない変更があります。保存せずに終了しますか？");
        case Question::RestoreScores:
            return QStringLiteral("前回入力した成績が残っています。復元しますか？");
        case Question::LoadOverUnsaved:
            return QStringLiteral(
                "保存されていない成績があります。読み込むと失われます。読み込みますか？");
        case Question::ClearScores:
            return QStringLiteral("入力した成績をすべて消去しますか？");
        case Question::CloseSeasonUnsaved:
            return QStringLiteral("年間成績の一覧が保存されていません。保存せずに閉じますか？");
        case Question::ReplaceSeasonUnsaved:
            return QStringLiteral(
                "年間成績の一覧が保存されていません。読み込むと失われます。読み込みますか？");
    }
    return {};
}

}  // namespace tovi
