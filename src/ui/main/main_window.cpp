#include "ui/main/main_window.h"

#include <QCloseEvent>
#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QIcon>
#include <QKeyEvent>
#include <QLabel>
#include <QPainter>
#include <QPushButton>

#include <array>
#include <cstdint>

#include "model/roster_edit.h"
#include "platform/help.h"
#include "scoresheet/score_sheet.h"
#include "ui/common/messages.h"
#include "ui/help/help_window.h"
#include "ui/main/about_box.h"
#include "ui/main/grouping_panel.h"
#include "ui/main/member_list.h"
#include "ui/main/registration_panel.h"
#include "ui/main/score_sheet_panel.h"
#include "ui/main/widget_factory.h"
#include "ui/results/results_session.h"
#include "ui/season/season_window.h"

namespace tovi {
namespace {

// What a mode switch does to a control: show it, hide it, or leave it as the
// mode before left it.
enum class Seen : std::uint8_t { Shown, Hidden, Kept };
constexpr Seen S = Seen::Shown, H = Seen::Hidden, K = Seen::Kept;

// Which control each mode shows, by the controls' names.
struct ModeTableRow {
    std::vector<const char*> controls;
    std::array<Seen, 3> byMode;  // registration, grouping, score sheet
};

const ModeTableRow kModeTable[] = {
    {{"Panel3"}, {S, S, H}},            // member list
    {{"Panel2"}, {S, H, H}},            // registration and file
    {{"Panel4"}, {H, S, H}},            // automatic grouping
    {{"Panel1"}, {H, S, H}},            // manual grouping
    {{"Panel5"}, {H, H, S}},            // score-sheet settings
    {{"Panel6"}, {S, S, H}},            // counts
    {{"Label17"}, {S, H, H}},           // active-mode bars
    {{"Label18"}, {H, S, H}},           //
    {{"Label19"}, {H, H, S}},           //
    {{"Image3", "Image4"}, {S, H, K}},  // move and delete
    {{"CorrectCommand"}, {S, H, H}},    // correct, under the registration panel
    {{"Image6", "Image7"}, {H, S, K}},  // mark commands
    {{"Button7", "PrintAllButton", "ResultsButton", "SeasonButton", "Button9", "CheckBox2",
      "StartHolesBar"},
     {H, H, S}},
    {{"Image23"}, {H, H, K}},  // the score sheet's own redraw shows it
    {{"Label7", "Label8", "Label9"}, {S, S, H}},
    {{"Button8", "Button10"}, {S, H, K}},
    {{"CheckBox4", "Image9", "Image10"}, {S, S, K}},
    {{"PairingPrintButton", "PairingCsvButton"}, {H, S, H}},  // the pairing list
};

}  // namespace

struct MainWindow::ModeRow {
    std::vector<QWidget*> controls;
    std::array<Seen, 3> byMode;
};

MainWindow::MainWindow(Dialogs& dialogs, RandomSource& random, Clock& clock, Building building,
                       QWidget* parent)
    : QWidget(parent), dialogs_(dialogs), random_(random), clock_(clock), runner_(dialogs, [this] {
          FinishBuilding();
      }) {
    InstallFontSubstitutions();
    setWindowTitle(kAppTitle);
    setWindowIcon(QIcon(ProgramIconPixmap(64, 52)));
    setFont(FontForPixels(kPGothicFace, 13));
    // The window itself holds the focus until the user clicks into a box, so
    // no box starts with its text selected.
    setFocusPolicy(Qt::ClickFocus);
    Fill(this, kInactiveBorder);
    setGeometry(0, 0, 1020, 705);
    setFixedSize(1020, 705);

    // The areas in the order their controls lie, from the bottom.
    results_ = std::make_unique<ResultsSession>(
        dialogs_, state_, windowIcon(), [this] { return ScoreSheet().Settings(); },
        [this](const MeetingHeading& heading) { ScoreSheet().SetHeading(heading); });
    list_ = std::make_unique<MemberList>(*this, state_, dialogs_, *results_, runner_);
    registration_ = std::make_unique<RegistrationPanel>(*this, state_, dialogs_, *list_, runner_);
    grouping_ = std::make_unique<GroupingPanel>(
        *this, state_, dialogs_, random_, clock_, *list_, runner_,
        [this] {
            const ScoreSheetSettings s = ScoreSheet().Settings();
            return PairingSource{{s.meetingName, s.year, s.month, s.day}, SheetStartHoles(s)};
        },
        printObserver_);
    BuildModeButtons();
    if (building == Building::Whole) BuildScoreSheetMode();
    FindModeControls();
    PrepareFirstScreen();
}

MainWindow::~MainWindow() = default;

void MainWindow::BuildModeButtons() {
    registrationModeButton_ =
        MakeButton("Button2", this, QStringLiteral("メンバー登録"), 542, 10, 110, 35, 12);
    groupingModeButton_ =
        MakeButton("Button3", this, QStringLiteral("組み合わせ"), 667, 10, 110, 35, 12);
    scoreSheetModeButton_ =
        MakeButton("Button4", this, QStringLiteral("スコア表作成"), 792, 10, 110, 35, 12);
    // A red bar over the button of the mode the window is in.
    const int barX[] = {541, 667, 792};
    for (int i = 0; i < 3; ++i) {
        auto* bar = new QLabel(this);
        bar->setObjectName(QStringLiteral("Label%1").arg(17 + i));
        bar->setGeometry(barX[i], 8, 110, 1);
        Fill(bar, kRed);
    }
    helpButton_ = MakeButton("Button5", this, QStringLiteral("ヘルプ"), 922, 8, 68, 21);
    versionButton_ = MakeButton("Button14", this, QStringLiteral("バージョン"), 922, 33, 68, 21);

    runner_.Connect(registrationModeButton_, &QPushButton::clicked,
                    [this] { EnterRegistrationMode(); });
    runner_.Connect(groupingModeButton_, &QPushButton::clicked, [this] { EnterGroupingMode(); });
    runner_.Connect(scoreSheetModeButton_, &QPushButton::clicked,
                    [this] { EnterScoreSheetMode(); });
    runner_.Connect(helpButton_, &QPushButton::clicked, [this] { OpenHelp(); });
    runner_.Connect(versionButton_, &QPushButton::clicked, [this] { ShowVersion(); });
}

void MainWindow::BuildScoreSheetMode() {
    scoreSheet_ = std::make_unique<ScoreSheetPanel>(*this, state_, dialogs_, *results_, runner_,
                                                    printObserver_, [this] { OpenSeason(); });
    aboutBox_ = new AboutBox(this, dialogs_, [this](const QString& page) { ShowGuide(page); });
    QWidget* previous = scoreSheet_->Place(registrationModeButton_, grouping_->LastTabStop());
    for (QWidget* next :
         std::initializer_list<QWidget*>{registrationModeButton_, groupingModeButton_,
                                         scoreSheetModeButton_, helpButton_, versionButton_}) {
        setTabOrder(previous, next);
        previous = next;
    }
}

void MainWindow::FinishBuilding() {
    if (IsBuilt()) return;
    BuildScoreSheetMode();
    FindModeControls();
    // The first screen was prepared before these controls existed.  No
    // handler has run since (each one finishes the building first), so the
    // window is still in the registration mode it started in: the new
    // controls are shown or hidden as that mode has them, and polished by
    // the style as showing the window polished the rest.
    ApplyModeVisibility(list_->Interaction().screenMode);
    if (isVisible()) scoreSheet_->Polish();
}

ScoreSheetPanel& MainWindow::ScoreSheet() {
    FinishBuilding();
    return *scoreSheet_;
}

AboutBox& MainWindow::About() {
    FinishBuilding();
    return *aboutBox_;
}

void MainWindow::FindModeControls() {
    modeRows_.clear();
    for (const ModeTableRow& row : kModeTable) {
        ModeRow found{{}, row.byMode};
        // A control not built yet is given its place when it is.
        for (const char* name : row.controls)
            if (auto* control = findChild<QWidget*>(QLatin1String(name)))
                found.controls.push_back(control);
        modeRows_.push_back(std::move(found));
    }
}

ListInteraction& MainWindow::Interaction() { return list_->Interaction(); }

const ListInteraction& MainWindow::Interaction() const { return list_->Interaction(); }

void MainWindow::ApplyModeVisibility(ScreenMode mode) {
    for (const ModeRow& row : modeRows_) {
        const Seen seen = row.byMode[static_cast<std::size_t>(mode) - 1];
        if (seen == Seen::Kept) continue;
        for (QWidget* control : row.controls) control->setVisible(seen == Seen::Shown);
    }
}

void MainWindow::PrepareFirstScreen() {
    list_->Interaction().screenMode = ScreenMode::Registration;
    list_->PrepareFirstScreen();
    grouping_->PrepareFirstScreen();
    EnterRegistrationMode();
}

// Where the score-sheet frame goes, with its 3-pixel pen: a repaint of this
// area draws it or removes it.
QRect MainWindow::ScoreSheetFrameArea() { return QRect(QPoint(27, 10), QPoint(630, 116)); }

void MainWindow::paintEvent(QPaintEvent* event) {
    QWidget::paintEvent(event);
    // The window is on the screen: the controls left for later are built
    // next, before whatever the user does, then the work that waited for it.
    if (!painted_) {
        painted_ = true;
        QMetaObject::invokeMethod(
            this,
            [this] {
                FinishBuilding();
                const std::vector<std::function<void()>> work = std::move(afterFirstPaint_);
                for (const auto& run : work) run();
            },
            Qt::QueuedConnection);
    }
    if (!scoreSheetFrame_) return;
    // The frame around the settings band of the score-sheet mode, drawn on
    // the window once: it is not kept, so the next paint of the window goes
    // over it (a first preview that stopped on a bad number leaves no outline).
    scoreSheetFrame_ = false;
    QPainter painter(this);
    QPen pen(ToQColor(kInactiveCaption));
    pen.setWidth(3);
    painter.setPen(pen);
    // On the same logical pixels as at ratio 1: Qt sets an odd-width pen on
    // the pixels right of and below the line only at ratio 1.
    if (devicePixelRatioF() != 1.0) painter.translate(0.5, 0.5);
    const QPoint outline[] = {{627, 69}, {627, 13}, {30, 13}, {30, 113}, {627, 113}, {627, 69}};
    painter.drawPolyline(outline, 6);
}

void MainWindow::EnterRegistrationMode() {
    setFocus();
    ApplyModeVisibility(ScreenMode::Registration);
    grouping_->LockGroupBoxes();
    grouping_->Boxes().Clear(0);
    // Leaving the score sheet hides the list until the redraw below shows it.
    if (list_->Interaction().screenMode == ScreenMode::ScoreSheet) list_->HideRows();
    list_->ScrollToTop();
    list_->Interaction().screenMode = ScreenMode::Registration;
    scoreSheetFrame_ = false;
    ClearMemberFlags(state_);
    grouping_->ShowGroupBoxes();
    list_->SwitchOffCommands();
    list_->Interaction().commandState = ListCommand::None;
    list_->Interaction().entryButtonOn = false;
    list_->Interaction().leaderButtonOn = false;
    list_->Redraw();
    update(ScoreSheetFrameArea());
}

void MainWindow::EnterGroupingMode() {
    setFocus();
    ApplyModeVisibility(ScreenMode::Grouping);
    if (list_->Interaction().screenMode == ScreenMode::ScoreSheet) list_->HideRows();
    list_->ScrollToTop();
    list_->Interaction().screenMode = ScreenMode::Grouping;
    scoreSheetFrame_ = false;
    list_->SwitchOffCommands();
    list_->Interaction().entryButtonOn = false;
    list_->Interaction().leaderButtonOn = false;
    grouping_->EmptyGroupCount();
    grouping_->ShowGroupBoxes();
    list_->RedrawMarks();
    list_->Redraw();
    update(ScoreSheetFrameArea());
}

void MainWindow::EnterScoreSheetMode() {
    setFocus();
    ApplyModeVisibility(ScreenMode::ScoreSheet);
    grouping_->HideGroupBoxes();
    list_->SwitchOffCommands();
    scoreSheetFrame_ = true;
    update(ScoreSheetFrameArea());
    list_->Interaction().screenMode = ScreenMode::ScoreSheet;
    ScoreSheet().Preview();
}

void MainWindow::OpenHelp() {
    if (GuideInHelpWindow())
        ShowGuide();
    else
        dialogs_.ShellOpen(kHelpFileName);
}

void MainWindow::ShowGuide(const QString& page) {
    if (!help_) {
        if (guideFolder_.isEmpty())
            guideFolder_ = GuideFolder(QCoreApplication::applicationDirPath());
        if (!QFileInfo::exists(QDir(guideFolder_).filePath(kGuideStartPage))) {
            dialogs_.Message(NoticeText(Notice::GuideMissing) + QLatin1Char('\n') +
                             QDir::toNativeSeparators(guideFolder_));
            return;
        }
        help_ = std::make_unique<HelpWindow>(dialogs_, guideFolder_);
        help_->setWindowIcon(windowIcon());
    }
    if (!page.isEmpty()) help_->ShowPage(page);
    help_->show();
    help_->raise();
    help_->activateWindow();
}

void MainWindow::ShowVersion() { About().ShowModal(); }

bool MainWindow::HasUnsavedChanges() const {
    return registration_->RosterChanged() || results_->Unsaved();
}

void MainWindow::OpenSeason() {
    if (!season_) {
        season_ = std::make_unique<SeasonWindow>(dialogs_);
        season_->setWindowIcon(windowIcon());
    }
    season_->show();
    season_->raise();
    season_->activateWindow();
}

void MainWindow::keyPressEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_Escape && event->modifiers() == Qt::NoModifier) {
        bool given = false;
        runner_.Run([&] { given = registration_->GiveUpCorrection(); });
        if (given) return;
    }
    QWidget::keyPressEvent(event);
}

