// The season window with a club's year: 50 meetings of 36 players, 4 rounds
// of 8 holes each.  Adding all 50 results files (read, parse, rank and show)
// and changing a setting (everything summed and ranked again, the lists
// measured and repainted).  Argument 0 times the work alone; argument 1 shows
// the window and also delivers the repaints.
#include <QApplication>
#include <QSpinBox>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

#include <filesystem>
#include <string>
#include <vector>

#include "bench_window.h"
#include "core/file_io.h"
#include "results/results_file.h"
#include "ui/season/season_window.h"

namespace tovi::bench {
namespace {

constexpr int kMeetings = 50;
constexpr int kRounds = 4;
constexpr int kHoles = 8;

// The 50 results files, written once into a folder of their own.
class Year {
public:
    Year() {
        for (int m = 0; m < kMeetings; ++m) {
            Results results;
            results.settings = {kRounds, 0};
            for (int row = 0; row < kPlayers; ++row) {
                const MemberKey key{MakeMemberLine(MemberName(row), MemberTeam(row),
                                                   Utf8ToCp932(row % 3 == 0 ? "女" : "男")),
                                    1};
                ScoreCard card;
                for (int round = 0; round < kRounds; ++round)
                    for (int hole = 0; hole < kHoles; ++hole)
                        card.Set(round, hole, 1 + (row * 7 + m * 3 + round * 5 + hole) % 5);
                results.cards[key] = card;
                results.seats.push_back({key, 1 + row / 6});
            }
            const MeetingHeading heading{
                Utf8ToCp932("月例会"),      Utf8ToCp932("例会"),        {},    "2026",
                std::to_string(1 + m % 12), std::to_string(1 + m % 28), kHoles};
            const std::filesystem::path path = std::filesystem::path(folder_.path().toStdString()) /
                                               ("meeting" + std::to_string(m) + ".csv");
            ReplaceFileContents(path, FormatResultsFile(results, heading).bytes);
            paths_.push_back(path);
        }
    }
    const std::vector<std::filesystem::path>& Paths() const { return paths_; }

private:
    QTemporaryDir folder_;
    std::vector<std::filesystem::path> paths_;
};

const Year& TheYear() {
    static const Year year;
    return year;
}

void BM_SeasonAddMeetings(benchmark::State& state) {
    ScriptedDialogs dialogs;
    const Year& year = TheYear();
    for (auto _ : state) {
        SeasonWindow window(dialogs);
        if (state.range(0) != 0) {
            window.show();
            ShowAndWaitForFirstPaint(window);
        }
        window.AddFiles(year.Paths());
        if (state.range(0) != 0) FlushRepaints();
        if (window.Meetings().size() != kMeetings) state.SkipWithError("meetings not added");
    }
    if (!dialogs.Messages().empty()) state.SkipWithError("a message was shown");
}
BENCHMARK(BM_SeasonAddMeetings)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);

void BM_SeasonSettingChange(benchmark::State& state) {
    ScriptedDialogs dialogs;
    SeasonWindow window(dialogs);
    window.AddFiles(TheYear().Paths());
    auto* attendance = window.findChild<QSpinBox*>(QStringLiteral("AttendanceBox"));
    if (!attendance) {
        state.SkipWithError("no 参加点 box");
        return;
    }
    if (state.range(0) != 0) {
        window.show();
        ShowAndWaitForFirstPaint(window);
    }
    int points = 1;
    for (auto _ : state) {
        points = points == 1 ? 2 : 1;
        attendance->setValue(points);
        if (state.range(0) != 0) FlushRepaints();
    }
    if (!dialogs.Messages().empty()) state.SkipWithError("a message was shown");
}
BENCHMARK(BM_SeasonSettingChange)->Arg(0)->Arg(1)->Unit(benchmark::kMicrosecond);

}  // namespace
}  // namespace tovi::bench
