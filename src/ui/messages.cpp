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

}  // namespace tovi
