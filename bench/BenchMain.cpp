#include "bench/DownloadProbe.h"
#include "bench/StartupProbe.h"
#include "bench/TableReporter.h"

#include <QApplication>
#include <benchmark/benchmark.h>

#include <cstring>

int main(int argc, char **argv)
{
    if (argc == 3 && std::strcmp(argv[1], "--startup-probe") == 0)
        return startupProbe(argv[2]);
    if (argc == 4 && std::strcmp(argv[1], "--download-probe") == 0)
        return downloadProbe(argv[2], argv[3]);
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    TableReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    benchmark::Shutdown();
    return 0;
}
