// The score-sheet mode: preview, settings boxes, printing; help and version.
#include <QCheckBox>
#include <QFile>
#include <QLabel>
#include <QPrinter>
#include <QPushButton>
#include <QTimer>

#include "platform/help.h"
#include "ui/main/about_box.h"
#include "ui/window_fixture.h"

namespace tovi::test {
namespace {

class ScoreSheetWindowTest : public WindowTest {
protected:
    void SetUp() override {
        WindowTest::SetUp();
        Load(WriteRoster("r.txt", {"一郎,東町,男,0,0,0,0,0,", "二郎,西町,男,0,0,0,0,0,",
                                   "花子,南町,女,0,0,0,0,0,"}));
        S().groupList[1] = {"0", "1"};
        S().groupList[3] = {"2"};
        S().placedFlag[0] = S().placedFlag[1] = S().placedFlag[2] = 1;
        Observe(Image(23), &sheet);
    }
    void TearDown() override {
        Observe(Image(23), nullptr);
        WindowTest::TearDown();
    }
    int HoleNumbersDrawn() const {
        int count = 0;
        for (const auto& t : sheet.texts) count += t.y == 219 && t.height == 22;
        return count;
    }
    // A print answer that sends the page to a PDF file.
    void PrintTo(const QString& pdf) {
        dialogs.printAnswers.push_back([pdf](QPrinter& printer) {
            printer.setOutputFormat(QPrinter::PdfFormat);
            printer.setOutputFileName(pdf);
            return true;
        });
    }
    RecordingSurface sheet;
};

TEST_F(ScoreSheetWindowTest, EnteringTheModePreviewsGroupOneWithTheDefaults) {
    Click(Button(4));
    EXPECT_EQ(I().screenMode, ScreenMode::ScoreSheet);
    EXPECT_EQ(Image(23)->geometry(), QRect(5, 3, 989, 657));
    EXPECT_TRUE(Image(23)->isVisibleTo(form.get()));
    const struct {
        const char* text;
        int x, y;
    } expected[] = {{"　　　　　楓林会スコア表", 309, 92},
                    {"秋季親睦会", 109, 142},
                    {"市民公園グラウンド", 109, 166},
                    {"一郎", 44, 288},
                    {"東町", 52, 270},
                    {"年", 870, 165}};
    for (const auto& e : expected) {
        const auto* call = sheet.FindText(e.text);
        ASSERT_NE(call, nullptr) << e.text;
        EXPECT_EQ(call->x, e.x) << e.text;
        EXPECT_EQ(call->y, e.y) << e.text;
    }
    EXPECT_EQ(sheet.FindText("花子"), nullptr);
    EXPECT_EQ(HoleNumbersDrawn(), 10);
}

TEST_F(ScoreSheetWindowTest, TheFrameIsDrawnByOnePaintAndGoneWithTheNext) {
    // A first preview that stops on a bad group number: the preview stays hidden.
    Edit(13)->setText(QStringLiteral("x"));
    Click(Button(4));
    ASSERT_EQ(dialogs.Messages().size(), 1u);
    ASSERT_FALSE(Image(23)->isVisibleTo(form.get()));
    const QColor frame(kInactiveCaption.r, kInactiveCaption.g, kInactiveCaption.b);
    // Points of the frame that no control covers: the right side below the
    // mode buttons and the bottom.
    const QPoint points[] = {{627, 60}, {627, 100}, {560, 113}, {610, 113}};
    auto shown = [&](const QImage& shot) {
        const qreal r = shot.devicePixelRatio();
        int count = 0;
        for (QPoint p : points) {
            // The middle of the device pixels of the point (truncated).
            const int x = static_cast<int>(p.x() * r + r / 2),
                      y = static_cast<int>(p.y() * r + r / 2);
            count += shot.pixelColor(x, y) == frame;
        }
        return count;
    };
    EXPECT_EQ(shown(form->grab().toImage()), 4);
    EXPECT_EQ(shown(form->grab().toImage()), 0);
    // Entering the mode again draws it again, once.
    Click(Button(3));
    Click(Button(4));
    EXPECT_EQ(shown(form->grab().toImage()), 4);
    EXPECT_EQ(shown(form->grab().toImage()), 0);
}

TEST_F(ScoreSheetWindowTest, SettingsBoxesDriveThePreview) {
    Click(Button(4));
    // Hiding the hole numbers redraws at once; showing them brings them back.
    sheet.Clear();
    Click(CheckBox(2));
    EXPECT_TRUE(CheckBox(2)->isChecked());
    EXPECT_EQ(HoleNumbersDrawn(), 0);
    sheet.Clear();
    Click(CheckBox(2));
    EXPECT_EQ(HoleNumbersDrawn(), 10);

    // A click empties the group box; 3 and 確定 previews group 3.
    Click(Edit(13));
    EXPECT_TRUE(Edit(13)->text().isEmpty());
    QTest::keyClicks(Edit(13), "3");
    sheet.Clear();
    Click(Button(9));
    EXPECT_NE(sheet.FindText("花子"), nullptr);
    EXPECT_EQ(sheet.FindText("一郎"), nullptr);

    // 15 holes are shown as 12, in the box too.
    Click(Edit(9));
    QTest::keyClicks(Edit(9), "15");
    Click(Button(9));
    EXPECT_EQ(Edit(9)->text(), "12");
    EXPECT_TRUE(dialogs.Messages().empty());

    // Confirming straight after a click into the group box reports the empty text.
    Click(Edit(13));
    Click(Button(9));
    ASSERT_EQ(dialogs.Messages().size(), 1u);
    EXPECT_EQ(dialogs.Messages()[0], QStringLiteral("'' は整数ではありません."));
}

TEST_F(ScoreSheetWindowTest, PrintsOnePageToPdfAndPreviewsAgainAfterwards) {
    Click(Button(4));
    const QString pdf = folder.filePath("sheet.pdf");
    PrintTo(pdf);
    Click(Button(7));
    QFile file(pdf);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    const QByteArray bytes = file.readAll();
    EXPECT_TRUE(bytes.startsWith("%PDF"));
    EXPECT_TRUE(bytes.contains("/Count 1")) << "one page";
    // Keep the page for a look when asked to.
    if (const QString keep = qEnvironmentVariable("TOVI_KEEP_SHEET_PDF"); !keep.isEmpty()) {
        QFile::remove(keep);
        QFile::copy(pdf, keep);
    }

    Click(Button(9));
    EXPECT_EQ(Image(23)->geometry(), QRect(5, 3, 989, 657));
}

TEST_F(ScoreSheetWindowTest, ACancelledOrFailedPrintLeavesTheNextOneWorking) {
    Click(Button(4));
    // Cancelled: nothing printed.
    dialogs.printAnswers.push_back(nullptr);
    Click(Button(7));

    // A bad group number stops the drawing and abandons the job.
    Edit(13)->setText(QStringLiteral("x"));
    const QString broken = folder.filePath("broken.pdf");
    PrintTo(broken);
    Click(Button(7));
    ASSERT_EQ(dialogs.Messages().size(), 1u);
    EXPECT_EQ(dialogs.Messages()[0], QStringLiteral("'x' は整数ではありません."));

    Edit(13)->setText(QStringLiteral("1"));
    const QString good = folder.filePath("good.pdf");
    PrintTo(good);
    Click(Button(7));
    QFile file(good);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    EXPECT_TRUE(file.readAll().contains("/Count 1"));
}

TEST_F(WindowTest, HelpAsksTheShellForTheHelpFileByItsBareName) {
    if (GuideInHelpWindow()) GTEST_SKIP() << "the help window shows the guide (help_window_test)";
    Click(Button(5));
    ASSERT_EQ(dialogs.shown.size(), 1u);
    EXPECT_EQ(dialogs.shown[0].kind, ScriptedDialogs::Kind::Shell);
    EXPECT_EQ(dialogs.shown[0].text, QStringLiteral("Tovihlp.chm"));
}

TEST_F(WindowTest, VersionDialogShowsModallyAnyNumberOfTimes) {
    AboutBox& about = form->About();
    const WindowControls controls = ControlsOf(about);
    auto label = [&](const char* name) { return controls.Find<QLabel>(QString::fromLatin1(name)); };
    EXPECT_EQ(about.windowTitle(), QStringLiteral("バージョン情報"));
    EXPECT_EQ(about.size(), QSize(376, 212));
    EXPECT_EQ(label("ProductName")->text(), QStringLiteral("トヴィ　"));
    EXPECT_EQ(label("Version")->text(), QStringLiteral("Tovi  Version 1.2.8"));
    EXPECT_EQ(label("Label2")->text(), QStringLiteral("こちらから"));
    EXPECT_TRUE(controls.Find<QPushButton>(QStringLiteral("OKButton"))->isDefault());
    for (int i = 0; i < 3; ++i) {
        bool wasShown = false;
        QTimer::singleShot(0, &about, [&] {
            wasShown = about.isVisible();
            // Shown, each label has the size of its text.
            for (const char* name : {"ProductName", "Version", "Credit", "Label1", "Label2"})
                EXPECT_EQ(label(name)->size(), label(name)->sizeHint()) << name;
            EXPECT_EQ(label("Comments")->size(), QSize(225, 17));
            // Enter presses the default button.
            QTest::keyClick(&about, Qt::Key_Return);
        });
        Click(Button(14));
        EXPECT_TRUE(wasShown);
        EXPECT_FALSE(about.isVisible());
    }
    // The link: through the desktop here, elsewhere in the help window
    // (help_window_test.cpp).
    if (GuideInHelpWindow()) return;
    QTest::mouseClick(label("Label2"), Qt::LeftButton);
    ASSERT_FALSE(dialogs.shown.empty());
    EXPECT_EQ(dialogs.shown.back().kind, ScriptedDialogs::Kind::Shell);
}

}  // namespace
}  // namespace tovi::test
