// tovi_monkey SEED EVENTS: runs the window monkey for one seed under the
// offscreen platform and prints what it reached; exits 1 on a finding.
#include <QApplication>

#include <cstdio>
#include <cstdlib>
#include <string>

#include "ui/monkey.h"

int main(int argc, char* argv[]) {
    if (argc != 3) {
        std::fprintf(stderr, "usage: tovi_monkey SEED EVENTS\n");
        return 2;
    }
    char* end = nullptr;
    const unsigned long long seed = std::strtoull(argv[1], &end, 10);
    if (*argv[1] == '\0' || *end != '\0') {
        std::fprintf(stderr, "tovi_monkey: SEED must be a whole number\n");
        return 2;
    }
    const long events = std::strtol(argv[2], &end, 10);
    if (*argv[2] == '\0' || *end != '\0' || events < 0) {
        std::fprintf(stderr, "tovi_monkey: EVENTS must be a whole number\n");
        return 2;
    }
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    const tovi::test::MonkeyReport report = tovi::test::RunMonkey(seed, events, stderr);
    std::fputs(tovi::test::Summary(report).c_str(), stdout);
    return report.Failed() ? 1 : 0;
}
