#include "ui/season/season_window.h"

#include <QButtonGroup>
#include <QCloseEvent>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPrinter>
#include <QPushButton>
#include <QRadioButton>
#include <QSignalBlocker>
#include <QSpinBox>
#include <QVBoxLayout>

#include <algorithm>
#include <utility>

#include "core/cp932.h"
#include "core/file_io.h"
#include "platform/file_name.h"
#include "platform/fonts.h"
#include "platform/qt_text.h"
#include "sheets/printed_list.h"
#include "sheets/ranking_sheet.h"
#include "sheets/season_sheet.h"
#include "ui/common/file_commands.h"
#include "ui/common/list_commands.h"
#include "ui/common/list_table.h"
#include "ui/common/messages.h"
#include "ui/common/print_job.h"
#include "ui/common/text_table_model.h"
#include "ui/common/window_bar.h"

namespace tovi {
namespace {

QString DateText(const SeasonMeeting& meeting) {
    if (!meeting.heading) return {};
    const MeetingHeading& h = *meeting.heading;
    return Cp932ToQt(h.year) + QStringLiteral("年") + Cp932ToQt(h.month) + QStringLiteral("月") +
           Cp932ToQt(h.day) + QStringLiteral("日");
}

}  // namespace

SeasonWindow::SeasonWindow(Dialogs& dialogs) : QWidget(nullptr), dialogs_(dialogs) {
    setWindowTitle(QStringLiteral("年間成績 - ") + kAppTitle);
    setFont(FontForPixels(kPGothicFace, 15));
    resize(1000, 680);
    auto* layout = new QVBoxLayout(this);

    // The commands along the top.
    auto* bar = new QHBoxLayout();
    layout->addLayout(bar);
    const auto button = [this, bar](const QString& text, const char* name,
                                    void (SeasonWindow::*handler)()) {
        connect(AddBarButton(this, bar, text, name), &QPushButton::clicked, this, handler);
    };
    button(QStringLiteral("追加(&A)"), "AddButton", &SeasonWindow::AddClick);
    button(QStringLiteral("削除(&D)"), "RemoveButton", &SeasonWindow::RemoveClick);
    bar->addStretch();
    button(QStringLiteral("印刷(&P)"), "PrintButton", &SeasonWindow::PrintClick);
    button(QStringLiteral("CSV保存(&C)"), "CsvButton", &SeasonWindow::CsvClick);
    button(QStringLiteral("保存(&S)"), "SaveButton", &SeasonWindow::SaveClick);
    button(QStringLiteral("読込(&L)"), "LoadButton", &SeasonWindow::LoadClick);
    AddCloseButton(this, bar);

    // The meetings.
    meetingModel_ = std::make_unique<TextTableModel>(
        QStringList{QStringLiteral("開催日"), QStringLiteral("大会名"), QStringLiteral("人数"),
                    QStringLiteral("ファイル")},
        std::vector<int>{2});
    meetingTable_ = new ListTable(this);
    meetingTable_->setObjectName(QStringLiteral("MeetingTable"));
    meetingTable_->setModel(meetingModel_.get());
    layout->addWidget(meetingTable_, 2);

    // The settings.
    auto* settings = new QHBoxLayout();
    layout->addLayout(settings);
    const auto labelled = [this, settings](const QString& text, QWidget* buddy) {
        AddLabelled(this, settings, text, buddy, 12);
    };
    points_ = new QLineEdit(this);
    points_->setObjectName(QStringLiteral("PointsEdit"));
    points_->setMinimumWidth(220);
    labelled(QStringLiteral("ポイント(&T)"), points_);
    attendance_ = new QSpinBox(this);
    attendance_->setObjectName(QStringLiteral("AttendanceBox"));
    attendance_->setRange(0, kMaxPoints);
    labelled(QStringLiteral("参加点(&E)"), attendance_);
    byPoints_ = new QRadioButton(QStringLiteral("ポイント順"), this);
    byPoints_->setObjectName(QStringLiteral("OrderButton0"));
    byAverage_ = new QRadioButton(QStringLiteral("平均順"), this);
    byAverage_->setObjectName(QStringLiteral("OrderButton1"));
    auto* order = new QButtonGroup(this);
    order->addButton(byPoints_, 0);
    order->addButton(byAverage_, 1);
    settings->addWidget(byPoints_);
    settings->addWidget(byAverage_);
    settings->addSpacing(12);
    minimumRounds_ = new QSpinBox(this);
    minimumRounds_->setObjectName(QStringLiteral("MinimumRoundsBox"));
    minimumRounds_->setRange(kMinMinimumRounds, kMaxMinimumRounds);
    labelled(QStringLiteral("最低ラウンド(&M)"), minimumRounds_);
    settings->addStretch();

    // The lists and the figures.
    auto* listBar = new QHBoxLayout();
    layout->addLayout(listBar);
    lists_ = AddListButtons(this, listBar);
    listBar->addStretch();
    seasonModel_ = std::make_unique<TextTableModel>(
        QStringList{QStringLiteral("順位"), QStringLiteral("氏名"), QStringLiteral("チーム"),
                    QStringLiteral("性別"), QStringLiteral("出場"), QStringLiteral("ポイント"),
                    QStringLiteral("ラウンド"), QStringLiteral("打数"), QStringLiteral("平均"),
                    QStringLiteral("一打")},
        std::vector<int>{0, 4, 5, 6, 7, 8, 9});
    seasonTable_ = new ListTable(this);
    seasonTable_->setObjectName(QStringLiteral("SeasonTable"));
    seasonTable_->setModel(seasonModel_.get());
    layout->addWidget(seasonTable_, 5);

    ShowSettings();
    connect(points_, &QLineEdit::editingFinished, this, [this] { PointsEdited(); });
    connect(attendance_, &QSpinBox::valueChanged, this, [this] { SettingsChanged(); });
    connect(minimumRounds_, &QSpinBox::valueChanged, this, [this] { SettingsChanged(); });
    connect(order, &QButtonGroup::idClicked, this, [this] { SettingsChanged(); });
    connect(lists_, &QButtonGroup::idClicked, this, [this] { Refresh(Changed::Settings); });
    Refresh(Changed::Meetings);
}

SeasonWindow::~SeasonWindow() = default;

RankingList SeasonWindow::List() const { return static_cast<RankingList>(lists_->checkedId()); }

void SeasonWindow::ShowSettings() {
    const QSignalBlocker a(attendance_), b(minimumRounds_), c(byPoints_), d(byAverage_);
    const SeasonSettings& settings = document_.Settings();
    points_->setText(QString::fromStdString(FormatPointsTable(settings.pointsTable)));
    attendance_->setValue(settings.attendancePoints);
    minimumRounds_->setValue(settings.minimumRounds);
    (settings.order == SeasonOrder::Average ? byAverage_ : byPoints_)->setChecked(true);
}

void SeasonWindow::PointsEdited() {
    const std::optional<std::vector<int>> table = ParsePointsTable(points_->text().toStdString());
    if (!table) {
        // The last good table stays.
        points_->setText(
            QString::fromStdString(FormatPointsTable(document_.Settings().pointsTable)));
        dialogs_.Message(NoticeText(Notice::BadPointsTable));
        return;
    }
    if (*table == document_.Settings().pointsTable) return;
    SeasonSettings settings = document_.Settings();
    settings.pointsTable = *table;
    document_.SetSettings(settings);
    Refresh(Changed::Settings);
}

void SeasonWindow::SettingsChanged() {
    SeasonSettings settings = document_.Settings();
    settings.attendancePoints = attendance_->value();
    settings.minimumRounds = minimumRounds_->value();
    settings.order = byAverage_->isChecked() ? SeasonOrder::Average : SeasonOrder::Points;
    document_.SetSettings(settings);
    Refresh(Changed::Settings);
}

void SeasonWindow::Refresh(Changed changed) {
    document_.Sum(List());
    const Season& season = document_.Summed();

    if (changed == Changed::Meetings) {
        std::vector<QStringList> meetings;
        for (const std::size_t i : season.meetingOrder) {
            const SeasonMeeting& m = document_.MeetingsAdded()[i];
            meetings.push_back(
                {DateText(m), m.heading ? Cp932ToQt(m.heading->meetingName) : QString(),
                 QString::number(document_.PlayerCount(i)), QString::fromStdString(m.fileName)});
        }
        meetingModel_->Set(std::move(meetings));
    }

    std::vector<QStringList> figures;
    figures.reserve(document_.Rows().size());
    for (const SeasonRow& row : document_.Rows()) {
        const SeasonPlayer& p = season.players.at(row.player);
        figures.push_back({row.rank ? QString::number(*row.rank) : QString(), Cp932ToQt(p.name),
                           Cp932ToQt(p.team), Cp932ToQt(p.gender), QString::number(p.meetings),
                           QString::number(p.points), QString::number(p.rounds),
                           QString::number(p.strokes), QString::fromStdString(SeasonAverageText(p)),
                           QString::number(p.holesInOne)});
    }
    seasonModel_->Set(std::move(figures));
}

std::optional<SeasonEntry> SeasonWindow::Read(const std::filesystem::path& path,
                                              std::vector<QString>* leftOut) {
    const QString name = PathToQt(path.filename());
    const auto refuse = [&](const QString& why) -> std::optional<SeasonEntry> {
        if (leftOut)
            leftOut->push_back(PathToQt(path));
        else
            dialogs_.Message(why + QLatin1Char('\n') + name);
        return std::nullopt;
    };
    std::string bytes;
    if (!ReadRegularFile(path, kMaxResultsFileBytes, bytes))
        return refuse(NoticeText(Notice::CannotRead));
    if (IsSeasonFile(bytes)) return refuse(NoticeText(Notice::SeasonFileAsMeeting));
    SeasonMeetingRead read = ReadSeasonMeeting(bytes, name.toStdString());
    if (!read.meeting) return refuse(ResultsFileMessage(read.parse.status, read.parse.badLine));
    return SeasonEntry{path, std::move(*read.meeting)};
}

void SeasonWindow::AddFiles(const std::vector<std::filesystem::path>& paths) {
    bool added = false;
    for (const std::filesystem::path& given : paths) {
        std::error_code error;
        const std::filesystem::path path = std::filesystem::absolute(given, error);
        if (document_.Holds(path)) continue;
        if (std::optional<SeasonEntry> entry = Read(path)) {
            document_.Add(std::move(*entry));
            added = true;
        }
    }
    if (!added) return;
    Refresh(Changed::Meetings);
}

void SeasonWindow::AddClick() {
    std::vector<std::filesystem::path> paths;
    for (const QString& chosen : dialogs_.OpenCsvFileNames()) {
        const std::optional<std::filesystem::path> path = TryQtToPath(chosen);
        if (path)
            paths.push_back(*path);
        else
            dialogs_.Message(NoticeText(Notice::BadFileName) + QLatin1Char('\n') + chosen);
    }
    AddFiles(paths);
}

void SeasonWindow::RemoveClick() {
    const QModelIndex at = meetingTable_->currentIndex();
    if (!at.isValid() || !document_.RemoveInSeasonOrder(static_cast<std::size_t>(at.row()))) return;
    Refresh(Changed::Meetings);
}

SeasonPrintedList SeasonWindow::ShownList() const {
    return SeasonPrintedList(List(), document_.Summed(), document_.Rows(),
                             document_.MeetingsAdded());
}

void SeasonWindow::PrintClick() { PrintList(dialogs_, ShownList(), printObserver_); }

void SeasonWindow::CsvClick() { SaveListCsv(dialogs_, ShownList()); }

void SeasonWindow::SaveClick() {
    const auto chosen = dialogs_.SaveTextFileName(QStringLiteral("年間成績"));
    if (!chosen) return;
    const std::optional<std::filesystem::path> file = TryQtToPath(*chosen);
    if (!file) {
        dialogs_.Message(NoticeText(Notice::BadFileName));
        return;
    }
    std::error_code error;
    const std::filesystem::path folder = std::filesystem::absolute(*file, error).parent_path();
    SeasonFile season{document_.Settings(), {}};
    for (const std::filesystem::path& path : document_.PathsFrom(folder))
        season.paths.push_back(
            PathToQt(path).replace(QLatin1Char('\\'), QLatin1Char('/')).toStdString());
    const SeasonFileBytes bytes = FormatSeasonFile(season);
    if (!WriteFileOrTell(dialogs_, *file, bytes.bytes)) return;
    if (!bytes.leftOut.empty()) {
        std::vector<QString> names;
        for (const std::string& p : bytes.leftOut) names.push_back(QString::fromStdString(p));
        dialogs_.Message(NameList(NoticeText(Notice::MeetingsNotSaved), names));
        return;
    }
    document_.MarkSaved();
}

void SeasonWindow::LoadClick() {
    if (document_.Unsaved() && !document_.Empty() &&
        !dialogs_.YesNo(QuestionCaption(Question::ReplaceSeasonUnsaved),
                        QuestionText(Question::ReplaceSeasonUnsaved), DefaultAnswer::No))
        return;
    const auto chosen = dialogs_.OpenFileName();
    if (!chosen) return;
    const std::optional<std::filesystem::path> file = TryQtToPath(*chosen);
    std::string bytes;
    if (!file || !ReadRegularFile(*file, kMaxResultsFileBytes, bytes)) {
        dialogs_.Message(NoticeText(file ? Notice::CannotRead : Notice::BadFileName));
        return;
    }
    const std::optional<SeasonFile> season = ParseSeasonFile(bytes);
    if (!season) {
        dialogs_.Message(NoticeText(Notice::NotSeasonFile));
        return;
    }
    std::error_code error;
    const std::filesystem::path folder = std::filesystem::absolute(*file, error).parent_path();
    std::vector<SeasonEntry> entries;
    std::vector<QString> leftOut;
    for (const std::string& relative : season->paths) {
        const std::optional<std::filesystem::path> path =
            TryQtToPath(QString::fromStdString(relative));
        if (!path) {
            leftOut.push_back(QString::fromStdString(relative));
            continue;
        }
        const std::filesystem::path full = (folder / *path).lexically_normal();
        if (std::any_of(entries.begin(), entries.end(),
                        [&](const SeasonEntry& entry) { return SamePath(entry.path, full); }))
            continue;
        if (std::optional<SeasonEntry> entry = Read(full, &leftOut))
            entries.push_back(std::move(*entry));
    }
    document_.Replace(std::move(entries), season->settings, leftOut.empty());
    ShowSettings();
    Refresh(Changed::Meetings);
    if (!leftOut.empty()) dialogs_.Message(NameList(NoticeText(Notice::MeetingsLeftOut), leftOut));
}

void SeasonWindow::closeEvent(QCloseEvent* event) {
    if (document_.Unsaved() && !document_.Empty() &&
        !dialogs_.YesNo(QuestionCaption(Question::CloseSeasonUnsaved),
                        QuestionText(Question::CloseSeasonUnsaved), DefaultAnswer::No)) {
        event->ignore();
        return;
    }
    event->accept();
}

}  // namespace tovi
