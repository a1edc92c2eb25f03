// A data download of 7,500 followed accounts (Instagram's cap) and 100,000 followers: opened,
// and opened and scanned through the window's controls, beside what no reader can avoid (its
// entries unpacked) and a hash-set difference of the same lists; then peak memory, each in a
// fresh process, for that download and for one of a million followers.
#include "bench/DownloadFixture.h"
#include "platform/messenger/download/DataDownload.h"
#include "platform/messenger/download/DownloadMessengerClient.h"
#include "platform/messenger/download/ZipEntries.h"
#include "tests/support/ResultWindow.h"

#include <QProcess>
#include <QSet>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>

namespace {

constexpr double ScanTargetNs = 3e9;
// The download's own reading: at most a quarter of the whole.
constexpr double OpenTargetNs = ScanTargetNs / 4;

bool prepare(benchmark::State &state, const QTemporaryDir &folder, BenchDownload &download)
{
    download = writeBenchDownload(folder.path(), int(state.range(0)), int(state.range(1)));
    if (download.path.isEmpty())
        state.SkipWithError("the download could not be written");
    return !download.path.isEmpty();
}

void DownloadScan(benchmark::State &state)
{
    QTemporaryDir folder;
    BenchDownload download;
    if (!prepare(state, folder, download))
        return;
    for (auto _ : state) {
        DownloadMessengerClient client{DataDownload(download.path)};
        ResultWindow window;
        window.audit.BuscaIgn(client);
        if (window.audit.zorkoCount() != download.following.size() / 5)
            state.SkipWithError("the scan listed the wrong accounts");
    }
    state.counters["target_ns"] = ScanTargetNs;
}

void DownloadScanFloor(benchmark::State &state)
{
    QTemporaryDir folder;
    BenchDownload download;
    if (!prepare(state, folder, download))
        return;
    for (auto _ : state) {
        const QSet<QString> followers(download.followers.cbegin(), download.followers.cend());
        QStringList missing;
        for (const QString &account : download.following)
            if (!followers.contains(account))
                missing.append(account);
        benchmark::DoNotOptimize(missing);
    }
}

void DownloadOpen(benchmark::State &state)
{
    QTemporaryDir folder;
    BenchDownload download;
    if (!prepare(state, folder, download))
        return;
    for (auto _ : state) {
        const DataDownload opened(download.path);
        if (opened.account().reverseList.size() != download.followers.size())
            state.SkipWithError("the download was read wrong");
    }
    state.counters["target_ns"] = OpenTargetNs;
}

void DownloadOpenFloor(benchmark::State &state)
{
    QTemporaryDir folder;
    BenchDownload download;
    if (!prepare(state, folder, download))
        return;
    for (auto _ : state) {
        const ZipEntries entries(download.path);
        for (const QString &name : entries.names())
            benchmark::DoNotOptimize(entries.read(name));
    }
}

BENCHMARK(DownloadScan)->Args({7500, 100000})->Unit(benchmark::kMillisecond);
BENCHMARK(DownloadScanFloor)->Args({7500, 100000})->Unit(benchmark::kMillisecond);
BENCHMARK(DownloadOpen)->Args({7500, 100000})->Unit(benchmark::kMillisecond);
BENCHMARK(DownloadOpenFloor)->Args({7500, 100000})->Unit(benchmark::kMillisecond);

// Runs the probe once in a fresh process; false when it failed.
bool runProbe(const char *what, const QString &path, double &ms, double &peakMb)
{
    QProcess probe;
    probe.start(QStringLiteral(ORVALIN_BENCH_PATH),
                {QStringLiteral("--download-probe"), QLatin1String(what), path});
    if (!probe.waitForFinished(300000) || probe.exitCode() != 0)
        return false;
    const QList<QByteArray> fields = probe.readAllStandardOutput().trimmed().split(' ');
    if (fields.size() != 2)
        return false;
    ms = fields.at(0).toDouble();
    peakMb = fields.at(1).toDouble() / 1024.0;
    return true;
}

void measurePeak(benchmark::State &state, const char *what, double targetNs)
{
    QTemporaryDir folder;
    BenchDownload download;
    if (!prepare(state, folder, download))
        return;
    double peakMb = 0;
    for (auto _ : state) {
        double ms = 0;
        if (!runProbe(what, download.path, ms, peakMb)) {
            state.SkipWithError("the probe failed");
            return;
        }
        state.SetIterationTime(ms / 1000.0);
    }
    state.counters["peak_MB"] = peakMb;
    if (targetNs > 0)
        state.counters["target_ns"] = targetNs;
}

void DownloadScanPeak(benchmark::State &state)
{
    measurePeak(state, "scan", ScanTargetNs);
}
void DownloadScanPeakFloor(benchmark::State &state)
{
    measurePeak(state, "unzip", 0);
}
void DownloadOpenPeak(benchmark::State &state)
{
    measurePeak(state, "open", 0);
}
void DownloadOpenPeakFloor(benchmark::State &state)
{
    measurePeak(state, "unzip", 0);
}
BENCHMARK(DownloadScanPeak)
    ->Args({7500, 100000})
    ->UseManualTime()
    ->Iterations(1)
    ->Unit(benchmark::kMillisecond);
BENCHMARK(DownloadScanPeakFloor)
    ->Args({7500, 100000})
    ->UseManualTime()
    ->Iterations(1)
    ->Unit(benchmark::kMillisecond);
BENCHMARK(DownloadOpenPeak)
    ->Args({7500, 1000000})
    ->UseManualTime()
    ->Iterations(1)
    ->Unit(benchmark::kMillisecond);
BENCHMARK(DownloadOpenPeakFloor)
    ->Args({7500, 1000000})
    ->UseManualTime()
    ->Iterations(1)
    ->Unit(benchmark::kMillisecond);

} // namespace
