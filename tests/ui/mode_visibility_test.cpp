// What each mode switch does to the controls inside the panels and to the
// print-all and results buttons: shown, hidden, or left as the mode before left them
// (checked against the control's own panel, which the switch may hide).
#include <QCheckBox>
#include <QLabel>
#include <QPushButton>

#include "ui/window_fixture.h"

namespace tovi::test {
namespace {

TEST_F(WindowTest, ModeSwitchesShowHideOrKeepThePanelControls) {
    struct Expect {
        void (TForm1::*enter)();
        bool counts;       // Label7..Label9 within Panel6
        bool fileButtons;  // Button8, Button10 within Panel2
        bool balance;      // CheckBox4 within Panel4
        bool manual;       // Image9, Image10 within Panel1
        bool printAll;     // 全組印刷 and 成績入力, with 印　刷
    };
    const Expect cases[] = {
        {&TForm1::Button4Click, false, true, true, true, true},  // from registration: kept
        {&TForm1::Button3Click, true, false, true, true, false},
        {&TForm1::Button4Click, false, false, true, true, true},  // from grouping: kept
        {&TForm1::Button2Click, true, true, true, true, false},
    };
    form->show();
    for (const auto& c : cases) {
        (form.get()->*c.enter)();
        SCOPED_TRACE(S().ScreenMode);
        for (int i = 7; i <= 9; ++i) EXPECT_EQ(form->Label[i]->isVisibleTo(form->Panel6), c.counts);
        EXPECT_EQ(form->Button8->isVisibleTo(form->Panel2), c.fileButtons);
        EXPECT_EQ(form->Button10->isVisibleTo(form->Panel2), c.fileButtons);
        EXPECT_EQ(form->CheckBox4->isVisibleTo(form->Panel4), c.balance);
        EXPECT_EQ(form->Image9->isVisibleTo(form->Panel1), c.manual);
        EXPECT_EQ(form->Image10->isVisibleTo(form->Panel1), c.manual);
        EXPECT_EQ(form->PrintAllButton->isVisible(), c.printAll);
        EXPECT_EQ(form->PrintAllButton->isVisible(), form->Button7->isVisible());
        EXPECT_EQ(form->ResultsButton->isVisible(), c.printAll);
    }
}

}  // namespace
}  // namespace tovi::test
