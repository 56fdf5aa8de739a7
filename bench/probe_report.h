// What the start-up probes print once their window has been painted: the
// time from entering main and the peak and current resident memory.
#pragma once

#include <QByteArray>
#include <QFile>

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

inline void PrintStartUpFigures(std::chrono::steady_clock::time_point entered) {
    const double ms =
        std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - entered)
            .count();
    std::printf("main_to_first_paint_ms %.1f\nVmHWM %s\nVmRSS %s\n", ms,
                StatusField("VmHWM:").constData(), StatusField("VmRSS:").constData());
}

}  // namespace tovi::bench
