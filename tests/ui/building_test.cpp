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
    std::unique_ptr<MainWindow> TwoStepWindow() {
        return std::make_unique<MainWindow>(dialogs, random, clock,
                                            MainWindow::Building::FirstScreenFirst);
    }
};

// The controls of a window by their names, in the same order.
std::vector<QWidget*> Named(const QWidget& window, const std::vector<std::string>& names) {
    std::vector<QWidget*> controls;
    for (const std::string& name : names)
        controls.push_back(ControlsOf(window).Find(QString::fromStdString(name)));
    return controls;
}

// The names of the widgets, for a failure message.
std::string NamesOf(const std::vector<QWidget*>& widgets) {
    std::string names;
    for (const QWidget* w : widgets) names += ' ' + w->objectName().toStdString();
    return names;
}

TEST_F(BuildingTest, TheFirstPaintBuildsTheRestAndTheWindowIsAsIfBuiltWhole) {
    auto twoStep = TwoStepWindow();
    EXPECT_FALSE(twoStep->IsBuilt());
    EXPECT_TRUE(ControlsNamed(*twoStep, QStringLiteral("Edit13")).isEmpty());
    EXPECT_TRUE(ControlsNamed(*twoStep, QStringLiteral("Image23")).isEmpty());
    // What the first paint shows is the window built whole.
    const QImage firstScreen = twoStep->grab().toImage();
    EXPECT_EQ(firstScreen, form->grab().toImage());

    twoStep->show();
    form->show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(twoStep.get()));
    QTRY_VERIFY(twoStep->IsBuilt());
    EXPECT_NE(ControlsOf(*twoStep).Edit(13), nullptr);
    EXPECT_EQ(DescriptionDifference(DescribeWindow(*form), DescribeWindow(*twoStep)), "");
}

// The window's own controls from the bottom of the pile to the top, and the
// controls Tab visits, in turn.
TEST_F(BuildingTest, TheControlsLieAndTakeTabInTheirOrder) {
    // 修正 and its prompt come with the member list, under the registration panel.
    std::vector<std::string> pile = {"Image23", "Panel3", "CorrectCommand", "CorrectPrompt",
                                     "Panel2",  "Panel4", "Panel1",         "Panel6"};
    for (int g = 1; g <= MaxGroups; ++g) {
        pile.push_back("Image" + std::to_string(10 + g));  // the group box
        pile.push_back("Label" + std::to_string(10 + g));  // its caption
    }
    pile.push_back("PairingPrintButton");
    pile.push_back("PairingCsvButton");
    for (const char* name : {"Panel5", "Button7", "Button9", "PrintAllButton", "ResultsButton",
                             "SeasonButton", "CheckBox2", "StartHolesBar", "Button2", "Button3",
                             "Button4", "Label17", "Label18", "Label19", "Button5", "Button14"})
        pile.push_back(name);
    const std::vector<std::string> tabOrder = {"ScrollBox1",
                                               "Edit1",
                                               "Edit2",
                                               "BirthYearEdit",
                                               "BirthMonthEdit",
                                               "BirthDayEdit",
                                               "RadioGroup2Item0",
                                               "RadioGroup2Item1",
                                               "Button10",
                                               "Button8",
                                               "Button6",
                                               "Edit6",
                                               "Button1",
                                               "CheckBox4",
                                               "PairingPrintButton",
                                               "PairingCsvButton",
                                               "Edit15",
                                               "Edit7",
                                               "Edit8",
                                               "Edit10",
                                               "Edit11",
                                               "Edit12",
                                               "Edit9",
                                               "Edit13",
                                               "Edit14",
                                               "Button7",
                                               "Button9",
                                               "PrintAllButton",
                                               "ResultsButton",
                                               "SeasonButton",
                                               "CheckBox2",
                                               "PerGroupStartBox",
                                               "GroupStartEdit1",
                                               "GroupStartEdit2",
                                               "GroupStartEdit3",
                                               "GroupStartEdit4",
                                               "GroupStartEdit5",
                                               "GroupStartEdit6",
                                               "Button2",
                                               "Button3",
                                               "Button4",
                                               "Button5",
                                               "Button14"};

    auto twoStep = TwoStepWindow();
    twoStep->FinishBuilding();
    for (MainWindow* window : {form.get(), twoStep.get()}) {
        MainWindow& f = *window;
        SCOPED_TRACE(window == form.get() ? "whole" : "two steps");
        std::vector<QWidget*> lying;
        for (QObject* child : f.children())
            if (auto* w = qobject_cast<QWidget*>(child); w && !w->isWindow()) lying.push_back(w);
        EXPECT_EQ(lying, Named(f, pile)) << NamesOf(lying);

        std::vector<QWidget*> visited;
        for (QWidget* w = f.nextInFocusChain(); w != &f; w = w->nextInFocusChain())
            if (w->focusPolicy() & Qt::TabFocus) visited.push_back(w);
        EXPECT_EQ(visited, Named(f, tabOrder)) << NamesOf(visited);
    }
}

// Work asked for before the first paint (the program's reading of the
// recovery file) waits for it and for the building left for then; asked for
// later, it runs at once.
TEST_F(BuildingTest, WorkAfterTheFirstPaintWaitsForThePaintAndTheBuilding) {
    auto twoStep = TwoStepWindow();
    std::vector<bool> builtWhenRun;
    twoStep->RunAfterFirstPaint([&] { builtWhenRun.push_back(twoStep->IsBuilt()); });
    QCoreApplication::processEvents();
    EXPECT_TRUE(builtWhenRun.empty());
    twoStep->show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(twoStep.get()));
    QTRY_COMPARE(builtWhenRun.size(), 1u);
    EXPECT_TRUE(builtWhenRun[0]);
    twoStep->RunAfterFirstPaint([&] { builtWhenRun.push_back(true); });
    EXPECT_EQ(builtWhenRun.size(), 2u);
}

// A click that comes before the first paint finishes the building first.
TEST_F(BuildingTest, AHandlerBeforeTheFirstPaintFindsTheWindowWhole) {
    for (const char* button : {"Button2", "Button3", "Button4"}) {
        auto twoStep = TwoStepWindow();
        Click(ControlsOf(*twoStep).Find<QPushButton>(QString::fromLatin1(button)));
        EXPECT_TRUE(twoStep->IsBuilt());
    }
    auto twoStep = TwoStepWindow();
    const WindowControls twoStepControls = ControlsOf(*twoStep);
    Click(twoStepControls.Button(4));
    EXPECT_EQ(twoStep->Interaction().screenMode, ScreenMode::ScoreSheet);
    EXPECT_FALSE(twoStepControls.Panel(5)->isHidden());
    EXPECT_FALSE(twoStepControls.Image(23)->isHidden());
    EXPECT_TRUE(twoStepControls.Panel(3)->isHidden());
    // The same press on a window built whole leaves the same window.
    Click(Button(4));
    form->show();
    twoStep->show();
    EXPECT_EQ(DescriptionDifference(DescribeWindow(*form), DescribeWindow(*twoStep)), "");
}

}  // namespace
}  // namespace tovi::test
