// 全組印刷: every group with members on its own page of one print job, each
// page the sheet 印　刷 prints for that group; the refusals; the button in
// every mode; the PDF file names the print dialog offers.
#include <QCheckBox>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QPrinter>
#include <QPrinterInfo>
#include <QProcess>
#include <QPushButton>
#include <QStandardPaths>

#include <cctype>
#include <limits>

#include "ui/window_fixture.h"

namespace tovi::test {
namespace {

class PrintAllTest : public WindowTest {
protected:
    void SetUp() override {
        WindowTest::SetUp();
        LoadMembers({"一郎", "二郎", "三郎", "四郎", "五郎", "花子", "梅子", "桜子"}, "MMMMMFFF");
        // Groups 2 and 4 stay empty.
        S().groupList[1] = {"0", "5"};
        S().groupList[3] = {"1", "2", "6"};
        S().groupList[5] = {"3"};
        S().groupList[6] = {"4", "7"};
        form->SetPrintObserver([this](const RecordedDrawing& page) {
            printed.emplace_back();
            page.ReplayOn(printed.back());
        });
        Click(Button(4));
    }

    // A print answer that sends the job to a PDF file.
    void PrintTo(const QString& pdf) {
        dialogs.printAnswers.push_back([pdf](QPrinter& printer) {
            printer.setOutputFormat(QPrinter::PdfFormat);
            printer.setOutputFileName(pdf);
            return true;
        });
    }
    int PrintDialogsShown() const {
        int count = 0;
        for (const auto& shown : dialogs.shown) count += shown.kind == ScriptedDialogs::Kind::Print;
        return count;
    }
    // The member names a page shows, in the order drawn.
    std::vector<std::string> NamesOn(const RecordingSurface& page) {
        std::vector<std::string> names;
        for (const auto& t : page.texts)
            for (std::size_t r = 0; r < S().rosterList.size(); ++r)
                if (t.text == S().rosterTable[r][0]) names.push_back(Cp932ToUtf8(t.text));
        return names;
    }
    // The texts of the settings boxes, in a fixed order.
    std::vector<QString> Boxes() const {
        std::vector<QString> texts;
        for (const ByteEdit* box : {Edit(7), Edit(8), Edit(9), Edit(10), Edit(11), Edit(12),
                                    Edit(13), Edit(14), Edit(15)})
            texts.push_back(box->text());
        return texts;
    }

    // The start hole a printed page shows before 番ホールスタート, and its
    // first hole number.
    static std::pair<std::string, std::string> StartOn(const RecordingSurface& page) {
        const TextCall* caption = page.FindText("番ホールスタート");
        if (!caption) return {};
        const double scaleX = page.rects.front().right / 1215.0;
        std::string start, first;
        for (const auto& t : page.texts)
            if (t.y == caption->y && t.x < caption->x && t.x > caption->x - 25 * scaleX)
                start = t.text;
        // The hole numbers stand in the heading row, the first in the
        // leftmost hole column.
        const TextCall* holeCaption = page.FindText("ホール番号");
        int leftmost = std::numeric_limits<int>::max();
        for (const auto& t : page.texts)
            if (holeCaption && t.y > holeCaption->y && t.y < holeCaption->y + 20 * scaleX &&
                t.x > holeCaption->x + 80 * scaleX && t.x < leftmost && !t.text.empty() &&
                std::isdigit(static_cast<unsigned char>(t.text[0]))) {
                leftmost = t.x;
                first = t.text;
            }
        return {start, first};
    }
    std::vector<QString> GroupStarts() const {
        std::vector<QString> texts;
        for (int g = 1; g <= MaxGroups; ++g)
            texts.push_back(Find<ByteEdit>(("GroupStartEdit" + std::to_string(g)).c_str())->text());
        return texts;
    }

