// 組み合わせ表 and 組み合わせCSV of the grouping mode: the groups as they
// stand on one printed page, and without groups a message and no dialog.
#include <QPrinter>
#include <QPushButton>

#include "ui/window_fixture.h"

namespace tovi::test {
namespace {

TEST_F(WindowTest, PairingListPrintsTheGroupsOnOnePageOrSaysThereAreNone) {
    LoadMembers({"一郎", "二郎", "三郎", "四郎", "花子"}, "MMMMF");
    Click(Button(3));
    S().groupList[1] = {"0", "4"};
    S().groupList[3] = {"1", "2", "3"};
    S().leaderFlag[2] = 1;
    Edit(7)->setText(QStringLiteral("春の大会"));
    std::vector<RecordingSurface> printed;
    form->SetPrintObserver([&](const RecordedDrawing& page) {
        printed.emplace_back();
        page.ReplayOn(printed.back());
    });
    auto* print = Find<QPushButton>("PairingPrintButton");
    auto* csv = Find<QPushButton>("PairingCsvButton");

    dialogs.printAnswers.push_back([this](QPrinter& printer) {
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setOutputFileName(folder.filePath(QStringLiteral("pairing.pdf")));
        return true;
    });
    Click(print);
    EXPECT_TRUE(dialogs.Messages().empty());
    ASSERT_EQ(printed.size(), 1u);
    std::vector<std::string> names;
    for (const auto& t : printed[0].texts)
        if (const std::string text = Cp932ToUtf8(t.text); text.ends_with("郎") || text == "花子")
            names.push_back(text);
    EXPECT_EQ(names, (std::vector<std::string>{"一郎", "花子", "二郎", "三郎", "四郎"}));
    EXPECT_NE(printed[0].FindText("春の大会"), nullptr);
    ASSERT_NE(printed[0].FindText("リーダ"), nullptr);

    for (int g = 1; g <= MaxGroups; ++g) S().groupList[g].clear();
    for (QPushButton* button : {print, csv}) {
        dialogs.ClearShown();
        dialogs.printAnswers.push_back([](QPrinter&) { return true; });
        dialogs.csvSaveAnswers.push_back(folder.filePath(QStringLiteral("none.csv")));
        Click(button);
        EXPECT_EQ(dialogs.Messages(),
                  std::vector<QString>{QStringLiteral("印刷する組がありません")});
        EXPECT_EQ(dialogs.shown.size(), 1u) << "no print or save dialog";
        dialogs.printAnswers.clear();
        dialogs.csvSaveAnswers.clear();
    }
    EXPECT_EQ(printed.size(), 1u);
}

}  // namespace
}  // namespace tovi::test
