// The main window's behaviour: the three work modes and the one table of what
// each shows, the start-up step, the score-sheet frame and the help buttons.
// The controls are built in main_window_layout.cpp.
#include "ui/main_window.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QLabel>
#include <QPainter>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollArea>
#include <QScrollBar>

#include <array>
#include <cstdint>
#include <vector>

#include "model/roster_edit.h"
#include "ui/about_box.h"

namespace tovi {
namespace {

QColor ToColor(Rgb c) { return QColor(c.r, c.g, c.b); }

}  // namespace

int TForm1::GenderIndex() const {
    for (int i = 0; i < 2; ++i)
        if (RadioGroup2Items[i]->isChecked()) return i;
    return -1;
}

void TForm1::SetGenderIndex(int index) {
    auto* group = RadioGroup2Items[0]->group();
    group->setExclusive(false);
    for (int i = 0; i < 2; ++i) RadioGroup2Items[i]->setChecked(i == index);
    group->setExclusive(true);
}

void TForm1::ScrollListToTop() { ScrollBox1->verticalScrollBar()->setValue(0); }

// Where the score-sheet frame goes, with its 3-pixel pen: a repaint of this
// area draws it or removes it.
QRect TForm1::ScoreSheetFrameArea() { return QRect(QPoint(27, 10), QPoint(630, 116)); }

void TForm1::paintEvent(QPaintEvent* event) {
    QWidget::paintEvent(event);
    // The window is on the screen: the controls left for later are built
    // next, before whatever the user does.
    if (!built_ && !finishingPosted_) {
        finishingPosted_ = true;
        QMetaObject::invokeMethod(this, &TForm1::FinishBuilding, Qt::QueuedConnection);
    }
    if (!scoreSheetFrame_) return;
    // The frame around the settings band of the score-sheet mode, drawn on
    // the window once: it is not kept, so the next paint of the window goes
    // over it (a first preview that stopped on a bad number leaves no outline).
    scoreSheetFrame_ = false;
    QPainter painter(this);
    QPen pen(ToColor(kInactiveCaption));
    pen.setWidth(3);
    painter.setPen(pen);
    // On the same logical pixels as at ratio 1: Qt sets an odd-width pen on
    // the pixels right of and below the line only at ratio 1.
    if (devicePixelRatioF() != 1.0) painter.translate(0.5, 0.5);
    const QPoint outline[] = {{627, 69}, {627, 13}, {30, 13}, {30, 113}, {627, 113}, {627, 69}};
    painter.drawPolyline(outline, 6);
}

void TForm1::FormCreate() {
    state_.ScreenMode = kModeRegistration;
    PaintFirstFaces();
    Edit6->clear();
    Image5->hide();
    Image8->hide();
    Button2Click();
}

namespace {

// What a mode switch does to an element: show it, hide it, or leave it as
// the mode before left it.
enum class Seen : std::uint8_t { Shown, Hidden, Kept };

}  // namespace

void TForm1::ApplyModeVisibility(int mode) {
    constexpr Seen S = Seen::Shown, H = Seen::Hidden, K = Seen::Kept;
    struct Row {
        std::vector<QWidget*> elements;
        std::array<Seen, 3> byMode;  // registration, grouping, score sheet
    };
    const Row table[] = {
        {{Panel3}, {S, S, H}},     // member list
        {{Panel2}, {S, H, H}},     // registration and file
        {{Panel4}, {H, S, H}},     // automatic grouping
        {{Panel1}, {H, S, H}},     // manual grouping
        {{Panel5}, {H, H, S}},     // score-sheet settings
        {{Panel6}, {S, S, H}},     // counts
        {{Label[17]}, {S, H, H}},  // active-mode bars
        {{Label[18]}, {H, S, H}},
        {{Label[19]}, {H, H, S}},
        {{Image3, Image4}, {S, H, K}},  // move and delete
        {{Image6, Image7}, {H, S, K}},  // mark commands
        {{Button7, PrintAllButton, ResultsButton, Button9, CheckBox2}, {H, H, S}},
        {{Image23}, {H, H, K}},  // the score sheet's own redraw shows it
        {{Label[7], Label[8], Label[9]}, {S, S, H}},
        {{Button8, Button10}, {S, H, K}},
        {{CheckBox4, Image9, Image10}, {S, S, K}},
    };
    for (const Row& row : table) {
        const Seen seen = row.byMode[static_cast<std::size_t>(mode - 1)];
        if (seen == Seen::Kept) continue;
        // A control not built yet is given its place when it is.
        for (QWidget* element : row.elements)
            if (element) element->setVisible(seen == Seen::Shown);
    }
}

void TForm1::Button2Click() {
    setFocus();
    ApplyModeVisibility(kModeRegistration);
    ImgDsEnab();
    KumiClr(0);
    // Leaving the score sheet hides the list until the redraw below shows it.
    if (state_.ScreenMode == kModeScoreSheet) Image1->hide();
    ScrollListToTop();
    state_.ScreenMode = kModeRegistration;
    scoreSheetFrame_ = false;
    ClearMemberFlags(state_);
    KumiOn();
    BtnClr();
    state_.CommandState = kCommandNone;
    state_.EntryButtonOn = 0;
    state_.LeaderButtonOn = 0;
    Hyou();
    update(ScoreSheetFrameArea());
}

void TForm1::Button3Click() {
    setFocus();
    ApplyModeVisibility(kModeGrouping);
    if (state_.ScreenMode == kModeScoreSheet) Image1->hide();
    ScrollListToTop();
    state_.ScreenMode = kModeGrouping;
    scoreSheetFrame_ = false;
    BtnClr();
    state_.EntryButtonOn = 0;
    state_.LeaderButtonOn = 0;
    Edit6->clear();
    KumiOn();
    HalMark();
    Hyou();
    update(ScoreSheetFrameArea());
}

void TForm1::Button4Click() {
    setFocus();
    ApplyModeVisibility(kModeScoreSheet);
    KumiOff();
    BtnClr();
    scoreSheetFrame_ = true;
    update(ScoreSheetFrameArea());
    state_.ScreenMode = kModeScoreSheet;
    Button9Click();
}

void TForm1::KumiOn() {
    for (int g = 1; g <= MaxGroups; ++g) {
        GroupBox[g]->show();
        GroupCaption[g]->show();
    }
    Button1->show();
}

void TForm1::KumiOff() {
    for (int g = 1; g <= MaxGroups; ++g) {
        GroupBox[g]->hide();
        GroupCaption[g]->hide();
    }
}

void TForm1::Button5Click() { dialogs_.ShellOpen(QStringLiteral("Tovihlp.chm")); }

void TForm1::Button14Click() { aboutBox_->ShowModal(); }

}  // namespace tovi
