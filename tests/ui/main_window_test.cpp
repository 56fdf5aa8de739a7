// The window at start-up, its three modes, the member list drawing, the group
// boxes, and opening and saving a roster.
#include <QCheckBox>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QPushButton>
#include <QScrollArea>
#include <QScrollBar>

#include "platform/file_name.h"
#include "ui/window_fixture.h"

namespace tovi::test {
namespace {

TEST_F(WindowTest, StartsInRegistrationModeWithAnEmptyNumberedList) {
    EXPECT_EQ(form->geometry(), QRect(0, 0, 1020, 705));
    EXPECT_EQ(form->windowTitle(), QStringLiteral("トヴィ"));
    EXPECT_EQ(I().screenMode, ScreenMode::Registration);
    EXPECT_EQ(Label(27)->text(), "0");
    EXPECT_EQ(Label(8)->text(), "0");
    EXPECT_TRUE(Edit(6)->text().isEmpty());
    EXPECT_EQ(I().commandState, ListCommand::None);

    // A fresh full redraw, recorded: 41 rules, 40 numbers at x 19 or 11.
    RecordingSurface rec;
    Observe(Image(1), &rec);
    form->List().Redraw();
    int horizontal = 0;
    for (const auto& l : rec.lines) horizontal += l.y1 == l.y2 && l.x1 == 0 && l.x2 == 480;
    EXPECT_EQ(horizontal, 41);
    for (int k = 1; k <= 40; ++k) {
        const auto* number = rec.FindText(std::to_string(k));
        ASSERT_NE(number, nullptr) << k;
        EXPECT_EQ(number->x, k <= 9 ? 19 : 11);
        EXPECT_EQ(number->y, 6 + 30 * (k - 1));
    }
    // With no members only row 1 is erased.
    int erased = 0;
    for (const auto& t : rec.texts) erased += t.color == kWhite && t.x == 45;
    EXPECT_EQ(erased, 1);
    // The picture itself shows the frame and the rules.
    const QImage& image = Image(1)->Image();
    EXPECT_EQ(image.size(), QSize(481, 1201) * Ratio(image));
    EXPECT_EQ(PixelAt(image, 0, 15), QColor(Qt::black));
    EXPECT_EQ(PixelAt(image, 200, 30), QColor(Qt::black));
    EXPECT_EQ(PixelAt(image, 200, 45), QColor(Qt::white));
}

TEST_F(WindowTest, EachModeShowsItsPanelsAndBar) {
    struct Expect {
        void (MainWindow::*enter)();
        int mode;
        bool list, registration, automatic, manual, settings, counts;
        int bar;  // 17, 18, 19
        bool moveDelete, marks, sheetControls;
    };
    const Expect cases[] = {
        {&MainWindow::EnterGroupingMode, 2, true, false, true, true, false, true, 18, false, true,
         false},
        {&MainWindow::EnterScoreSheetMode, 3, false, false, false, false, true, false, 19, false,
         true, true},
        {&MainWindow::EnterRegistrationMode, 1, true, true, false, false, false, true, 17, true,
         false, false},
        {&MainWindow::EnterScoreSheetMode, 3, false, false, false, false, true, false, 19, true,
         false, true},
        {&MainWindow::EnterGroupingMode, 2, true, false, true, true, false, true, 18, false, true,
         false},
    };
    form->show();
    for (const auto& c : cases) {
        (form.get()->*c.enter)();
        SCOPED_TRACE(c.mode);
        EXPECT_EQ(static_cast<int>(I().screenMode), c.mode);
        EXPECT_EQ(Panel(3)->isVisible(), c.list);
        EXPECT_EQ(Panel(2)->isVisible(), c.registration);
        EXPECT_EQ(Panel(4)->isVisible(), c.automatic);
        EXPECT_EQ(Panel(1)->isVisible(), c.manual);
        EXPECT_EQ(Panel(5)->isVisible(), c.settings);
        EXPECT_EQ(Panel(6)->isVisible(), c.counts);
        for (int bar = 17; bar <= 19; ++bar) EXPECT_EQ(Label(bar)->isVisible(), bar == c.bar);
        EXPECT_EQ(Image(3)->isVisibleTo(Panel(3)), c.moveDelete);
        EXPECT_EQ(Image(6)->isVisibleTo(Panel(3)), c.marks);
        EXPECT_EQ(Button(7)->isVisible(), c.sheetControls);
        EXPECT_EQ(Button(9)->isVisible(), c.sheetControls);
        EXPECT_EQ(CheckBox(2)->isVisible(), c.sheetControls);
        EXPECT_EQ(Image(23)->isVisible(), c.mode == 3);
        for (int g = 1; g <= MaxGroups; ++g) EXPECT_EQ(GroupBox(g)->isVisible(), c.mode != 3);
    }
}

TEST_F(WindowTest, OnlyRegistrationModeClearsTheMarks) {
    Load(WriteRoster("r.txt", {"A,T,男,0,0,0,0,0,", "B,T,女,0,0,0,0,0,"}));
    form->EnterGroupingMode();
    S().entryFlag[0] = S().leaderFlag[1] = S().entryFlag[1] = S().placedFlag[0] = 1;
    form->EnterScoreSheetMode();
    form->EnterGroupingMode();
    EXPECT_EQ(S().entryFlag[0], 1);
    EXPECT_EQ(S().leaderFlag[1], 1);
    EXPECT_EQ(S().placedFlag[0], 1);
    form->EnterRegistrationMode();
    for (int i = 0; i < MemberCapacity; ++i) {
        EXPECT_EQ(S().entryFlag[i], 0);
        EXPECT_EQ(S().leaderFlag[i], 0);
        EXPECT_EQ(S().placedFlag[i], 0);
    }
}

TEST_F(WindowTest, LoadingARosterDrawsItsRowsAndShowsThePath) {
    const QString path =
        WriteRoster("club.txt", {"山田　花子,東町,女,0,0,0,0,0,", "鈴木一郎,,男,0,0,0,0,0,"});
    RecordingSurface rec;
    Observe(Image(1), &rec);
    Find<QScrollArea>("ScrollBox1")->verticalScrollBar()->setValue(200);
    Load(path);
    EXPECT_EQ(form->windowTitle(), QDir::toNativeSeparators(path));
    EXPECT_EQ(S().currentFileName, TryQtToPath(path));
    EXPECT_EQ(Find<QScrollArea>("ScrollBox1")->verticalScrollBar()->value(), 0);
    const std::vector<std::string> expected = {"45,6:山田　花子", "185,6:東町", "345,6:女",
                                               "45,36:鈴木一郎",  "185,36:",    "345,36:男"};
    std::vector<std::string> written;
    for (const auto& t : rec.texts)
        if (t.color == kBlack && t.y <= 36 && t.x >= 45)
            written.push_back(std::to_string(t.x) + "," + std::to_string(t.y) + ":" +
                              Cp932ToUtf8(t.text));
    EXPECT_EQ(std::vector<std::string>(written.end() - 6, written.end()), expected);
    EXPECT_TRUE(dialogs.Messages().empty());
}

TEST_F(WindowTest, CancellingTheOpenDialogStillRedraws) {
    Load(WriteRoster("r.txt", {"A,T,男,0,0,0,0,0,"}));
    RecordingSurface rec;
    Observe(Image(1), &rec);
    dialogs.openAnswers.push_back(std::nullopt);
    Click(Button(10));
    EXPECT_EQ(S().rosterList.size(), 1u);
    ASSERT_FALSE(rec.rects.empty());
    EXPECT_NE(rec.FindText("A"), nullptr);
}

TEST_F(WindowTest, RefusedFilesChangeNothing) {
    const QString good = WriteRoster("good.txt", {"A,T,男,0,0,0,0,0,"});
    Load(good);
    std::vector<std::string> tooMany(41, "X,T,男,0,0,0,0,0,");
    const struct {
        QString path;
        const char* message;
    } cases[] = {
        {WriteRoster("nomarker.txt", {"A,T,男,0,0,0,0,0,"}, false), "このデータは開けません"},
        {WriteRoster("empty.txt", {}, false), "このデータは開けません"},
        {WriteRoster("many.txt", tooMany), nullptr},
        {folder.filePath("missing.txt"), nullptr},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.path.toStdString());
        dialogs.ClearShown();
        Load(c.path);
        ASSERT_EQ(dialogs.Messages().size(), 1u);
        if (c.message) {
            EXPECT_EQ(dialogs.Messages()[0], QString::fromUtf8(c.message));
        }
        EXPECT_EQ(form->windowTitle(), QDir::toNativeSeparators(good));
        ASSERT_EQ(S().rosterList.size(), 1u);
        EXPECT_EQ(Names(), std::vector<std::string>{"A"});
    }
}

TEST_F(WindowTest, SaveWritesTheMarkerAndCrLfLinesAndShowsThePath) {
    Load(WriteRoster("in.txt", {"A,T,男,0,0,0,0,0,", "B,,女,0,0,0,0,0,"}));
    const QString out = folder.filePath("out.txt");
    dialogs.saveAnswers.push_back(out);
    Click(Button(8));
    QFile file(out);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    const QByteArray expected =
        QByteArray::fromStdString(Utf8ToCp932("作成") + "\r\nA,T," + Utf8ToCp932("男") +
                                  ",0,0,0,0,0,\r\nB,," + Utf8ToCp932("女") + ",0,0,0,0,0,\r\n");
    EXPECT_EQ(file.readAll(), expected);
    EXPECT_EQ(form->windowTitle(), QDir::toNativeSeparators(out));

    // A cancelled save changes nothing; a failed one keeps the caption.
    dialogs.saveAnswers.push_back(std::nullopt);
    Click(Button(8));
    EXPECT_EQ(form->windowTitle(), QDir::toNativeSeparators(out));
    dialogs.ClearShown();
    dialogs.saveAnswers.push_back(folder.filePath("no/such/folder/x.txt"));
    Click(Button(8));
    EXPECT_EQ(dialogs.Messages().size(), 1u);
    EXPECT_EQ(form->windowTitle(), QDir::toNativeSeparators(out));
}

TEST_F(WindowTest, GroupBoxesDrawNamesAndBlank) {
    Load(WriteRoster("r.txt", {"A,T,男,0,0,0,0,0,", "B,T,男,0,0,0,0,0,", "C,T,女,0,0,0,0,0,"}));
    S().groupList[2] = {"2", "0"};
    RecordingSurface rec;
    Observe(GroupBox(2), &rec);
    form->Grouping().Boxes().WriteNames();
    EXPECT_EQ(rec.TextLog(), (std::vector<std::string>{"9,6:C", "9,24:A"}));

    rec.Clear();
    form->Grouping().Boxes().Clear(2);
    ASSERT_EQ(rec.texts.size(), 6u);
    for (int r = 0; r < 6; ++r) {
        EXPECT_EQ(rec.texts[r].x, 3);
        EXPECT_EQ(rec.texts[r].y, 18 * r + 6);
        EXPECT_EQ(rec.texts[r].text.size(), 23u);
    }
    EXPECT_EQ(S().groupList[2].size(), 2u);
    form->Grouping().Boxes().Clear(0);
    for (int g = 1; g <= MaxGroups; ++g) EXPECT_TRUE(S().groupList[g].empty());
}

TEST_F(WindowTest, ANonIntegerGroupCountIsReportedAsTheGeneralError) {
    Load(WriteRoster("r.txt", {"A,T,男,0,0,0,0,0,"}));
    form->EnterGroupingMode();
    S().entryFlag[0] = 1;
    form->List().RefreshRows();
    Edit(6)->setText(QStringLiteral("１"));
    dialogs.ClearShown();
    Click(Button(1));
    ASSERT_EQ(dialogs.shown.size(), 1u);
    EXPECT_EQ(dialogs.shown[0].kind, ScriptedDialogs::Kind::Error);
    EXPECT_EQ(dialogs.shown[0].text, QStringLiteral("'１' は整数ではありません."));
}

}  // namespace
}  // namespace tovi::test
