// The help button asks for "Tovihlp.chm" by its bare name; the desktop's
// openers take only absolute file addresses, so the name must reach them
// resolved against the working folder.
#include <QDesktopServices>
#include <QDir>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTextBrowser>
#include <QUrl>

#include <gtest/gtest.h>

#include "platform/dialogs.h"

namespace tovi {
namespace {

TEST(ShellOpenTest, HandsTheDesktopAnAbsoluteAddress) {
    QTemporaryDir folder;
    ASSERT_TRUE(folder.isValid());
    const QString previous = QDir::currentPath();
    ASSERT_TRUE(QDir::setCurrent(folder.path()));

    // The desktop is stood in for by a signal that takes an address.
    QTextBrowser catcher;
    QSignalSpy opened(&catcher, &QTextBrowser::sourceChanged);
    for (const char* scheme : {"file", "https"})
        QDesktopServices::setUrlHandler(QString::fromLatin1(scheme), &catcher, "sourceChanged");
    QtDialogs dialogs(nullptr);
    dialogs.ShellOpen(QStringLiteral("Tovihlp.chm"));
    dialogs.ShellOpen(QStringLiteral("https://example.org/tovi"));
    for (const char* scheme : {"file", "https"})
        QDesktopServices::unsetUrlHandler(QString::fromLatin1(scheme));
    QDir::setCurrent(previous);

    ASSERT_EQ(opened.size(), 2);
    const auto address = [&](int i) { return opened[i][0].toUrl().toString().toStdString(); };
    // file:///tmp/... on Linux, file:///C:/... on Windows.
    const QString help = QDir(folder.path()).filePath("Tovihlp.chm");
    EXPECT_EQ(address(0), "file://" + QString(help.startsWith('/') ? "" : "/").toStdString() +
                              help.toStdString());
    EXPECT_EQ(address(1), "https://example.org/tovi");
}

}  // namespace
}  // namespace tovi
