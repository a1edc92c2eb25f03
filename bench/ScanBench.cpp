// The contact scan and the removal through the real client interface and the real list view,
// beside a hash-set difference of the same address lists.
#include "app/ListaResultView.h"
#include "bench/BenchAccounts.h"
#include "core/ContactAudit.h"
#include "platform/messenger/MemoryMessengerClient.h"
#include "tests/support/ResultWindow.h"

#include <QAction>
#include <QGroupBox>
#include <QListWidget>
#include <QProgressBar>
#include <QSet>
#include <benchmark/benchmark.h>

namespace {
double scanTarget(int n)
{
    return n == 1000 ? 10e6 : n == 10000 ? 1e9 : 0;
}

void Scan(benchmark::State &state)
{
    const int n = int(state.range(0));
    MemoryMessengerClient client(benchAccount(n));
    ResultWindow window;
    for (auto _ : state) {
        window.view.clearRows();
        window.audit.BuscaIgn(client);
    }
    if (window.audit.zorkoCount() != n / 5)
        state.SkipWithError("the scan listed the wrong contacts");
    state.counters["target_ns"] = scanTarget(n);
}
BENCHMARK(Scan)->Arg(100)->Arg(1000)->Arg(10000)->Unit(benchmark::kMillisecond);

void ScanFloor(benchmark::State &state)
{
    const MessengerAccount account = benchAccount(int(state.range(0)));
    const QStringList contacts = addressesOf(account.contactList);
    const QStringList reverse = addressesOf(account.reverseList);
    for (auto _ : state) {
        const QSet<QString> reverseSet(reverse.cbegin(), reverse.cend());
        QStringList missing;
        for (const QString &address : contacts)
            if (!reverseSet.contains(address))
                missing.append(address);
        benchmark::DoNotOptimize(missing);
    }
}
BENCHMARK(ScanFloor)->Arg(100)->Arg(1000)->Arg(10000)->Unit(benchmark::kMillisecond);

// 2,000 listed contacts (nobody has the user back), every other one ticked.
void Removal(benchmark::State &state)
{
    const int n = int(state.range(0));
    MessengerAccount account = benchAccount(n);
    account.reverseList.clear();
    for (auto _ : state) {
        state.PauseTiming();
        MemoryMessengerClient client(account);
        ResultWindow window;
        window.audit.BuscaIgn(client);
        for (int row = 0; row < window.lista.count(); row += 2)
            window.lista.item(row)->setCheckState(Qt::Checked);
        state.ResumeTiming();
        const auto failures = window.audit.RemoveChecked(client);
        if (!failures.isEmpty() || window.audit.zorkoCount() != n / 2)
            state.SkipWithError("the removal did not remove every ticked row");
    }
}
BENCHMARK(Removal)->Arg(2000)->Unit(benchmark::kMillisecond);

void RemovalFloor(benchmark::State &state)
{
    const QStringList addresses = addressesOf(benchAccount(int(state.range(0))).contactList);
    for (auto _ : state) {
        QSet<QString> ticked;
        for (int i = 0; i < addresses.size(); i += 2)
            ticked.insert(addresses.at(i));
        QStringList rest = addresses;
        rest.removeIf([&](const QString &a) { return ticked.contains(a); });
        benchmark::DoNotOptimize(rest);
    }
}
BENCHMARK(RemovalFloor)->Arg(2000)->Unit(benchmark::kMillisecond);

} // namespace
