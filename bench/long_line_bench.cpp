// Rosters with very long member lines: a file may hold lines of any length
// up to the load limit, and loading and drawing one must stay as quick as a
// normal roster.  Each iteration opens the file in a new window (the window
// is built untimed) and times the open with its full redraw; argument 1 also
// delivers the repaints.  The case "with groups and sheet" puts every member
// into a group and previews a sheet as well; BM_PrintLongLines prints one.
//
// Counters: peak_rss_MB is the process's peak resident memory after the run
// (run one case alone, --benchmark_filter, for a figure of that case);
// rss_after_normal_MB is the resident memory after a normal roster has been
// opened in the same window afterwards.
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

#include <fstream>

#include "bench_window.h"
#include "model/cp932_literals.h"
#include "model/roster_file.h"
#include "platform/qt_surface.h"
#include "print_page.h"

namespace tovi::bench {
namespace {

double StatusMegabytes(const char* field) {
    std::ifstream status("/proc/self/status");
    std::string line;
    while (std::getline(status, line))
        if (line.rfind(field, 0) == 0)
            return std::stod(line.substr(std::string(field).size())) / 1024.0;
    return 0;
}

std::string RepeatTo(const std::string& unit, std::size_t bytes) {
    std::string text;
    text.reserve(bytes + unit.size());
    while (text.size() + unit.size() <= bytes) text += unit;
    return text;
}

std::string WriteRoster(const QTemporaryDir& dir, const char* name,
                        const std::vector<std::string>& members) {
    const std::string path = QDir(dir.path()).filePath(QString::fromLatin1(name)).toStdString();
    std::ofstream(path, std::ios::binary) << FormatRosterFile(members);
    return path;
}

struct Files {
    QTemporaryDir dir;
    std::string forty, one, normal;
    Files() {
        std::string tail(1, ',');
        tail += Utf8ToCp932("東町");
        tail += ',';
        tail += Utf8ToCp932("男");
        tail += ",0,0,0,0,0,";
        // 40 names of 26,000 bytes of kanji: the file stays under the 1 MiB
        // load limit.
        std::vector<std::string> fortyLines;
        for (int r = 0; r < kMembers; ++r)
            fortyLines.push_back(RepeatTo(Utf8ToCp932("山田花子"), 26'000).append(tail));
        // One name of 1,000,000 half-width letters (the most characters).
        std::vector<std::string> oneLine{RepeatTo("Abcdefghij", 1'000'000).append(tail)};
        std::vector<std::string> normalLines;
        for (int r = 0; r < kMembers; ++r)
            normalLines.push_back(MakeMemberLine(MemberName(r), MemberTeam(r), Utf8ToCp932("男")));
        forty = WriteRoster(dir, "forty.txt", fortyLines);
        one = WriteRoster(dir, "one.txt", oneLine);
        normal = WriteRoster(dir, "normal.txt", normalLines);
    }
};

Files& TheFiles() {
    static Files files;
    return files;
}

void Open(BenchWindow& w, const std::string& path) {
    w.dialogs.openAnswers.push_back(QString::fromStdString(path));
    w.form->Registration().OpenRoster();
}

// Every member plays, the first six lead; grouping mode.
void GroupEveryone(BenchWindow& w) {
    w.form->EnterGroupingMode();
    TournamentState& s = w.S();
    const int n = static_cast<int>(s.rosterList.size());
    for (int r = 0; r < n && r < MaxEntrants; ++r) {
        s.entryFlag[r] = 1;
        s.leaderFlag[r] = r < MaxGroups ? 1 : 0;
    }
    w.form->List().RefreshRows();
    w.controls.Edit(6)->SetBytes(std::to_string(std::min(n, MaxGroups)));
    w.form->Grouping().StartAutomaticGrouping();
    w.form->EnterScoreSheetMode();
}

void BM_OpenLongLines(benchmark::State& state, const std::string Files::*file, bool everywhere) {
    Files& files = TheFiles();
    std::unique_ptr<BenchWindow> w;
    for (auto _ : state) {
        state.PauseTiming();
        w = std::make_unique<BenchWindow>();
        if (state.range(0) != 0) ShowAndWaitForFirstPaint(*w->form);
        state.ResumeTiming();
        Open(*w, files.*file);
        if (everywhere) GroupEveryone(*w);
        if (state.range(0) != 0) FlushRepaints();
    }
    if (w->S().rosterList.empty() || !w->dialogs.Messages().empty())
        return state.SkipWithError("the roster did not open cleanly");
    w->form->EnterRegistrationMode();
    Open(*w, files.normal);
    if (state.range(0) != 0) FlushRepaints();
    state.counters["peak_rss_MB"] = StatusMegabytes("VmHWM:");
    state.counters["rss_after_normal_MB"] = StatusMegabytes("VmRSS:");
}
BENCHMARK_CAPTURE(BM_OpenLongLines, forty_26kB, &Files::forty, false)
    ->Arg(0)
    ->Arg(1)
    ->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_OpenLongLines, one_1MB, &Files::one, false)
    ->Arg(0)
    ->Arg(1)
    ->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_OpenLongLines, forty_26kB_with_groups_and_sheet, &Files::forty, true)
    ->Arg(1)
    ->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_OpenLongLines, one_1MB_with_groups_and_sheet, &Files::one, true)
    ->Arg(1)
    ->Unit(benchmark::kMillisecond);

// The printed sheet of group 1 (at 600 dots per inch on a landscape A4 PDF
// page) with such names.  TOVI_LONG_LINE_PDF names a file to keep the page in.
void BM_PrintLongLines(benchmark::State& state, const std::string Files::*file) {
    BenchWindow w;
    Open(w, TheFiles().*file);
    GroupEveryone(w);
    TournamentState& s = w.S();
    if (s.groupList[1].empty()) return state.SkipWithError("grouping failed");

    QTemporaryDir folder;
    const QString kept = qEnvironmentVariable("TOVI_LONG_LINE_PDF");
    PrintSheetEachIteration(state, s,
                            kept.isEmpty() ? folder.filePath(QStringLiteral("sheet.pdf")) : kept);
    state.counters["peak_rss_MB"] = StatusMegabytes("VmHWM:");
}
BENCHMARK_CAPTURE(BM_PrintLongLines, forty_26kB, &Files::forty)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_PrintLongLines, one_1MB, &Files::one)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace tovi::bench
