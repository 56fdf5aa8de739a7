// Construction of the main window: the controls, their places, sizes, fonts
// and colours, the first faces of the pictures, and the wiring of every
// control to its handler.  What the controls do lives in main_window.cpp and
// the files beside it.
#include "ui/main_window.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QFrame>
#include <QGroupBox>
#include <QIcon>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollArea>

#include <array>
#include <span>

#include "core/cp932.h"
#include "platform/error_guard.h"
#include "platform/fonts.h"
#include "scoresheet/score_sheet.h"
#include "ui/about_box.h"
#include "ui/results_window.h"

namespace tovi {
namespace {

QColor ToColor(Rgb c) { return QColor(c.r, c.g, c.b); }

// Fills the widget's background with a flat colour.  Buttons and check boxes
// take their background from the button colour unless told otherwise.
void Fill(QWidget* widget, Rgb colour) {
    widget->setBackgroundRole(QPalette::Window);
    QPalette palette = widget->palette();
    palette.setColor(QPalette::Window, ToColor(colour));
    widget->setPalette(palette);
    widget->setAutoFillBackground(true);
}

QFrame* MakePanel(QWidget* parent, int x, int y, int w, int h) {
    auto* panel = new QFrame(parent);
    panel->setGeometry(x, y, w, h);
    panel->setFrameShape(QFrame::Panel);
    panel->setFrameShadow(QFrame::Raised);
    Fill(panel, kInactiveCaption);
    return panel;
}

struct LabelStyle {
    int pixels = 13;
    Rgb colour = kBlack;
    bool bold = false;
    const QString* face = &kPGothicFace;
};

QLabel* MakeLabel(QWidget* parent, const QString& text, int x, int y, LabelStyle style, int w = 0,
                  int h = 0) {
    auto* label = new QLabel(text, parent);
    QFont font = FontForPixels(*style.face, style.pixels);
    font.setBold(style.bold);
    label->setFont(font);
    QPalette palette = label->palette();
    palette.setColor(QPalette::WindowText, ToColor(style.colour));
    label->setPalette(palette);
    label->move(x, y);
    if (w > 0 && h > 0)
        label->resize(w, h);
    else
        label->adjustSize();
    return label;
}

QPushButton* MakeButton(QWidget* parent, const QString& text, int x, int y, int w, int h,
                        int points = 0) {
    auto* button = new QPushButton(text, parent);
    button->setGeometry(x, y, w, h);
    if (points > 0) button->setFont(FontForPoints(kPGothicFace, points));
    button->setFocusPolicy(Qt::TabFocus);
    return button;
}

// A picture of the given size, placed at x, y of its parent.
PictureWidget* MakePicture(QWidget* parent, int x, int y, int w, int h) {
    auto* picture = new PictureWidget(parent, w, h);
    picture->setGeometry(x, y, w, h);
    return picture;
}

// The name, team and score-sheet text boxes take Japanese composed by the
// input method; the number boxes take no composition (ByteEdit::InputMethod).
constexpr auto kComposition = ByteEdit::InputMethod::Composition;
constexpr auto kNumber = ByteEdit::InputMethod::Off;

ByteEdit* MakeEdit(QWidget* parent, int maxBytes, int x, int y, int w, int h, int pixels,
                   const QString& face, ByteEdit::InputMethod inputMethod) {
    auto* edit = new ByteEdit(parent, maxBytes, inputMethod);
    edit->setGeometry(x, y, w, h);
    edit->setFont(FontForPixels(face, pixels));
    edit->setTextMargins(0, 0, 0, 0);
    edit->setStyleSheet(
        QStringLiteral("QLineEdit { padding: 0px; border: 1px solid #7a7a7a; "
                       "background: white; color: black; }"));
    return edit;
}

}  // namespace

TForm1::TForm1(Dialogs& dialogs, RandomSource& random, Clock& clock, Building building,
               QWidget* parent)
    : QWidget(parent), dialogs_(dialogs), random_(random), clock_(clock) {
    InstallFontSubstitutions();
    setWindowTitle(kAppTitle);
    setWindowIcon(QIcon(ProgramIconPixmap(64, 52)));
    setFont(FontForPixels(kPGothicFace, 13));
    // The window itself holds the focus until the user clicks into a box, so
    // no box starts with its text selected.
    setFocusPolicy(Qt::ClickFocus);
    Fill(this, kInactiveBorder);
    BuildFirstScreen();
    ConnectFirstScreen();
    if (building == Building::Whole) BuildScoreSheetMode();
    FormCreate();
}

TForm1::~TForm1() = default;  // the results window first (declared last)

void TForm1::FinishBuilding() {
    if (built_) return;
    BuildScoreSheetMode();
    // FormCreate ran before these controls existed.  No handler has run
    // since (each one finishes the building first), so the window is still
    // in the registration mode FormCreate left it in: the new controls are
    // shown or hidden as that mode has them, and polished by the style as
    // showing the window polished the rest.
    ApplyModeVisibility(state_.ScreenMode);
    if (isVisible())
        for (QWidget* control : ScoreSheetModeControls()) control->ensurePolished();
}

template <typename Handler>
void TForm1::Guarded(Handler&& handler) {
    RunGuarded(dialogs_, [&] {
        FinishBuilding();
        handler();
    });
}

void TForm1::BuildFirstScreen() {
    setGeometry(0, 0, 1020, 705);
    setFixedSize(1020, 705);

    BuildMemberListPanel();
    BuildRegistrationPanel();
    BuildGroupingPanels();
    BuildCommandPictures();

    Button2 = MakeButton(this, QStringLiteral("メンバー登録"), 542, 10, 110, 35, 12);
    Button3 = MakeButton(this, QStringLiteral("組み合わせ"), 667, 10, 110, 35, 12);
    Button4 = MakeButton(this, QStringLiteral("スコア表作成"), 792, 10, 110, 35, 12);
    const int barX[] = {541, 667, 792};
    for (int i = 0; i < 3; ++i) {
        auto* bar = new QLabel(this);
        bar->setGeometry(barX[i], 8, 110, 1);
        Fill(bar, kRed);
        Label[17 + i] = bar;
    }
    Button5 = MakeButton(this, QStringLiteral("ヘルプ"), 922, 8, 68, 21);
    Button14 = MakeButton(this, QStringLiteral("バージョン"), 922, 33, 68, 21);
}

void TForm1::BuildScoreSheetMode() {
    built_ = true;
    // The preview lies under every other control of the score-sheet mode.
    Image23 = MakePicture(this, 5, 3, 1245, 841);
    BuildScoreSheetControls();
    aboutBox_ = new AboutBox(this, dialogs_);
    PlaceScoreSheetMode();
    ConnectScoreSheetMode();
}

std::array<QWidget*, 7> TForm1::ScoreSheetModeControls() const {
    return {Image23, Panel5, Button7, Button9, PrintAllButton, ResultsButton, CheckBox2};
}

void TForm1::PlaceScoreSheetMode() {
    // Built after the rest, these controls would lie over it and come last
    // in the Tab order; they are put where building the window in one go
    // puts them: the preview under everything, the settings and buttons
    // under the buttons along the top, and the settings after the grouping
    // panel in the Tab order, before the buttons along the top.
    const auto controls = ScoreSheetModeControls();
    controls.front()->lower();  // the preview
    for (QWidget* control : std::span(controls).subspan(1)) control->stackUnder(Button2);
    QWidget* previous = CheckBox4;
    for (QWidget* next : std::initializer_list<QWidget*>{
             Edit15, Edit7, Edit8, Edit10, Edit11, Edit12, Edit9, Edit13, Edit14, Button7, Button9,
             PrintAllButton, ResultsButton, CheckBox2, Button2, Button3, Button4, Button5,
             Button14}) {
        setTabOrder(previous, next);
        previous = next;
    }
}

void TForm1::BuildMemberListPanel() {
    Panel3 = MakePanel(this, 3, 3, 513, 648);
    Label[10] =
        MakeLabel(Panel3, QStringLiteral("メンバー一覧表"), 200, 3, {15, kWhite, true}, 124, 19);
    Image2 = MakePicture(Panel3, 6, 25, 481, 25);

    ScrollBox1 = new QScrollArea(Panel3);
    ScrollBox1->setGeometry(4, 48, 505, 570);
    ScrollBox1->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    ScrollBox1->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    ScrollBox1->setFrameShape(QFrame::NoFrame);
    ScrollBox1->setContentsMargins(0, 0, 0, 0);
    Fill(ScrollBox1->viewport(), kInactiveCaption);
    Image1 = new PictureWidget(nullptr, 481, 1201);
    Image1->resize(481, 1201);
    ScrollBox1->setWidget(Image1);
    ScrollBox1->setAlignment(Qt::AlignLeft | Qt::AlignTop);

    Image3 = MakePicture(Panel3, 20, 622, 85, 21);
    Image4 = MakePicture(Panel3, 115, 622, 85, 21);
    Image6 = MakePicture(Panel3, 300, 622, 85, 21);
    Image7 = MakePicture(Panel3, 397, 622, 85, 21);
    Image5 = MakePicture(Panel3, 220, 622, 200, 24);
    Image8 = MakePicture(Panel3, 210, 622, 245, 22);
}

void TForm1::BuildRegistrationPanel() {
    Panel2 = MakePanel(this, 537, 85, 440, 175);
    Label[6] = MakeLabel(Panel2, QStringLiteral("メンバー登録"), 170, 9,
                         {16, kWhite, true, &kPMinchoFace}, 124, 19);
    Label[1] = MakeLabel(Panel2, QStringLiteral("氏　名"), 40, 42, {16}, 56, 21);
    Edit1 = MakeEdit(Panel2, 14, 118, 35, 180, 20, 19, kPGothicFace, kComposition);
    Label[2] = MakeLabel(Panel2, QStringLiteral("チーム"), 40, 81, {16}, 56, 21);
    Edit2 = MakeEdit(Panel2, 16, 118, 75, 180, 20, 19, kPGothicFace, kComposition);

    RadioGroup2 = new QGroupBox(Panel2);
    RadioGroup2->setGeometry(330, 24, 63, 50);
    Fill(RadioGroup2, kInactiveCaption);
    auto* genders = new QButtonGroup(RadioGroup2);
    const QString items[] = {QStringLiteral("男性"), QStringLiteral("女性")};
    for (int i = 0; i < 2; ++i) {
        RadioGroup2Items[i] = new QRadioButton(items[i], RadioGroup2);
        RadioGroup2Items[i]->setGeometry(6, 5 + 21 * i, 55, 20);
        genders->addButton(RadioGroup2Items[i], i);
    }
    RadioGroup2Items[0]->setChecked(true);

    Button10 = MakeButton(Panel2, QStringLiteral("読み出し"), 40, 127, 90, 25, 10);
    Button8 = MakeButton(Panel2, QStringLiteral("保　存"), 140, 127, 90, 25, 10);
    Button6 = MakeButton(Panel2, QStringLiteral("登　録"), 326, 127, 83, 27, 11);
    QPalette palette = Button6->palette();
    palette.setColor(QPalette::ButtonText, ToColor(kTeal));
    Button6->setPalette(palette);
}

void TForm1::BuildGroupingPanels() {
    Panel4 = MakePanel(this, 768, 95, 220, 110);
    Label[25] = MakeLabel(Panel4, QStringLiteral("まかせて組み合わせ"), 47, 11, {15, kWhite});
    Label[22] = MakeLabel(Panel4, QStringLiteral("組 数"), 13, 45, {15});
    Edit6 = MakeEdit(Panel4, 2, 60, 38, 30, 32, 19, kPGothicFace, kNumber);
    Label[23] = MakeLabel(Panel4, QStringLiteral("組"), 96, 45, {16});
    Button1 = MakeButton(Panel4, QStringLiteral("開　始"), 140, 38, 65, 28);
    CheckBox4 = new QCheckBox(QStringLiteral("男女を平均的に振り分ける"), Panel4);
    CheckBox4->setGeometry(15, 75, 180, 25);
    CheckBox4->setChecked(true);

    Panel1 = MakePanel(this, 532, 95, 220, 110);
    Label[26] = MakeLabel(Panel1, QStringLiteral("自分で組み合わせ"), 57, 11, {15, kWhite});
    Image10 = MakePicture(Panel1, 15, 40, 90, 24);
    Image9 = MakePicture(Panel1, 115, 40, 90, 24);

    Panel6 = MakePanel(this, 542, 624, 440, 26);
    Label[7] = MakeLabel(Panel6, QStringLiteral("出場設定数"), 13, 5, {15});
    Label[8] = MakeLabel(Panel6, QStringLiteral("0"), 115, 5, {15}, 24, 17);
    Label[9] = MakeLabel(Panel6, QStringLiteral("人"), 140, 5, {15});
    Label[24] = MakeLabel(Panel6, QStringLiteral("貼り付け数"), 280, 5, {15});
    Label[27] = MakeLabel(Panel6, QStringLiteral("0"), 381, 5, {15}, 24, 17);
    Label[28] = MakeLabel(Panel6, QStringLiteral("人"), 407, 5, {15});

    const int boxX[] = {532, 690, 849};
    const QString captions[] = {QStringLiteral("１　組"), QStringLiteral("２　組"),
                                QStringLiteral("３　組"), QStringLiteral("４　組"),
                                QStringLiteral("５　組"), QStringLiteral("６　組")};
    for (int g = 1; g <= MaxGroups; ++g) {
        const int x = boxX[(g - 1) % 3];
        const int y = g <= 3 ? 324 : 475;
        GroupBox[g] = MakePicture(this, x, y, kGroupBoxWidth, kGroupBoxHeight);
        GroupCaption[g] = MakeLabel(this, captions[g - 1], x + 55, y - 19, {15}, 50, 19);
        Label[10 + g] = GroupCaption[g];
    }
}

void TForm1::BuildScoreSheetControls() {
    Panel5 = MakePanel(this, 5, 5, 530, 81);
    const LabelStyle white{15, kWhite};
    Label[30] = MakeLabel(Panel5, QStringLiteral("表　題"), 5, 5, white);
    Label[31] = MakeLabel(Panel5, QStringLiteral("大会名"), 5, 32, white);
    Label[32] = MakeLabel(Panel5, QStringLiteral("コース"), 5, 59, white);
    Label[29] = MakeLabel(Panel5, QStringLiteral("開催日"), 330, 5, white);
    Label[33] = MakeLabel(Panel5, QStringLiteral("ホール数"), 330, 30, white);
    Label[34] = MakeLabel(Panel5, QStringLiteral("組"), 365, 55, white);
    Label[35] = MakeLabel(Panel5, QStringLiteral("番スタート"), 450, 55, white);
    Label[3] = MakeLabel(Panel5, QStringLiteral("年"), 408, 5, {13, kWhite}, 20, 21);
    Label[4] = MakeLabel(Panel5, QStringLiteral("月"), 460, 5, {13, kWhite}, 20, 21);
    Label[5] = MakeLabel(Panel5, QStringLiteral("日"), 510, 5, {13, kWhite}, 20, 21);

    Edit15 = MakeEdit(Panel5, 30, 60, 3, 258, 17, 15, kPMinchoFace, kComposition);
    Edit7 = MakeEdit(Panel5, 30, 60, 29, 258, 17, 15, kPMinchoFace, kComposition);
    Edit8 = MakeEdit(Panel5, 30, 60, 55, 258, 17, 15, kPMinchoFace, kComposition);
    Edit10 = MakeEdit(Panel5, 2, 380, 3, 27, 19, 15, kPGothicFace, kNumber);
    Edit11 = MakeEdit(Panel5, 2, 430, 3, 27, 19, 15, kPGothicFace, kNumber);
    Edit12 = MakeEdit(Panel5, 2, 480, 3, 27, 19, 15, kPGothicFace, kNumber);
    Edit9 = MakeEdit(Panel5, 2, 400, 27, 27, 19, 15, kPGothicFace, kNumber);
    Edit13 = MakeEdit(Panel5, 2, 330, 53, 27, 19, 15, kPGothicFace, kNumber);
    Edit14 = MakeEdit(Panel5, 2, 415, 53, 27, 19, 15, kPGothicFace, kNumber);
    const ScoreSheetSettings defaults = DefaultScoreSheetSettings();
    Edit15->SetBytes(defaults.Title);
    Edit7->SetBytes(defaults.MeetingName);
    Edit8->SetBytes(defaults.Course);
    Edit9->SetBytes(defaults.HoleCount);
    Edit10->SetBytes(defaults.Year);
    Edit11->SetBytes(defaults.Month);
    Edit12->SetBytes(defaults.Day);
    Edit13->SetBytes(defaults.GroupNumber);
    Edit14->SetBytes(defaults.StartHole);

    Button7 = MakeButton(this, QStringLiteral("印　刷"), 45, 93, 70, 28);
    Button9 = MakeButton(this, QStringLiteral("確　定"), 180, 93, 70, 28);
    PrintAllButton = MakeButton(this, QStringLiteral("全組印刷"), 770, 62, 100, 28);
    PrintAllButton->setFont(Button7->font());
    ResultsButton = MakeButton(this, QStringLiteral("成績入力"), 880, 62, 100, 28);
    ResultsButton->setFont(Button7->font());
    CheckBox2 = new QCheckBox(QStringLiteral("ホール番号を表示しない"), this);
    CheckBox2->setGeometry(552, 68, 190, 22);
    CheckBox2->setFont(FontForPixels(kPGothicFace, 15));
    Fill(CheckBox2, kWhite);
}

void TForm1::BuildCommandPictures() {
    using Face = CommandPicture::Face;
    commands_ = {
        {Image3, Face{"順移動", 20, 3, kInactiveCaption}, &TournamentState::MoveButtonOn,
         kCommandMoveSource, Image8},
        {Image4, Face{"削  除", 20, 3, kInactiveCaption}, &TournamentState::DeleteButtonOn,
         kCommandDelete, Image5},
        {Image6, Face{"出場設定", 12, 3, kInactiveCaption}, &TournamentState::EntryButtonOn,
         kCommandEntry},
        {Image7, Face{"リーダ設定", 8, 3, kInactiveCaption}, &TournamentState::LeaderButtonOn,
         kCommandLeader},
        {Image9, Face{"貼り付け", 11, 5, kInactiveBorder, "→", 70}, &TournamentState::PasteButtonOn,
         kCommandPastePick},
        {Image10, Face{"戻 す", 45, 5, kInactiveBorder, "←", 15}, &TournamentState::ReturnButtonOn,
         kCommandReturn},
    };
}

template <typename Sender, typename Signal>
void TForm1::Run(Sender* sender, Signal signal, void (TForm1::*handler)()) {
    connect(sender, signal, this, [this, handler] { Guarded([&] { (this->*handler)(); }); });
}

void TForm1::ConnectFirstScreen() {
    Run(Button1, &QPushButton::clicked, &TForm1::Button1Click);
    Run(Button2, &QPushButton::clicked, &TForm1::Button2Click);
    Run(Button3, &QPushButton::clicked, &TForm1::Button3Click);
    Run(Button4, &QPushButton::clicked, &TForm1::Button4Click);
    Run(Button5, &QPushButton::clicked, &TForm1::Button5Click);
    Run(Button6, &QPushButton::clicked, &TForm1::Button6Click);
    Run(Button8, &QPushButton::clicked, &TForm1::Button8Click);
    Run(Button10, &QPushButton::clicked, &TForm1::Button10Click);
    Run(Button14, &QPushButton::clicked, &TForm1::Button14Click);
    Run(Edit1, &ByteEdit::clicked, &TForm1::Edit1Click);
    Run(Edit2, &ByteEdit::clicked, &TForm1::Edit2Click);
    Run(Edit6, &ByteEdit::clicked, &TForm1::Edit6Click);
    Run(Image3, &PictureWidget::clicked, &TForm1::Image3Click);
    Run(Image4, &PictureWidget::clicked, &TForm1::Image4Click);
    Run(Image6, &PictureWidget::clicked, &TForm1::Image6Click);
    Run(Image7, &PictureWidget::clicked, &TForm1::Image7Click);
    Run(Image9, &PictureWidget::clicked, &TForm1::Image9Click);
    Run(Image10, &PictureWidget::clicked, &TForm1::Image10Click);

    connect(Image1, &PictureWidget::pressed, this,
            [this](int, int y) { Guarded([&] { Image1MouseDown(y); }); });
    for (int g = 1; g <= MaxGroups; ++g)
        connect(GroupBox[g], &PictureWidget::pressed, this,
                [this, g](int, int y) { Guarded([&] { GroupBoxMouseDown(g, y); }); });
}

void TForm1::ConnectScoreSheetMode() {
    Run(Button7, &QPushButton::clicked, &TForm1::Button7Click);
    Run(Button9, &QPushButton::clicked, &TForm1::Button9Click);
    Run(PrintAllButton, &QPushButton::clicked, &TForm1::PrintAllClick);
    Run(ResultsButton, &QPushButton::clicked, &TForm1::ResultsClick);
    Run(CheckBox2, &QCheckBox::clicked, &TForm1::CheckBox2Click);
    Run(Edit9, &ByteEdit::clicked, &TForm1::Edit9Click);
    Run(Edit10, &ByteEdit::clicked, &TForm1::Edit10Click);
    Run(Edit11, &ByteEdit::clicked, &TForm1::Edit11Click);
    Run(Edit12, &ByteEdit::clicked, &TForm1::Edit12Click);
    Run(Edit13, &ByteEdit::clicked, &TForm1::Edit13Click);
    Run(Edit14, &ByteEdit::clicked, &TForm1::Edit14Click);
}

void TForm1::PaintFirstFaces() {
    // The picture buttons and prompts are drawn once; the group boxes get
    // their white field and black border.
    for (PictureWidget* picture : {Image3, Image4, Image6, Image7}) {
        DrawingSurface& c = picture->Canvas();
        c.SetPenColor(kInactiveCaption);
        c.SetBrushColor(kInactiveCaption);
        c.Rectangle(0, 0, picture->width(), picture->height());
    }
    for (CommandIndex i : {kMoveCommand, kDeleteCommand, kEntryCommand, kLeaderCommand})
        commands_[i].DrawFace(false);
    struct Prompt {
        PictureWidget* picture;
        const char* text;
        int x, y;
    };
    for (const Prompt& p : {Prompt{Image5, "削除する行を指定して下さい", 13, 5},
                            Prompt{Image8, "移動行を指定して移動先を指定して下さい", 7, 6}}) {
        DrawingSurface& c = p.picture->Canvas();
        c.SetPenColor(kInactiveCaption);
        c.SetBrushColor(kWhite);
        c.Rectangle(0, 0, p.picture->width(), p.picture->height());
        c.SetFontSize(10);
        c.SetFontColor(kRed);
        c.TextOut(p.x, p.y, Utf8ToCp932(p.text));
        c.SetFontColor(kBlack);
    }
    for (PictureWidget* picture : {Image9, Image10}) {
        DrawingSurface& c = picture->Canvas();
        c.SetPenColor(kInactiveBorder);
        c.SetBrushColor(kInactiveBorder);
        c.Rectangle(0, 0, picture->width(), picture->height());
    }
    for (int g = 1; g <= MaxGroups; ++g) {
        DrawingSurface& c = GroupBox[g]->Canvas();
        c.SetPenColor(kBlack);
        c.SetPenWidth(1);
        c.SetBrushColor(kWhite);
        c.Rectangle(0, 0, kGroupBoxWidth, kGroupBoxHeight);
        c.SetFontSize(12);
    }
}

}  // namespace tovi
