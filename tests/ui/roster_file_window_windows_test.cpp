// Saves on Windows through the window: a read-only roster is refused with
// its message, and names Windows allows are saved and shown as they are.
#include <windows.h>

#include <QDir>
#include <QFile>
#include <QPushButton>

#include "ui/window_fixture.h"

namespace tovi::test {
namespace {

TEST_F(WindowTest, ARefusedSaveKeepsTheCaptionAndTheFile) {
    const QString good = WriteRoster("good.txt", {"A,T,男,0,0,0,0,0,"});
    Load(good);
    const QString readOnly = WriteRoster("read-only.txt", {"B,T,女,0,0,0,0,0,"});
    QFile file(readOnly);
    const QByteArray before = file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    file.close();
    ASSERT_TRUE(SetFileAttributesW(reinterpret_cast<const wchar_t*>(readOnly.utf16()),
                                   FILE_ATTRIBUTE_READONLY));
    dialogs.saveAnswers.push_back(readOnly);
    Click(Button(8));
    EXPECT_EQ(TakeMessages(), std::vector<QString>{QStringLiteral("ファイルに保存出来ません")});
    EXPECT_EQ(form->windowTitle(), QDir::toNativeSeparators(good));
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    EXPECT_EQ(file.readAll(), before);
    file.close();
    SetFileAttributesW(reinterpret_cast<const wchar_t*>(readOnly.utf16()), FILE_ATTRIBUTE_NORMAL);
}

TEST_F(WindowTest, NamesWindowsAllowsAreSavedAndShownAsTheyAre) {
    const QString good = WriteRoster("good.txt", {"A,T,男,0,0,0,0,0,"});
    Load(good);
    for (const QString& name : {QStringLiteral("名簿　秋.txt"), QStringLiteral("Łódź ☃.txt"),
                                QStringLiteral("名簿\U0001F600.txt")}) {
        SCOPED_TRACE(name.toStdString());
        const QString path = folder.filePath(name);
        dialogs.saveAnswers.push_back(path);
        Click(Button(8));
        EXPECT_TRUE(TakeMessages().empty());
        EXPECT_EQ(form->windowTitle(), QDir::toNativeSeparators(path));
        EXPECT_TRUE(QFile::exists(path));
        Load(path);
        EXPECT_TRUE(TakeMessages().empty());
        EXPECT_EQ(Names(), std::vector<std::string>{"A"});
    }
}

}  // namespace
}  // namespace tovi::test
