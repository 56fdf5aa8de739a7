// The help window as the organiser uses it: ヘルプ opens it (raised when it is
// open already), the version dialog's link opens the page about the program
// in it, links lead from page to page and 戻る/進む back again, 検索 finds a
// word and marks it, 印刷 prints the page shown; and every page shows its
// text as written (no space between two Japanese characters that the page's
// source does not have), its pictures and links that lead somewhere.
#include <QAbstractTextDocumentLayout>
#include <QDir>
#include <QFile>
#include <QImage>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPrinter>
#include <QPushButton>
#include <QRegularExpression>
#include <QScrollBar>
#include <QTextBlock>
#include <QTextBrowser>
#include <QTreeWidget>

#include "platform/fonts.h"
#include "platform/help.h"
#include "ui/common/messages.h"
#include "ui/help/help_window.h"
#include "ui/main/about_box.h"
#include "ui/window_fixture.h"

namespace tovi::test {
namespace {

TEST(GuideContents, AreReadInTheirOrderWithTheirNesting) {
    const QString toc = QStringLiteral(
        "<OBJECT type=\"text/site properties\"><param name=\"Window Styles\" "
        "value=\"0x800025\"></OBJECT>\n<UL>\n"
        "<LI><OBJECT type=\"text/sitemap\"><param name=\"Name\" value=\"はじめに\">"
        "<param name=\"Local\" value=\"index.html\"></OBJECT>\n<UL>\n"
        "<LI><object type=\"text/sitemap\"><param name=\"Name\" value=\"A &amp; B\">"
        "<param name=\"Local\" value=\"ab.html#top\"></object>\n</UL>\n"
        "<LI><object type=\"text/sitemap\"><param name=\"Name\" value=\"名簿\">"
        "<param name=\"Local\" value=\"roster.html\"></object>\n</UL>\n");
    const std::vector<GuideEntry> expected = {
        {QStringLiteral("はじめに"), QStringLiteral("index.html"), 0},
        {QStringLiteral("A & B"), QStringLiteral("ab.html#top"), 1},
        {QStringLiteral("名簿"), QStringLiteral("roster.html"), 0},
    };
    EXPECT_EQ(ReadGuideContents(toc), expected);
}

// The guide's pages as the build prepared them, and their sources.
QString BuiltGuide() { return QStringLiteral(TOVI_TEST_GUIDE_DIR); }
QString SourceGuide() {
    return QDir(QString::fromLocal8Bit(qgetenv("TOVI_TEST_DATA"))).filePath("../docs/help");
}

class HelpWindowTest : public WindowTest {
protected:
    void SetUp() override {
        if (!GuideInHelpWindow()) GTEST_SKIP() << "HTML Help shows the guide on this system";
        if (!QFileInfo::exists(QDir(BuiltGuide()).filePath(kGuideStartPage)))
            GTEST_SKIP() << "the guide's pages are not built (TOVI_BUILD_HELP)";
        WindowTest::SetUp();
        form->SetGuideFolder(BuiltGuide());
    }

    HelpWindow& Open() {
        Click(Button(5));
        EXPECT_NE(form->Help(), nullptr);
        return *form->Help();
    }
    template <typename T>
    T* Child(const char* name) {
        return ControlsOf(*form->Help()).Find<T>(QString::fromLatin1(name));
    }
    QTextBrowser* Page() { return Child<QTextBrowser>("Page"); }

