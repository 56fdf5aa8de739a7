// The real main window set up for the benchmarks: scripted dialogs, a fixed
// clock and a roster of 40 members of whom 36 play and 6 lead a group.
#pragma once

#include <QCoreApplication>
#include <QEvent>
#include <QWidget>
#include <QWindow>

#include <memory>
#include <string>

#include "core/clock.h"
#include "core/cp932.h"
#include "grouping/random_source.h"
#include "model/member_line.h"
#include "support/scripted_dialogs.h"
#include "support/window_controls.h"
#include "ui/main/grouping_panel.h"
#include "ui/main/main_window.h"
#include "ui/main/member_list.h"
#include "ui/main/registration_panel.h"
#include "ui/main/score_sheet_panel.h"
#include "ui/results/results_session.h"

namespace tovi::bench {

class FixedClock final : public Clock {
public:
    std::int64_t Seconds() override { return 1'700'000'000; }
    int Milliseconds() override { return 0; }
};

inline constexpr int kMembers = 40;
inline constexpr int kPlayers = 36;     // rows 0..35 play
inline constexpr int kLeaderPitch = 6;  // rows 0, 6, .., 30 lead a group

// One name and team per row, as a club would write them (CP932).
inline std::string MemberName(int row) {
    static const char* const family[] = {"山田", "佐藤", "鈴木", "高橋", "田中",
                                         "伊藤", "渡辺", "中村", "小林", "加藤"};
    static const char* const given[] = {"太郎", "花子", "一郎", "和子"};
    return Utf8ToCp932(std::string(family[row % 10]) + "　" + given[row / 10]);
}

inline std::string MemberTeam(int row) {
    static const char* const teams[] = {"東町クラブ", "西町クラブ", "南町", "北町同好会"};
    return Utf8ToCp932(teams[row % 4]);
}

// Counts paint events of one widget: the window is on screen once it has one.
class PaintWatcher final : public QObject {
public:
    explicit PaintWatcher(QWidget* widget) { widget->installEventFilter(this); }
    bool eventFilter(QObject*, QEvent* event) override {
        if (event->type() == QEvent::Paint) ++paints;
        return false;
    }
    int paints = 0;
};

// Shows the window and handles events until it has been painted once.
inline void ShowAndWaitForFirstPaint(QWidget& form) {
    PaintWatcher watcher(&form);
    form.show();
    while (watcher.paints == 0) QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
}

// Delivers pending repaints, as the event loop would after a handler.
inline void FlushRepaints() { QCoreApplication::processEvents(); }

struct BenchWindow {
    BenchWindow() : form(std::make_unique<MainWindow>(dialogs, random, clock)), controls(*form) {}

    TournamentState& S() { return form->State(); }
    ListInteraction& I() { return form->Interaction(); }

    // Grouping mode with the roster loaded and the players and leaders
    // marked; the tallies propose 6 groups.
    void LoadMarkedRoster() {
        form->EnterGroupingMode();
        TournamentState& s = S();
        s.rosterList.clear();
        for (int row = 0; row < kMembers; ++row)
            s.rosterList.push_back(MakeMemberLine(MemberName(row), MemberTeam(row),
                                                  Utf8ToCp932(row % 2 == 0 ? "男" : "女")));
        for (int row = 0; row < kPlayers; ++row) {
            s.entryFlag[row] = 1;
            s.leaderFlag[row] = row % kLeaderPitch == 0 ? 1 : 0;
        }
        form->List().Redraw();
    }

    ScriptedDialogs dialogs;
    LcgRandom random;
    FixedClock clock;
    std::unique_ptr<MainWindow> form;
    // The window's controls by their names (Edit6, Image1 ...).
    test::WindowControls controls;
};

// Middle of member-list row r, where a user would press.
inline int RowY(int row) { return 30 * row + 15; }
// Middle of name row k of a group box.
inline int GroupRowY(int k) { return 18 * k + 12; }

}  // namespace tovi::bench
