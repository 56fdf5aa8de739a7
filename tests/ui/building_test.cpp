// The window built in two steps, as the program builds it: the first screen
// at once and the score-sheet controls right after the first paint, or
// before any handler that comes sooner.  Either way it is the window built
// whole, down to the stacking, the Tab order and the pixels.
#include <QCheckBox>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollArea>

#include "ui/window_description.h"
#include "ui/window_fixture.h"

namespace tovi::test {
namespace {

class BuildingTest : public WindowTest {
protected:
    // A second window, built first screen first.
    std::unique_ptr<TForm1> TwoStepWindow() {
        return std::make_unique<TForm1>(dialogs, random, clock, TForm1::Building::FirstScreenFirst);
    }
};

TEST_F(BuildingTest, TheFirstPaintBuildsTheRestAndTheWindowIsAsIfBuiltWhole) {
    auto twoStep = TwoStepWindow();
    EXPECT_FALSE(twoStep->IsBuilt());
    EXPECT_EQ(twoStep->Edit13, nullptr);
    EXPECT_EQ(twoStep->Image23, nullptr);
    // What the first paint shows is the window built whole.
    const QImage firstScreen = twoStep->grab().toImage();
    EXPECT_EQ(firstScreen, form->grab().toImage());

    twoStep->show();
    form->show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(twoStep.get()));
    QTRY_VERIFY(twoStep->IsBuilt());
    EXPECT_NE(twoStep->Edit13, nullptr);
    EXPECT_EQ(DescriptionDifference(DescribeWindow(*form), DescribeWindow(*twoStep)), "");
}

// The window's own controls from the bottom of the pile to the top, and the
// controls Tab visits, in turn.
TEST_F(BuildingTest, TheControlsLieAndTakeTabInTheirOrder) {
    auto twoStep = TwoStepWindow();
    twoStep->FinishBuilding();
    for (TForm1* window : {form.get(), twoStep.get()}) {
        TForm1& f = *window;
        SCOPED_TRACE(window == form.get() ? "whole" : "two steps");
        std::vector<QWidget*> pile = {f.Image23, f.Panel3, f.Panel2, f.Panel4, f.Panel1, f.Panel6};
        for (int g = 1; g <= MaxGroups; ++g) {
            pile.push_back(f.GroupBox[g]);
            pile.push_back(f.GroupCaption[g]);
        }
        for (QWidget* w : std::initializer_list<QWidget*>{
                 f.Panel5, f.Button7, f.Button9, f.PrintAllButton, f.ResultsButton, f.CheckBox2,
                 f.Button2, f.Button3, f.Button4, f.Label[17], f.Label[18], f.Label[19], f.Button5,
                 f.Button14})
            pile.push_back(w);
        std::vector<QWidget*> lying;
        for (QObject* child : f.children())
            if (auto* w = qobject_cast<QWidget*>(child); w && !w->isWindow()) lying.push_back(w);
        EXPECT_EQ(lying, pile);

        const std::vector<QWidget*> expected = {f.ScrollBox1,
                                                f.Edit1,
                                                f.Edit2,
                                                f.RadioGroup2Items[0],
                                                f.RadioGroup2Items[1],
                                                f.Button10,
                                                f.Button8,
                                                f.Button6,
                                                f.Edit6,
                                                f.Button1,
                                                f.CheckBox4,
                                                f.Edit15,
                                                f.Edit7,
                                                f.Edit8,
                                                f.Edit10,
                                                f.Edit11,
                                                f.Edit12,
                                                f.Edit9,
                                                f.Edit13,
                                                f.Edit14,
                                                f.Button7,
                                                f.Button9,
                                                f.PrintAllButton,
                                                f.ResultsButton,
                                                f.CheckBox2,
                                                f.Button2,
                                                f.Button3,
                                                f.Button4,
                                                f.Button5,
                                                f.Button14};
        std::vector<QWidget*> visited;
        for (QWidget* w = f.nextInFocusChain(); w != &f; w = w->nextInFocusChain())
            if (w->focusPolicy() & Qt::TabFocus) visited.push_back(w);
        EXPECT_EQ(visited, expected);
    }
}

// A click that comes before the first paint finishes the building first.
TEST_F(BuildingTest, AHandlerBeforeTheFirstPaintFindsTheWindowWhole) {
    for (QPushButton* TForm1::*button : {&TForm1::Button2, &TForm1::Button3, &TForm1::Button4}) {
        auto twoStep = TwoStepWindow();
        Click((*twoStep).*button);
        EXPECT_TRUE(twoStep->IsBuilt());
    }
    auto twoStep = TwoStepWindow();
    Click(twoStep->Button4);
    EXPECT_EQ(twoStep->State().ScreenMode, kModeScoreSheet);
    EXPECT_FALSE(twoStep->Panel5->isHidden());
    EXPECT_FALSE(twoStep->Image23->isHidden());
    EXPECT_TRUE(twoStep->Panel3->isHidden());
    // The same press on a window built whole leaves the same window.
    Click(form->Button4);
    form->show();
    twoStep->show();
    EXPECT_EQ(DescriptionDifference(DescribeWindow(*form), DescribeWindow(*twoStep)), "");
}

}  // namespace
}  // namespace tovi::test
