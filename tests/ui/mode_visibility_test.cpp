// What each mode switch does to the controls inside the panels and to the
// print-all and results buttons: shown, hidden, or left as the mode before left them
// (checked against the control's own panel, which the switch may hide), and
// to the pairing list's buttons.
#include <QCheckBox>
#include <QLabel>
#include <QPushButton>

#include "ui/window_fixture.h"

namespace tovi::test {
namespace {

TEST_F(WindowTest, ModeSwitchesShowHideOrKeepThePanelControls) {
    struct Expect {
        void (MainWindow::*enter)();
        bool counts;       // Label7..Label9 within Panel6
        bool fileButtons;  // Button8, Button10 within Panel2
        bool balance;      // CheckBox4 within Panel4
        bool manual;       // Image9, Image10 within Panel1
        bool printAll;     // 全組印刷 and 成績入力, with 印　刷
        bool pairing;      // 組み合わせ表 and 組み合わせCSV
    };
    const Expect cases[] = {
        {&MainWindow::EnterScoreSheetMode, false, true, true, true, true,
         false},  // from registration: kept
        {&MainWindow::EnterGroupingMode, true, false, true, true, false, true},
        {&MainWindow::EnterScoreSheetMode, false, false, true, true, true,
         false},  // from grouping: kept
        {&MainWindow::EnterRegistrationMode, true, true, true, true, false, false},
    };
    form->show();
    for (const auto& c : cases) {
        (form.get()->*c.enter)();
        SCOPED_TRACE(static_cast<int>(I().screenMode));
        for (int i = 7; i <= 9; ++i) EXPECT_EQ(Label(i)->isVisibleTo(Panel(6)), c.counts);
        EXPECT_EQ(Button(8)->isVisibleTo(Panel(2)), c.fileButtons);
        EXPECT_EQ(Button(10)->isVisibleTo(Panel(2)), c.fileButtons);
        EXPECT_EQ(CheckBox(4)->isVisibleTo(Panel(4)), c.balance);
        EXPECT_EQ(Image(9)->isVisibleTo(Panel(1)), c.manual);
        EXPECT_EQ(Image(10)->isVisibleTo(Panel(1)), c.manual);
        EXPECT_EQ(Find("PrintAllButton")->isVisible(), c.printAll);
        EXPECT_EQ(Find("PrintAllButton")->isVisible(), Button(7)->isVisible());
        EXPECT_EQ(Find("ResultsButton")->isVisible(), c.printAll);
        EXPECT_EQ(Find("SeasonButton")->isVisible(), c.printAll);
        EXPECT_EQ(Find("PairingPrintButton")->isVisible(), c.pairing);
        EXPECT_EQ(Find("PairingCsvButton")->isVisible(), c.pairing);
    }
}

}  // namespace
}  // namespace tovi::test
