// From process start to the first painted main window on the demo account, in a fresh process
// each time, beside an empty window in the same conditions.
#include "bench/StartupProbe.h"

#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <benchmark/benchmark.h>

namespace {

// Runs the probe once; its last line holds the time to the first paint and the peak memory.
bool runProbe(const char *what, double &firstPaintMs, double &peakMb)
{
    QProcess probe;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
    environment.remove(QStringLiteral("ORVALIN_ACCOUNT"));
    environment.remove(QStringLiteral("ORVALIN_XMPP"));
    probe.setProcessEnvironment(environment);
    probe.start(QStringLiteral(ORVALIN_BENCH_PATH),
                {QStringLiteral("--startup-probe"), QLatin1String(what)});
    if (!probe.waitForFinished(30000) || probe.exitCode() != 0)
        return false;
    const QList<QByteArray> fields = probe.readAllStandardOutput().trimmed().split(' ');
    if (fields.size() != 2)
        return false;
    firstPaintMs = fields.at(0).toDouble();
    peakMb = fields.at(1).toDouble() / 1024.0;
    return true;
}

void measure(benchmark::State &state, const char *what, double targetNs)
{
    double peakMb = 0;
    for (auto _ : state) {
        double ms = 0;
        if (!runProbe(what, ms, peakMb)) {
            state.SkipWithError("the probe did not paint its window");
            return;
        }
        state.SetIterationTime(ms / 1000.0);
    }
    state.counters["peak_MB"] = peakMb;
    if (targetNs > 0)
        state.counters["target_ns"] = targetNs;
}

void Startup(benchmark::State &state)
{
    measure(state, "form", 100e6);
}
void StartupFloor(benchmark::State &state)
{
    measure(state, "empty", 0);
}
// The same empty window with one label: the least any window that shows text pays.
void StartupTextFloor(benchmark::State &state)
{
    measure(state, "text", 0);
}
BENCHMARK(Startup)->UseManualTime()->Iterations(10)->Unit(benchmark::kMillisecond);
BENCHMARK(StartupFloor)->UseManualTime()->Iterations(10)->Unit(benchmark::kMillisecond);
BENCHMARK(StartupTextFloor)->UseManualTime()->Iterations(10)->Unit(benchmark::kMillisecond);

} // namespace
