// main() of the benchmarks that build windows.

#include <QApplication>

#include <benchmark/benchmark.h>

int main(int argc, char** argv)
{
    // The windows are measured, not the screen they would be painted on.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