    std::vector<RecordingSurface> printed;
};

// Runs a poppler tool and returns what it wrote; empty when it failed.
QByteArray Poppler(const QString& tool, const QStringList& arguments) {
    QProcess process;
    process.start(tool, arguments);
    if (!process.waitForFinished(60000) || process.exitCode() != 0) return {};
    return process.readAllStandardOutput();
}

// One page of a PDF file as a small grey picture.
QByteArray PageRaster(const QString& pdf, int page, const QString& scratch) {
    const QString n = QString::number(page);
    Poppler("pdftoppm", {"-r", "30", "-gray", "-singlefile", "-f", n, "-l", n, pdf, scratch});
    QFile file(scratch + ".pgm");
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

TEST_F(PrintAllTest, OnePagePerGroupWithMembersEachTheSheetOfItsOwnPrint) {
    // Settings away from the defaults; the group box names an empty group.
    Edit(15)->setText(QStringLiteral("春の大会"));
    Edit(9)->setText(QStringLiteral("8"));
    Edit(14)->setText(QStringLiteral("3"));
    Edit(13)->setText(QStringLiteral("2"));
    Click(Button(9));
    const std::vector<QString> boxesBefore = Boxes();
    const QImage previewBefore = Image(23)->Image();
    const QRect previewPlace = Image(23)->geometry();
    dialogs.ClearShown();

    const QString all = folder.filePath("all.pdf");
    PrintTo(all);
    Click(Find<QPushButton>("PrintAllButton"));
    EXPECT_EQ(PrintDialogsShown(), 1);
    EXPECT_TRUE(dialogs.Messages().empty());

    // Afterwards every box, the check box and the preview are as they were.
    EXPECT_EQ(Boxes(), boxesBefore);
    EXPECT_FALSE(CheckBox(2)->isChecked());
    EXPECT_EQ(Image(23)->geometry(), previewPlace);
    EXPECT_EQ(Image(23)->Image(), previewBefore);

    const std::vector<RecordingSurface> pages = std::move(printed);
    const int groups[] = {1, 3, 5, 6};
    const std::vector<std::string> names[] = {
        {"一郎", "花子"}, {"二郎", "三郎", "梅子"}, {"四郎"}, {"五郎", "桜子"}};
    ASSERT_EQ(pages.size(), 4u);
    // Every page is drawn at the printer's scale, as 印　刷 draws it: its
    // blank page is wider than the 1215 design units.
    ASSERT_FALSE(pages[0].rects.empty());
    const double scaleX = pages[0].rects.front().right / 1215.0;
    EXPECT_GT(scaleX, 1.0);

    const bool poppler = !QStandardPaths::findExecutable("pdftoppm").isEmpty() &&
                         !QStandardPaths::findExecutable("pdfinfo").isEmpty();
    if (poppler) {
        EXPECT_TRUE(Poppler("pdfinfo", {all}).contains("Pages:           4"));
    }
    QByteArray previousPage;
    for (int i = 0; i < 4; ++i) {
        const int g = groups[i];
        SCOPED_TRACE(g);
        EXPECT_EQ(NamesOn(pages[i]), names[i]);
        // The header shows the page's group number before 組.
        const TextCall* caption = pages[i].FindText("組");
        ASSERT_NE(caption, nullptr);
        const TextCall* number = nullptr;
        for (const auto& t : pages[i].texts)
            if (t.y == caption->y && t.x < caption->x && t.x > caption->x - 25 * scaleX)
                number = &t;
        ASSERT_NE(number, nullptr);
        EXPECT_EQ(number->text, std::to_string(g));

        // The same page as 印　刷 prints with the group's number in the box.
        Edit(13)->setText(QString::number(g));
        const QString single = folder.filePath(QStringLiteral("group%1.pdf").arg(g));
        PrintTo(single);
        Click(Button(7));
        ASSERT_EQ(printed.size(), 1u);
        EXPECT_EQ(pages[i].CallLog(), printed.front().CallLog());
        printed.clear();

        if (poppler) {
            // Read back: the page in the one file looks as the single print.
            const QString scratch = folder.filePath("page");
            const QByteArray fromAll = PageRaster(all, i + 1, scratch);
            const QByteArray fromSingle = PageRaster(single, 1, scratch);
            ASSERT_FALSE(fromAll.isEmpty());
            EXPECT_TRUE(fromAll == fromSingle) << "page " << i + 1;
            // Pictures this small still tell the groups apart.
            EXPECT_FALSE(fromAll == previousPage);
            previousPage = fromAll;
            const QString text =
                QString::fromUtf8(Poppler("pdftotext", {"-f", QString::number(i + 1), "-l",
                                                        QString::number(i + 1), all, "-"}));
            for (const auto& name : names[i])
                EXPECT_TRUE(text.contains(QString::fromStdString(name)));
            EXPECT_TRUE(text.contains(QStringLiteral("春の大会")));
        }
    }
    EXPECT_TRUE(dialogs.Messages().empty());
}

TEST_F(PrintAllTest, RefusalsPrintNothing) {
    const struct {
        const char* name;
        bool allButton;  // 全組印刷, else 印　刷
        const char* holes;
        const char* start;
        bool hide;
        bool groups;
        const char* message;  // empty: the pages are printed
    } cases[] = {
        {"bad hole count", true, "x", "1", false, true, "'x' は整数ではありません."},
        {"emptied hole count", true, "", "1", false, true, "'' は整数ではありません."},
        {"bad start hole", true, "10", "y", false, true, "'y' は整数ではありません."},
        {"start hole not read", true, "10", "y", true, true, ""},
        {"no group has members", true, "10", "1", false, false, "印刷する組がありません"},
        {"single print, bad hole count", false, "x", "1", false, true, "'x' は整数ではありません."},
        {"single print, bad start hole", false, "10", "y", false, true,
         "'y' は整数ではありません."},
    };
    const auto groups = S().groupList;
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        Edit(9)->setText(QString::fromUtf8(c.holes));
        Edit(14)->setText(QString::fromUtf8(c.start));
        CheckBox(2)->setChecked(c.hide);
        for (int g = 1; g <= MaxGroups; ++g)
            if (!c.groups) S().groupList[g].clear();
        dialogs.ClearShown();
        printed.clear();
        const QString pdf = folder.filePath(QStringLiteral("%1.pdf").arg(c.name));
        PrintTo(pdf);
        Click(c.allButton ? Find<QPushButton>("PrintAllButton") : Button(7));

        const bool refused = *c.message != '\0';
        EXPECT_EQ(dialogs.Messages(), refused ? std::vector<QString>{QString::fromUtf8(c.message)}
                                              : std::vector<QString>{});
        EXPECT_EQ(QFile::exists(pdf), !refused) << "no partial document";
        EXPECT_EQ(printed.empty(), refused);
        // Only the missing groups refuse before the dialog.
        EXPECT_EQ(PrintDialogsShown(), c.groups ? 1 : 0);
        dialogs.printAnswers.clear();
        S().groupList = groups;
    }
}

// Windows' print dialog does not open on a PC without a printer: both
// buttons say so instead of doing nothing, and print once one is installed.
TEST_F(PrintAllTest, WithoutAPrinterBothPrintsSaySoAndPrintNothing) {
    const QString noPrinter = QStringLiteral(
        "プリンターがインストールされていないため印刷できません。\n"
        "Windows の「設定」の「プリンターとスキャナー」でプリンターを追加してから、"
        "もう一度印刷して下さい。");
    const struct {
        const char* name;
        QPushButton* button;
        std::size_t pages;
    } cases[] = {{"印刷", Button(7), 1u}, {"全組印刷", Find<QPushButton>("PrintAllButton"), 4u}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        dialogs.ClearShown();
        printed.clear();
        dialogs.printerInstalled = false;
        PrintTo(folder.filePath("never.pdf"));
        Click(c.button);
        EXPECT_EQ(dialogs.Messages(), std::vector<QString>{noPrinter});
        EXPECT_TRUE(printed.empty());
        EXPECT_FALSE(QFile::exists(folder.filePath("never.pdf")));

        dialogs.printerInstalled = true;
        dialogs.ClearShown();
        Click(c.button);  // the answer queued above, not taken without a printer
        EXPECT_TRUE(dialogs.Messages().empty());
        EXPECT_EQ(printed.size(), c.pages);
        EXPECT_TRUE(QFile::remove(folder.filePath("never.pdf")));
    }
}

// Choosing another printer in Windows' print dialog brings that printer's
// own orientation; the sheets stay landscape.
TEST_F(PrintAllTest, TheSheetsStayLandscapeWhateverThePrinterChosenSays) {
    for (QPushButton* button : {Button(7), Find<QPushButton>("PrintAllButton")}) {
        const QString pdf = folder.filePath(button->objectName() + ".pdf");
        dialogs.printAnswers.push_back([pdf](QPrinter& printer) {
            printer.setPageOrientation(QPageLayout::Portrait);
            printer.setOutputFormat(QPrinter::PdfFormat);
            printer.setOutputFileName(pdf);
            return true;
        });
        Click(button);
        QFile file(pdf);
        ASSERT_TRUE(file.open(QIODevice::ReadOnly)) << pdf.toStdString();
        const QByteArray bytes = file.readAll();
        EXPECT_TRUE(bytes.contains("/MediaBox [0 0 842.000000 595.000000]")) << pdf.toStdString();
        EXPECT_FALSE(bytes.contains("/MediaBox [0 0 595")) << pdf.toStdString();
    }
}

TEST_F(PrintAllTest, ACancelledDialogPrintsNothingAndAGroupBoxThatIsNoNumberDoesNotMatter) {
    dialogs.printAnswers.push_back(nullptr);
    Click(Find<QPushButton>("PrintAllButton"));
    EXPECT_EQ(PrintDialogsShown(), 1);
    EXPECT_TRUE(printed.empty());
    EXPECT_TRUE(dialogs.Messages().empty());

    // The group box is not read: every page carries its own group's number.
    Click(Edit(13));
    const QString pdf = folder.filePath("all.pdf");
    PrintTo(pdf);
    Click(Find<QPushButton>("PrintAllButton"));
    EXPECT_TRUE(dialogs.Messages().empty());
    EXPECT_EQ(printed.size(), 4u);
    EXPECT_TRUE(QFile::exists(pdf));
    EXPECT_TRUE(Edit(13)->text().isEmpty());
}

TEST_F(WindowTest, PrintAllButtonGoesWithThePrintButtonThroughEveryModeSequence) {
    form->show();
    QPushButton* button = Find<QPushButton>("PrintAllButton");
    EXPECT_EQ(button->text(), QStringLiteral("全組印刷"));
    EXPECT_EQ(button->geometry(), QRect(770, 62, 100, 28));
    EXPECT_EQ(button->font(), Button(7)->font());

    // From start-up (registration) through every one of the nine switches.
    void (MainWindow::*const enter[])() = {nullptr, &MainWindow::EnterRegistrationMode,
                                           &MainWindow::EnterGroupingMode,
                                           &MainWindow::EnterScoreSheetMode};
    const int modes[] = {2, 2, 3, 3, 1, 3, 2, 1, 1};
    EXPECT_FALSE(button->isVisible());
    for (int mode : modes) {
        (form.get()->*enter[mode])();
        SCOPED_TRACE(mode);
        EXPECT_EQ(button->isVisible(), mode == 3);
        EXPECT_EQ(button->isVisible(), Button(7)->isVisible());
        if (mode == 3) {
            // Above the preview, where a click reaches it.
            EXPECT_EQ(form->childAt(820, 76), button);
            EXPECT_EQ(form->childAt(80, 107), Button(7));
        }
    }
}

TEST_F(PrintAllTest, ThePrintJobIsNamedAfterTheSheet) {
    for (const auto& [group, name] :
         {std::pair{"2", "スコア表_2組"}, std::pair{"", "スコア表_全組"}}) {
        QString job;
        dialogs.printAnswers.push_back([&job](QPrinter& printer) {
            job = printer.docName();
            return false;
        });
        if (*group) Edit(13)->setText(QString::fromUtf8(group));
        Click(*group ? Button(7) : Find<QPushButton>("PrintAllButton"));
        EXPECT_EQ(job, QString::fromUtf8(name));
    }
}

// The documents folder is found from HOME; each case runs in a home of its own.
class OfferedFileTest : public PrintAllTest {
protected:
    void SetUp() override {
        for (const char* name : {"HOME", "XDG_CONFIG_HOME"})
            saved.emplace_back(name, qgetenv(name));
        ASSERT_TRUE(home.isValid());
        qputenv("HOME", home.path().toLocal8Bit());
        qputenv("XDG_CONFIG_HOME", home.filePath(".config").toLocal8Bit());
        PrintAllTest::SetUp();
    }
    void TearDown() override {
        for (const auto& [name, value] : saved) {
            if (value.isNull())
                qunsetenv(name);
            else
                qputenv(name, value);
        }
        PrintAllTest::TearDown();
    }
    // What the print dialog offers when the given button is clicked; the dialog is cancelled.
    QString Offered(QPushButton* button) {
        QString offered;
        dialogs.printAnswers.push_back([&offered](QPrinter& printer) {
            offered = printer.outputFileName();
            // The job has the file's name, which Windows' PDF printer proposes.
            EXPECT_EQ(printer.docName(), QFileInfo(offered).completeBaseName());
            // The file is only offered: a printer there is stays the default.
            if (!QPrinterInfo::availablePrinters().isEmpty()) {
                EXPECT_EQ(printer.outputFormat(), QPrinter::NativeFormat);
            }
            return false;
        });
        Click(button);
        return offered;
    }

