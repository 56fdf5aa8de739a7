// The real main window with scripted dialogs, a fixed clock, its controls by
// their names in the layout, and helpers to press and click where a user
// would.
#pragma once

#include <QApplication>
#include <QInputMethodEvent>
#include <QTemporaryDir>
#include <QTest>

#include <gtest/gtest.h>

#include <fstream>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "core/clock.h"
#include "core/cp932.h"
#include "support/picture_observer.h"
#include "support/recording_surface.h"
#include "support/scripted_dialogs.h"
#include "support/window_controls.h"
#include "ui/main/grouping_panel.h"
#include "ui/main/main_window.h"
#include "ui/main/member_list.h"
#include "ui/main/registration_panel.h"
#include "ui/main/score_sheet_panel.h"
#include "ui/results/results_session.h"

namespace tovi::test {

class FixedClock final : public Clock {
public:
    std::int64_t Seconds() override { return seconds; }
    int Milliseconds() override { return milliseconds; }
    std::int64_t seconds = 1'700'000'000;
    int milliseconds = 0;
};

// The controls of a window (the main window, or the version dialog) by their
// names; a name the window does not hold exactly once fails the test.
inline WindowControls ControlsOf(const QWidget& window) {
    return WindowControls(window, [](const QString& name) {
        ADD_FAILURE() << "the window holds no one control named " << name.toStdString();
    });
}

class WindowTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(folder.isValid());
        form = std::make_unique<MainWindow>(dialogs, random, clock);
    }
    void TearDown() override { observers_.clear(); }

    // Sees every call drawn on picture from now on in observer, beside the
    // picture; a null observer stops that.
    void Observe(PictureWidget* picture, DrawingSurface* observer) {
        observers_.erase(picture);
        if (observer)
            observers_.emplace(picture, std::make_unique<PictureObserver>(*picture, *observer));
    }

    TournamentState& S() { return form->State(); }
    ListInteraction& I() { return form->Interaction(); }

    // The controls of the window by their names: Find<T>("PrintAllButton"),
    // Edit(9) for "Edit9", GroupBox(g) for "Image" 10 + g, and so on.
    template <typename T = QWidget>
    T* Find(const char* name) const {
        return ControlsOf(*form).Find<T>(QString::fromLatin1(name));
    }
    QFrame* Panel(int n) const { return ControlsOf(*form).Panel(n); }
    QPushButton* Button(int n) const { return ControlsOf(*form).Button(n); }
    ByteEdit* Edit(int n) const { return ControlsOf(*form).Edit(n); }
    // Empties a box and types text into it as keys.
    static void Retype(ByteEdit* edit, const QString& text) {
        edit->clear();
        QTest::keyClicks(edit, text);
    }
    PictureWidget* Image(int n) const { return ControlsOf(*form).Image(n); }
    QLabel* Label(int n) const { return ControlsOf(*form).Label(n); }
    QCheckBox* CheckBox(int n) const { return ControlsOf(*form).CheckBox(n); }
    PictureWidget* GroupBox(int group) const { return ControlsOf(*form).GroupBox(group); }
    QRadioButton* GenderItem(int index) const { return ControlsOf(*form).GenderItem(index); }

    // A press on the member list at picture height y (any x and any button
    // select the row).
    void PressList(int y, int x = 100, Qt::MouseButton button = Qt::LeftButton) {
        QTest::mousePress(Image(1), button, {}, QPoint(x, y));
        QTest::mouseRelease(Image(1), button, {}, QPoint(x, y));
    }
    void PressRow(int row) { PressList(30 * row + 15); }
    void PressGroup(int group, int y) {
        QTest::mousePress(GroupBox(group), Qt::LeftButton, {}, QPoint(20, y));
        QTest::mouseRelease(GroupBox(group), Qt::LeftButton, {}, QPoint(20, y));
    }
    void Click(QWidget* widget) { QTest::mouseClick(widget, Qt::LeftButton, {}, QPoint(5, 5)); }

    // Writes a roster file (UTF-8 lines converted to CP932) and returns its path.
    QString WriteRoster(const std::string& fileName, const std::vector<std::string>& utf8Lines,
                        bool marker = true) {
        const QString path = folder.filePath(QString::fromStdString(fileName));
        std::ofstream out(path.toStdString(), std::ios::binary);
        if (marker) out << Utf8ToCp932("作成") << "\r\n";
        for (const auto& line : utf8Lines) out << Utf8ToCp932(line) << "\r\n";
        return path;
    }
    // Opens a roster through the scripted open dialog.
    void Load(const QString& path) {
        dialogs.openAnswers.push_back(path);
        Click(Button(10));
    }
    // Loads a roster of the given names; genders[i] 'F' makes member i a woman.
    void LoadMembers(const std::vector<std::string>& names, const std::string& genders = "") {
        std::vector<std::string> lines;
        for (std::size_t i = 0; i < names.size(); ++i) {
            const bool woman = i < genders.size() && genders[i] == 'F';
            lines.push_back(names[i] + ",T," + (woman ? "女" : "男") + ",0,0,0,0,0,");
        }
        Load(WriteRoster("members.txt", lines));
    }
    // Text finished in the input method (how Japanese reaches an edit box).
    static void Commit(QWidget* widget, const QString& text) {
        QInputMethodEvent event;
        event.setCommitString(text);
        QApplication::sendEvent(widget, &event);
    }
    // Member names in roster order, UTF-8.
    std::vector<std::string> Names() {
        std::vector<std::string> names;
        for (std::size_t r = 0; r < S().rosterList.size(); ++r)
            names.push_back(Cp932ToUtf8(S().rosterTable[r][0]));
        return names;
    }
    std::vector<std::string> Group(int g) {
        std::vector<std::string> names;
        for (const auto& entry : S().groupList[g])
            names.push_back(Cp932ToUtf8(S().rosterTable[std::stoi(entry)][0]));
        return names;
    }
    // What the recording shows at a mark position of row (x 38, 388 or 450) once
    // every later write there is taken into account: "" when the last write was
    // white (an erase, or the wipe of the marks column), else the UTF-8 text
    // with " red" appended when it was red.
    static std::string MarkAt(const RecordingSurface& rec, int row, int x) {
        std::string shown;
        for (const auto& t : rec.texts) {
            const bool wipe = x >= 388 && t.x == 388 && t.y == 30 * row + 6;
            if (!wipe && (t.x != x || t.y != 30 * row + 7)) continue;
            if (t.color == kWhite)
                shown.clear();
            else
                shown = Cp932ToUtf8(t.text) + (t.color == kRed ? " red" : "");
        }
        return shown;
    }
    // Pixels in area of the picture that are clearly red, or clearly dark.
    static int RedInk(const QImage& image, QRect area) {
        return CountPixels(
            image, area, [](QColor c) { return c.red() > 180 && c.green() < 90 && c.blue() < 90; });
    }
    static int DarkInk(const QImage& image, QRect area) {
        return CountPixels(
            image, area, [](QColor c) { return c.red() < 90 && c.green() < 90 && c.blue() < 90; });
    }
    // Pixels of a picture by logical position, whatever the picture's ratio
    // (the window tests run at ratio 1 and again at ratio 2).
    static int Ratio(const QImage& image) { return qRound(image.devicePixelRatio()); }
    static QColor PixelAt(const QImage& image, int x, int y) {
        return image.pixelColor(x * Ratio(image), y * Ratio(image));
    }
    // Counts device pixels of the logical area.
    template <typename Test>
    static int CountPixels(const QImage& image, QRect area, Test test) {
        const int r = Ratio(image);
        int count = 0;
        for (int y = area.top() * r; y < (area.bottom() + 1) * r; ++y)
            for (int x = area.left() * r; x < (area.right() + 1) * r; ++x)
                count += test(image.pixelColor(x, y));
        return count;
    }
    // The settings column of a member row (the marks at x 388 and 450).
    static QRect MarksColumn(int row) { return QRect(386, 30 * row + 2, 90, 27); }

    std::vector<QString> TakeMessages() {
        auto messages = dialogs.Messages();
        dialogs.ClearShown();
        return messages;
    }

    QTemporaryDir folder;
    ScriptedDialogs dialogs;
    LcgRandom random;
    FixedClock clock;
    std::unique_ptr<MainWindow> form;
    // After the window: they go first.
    std::map<PictureWidget*, std::unique_ptr<PictureObserver>> observers_;
};

}  // namespace tovi::test
