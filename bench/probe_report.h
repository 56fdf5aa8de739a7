// What the start-up probes print once their window has been painted: the
// time from entering main and the peak and current resident memory.  The
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

[[noreturn]] inline void ReportAndEnd(std::chrono::steady_clock::time_point entered) {
    const double ms =
        std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - entered)
            .count();
    std::printf("main_to_first_paint_ms %.1f\nVmHWM %s\nVmRSS %s\n", ms,
                StatusField("VmHWM:").constData(), StatusField("VmRSS:").constData());
    std::fflush(stdout);
    _exit(0);
}

}  // namespace tovi::bench