void MainWindow::closeEvent(QCloseEvent* event) {
    // The season window asks about its own list first.
    if (season_ && season_->isVisible() && !season_->close()) {
        event->ignore();
        return;
    }
    if (HasUnsavedChanges() &&
        !dialogs_.YesNo(QuestionCaption(Question::CloseUnsaved),
                        QuestionText(Question::CloseUnsaved), DefaultAnswer::No)) {
        event->ignore();
        return;
    }
    results_->End();
    if (help_) help_->close();
    event->accept();
}

void MainWindow::RunAfterFirstPaint(std::function<void()> work) {
    if (painted_ && afterFirstPaint_.empty())
        work();
    else
        afterFirstPaint_.push_back(std::move(work));
}

void MainWindow::UseRecoveryFolder(const std::filesystem::path& folder) {
    if (const std::optional<RecoveryRecord> record = results_->UseRecoveryFolder(folder))
        runner_.Run([&] { RestoreMeeting(*record); });
}

void MainWindow::RestoreMeeting(const RecoveryRecord& record) {
    ApplyRecoveryRecord(record, state_);
    ScoreSheet().SetHoleCount(record.holeCount);
    // Each group's sheet and page numbered as before the stop.
    if (record.heading.holes >= kMinHoles)
        ScoreSheet().SetStartHoles(record.heading.startHoles, record.heading.holes);
    results_->RestoreScores(record.results);
    // The grouping mode keeps the marks and the groups: the list, the
    // marks, the counts and the boxes show them.
    EnterGroupingMode();
    grouping_->Boxes().WriteNames();
    results_->Open();
}

}  // namespace tovi
