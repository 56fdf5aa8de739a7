// The version dialog's link opens the guide's page about the program, a file
// installed with it, wherever the program was installed or built: on
// Windows in the browser (elsewhere in the help window, help_window_test).
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QPushButton>
#include <QTemporaryDir>
#include <QUrl>

#include "platform/help.h"
#include "ui/main/about_box.h"
#include "ui/window_fixture.h"

namespace tovi::test {
namespace {

TEST(AboutPageAddress, FindsThePageOfAnInstalledOrABuiltProgram) {
    struct Case {
        const char* name;
        std::vector<QString> pages;  // files laid out under the folder
        QString expected;            // where the link leads, under the folder
    };
    const Case cases[] = {
        {"installed", {"usr/share/tovi/help/about.html"}, "usr/share/tovi/help/about.html"},
        {"built", {"usr/bin/help/about.html"}, "usr/bin/help/about.html"},
        {"both: the installed one",
         {"usr/share/tovi/help/about.html", "usr/bin/help/about.html"},
         "usr/share/tovi/help/about.html"},
        {"neither: the installed place", {}, "usr/share/tovi/help/about.html"},
    };
    for (const Case& c : cases) {
        QTemporaryDir root;
        ASSERT_TRUE(root.isValid());
        const QDir dir(root.path());
        ASSERT_TRUE(dir.mkpath("usr/bin"));
        for (const QString& page : c.pages) {
            ASSERT_TRUE(dir.mkpath(QFileInfo(page).path()));
            QFile file(dir.filePath(page));
            ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        }
        const QUrl address(AboutPageAddress(dir.filePath("usr/bin")));
        EXPECT_TRUE(address.isLocalFile()) << c.name;
        EXPECT_EQ(address.toLocalFile(), QDir::cleanPath(dir.filePath(c.expected))) << c.name;
    }
}

TEST_F(WindowTest, TheVersionDialogsLinkOpensTheInstalledPage) {
    if (GuideInHelpWindow()) GTEST_SKIP() << "the help window shows the page (help_window_test)";
    QTest::mouseClick(ControlsOf(form->About()).Label(2), Qt::LeftButton);
    ASSERT_FALSE(dialogs.shown.empty());
    EXPECT_EQ(dialogs.shown.back().kind, ScriptedDialogs::Kind::Shell);
    const QUrl address(dialogs.shown.back().text);
    EXPECT_TRUE(address.isLocalFile());
    EXPECT_TRUE(address.toLocalFile().endsWith(QStringLiteral("/help/about.html")));
}

}  // namespace
}  // namespace tovi::test
