#include "ui/messages.h"

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

}  // namespace tovi
