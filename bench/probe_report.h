// What the start-up probes print once their window has been painted: the
// time from entering main, its steps, and the peak and current resident
// memory.  The
// probes then end the process at once, so that a measure of the whole
// process (scripts/bench) runs from its start to the first painted window,
// with neither probe's tearing down in it.
#pragma once

#include <QByteArray>
#include <QFile>

#include <unistd.h>

#include <chrono>
#include <cstdio>

namespace tovi::bench {

inline QByteArray StatusField(const char* name) {
    QFile status(QStringLiteral("/proc/self/status"));
    if (!status.open(QIODevice::ReadOnly)) return {};
    for (QByteArray line = status.readLine(); !line.isEmpty(); line = status.readLine())
        if (line.startsWith(name)) return line.mid(qstrlen(name)).trimmed();
    return {};
}

// The moments a probe passes on its way to the first paint, from entering
// main: the application made, the window made, the window shown.
struct StartUpSteps {
    using Clock = std::chrono::steady_clock;
    Clock::time_point entered = Clock::now(), application, window, shown;
};

[[noreturn]] inline void ReportAndEnd(const StartUpSteps& steps) {
    using Ms = std::chrono::duration<double, std::milli>;
    const auto now = StartUpSteps::Clock::now();
    auto ms = [](auto from, auto to) { return Ms(to - from).count(); };
    std::printf(
        "main_to_first_paint_ms %.1f\n"
        "  application %.1f, window %.1f, shown %.1f, painted %.1f\n"
        "VmHWM %s\nVmRSS %s\n",
        ms(steps.entered, now), ms(steps.entered, steps.application),
        ms(steps.application, steps.window), ms(steps.window, steps.shown), ms(steps.shown, now),
        StatusField("VmHWM:").constData(), StatusField("VmRSS:").constData());
    std::fflush(stdout);
    _exit(0);
}

}  // namespace tovi::bench
