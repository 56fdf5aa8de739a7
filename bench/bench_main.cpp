// The benchmarks run inside a QApplication, on the offscreen platform unless
// another one is asked for, at the device pixel ratio QT_SCALE_FACTOR gives.
#include <QApplication>

#include <benchmark/benchmark.h>

int main(int argc, char* argv[]) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    // The pictures follow the screen's ratio (QT_SCALE_FACTOR=2 for a
    // desktop scaled to 200 %).
    benchmark::AddCustomContext("device_pixel_ratio",
                                QString::number(app.devicePixelRatio()).toStdString());
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