    // Clicks the link whose text is text on the page shown.
    void ClickLink(const QString& text) {
        QTextBrowser* page = Page();
        const QTextCursor found = page->document()->find(text);
        ASSERT_FALSE(found.isNull()) << text.toStdString();
        QTextCursor inside(page->document());
        inside.setPosition(found.selectionStart() + 1);
        page->setTextCursor(inside);
        page->ensureCursorVisible();
        const QPoint at = page->cursorRect(inside).center();
        ASSERT_FALSE(page->anchorAt(at).isEmpty()) << text.toStdString() << " is no link";
        QTest::mouseClick(page->viewport(), Qt::LeftButton, {}, at);
    }
    // Opens the page of a contents entry as a click on it does.
    void OpenEntry(QTreeWidgetItem* item) {
        QTreeWidget* tree = Child<QTreeWidget>("Contents");
        tree->scrollToItem(item);
        QTest::mouseClick(tree->viewport(), Qt::LeftButton, {},
                          tree->visualItemRect(item).center());
    }
};

TEST_F(HelpWindowTest, HelpOpensOnTheFirstPageInTheProgramsFontAndIsRaisedWhenOpen) {
    HelpWindow& help = Open();
    EXPECT_TRUE(help.isVisible());
    EXPECT_TRUE(dialogs.shown.empty());
    EXPECT_EQ(help.windowTitle(), QStringLiteral("トヴィ ヘルプ"));
    EXPECT_EQ(help.CurrentPage(), kGuideStartPage);
    EXPECT_EQ(Page()->font(), FontForPixels(kPGothicFace, 15));
    EXPECT_FALSE(Child<QPushButton>("BackButton")->isEnabled());

    help.ShowPage(QStringLiteral("print.html"));
    help.hide();
    EXPECT_EQ(&Open(), &help);  // the same window, where it was
    EXPECT_TRUE(help.isVisible());
    EXPECT_EQ(help.CurrentPage(), QStringLiteral("print.html"));
    Click(Child<QPushButton>("CloseButton"));
    EXPECT_FALSE(help.isVisible());
}

TEST_F(HelpWindowTest, LinksLeadFromPageToPageAndBackAndForward) {
    HelpWindow& help = Open();
    QPushButton* back = Child<QPushButton>("BackButton");
    QPushButton* forward = Child<QPushButton>("ForwardButton");
    ClickLink(QStringLiteral("大会の日の流れ"));
    EXPECT_EQ(help.CurrentPage(), QStringLiteral("day.html"));
    EXPECT_EQ(Child<QTreeWidget>("Contents")->currentItem()->data(0, Qt::UserRole).toString(),
              QStringLiteral("day.html"));
    ASSERT_TRUE(back->isEnabled());
    EXPECT_FALSE(forward->isEnabled());
    Click(back);
    EXPECT_EQ(help.CurrentPage(), kGuideStartPage);
    ASSERT_TRUE(forward->isEnabled());
    Click(forward);
    EXPECT_EQ(help.CurrentPage(), QStringLiteral("day.html"));
    EXPECT_TRUE(dialogs.shown.empty());
}

TEST_F(HelpWindowTest, SearchListsThePagesWithTheWordAndMarksItThere) {
    HelpWindow& help = Open();
    auto* results = Child<QListWidget>("SearchResults");
    const struct {
        const char* word;
        const char* among;  // a page found, by its title; null for none
    } cases[] = {{"組み合わせ", "組み合わせ（まかせて／自分で）"},
                 {"印刷", "スコア表の印刷"},
                 {"pdf", "スコア表の印刷"},
                 {"ぴよぴよ", nullptr}};
    for (const auto& c : cases) {
        const QString word = QString::fromUtf8(c.word);
        Child<QLineEdit>("SearchEdit")->setText(word);
        Click(Child<QPushButton>("SearchButton"));
        SCOPED_TRACE(c.word);
        const bool found = c.among != nullptr;
        EXPECT_EQ(results->count() > 0, found);
        EXPECT_EQ(found,
                  !results->findItems(QString::fromUtf8(found ? c.among : "-"), Qt::MatchExactly)
                       .isEmpty());
        EXPECT_EQ(Child<QLabel>("SearchStatus")->text().contains(QStringLiteral("見つかりません")),
                  !found);
        for (int row = 0; row < results->count(); ++row) {
            QListWidgetItem* item = results->item(row);
            QTest::mouseClick(results->viewport(), Qt::LeftButton, {},
                              results->visualItemRect(item).center());
            const QList<QTextEdit::ExtraSelection> marks = Page()->extraSelections();
            ASSERT_FALSE(marks.isEmpty()) << help.CurrentPage().toStdString();
            for (const QTextEdit::ExtraSelection& mark : marks)
                EXPECT_EQ(mark.cursor.selectedText().toLower(), word.toLower());
        }
    }
    // The marks go with the next page.
    help.ShowPage(QStringLiteral("about.html"));
    EXPECT_TRUE(Page()->extraSelections().isEmpty());
}

// Every page of the contents: its text as the source writes it, its pictures
// loaded and its links leading to a page of the guide.
TEST_F(HelpWindowTest, EveryPageShowsItsTextAsWrittenWithPicturesAndLinksThatLead) {
    HelpWindow& help = Open();
    QTreeWidget* tree = Child<QTreeWidget>("Contents");
    QTreeWidgetItemIterator it(tree);
    int pages = 0;
    static const QRegularExpression tag(QStringLiteral("<[^>]*>"));
    const auto japanese = [](QChar c) { return c.unicode() > 0x7F && !c.isSpace(); };
    for (; *it; ++it) {
        OpenEntry(*it);
        const QString name = help.CurrentPage();
        ASSERT_EQ(name, (*it)->data(0, Qt::UserRole).toString());
        ++pages;
        QFile source(QDir(SourceGuide()).filePath(name));
        ASSERT_TRUE(source.open(QIODevice::ReadOnly)) << name.toStdString();
        // HTML shows a run of spaces as one.
        static const QRegularExpression spaces(QStringLiteral("[ \\t]+"));
        const QString written =
            QString::fromUtf8(source.readAll()).remove(tag).replace(spaces, QStringLiteral(" "));
        const QString shown = Page()->toPlainText();
        for (qsizetype i = 1; i + 1 < shown.size(); ++i) {
            if (shown[i] != QLatin1Char(' ') && shown[i] != QChar(0xA0)) continue;
            if (!japanese(shown[i - 1]) || !japanese(shown[i + 1])) continue;
            const QString around = QString(shown[i - 1]) + QLatin1Char(' ') + shown[i + 1];
            EXPECT_TRUE(written.contains(around))
                << name.toStdString() << ": 「" << shown.mid(i - 8, 17).toStdString() << "」";
        }
        for (QTextBlock block = Page()->document()->begin(); block.isValid();
             block = block.next()) {
            for (auto f = block.begin(); !f.atEnd(); ++f) {
                const QTextCharFormat format = f.fragment().charFormat();
                if (format.isImageFormat()) {
                    const QString picture = format.toImageFormat().name();
                    EXPECT_FALSE(Page()
                                     ->document()
                                     ->resource(QTextDocument::ImageResource, QUrl(picture))
                                     .value<QImage>()
                                     .isNull())
                        << name.toStdString() << ": " << picture.toStdString();
                }
                if (!format.isAnchor() || format.anchorHref().isEmpty()) continue;
                const QUrl target = Page()->source().resolved(QUrl(format.anchorHref()));
                if (target.isLocalFile()) {
                    EXPECT_TRUE(QFileInfo::exists(target.toLocalFile()))
                        << name.toStdString() << " links to " << format.anchorHref().toStdString();
                }
            }
        }
    }
    // Every page of the guide is in the contents.
    EXPECT_EQ(pages, QDir(BuiltGuide()).entryList({QStringLiteral("*.html")}).size());
}

TEST_F(HelpWindowTest, PicturesWiderThanThePageShrinkToItWithNoGapUnderThem) {
    // A guide of one page with a picture wider than any page.
    QImage wide(3000, 1500, QImage::Format_RGB32);
    wide.fill(Qt::green);
    ASSERT_TRUE(wide.save(folder.filePath("wide.png")));
    QFile page(folder.filePath("index.html"));
    ASSERT_TRUE(page.open(QIODevice::WriteOnly));
    page.write(
        "<html><head><link rel=\"stylesheet\" type=\"text/css\" href=\"s.css\"></head>"
        "<body><p>絵</p><p><img src=\"wide.png\"></p><p>後</p></body></html>");
    page.close();
    QFile sheet(folder.filePath("s.css"));  // the page's margins as the guide's
    ASSERT_TRUE(sheet.open(QIODevice::WriteOnly));
    sheet.write("body { margin: 1em 1.5em; line-height: 1.6; }");
    sheet.close();
    form->SetGuideFolder(folder.path());
    HelpWindow& help = Open();
    for (const int width : {900, 600}) {
        help.resize(width, 500);
        QApplication::processEvents();
        const QTextCursor at = Page()->document()->find(QString(QChar::ObjectReplacementCharacter));
        ASSERT_FALSE(at.isNull());
        const QTextImageFormat format = at.charFormat().toImageFormat();
        EXPECT_GT(format.width(), 0);
        EXPECT_LE(format.width(), Page()->viewport()->width()) << width;
        EXPECT_EQ(Page()->horizontalScrollBar()->maximum(), 0) << width;
        EXPECT_DOUBLE_EQ(format.height() / format.width(), 0.5);
        // Under the picture the text's line spacing, not a share of its height.
        const QAbstractTextDocumentLayout* layout = Page()->document()->documentLayout();
        const QRectF picture = layout->blockBoundingRect(at.block());
        const QRectF next = layout->blockBoundingRect(at.block().next());
        EXPECT_LT(next.top() - picture.bottom(), 3 * Page()->fontMetrics().height()) << width;
    }
}

TEST_F(HelpWindowTest, PrintPrintsThePageShownOrNothingWhenCancelled) {
    HelpWindow& help = Open();
    help.ShowPage(QStringLiteral("print.html"));
    Click(Child<QPushButton>("PrintButton"));  // cancelled
    ASSERT_EQ(dialogs.shown.size(), 1u);
    EXPECT_EQ(dialogs.shown[0].kind, ScriptedDialogs::Kind::Print);

    const QString pdf = folder.filePath("page.pdf");
    QString offered;
    dialogs.printAnswers.push_back([&](QPrinter& printer) {
        offered = QFileInfo(printer.outputFileName()).fileName();
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setOutputFileName(pdf);
        return true;
    });
    Click(Child<QPushButton>("PrintButton"));
    EXPECT_EQ(offered, QStringLiteral("ヘルプ_スコア表の印刷.pdf"));
    EXPECT_TRUE(dialogs.Messages().empty());
    QFile file(pdf);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    const QByteArray bytes = file.readAll();
    EXPECT_TRUE(bytes.startsWith("%PDF"));
    EXPECT_TRUE(QString::fromLatin1(bytes).contains(  // A4 portrait
        QRegularExpression(QStringLiteral("/MediaBox \\[0 0 595[.0]* 842[.0]*\\]"))));
}

TEST_F(HelpWindowTest, TheVersionDialogsLinkOpensTheAboutPageInTheHelpWindow) {
    QTest::mouseClick(ControlsOf(form->About()).Label(2), Qt::LeftButton);
    ASSERT_NE(form->Help(), nullptr);
    EXPECT_TRUE(form->Help()->isVisible());
    EXPECT_EQ(form->Help()->CurrentPage(), QStringLiteral("about.html"));
    EXPECT_TRUE(dialogs.shown.empty());
}

TEST_F(HelpWindowTest, HelpWithoutTheGuidesPagesSaysWhereTheyWereLookedFor) {
    form->SetGuideFolder(folder.path());
    Click(Button(5));
    EXPECT_EQ(form->Help(), nullptr);
    ASSERT_EQ(dialogs.Messages().size(), 1u);
    EXPECT_EQ(dialogs.Messages()[0], NoticeText(Notice::GuideMissing) + QLatin1Char('\n') +
                                         QDir::toNativeSeparators(folder.path()));
}

}  // namespace
}  // namespace tovi::test
