// The real main window with scripted dialogs, a fixed clock and helpers to
// press and click where a user would.
#pragma once

#include <QTemporaryDir>
#include <QTest>

#include <gtest/gtest.h>

#include <fstream>
#include <memory>
#include <string>
#include <vector>

#include "platform/cp932.h"
#include "platform/dialogs.h"
#include "support/recording_surface.h"
#include "ui/main_window.h"

namespace tovi::test {

class FixedClock final : public Clock {
public:
    std::int64_t Seconds() override { return seconds; }
    int Milliseconds() override { return milliseconds; }
    std::int64_t seconds = 1'700'000'000;
    int milliseconds = 0;
};

class WindowTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(folder.isValid());
        form = std::make_unique<TForm1>(dialogs, random, clock);
    }
    void TearDown() override {
        if (form) {
            form->Image1->SetObserver(nullptr);
            for (int g = 1; g <= MaxGroups; ++g) form->GroupBox[g]->SetObserver(nullptr);
        }
    }

    TournamentState& S() { return form->State(); }

    // A press on the member list at picture height y (any x selects the row).
    void PressList(int y, int x = 100) {
        QTest::mousePress(form->Image1, Qt::LeftButton, {}, QPoint(x, y));
        QTest::mouseRelease(form->Image1, Qt::LeftButton, {}, QPoint(x, y));
    }
    void PressRow(int row) { PressList(30 * row + 15); }
    void PressGroup(int group, int y) {
        QTest::mousePress(form->GroupBox[group], Qt::LeftButton, {}, QPoint(20, y));
        QTest::mouseRelease(form->GroupBox[group], Qt::LeftButton, {}, QPoint(20, y));
    }
    void Click(QWidget* widget) { QTest::mouseClick(widget, Qt::LeftButton, {}, QPoint(5, 5)); }

    // Writes a roster file (UTF-8 lines converted to CP932) and returns its path.
    QString WriteRoster(const std::string& fileName, const std::vector<std::string>& utf8Lines,
                        bool marker = true) {
        const QString path = folder.filePath(QString::fromStdString(fileName));
        std::ofstream out(path.toStdString(), std::ios::binary);
        if (marker) out << Sjis("作成") << "\r\n";
        for (const auto& line : utf8Lines) out << Sjis(line) << "\r\n";
        return path;
    }
    // Opens a roster through the scripted open dialog.
    void Load(const QString& path) {
        dialogs.openAnswers.push_back(path);
        Click(form->Button10);
    }
    // Member names in roster order, UTF-8.
    std::vector<std::string> Names() {
        std::vector<std::string> names;
        for (std::size_t r = 0; r < S().RosterList.size(); ++r)
            names.push_back(Cp932ToUtf8(S().RosterTable[r][0]));
        return names;
    }
    std::vector<std::string> Group(int g) {
        std::vector<std::string> names;
        for (const auto& entry : S().GroupList[g])
            names.push_back(Cp932ToUtf8(S().RosterTable[std::stoi(entry)][0]));
        return names;
    }
    std::vector<QString> TakeMessages() {
        auto messages = dialogs.Messages();
        dialogs.ClearShown();
        return messages;
    }

    QTemporaryDir folder;
    ScriptedDialogs dialogs;
    LcgRandom random;
    FixedClock clock;
    std::unique_ptr<TForm1> form;
};

}  // namespace tovi::test
