#include "bench/StartupProbe.h"
#include "bench/TableReporter.h"

#include <QApplication>
#include <benchmark/benchmark.h>

#include <cstring>

int main(int argc, char **argv)
{
    if (argc == 3 && std::strcmp(argv[1], "--startup-probe") == 0)
        return startupProbe(argv[2]);
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    TableReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    benchmark::Shutdown();
    return 0;
}