    QTemporaryDir home;
    std::vector<std::pair<const char*, QByteArray>> saved;
};

TEST_F(PrintAllTest, WithAStartHoleForEachGroupEverySheetStartsAtItsOwn) {
    using Texts = std::vector<QString>;
    Edit(9)->setText(QStringLiteral("8"));
    auto* perGroup = Find<QCheckBox>("PerGroupStartBox");
    Click(perGroup);
    ASSERT_TRUE(perGroup->isChecked());
    // Groups 1, 3, 5 and 6 have members: 1 + floor((g - 1) x 8 / 4).
    EXPECT_EQ(GroupStarts(), (Texts{"1", "1", "3", "1", "5", "7"}));
    EXPECT_EQ(Edit(14)->text(), QStringLiteral("1"));

    // A start hole typed into the start-hole box goes to the group in the
    // group box; drawing another group shows that group's.
    Edit(13)->setText(QStringLiteral("3"));
    Retype(Edit(14), QStringLiteral("8"));
    Click(Button(9));
    EXPECT_EQ(GroupStarts(), (Texts{"1", "1", "8", "1", "5", "7"}));
    Edit(13)->setText(QStringLiteral("5"));
    Click(Button(9));
    EXPECT_EQ(Edit(14)->text(), QStringLiteral("5"));
    // And one typed into a group's own box.
    Retype(Find<ByteEdit>("GroupStartEdit6"), QStringLiteral("2"));
    EXPECT_TRUE(dialogs.Messages().empty());

    PrintTo(folder.filePath("all.pdf"));
    Click(Find<QPushButton>("PrintAllButton"));
    ASSERT_EQ(printed.size(), 4u);
    const std::pair<std::string, std::string> expected[] = {
        {"1", "1"}, {"8", "8"}, {"5", "5"}, {"2", "2"}};
    for (std::size_t i = 0; i < 4; ++i) EXPECT_EQ(StartOn(printed[i]), expected[i]) << i;
    // 印　刷 of one group prints what 全組印刷 printed for it.
    const RecordingSurface sixth = printed[3];
    printed.clear();
    Edit(13)->setText(QStringLiteral("6"));
    PrintTo(folder.filePath("six.pdf"));
    Click(Button(7));
    ASSERT_EQ(printed.size(), 1u);
    EXPECT_EQ(printed[0].TextLog(), sixth.TextLog());
    EXPECT_EQ(Edit(14)->text(), QStringLiteral("2"));

    // Off the course, or no number: refused, nothing taken, nothing drawn.
    dialogs.ClearShown();
    Retype(Edit(14), QStringLiteral("9"));
    Click(Button(9));
    EXPECT_EQ(dialogs.Messages(), (std::vector<QString>{QStringLiteral(
                                      "6組のスタートホールは1から8までの番号にして下さい")}));
    Retype(Find<ByteEdit>("GroupStartEdit1"), QStringLiteral("0"));
    Retype(Edit(14), QStringLiteral("2"));
    Click(Button(9));
    Retype(Find<ByteEdit>("GroupStartEdit1"), QStringLiteral("x"));
    Click(Button(9));
    EXPECT_EQ(dialogs.Messages().size(), 3u);
    EXPECT_EQ(dialogs.Messages().back(), QStringLiteral("'x' は整数ではありません."));
    EXPECT_EQ(form->ScoreSheet().Settings().groupStartHoles,
              (std::array<int, 6>{1, 1, 8, 1, 5, 2}));

    // A new hole count spreads them anew; clearing 組ごと goes back to the
    // one start hole, whatever it holds.
    Edit(9)->setText(QStringLiteral("6"));
    Click(Button(9));
    EXPECT_EQ(GroupStarts(), (Texts{"1", "1", "2", "1", "4", "5"}));
    Click(perGroup);
    Edit(14)->setText(QStringLiteral("0"));
    printed.clear();
    PrintTo(folder.filePath("same.pdf"));
    Click(Find<QPushButton>("PrintAllButton"));
    ASSERT_EQ(printed.size(), 4u);
    for (const RecordingSurface& page : printed)
        EXPECT_EQ(StartOn(page), (std::pair<std::string, std::string>{"0", "0"}));
}

TEST_F(OfferedFileTest, PrintToFileOffersTheSheetsNameInTheDocumentsFolder) {
#ifdef _WIN32
    GTEST_SKIP() << "Windows' print dialog has no file to offer: its PDF printer asks for the "
                    "file and proposes the job's name";
#endif
    ASSERT_TRUE(QDir(home.path()).mkdir("Documents"));
    const QString documents = home.filePath("Documents");
    const struct {
        const char* group;  // in the group box; empty for 全組印刷
        const char* file;
    } cases[] = {
        {"2", "スコア表_2組.pdf"},
        {"01", "スコア表_01組.pdf"},
        {"/", "スコア表__組.pdf"},
        {nullptr, "スコア表_全組.pdf"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.file);
        if (c.group) Edit(13)->setText(QString::fromUtf8(c.group));
        EXPECT_EQ(Offered(c.group ? Button(7) : Find<QPushButton>("PrintAllButton")),
                  documents + "/" + QString::fromUtf8(c.file));
    }
    EXPECT_TRUE(QDir(documents).isEmpty()) << "a cancelled dialog writes nothing";

    // Without a documents folder the file is offered in the home folder.
    ASSERT_TRUE(QDir(documents).removeRecursively());
    Edit(13)->setText(QStringLiteral("2"));
    EXPECT_EQ(Offered(Button(7)), home.filePath(QStringLiteral("スコア表_2組.pdf")));
    EXPECT_EQ(Offered(Find<QPushButton>("PrintAllButton")),
              home.filePath(QStringLiteral("スコア表_全組.pdf")));
    EXPECT_TRUE(dialogs.Messages().empty());
}

}  // namespace
}  // namespace tovi::test
