#include "ui/main/score_sheet_panel.h"

#include <QCheckBox>
#include <QFrame>
#include <QLabel>
#include <QPrinter>
#include <QPushButton>

#include "model/int_conversion.h"
#include "platform/picture_widget.h"
#include "ui/common/messages.h"
#include "ui/common/print_job.h"
#include "ui/main/handler_runner.h"
#include "ui/main/widget_factory.h"
#include "ui/results/results_session.h"

namespace tovi {
namespace {

// The name a print to a PDF file offers for the sheet of the given group,
// as the header shows the group number.
QString SheetFileName(QString group) {
    group.replace(QLatin1Char('/'), QLatin1Char('_'));  // stays one file name
    return QStringLiteral("スコア表_%1組").arg(group);
}

}  // namespace

ScoreSheetPanel::ScoreSheetPanel(QWidget& form, const TournamentState& state, Dialogs& dialogs,
                                 ResultsSession& results, const HandlerRunner& runner,
                                 const std::function<void(const RecordedDrawing&)>& printObserver,
                                 const std::function<void()>& openSeason)
    : state_(state), dialogs_(dialogs), printObserver_(printObserver) {
    // The preview lies under every other control of the score-sheet mode.
    preview_ = MakePicture("Image23", &form, 5, 3, 1245, 841);

    panel_ = MakePanel("Panel5", &form, 5, 5, 530, 81);
    const LabelStyle white{15, kWhite};
    MakeLabel("Label30", panel_, QStringLiteral("表　題"), 5, 5, white);
    MakeLabel("Label31", panel_, QStringLiteral("大会名"), 5, 32, white);
    MakeLabel("Label32", panel_, QStringLiteral("コース"), 5, 59, white);
    MakeLabel("Label29", panel_, QStringLiteral("開催日"), 330, 5, white);
    MakeLabel("Label33", panel_, QStringLiteral("ホール数"), 330, 30, white);
    MakeLabel("Label34", panel_, QStringLiteral("組"), 365, 55, white);
    MakeLabel("Label35", panel_, QStringLiteral("番スタート"), 450, 55, white);
    MakeLabel("Label3", panel_, QStringLiteral("年"), 408, 5, {13, kWhite}, 20, 21);
    MakeLabel("Label4", panel_, QStringLiteral("月"), 460, 5, {13, kWhite}, 20, 21);
    MakeLabel("Label5", panel_, QStringLiteral("日"), 510, 5, {13, kWhite}, 20, 21);

    titleEdit_ = MakeEdit("Edit15", panel_, 30, 60, 3, 258, 17, 15, kPMinchoFace, kComposition);
    meetingEdit_ = MakeEdit("Edit7", panel_, 30, 60, 29, 258, 17, 15, kPMinchoFace, kComposition);
    courseEdit_ = MakeEdit("Edit8", panel_, 30, 60, 55, 258, 17, 15, kPMinchoFace, kComposition);
    yearEdit_ = MakeEdit("Edit10", panel_, 2, 380, 3, 27, 19, 15, kPGothicFace, kNumber);
    monthEdit_ = MakeEdit("Edit11", panel_, 2, 430, 3, 27, 19, 15, kPGothicFace, kNumber);
    dayEdit_ = MakeEdit("Edit12", panel_, 2, 480, 3, 27, 19, 15, kPGothicFace, kNumber);
    holeCountEdit_ = MakeEdit("Edit9", panel_, 2, 400, 27, 27, 19, 15, kPGothicFace, kNumber);
    groupEdit_ = MakeEdit("Edit13", panel_, 2, 330, 53, 27, 19, 15, kPGothicFace, kNumber);
    startHoleEdit_ = MakeEdit("Edit14", panel_, 2, 415, 53, 27, 19, 15, kPGothicFace, kNumber);
    const ScoreSheetSettings defaults = DefaultScoreSheetSettings();
    titleEdit_->SetBytes(defaults.title);
    meetingEdit_->SetBytes(defaults.meetingName);
    courseEdit_->SetBytes(defaults.course);
    holeCountEdit_->SetBytes(defaults.holeCount);
    yearEdit_->SetBytes(defaults.year);
    monthEdit_->SetBytes(defaults.month);
    dayEdit_->SetBytes(defaults.day);
    groupEdit_->SetBytes(defaults.groupNumber);
    startHoleEdit_->SetBytes(defaults.startHole);

    printButton_ = MakeButton("Button7", &form, QStringLiteral("印　刷"), 45, 93, 70, 28);
    previewButton_ = MakeButton("Button9", &form, QStringLiteral("確　定"), 180, 93, 70, 28);
    printAllButton_ =
        MakeButton("PrintAllButton", &form, QStringLiteral("全組印刷"), 770, 62, 100, 28);
    printAllButton_->setFont(printButton_->font());
    resultsButton_ =
        MakeButton("ResultsButton", &form, QStringLiteral("成績入力"), 880, 62, 100, 28);
    resultsButton_->setFont(printButton_->font());
    // Under 成績入力, right of the sheet's title, where the preview shows
    // nothing of the printed page.
    seasonButton_ = MakeButton("SeasonButton", &form, QStringLiteral("年間成績"), 880, 93, 100, 28);
    seasonButton_->setFont(printButton_->font());
    hideHoleNumbers_ = new QCheckBox(QStringLiteral("ホール番号を表示しない"), &form);
    hideHoleNumbers_->setObjectName(QStringLiteral("CheckBox2"));
    hideHoleNumbers_->setGeometry(552, 68, 190, 22);
    hideHoleNumbers_->setFont(FontForPixels(kPGothicFace, 15));
    Fill(hideHoleNumbers_, kWhite);

    // 組ごとのスタート and the six start holes, in the blank band between the
    // sheet's title and its header, right of 確　定.
    startBar_ = new QFrame(&form);
    startBar_->setObjectName(QStringLiteral("StartHolesBar"));
    startBar_->setGeometry(262, 119, 530, 21);
    Fill(startBar_, kWhite);
    perGroupStart_ = new QCheckBox(QStringLiteral("組ごとのスタート"), startBar_);
    perGroupStart_->setObjectName(QStringLiteral("PerGroupStartBox"));
    perGroupStart_->setGeometry(0, 0, 140, 21);
    perGroupStart_->setFont(FontForPixels(kPGothicFace, 15));
    Fill(perGroupStart_, kWhite);
    groupStartRow_ = new QWidget(startBar_);
    groupStartRow_->setObjectName(QStringLiteral("GroupStartHoles"));
    groupStartRow_->setGeometry(145, 0, 385, 21);
    groupStartRow_->hide();
    for (int g = 1; g <= MaxGroups; ++g) {
        const int x = (g - 1) * 64;
        const QByteArray label = QStringLiteral("GroupStartLabel%1").arg(g).toLatin1();
        const QByteArray edit = QStringLiteral("GroupStartEdit%1").arg(g).toLatin1();
        MakeLabel(label.constData(), groupStartRow_, QStringLiteral("%1組").arg(g), x, 3,
                  {15, kBlack});
        ByteEdit* box = MakeEdit(edit.constData(), groupStartRow_, 2, x + 30, 1, 27, 19, 15,
                                 kPGothicFace, kNumber);
        box->SetBytes("1");
        groupStartEdits_[static_cast<std::size_t>(g - 1)] = box;
    }

    runner.Connect(printButton_, &QPushButton::clicked, [this] { Print(); });
    runner.Connect(previewButton_, &QPushButton::clicked, [this] { Preview(); });
    runner.Connect(printAllButton_, &QPushButton::clicked, [this] { PrintAllGroups(); });
    runner.Connect(resultsButton_, &QPushButton::clicked, [&results] { results.Open(); });
    runner.Connect(seasonButton_, &QPushButton::clicked, [openSeason] { openSeason(); });
    runner.Connect(hideHoleNumbers_, &QCheckBox::clicked, [this] { Preview(); });
    runner.Connect(perGroupStart_, &QCheckBox::clicked, [this] { PerGroupClicked(); });
    // What is typed into the start-hole box goes to the group in the group
    // box at the next drawing.
    QObject::connect(startHoleEdit_, &ByteEdit::textEdited, [this] { startHoleTyped_ = true; });
    // A click into the hole count, year, month, day, group or start-hole box empties it.
    for (ByteEdit* edit :
         {holeCountEdit_, yearEdit_, monthEdit_, dayEdit_, groupEdit_, startHoleEdit_})
        runner.Connect(edit, &ByteEdit::clicked, [edit] { edit->clear(); });
    runner.Connect(startHoleEdit_, &ByteEdit::clicked, [this] { startHoleTyped_ = true; });
    for (ByteEdit* edit : groupStartEdits_)
        runner.Connect(edit, &ByteEdit::clicked, [edit] { edit->clear(); });
}

QWidget* ScoreSheetPanel::Place(QWidget* lieUnder, QWidget* tabAfter) {
    // Built after the rest, these controls would lie over it and come last
    // in the Tab order; they are put where building the window in one go
    // puts them: the preview under everything, the settings and buttons
    // under the buttons along the top, and the settings after the grouping
    // panel in the Tab order, before the buttons along the top.
    preview_->lower();
    for (QWidget* control : std::initializer_list<QWidget*>{
             panel_, printButton_, previewButton_, printAllButton_, resultsButton_, seasonButton_,
             hideHoleNumbers_, startBar_})
        control->stackUnder(lieUnder);
    QWidget* previous = tabAfter;
    for (QWidget* next : std::initializer_list<QWidget*>{
             titleEdit_,          meetingEdit_,        courseEdit_,
             yearEdit_,           monthEdit_,          dayEdit_,
             holeCountEdit_,      groupEdit_,          startHoleEdit_,
             printButton_,        previewButton_,      printAllButton_,
             resultsButton_,      seasonButton_,       hideHoleNumbers_,
             perGroupStart_,      groupStartEdits_[0], groupStartEdits_[1],
             groupStartEdits_[2], groupStartEdits_[3], groupStartEdits_[4],
             groupStartEdits_[5]}) {
        QWidget::setTabOrder(previous, next);
        previous = next;
    }
    return previous;
}

void ScoreSheetPanel::Polish() {
    for (QWidget* control : std::initializer_list<QWidget*>{
             preview_, panel_, printButton_, previewButton_, printAllButton_, resultsButton_,
             seasonButton_, hideHoleNumbers_, startBar_})
        control->ensurePolished();
}

ScoreSheetSettings ScoreSheetPanel::Settings() const {
    ScoreSheetSettings s;
    s.title = titleEdit_->Bytes();
    s.meetingName = meetingEdit_->Bytes();
    s.course = courseEdit_->Bytes();
    s.holeCount = holeCountEdit_->Bytes();
    s.groupNumber = groupEdit_->Bytes();
    s.startHole = startHoleEdit_->Bytes();
    s.year = yearEdit_->Bytes();
    s.month = monthEdit_->Bytes();
    s.day = dayEdit_->Bytes();
    s.hideHoleNumbers = hideHoleNumbers_->isChecked();
    s.startPerGroup = perGroupStart_->isChecked();
    s.groupStartHoles = groupStarts_;
    return s;
}

void ScoreSheetPanel::SetHoleCount(const std::string& holeCount) {
    holeCountEdit_->SetBytes(holeCount);
}

void ScoreSheetPanel::SetHeading(const MeetingHeading& heading) {
    titleEdit_->SetBytes(heading.title);
    meetingEdit_->SetBytes(heading.meetingName);
    courseEdit_->SetBytes(heading.course);
    yearEdit_->SetBytes(heading.year);
    monthEdit_->SetBytes(heading.month);
    dayEdit_->SetBytes(heading.day);
    holeCountEdit_->SetBytes(std::to_string(heading.holes));
    SetStartHoles(heading.startHoles, heading.holes);
    if (preview_->isVisible()) Preview();
}

void ScoreSheetPanel::SetStartHoles(const StartHoles& starts, int holes) {
    perGroupStart_->setChecked(starts.perGroup);
    groupStartRow_->setVisible(starts.perGroup);
    if (starts.perGroup) {
        // The groups kept without a start hole (none of theirs had scores)
        // get the spread start.
        SpreadStartHolesOver(holes);
        for (std::size_t g = 0; g < groupStarts_.size(); ++g)
            if (starts.groups[g]) groupStarts_[g] = *starts.groups[g];
        ShowStartHoles();
    } else {
        for (const std::optional<int>& start : starts.groups)
            if (start) {
                startHoleEdit_->SetBytes(std::to_string(*start));
                break;
            }
    }
    startHoleTyped_ = false;
}

void ScoreSheetPanel::PerGroupClicked() {
    groupStartRow_->setVisible(perGroupStart_->isChecked());
    spreadFor_.reset();  // spread anew by the drawing below
    Preview();
}

void ScoreSheetPanel::SpreadStartHolesOver(int holes) {
    groupStarts_ = SpreadStartHoles(state_, holes);
    spreadFor_ = holes;
    startHoleTyped_ = false;
    ShowStartHoles();
}

void ScoreSheetPanel::ShowStartHoles() {
    for (std::size_t g = 0; g < groupStarts_.size(); ++g)
        groupStartEdits_[g]->SetBytes(std::to_string(groupStarts_[g]));
    try {
        const int group = StrToInt(groupEdit_->Bytes());
        if (group >= 1 && group <= MaxGroups) {
            startHoleEdit_->SetBytes(
                std::to_string(groupStarts_[static_cast<std::size_t>(group - 1)]));
            startHoleTyped_ = false;
        }
    } catch (const ConversionError&) {}  // the drawing reports it
}

bool ScoreSheetPanel::TakeStartHoles() {
    if (!perGroupStart_->isChecked()) return true;
    int holes = 0;
    try {
        holes = SheetNumberedHoles(holeCountEdit_->Bytes());
    } catch (const ConversionError&) {
        return true;  // the drawing stops on the hole count and reports it
    }
    if (spreadFor_ != holes) {
        SpreadStartHolesOver(holes);
        return true;
    }
    // Hidden hole numbers read no start hole, and a course without holes
    // numbers none.
    if (hideHoleNumbers_->isChecked() || holes < 1) return true;
    std::array<int, MaxGroups> starts{};
    const auto take = [&](const std::string& text, int group) {
        const int start = StrToInt(text);
        if (start >= 1 && start <= holes) return true;
        dialogs_.Message(NoticeText(Notice::StartHoleOutOfRange).arg(group).arg(holes));
        return false;
    };
    for (int g = 1; g <= MaxGroups; ++g) {
        const std::string text = groupStartEdits_[static_cast<std::size_t>(g - 1)]->Bytes();
        if (!take(text, g)) return false;
        starts[static_cast<std::size_t>(g - 1)] = StrToInt(text);
    }
    // A group number that is no number is left to the drawing to report.
    std::optional<int> group;
    try {
        group = StrToInt(groupEdit_->Bytes());
    } catch (const ConversionError&) {}
    if (startHoleTyped_ && group && *group >= 1 && *group <= MaxGroups) {
        if (!take(startHoleEdit_->Bytes(), *group)) return false;
        starts[static_cast<std::size_t>(*group - 1)] = StrToInt(startHoleEdit_->Bytes());
    }
    groupStarts_ = starts;
    ShowStartHoles();
    return true;
}

void ScoreSheetPanel::Preview() {
    if (!TakeStartHoles()) return;
    const SheetScale scale{kPreviewScaleX, kPreviewScaleY};
    const PageSize page = SheetPageSize(scale.x, scale.y);
    preview_->setGeometry(5, 3, page.width, page.height);
    // The box gets back the hole count the sheet draws, also when the
    // drawing stops on a bad number.
    const ScoreSheetSettings settings = Settings();
    try {
        DrawScoreSheet(preview_->Canvas(), state_, settings, scale);
    } catch (...) {
        SetHoleCount(SheetHoleCount(settings.holeCount));
        throw;
    }
    SetHoleCount(SheetHoleCount(settings.holeCount));
    preview_->show();
}

void ScoreSheetPanel::Print() {
    if (!TakeStartHoles()) return;
    std::vector<ScoreSheetSettings> sheets{Settings()};
    // The drawing may rewrite the hole count, also when it stops on a bad number.
    try {
        PrintSheets(SheetFileName(groupEdit_->text()), sheets);
    } catch (...) {
        SetHoleCount(sheets.front().holeCount);
        throw;
    }
    SetHoleCount(sheets.front().holeCount);
}

void ScoreSheetPanel::PrintAllGroups() {
    // Each page is the sheet 印　刷 would print with the group's number in the
    // group box; the boxes themselves are left as they are.
    if (!TakeStartHoles()) return;
    const ScoreSheetSettings settings = Settings();
    std::vector<ScoreSheetSettings> sheets;
    for (int g = 1; g <= MaxGroups; ++g) {
        if (state_.groupList[static_cast<std::size_t>(g)].empty()) continue;
        sheets.push_back(settings);
        sheets.back().groupNumber = std::to_string(g);
    }
    if (sheets.empty()) {
        dialogs_.Message(NoticeText(Notice::NoGroupToPrint));
        return;
    }
    PrintSheets(QStringLiteral("スコア表_全組"), sheets);
}

void ScoreSheetPanel::PrintSheets(const QString& fileName,
                                  std::vector<ScoreSheetSettings>& sheets) {
    const auto drawPages = [this, &sheets](QPrinter& printer) {
        const SheetScale scale = PrintScale(printer.logicalDpiX(), printer.logicalDpiY());
        // A sheet that stops on a bad number throws here, before the job
        // begins.  Each sheet keeps the hole count it was drawn with, for
        // 印　刷 to put back into the box.
        std::vector<RecordedDrawing> pages(sheets.size());
        for (std::size_t i = 0; i < sheets.size(); ++i) {
            sheets[i].holeCount = SheetHoleCount(sheets[i].holeCount);
            DrawScoreSheet(pages[i], state_, sheets[i], scale);
        }
        return pages;
    };
    if (const std::optional<Notice> notice = PrintNotice(
            PrintPages(dialogs_, fileName, QPageLayout::Landscape, drawPages, printObserver_)))
        dialogs_.Message(NoticeText(*notice));
}

}  // namespace tovi
