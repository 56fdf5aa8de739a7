// Saves the window refuses on POSIX systems: names whose bytes are not
// known, and files that are not regular files.
#include <sys/stat.h>

#include <QDir>
#include <QFile>
#include <QPushButton>

#include "ui/window_fixture.h"

namespace tovi::test {
namespace {

// A name whose bytes are not known is neither opened nor saved under
// another name; a path that is not a file is not replaced.
TEST_F(WindowTest, RefusedSavesKeepTheCaptionAndTheFiles) {
    const QString good = WriteRoster("good.txt", {"A,T,男,0,0,0,0,0,"});
    Load(good);
    const QString pipe = folder.filePath("pipe.txt");
    ASSERT_EQ(::mkfifo(QFile::encodeName(pipe).constData(), 0666), 0);
    const QStringList before = QDir(folder.path()).entryList(QDir::AllEntries | QDir::Hidden);
    const QString undecoded = QFile::decodeName(QFile::encodeName(folder.path()) + "/caf\xE9.txt");
    const struct {
        QString path;
        const char* message;
    } cases[] = {
        {undecoded, "ファイル名に扱えない文字が含まれています"},
        {folder.filePath(QStringLiteral("a")) + QChar(char16_t(0xDC00)) + QStringLiteral(".txt"),
         "ファイル名に扱えない文字が含まれています"},
        {pipe, "ファイルに保存出来ません"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.path.toStdString());
        dialogs.saveAnswers.push_back(c.path);
        Click(Button(8));
        EXPECT_EQ(TakeMessages(), std::vector<QString>{QString::fromUtf8(c.message)});
        EXPECT_EQ(form->windowTitle(), good);
        EXPECT_EQ(QDir(folder.path()).entryList(QDir::AllEntries | QDir::Hidden), before);

        Load(c.path);
        EXPECT_EQ(TakeMessages().size(), 1u);
        EXPECT_EQ(form->windowTitle(), good);
        EXPECT_EQ(Names(), std::vector<std::string>{"A"});
    }
}

}  // namespace
}  // namespace tovi::test
