// Orvalin's XMPP client at a distance: a throwaway Prosody on loopback behind the delay relay,
// at no added delay and at a 100 ms round trip, each figure beside a bare libstrophe client
// doing the same work through an identical relay and server in the same run.
#include "bench/BareXmppClient.h"
#include "bench/BenchProsody.h"
#include "bench/ServerPassword.h"
#include "core/ContactAudit.h"
#include "core/MemoryResultView.h"
#include "platform/messenger/MessengerError.h"
#include "platform/messenger/MessengerUserList.h"
#include "platform/messenger/PlainWaiter.h"
#include "platform/messenger/xmpp/PasswordSource.h"
#include "platform/messenger/xmpp/XmppMessengerClient.h"
#include "platform/messenger/xmpp/XmppSettings.h"
#include "tests/support/DelayRelay.h"

#include <QElapsedTimer>
#include <benchmark/benchmark.h>

#include <memory>

namespace {

using namespace std::chrono_literals;

// The removal's roster, and how many of its one-way contacts are ticked and removed.
constexpr int removalRoster = 1000;
constexpr int removedCount = 500;

double seconds(const QElapsedTimer &clock)
{
    return double(clock.nsecsElapsed()) / 1e9;
}

// A server and a relay in front of it delaying each direction by delayMs.
struct DistantServer
{
    DistantServer(int contacts, int delayMs)
        : server(contacts), relay(server.port(), {std::chrono::milliseconds(delayMs), 0})
    {
    }

    bool started(benchmark::State &state) const
    {
        if (server.failure().isEmpty())
            return true;
        state.SkipWithError(("no live server, skipped: " + server.failure()).toStdString().c_str());
        return false;
    }

    XmppSettings settings(quint16 port) const
    {
        XmppSettings settings;
        settings.jid = server.jid();
        settings.host = QStringLiteral("127.0.0.1");
        settings.port = port;
        settings.caFile = server.caFile();
        return settings;
    }

    // Through the delaying relay, or the one at port.
    std::unique_ptr<XmppMessengerClient> signIn(quint16 port = 0) const
    {
        ServerPassword password(server.password());
        return std::make_unique<XmppMessengerClient>(settings(port ? port : relay.port()), password,
                                                     std::make_shared<PlainWaiter>());
    }

    bool bareSignIn(BareXmppClient &client) const
    {
        return client.signIn(server.jid(), server.password(), relay.port(), server.caFile());
    }

    BenchProsody server;
    DelayRelay relay;
};

// The roster's size as a fresh bare session reads it, straight from the server.
int storedRosterSize(const DistantServer &distant)
{
    BareXmppClient reader;
    return reader.signIn(distant.server.jid(), distant.server.password(), distant.server.port(),
                         distant.server.caFile())
               ? reader.fetchRoster()
               : -1;
}

void DistantRemove(benchmark::State &state)
{
    for (auto _ : state) {
        state.PauseTiming();
        const DistantServer distant(removalRoster, int(state.range(0)));
        if (!distant.started(state))
            return;
        try {
            const auto client = distant.signIn();
            MemoryResultView view;
            ContactAudit audit(view);
            audit.BuscaIgn(*client);
            for (int row = 1; row <= removedCount && row <= view.rowCount(); ++row)
                view.setRowChecked(row, true);
            state.ResumeTiming();
            QElapsedTimer clock;
            clock.start();
            const QList<RemovalFailure> failures = audit.RemoveChecked(*client);
            state.SetIterationTime(seconds(clock));
            if (!failures.isEmpty()) {
                state.SkipWithError(failures.first().reason.toStdString().c_str());
                return;
            }
        } catch (const MessengerError &error) {
            state.SkipWithError(error.what());
            return;
        }
        // What the report says is what the server keeps.
        if (storedRosterSize(distant) != removalRoster - removedCount) {
            state.SkipWithError("the server's roster does not match the removal's report");
            return;
        }
    }
    state.counters["target_ratio"] = 1.3;
}

void DistantRemoveFloor(benchmark::State &state)
{
    for (auto _ : state) {
        state.PauseTiming();
        const DistantServer distant(removalRoster, int(state.range(0)));
        if (!distant.started(state))
            return;
        QStringList jids;
        for (int i = 0; i < removalRoster && jids.size() < removedCount; ++i) {
            if (!BenchProsody::isFrom(i))
                jids.append(BenchProsody::contact(i, distant.server.domain()));
        }
        BareXmppClient client;
        if (!distant.bareSignIn(client)) {
            state.SkipWithError("the bare client could not sign in");
            return;
        }
        state.ResumeTiming();
        QElapsedTimer clock;
        clock.start();
        const int accepted = client.removeBackToBack(jids);
        state.SetIterationTime(seconds(clock));
        if (accepted != removedCount) {
            state.SkipWithError("the server did not accept every removal");
            return;
        }
    }
}

// One sign-in through the relay at port and both lists read, as a scan needs them.
double timeSignIn(const DistantServer &distant, quint16 port, int contacts)
{
    QElapsedTimer clock;
    clock.start();
    auto client = distant.signIn(port);
    const int read = client->userList(MessengerClient::ContactList)->count() +
                     client->userList(MessengerClient::ReverseList)->count();
    const double taken = seconds(clock);
    return read == contacts ? taken : -1;
}

// The same sign-in followed by the scan of both lists, as Buscar runs it.
double timeSignInAndScan(const DistantServer &distant, quint16 port, int contacts)
{
    QElapsedTimer clock;
    clock.start();
    auto client = distant.signIn(port);
    MemoryResultView view;
    ContactAudit audit(view);
    audit.BuscaIgn(*client);
    const double taken = seconds(clock);
    // Nobody on the contact list has the user: every contact is listed.
    return view.rowCount() == BenchProsody::contactListSize(contacts) ? taken : -1;
}

double timeBareSignIn(const DistantServer &distant, quint16 port, int contacts)
{
    QElapsedTimer clock;
    clock.start();
    BareXmppClient client;
    const int read = client.signIn(distant.server.jid(), distant.server.password(), port,
                                   distant.server.caFile())
                         ? client.fetchRoster()
                         : -1;
    const double taken = seconds(clock);
    return read == contacts ? taken : -1;
}

// Sign-in at a round trip of twice range(1) ms. At a distance, the same sign-in is also timed
// through a relay that adds nothing, on the same server: the difference, over the round trip,
// is the number of round trips the sign-in waits through.
template <typename Measure> void runSignIn(benchmark::State &state, Measure measure)
{
    const int contacts = int(state.range(0));
    const int delayMs = int(state.range(1));
    const DistantServer distant(contacts, delayMs);
    if (!distant.started(state))
        return;
    const DelayRelay near(distant.server.port(), {0ms, 0});
    try {
        // The first sign-in has the server load the stored roster; not measured.
        measure(distant, near.port(), contacts);
        double total = 0;
        double nearTotal = 0;
        for (auto _ : state) {
            const double taken = measure(distant, distant.relay.port(), contacts);
            state.PauseTiming();
            const double nearTaken = delayMs > 0 ? measure(distant, near.port(), contacts) : 0;
            state.ResumeTiming();
            if (taken < 0 || nearTaken < 0) {
                state.SkipWithError("the client read a roster of another size");
                return;
            }
            state.SetIterationTime(taken);
            total += taken;
            nearTotal += nearTaken;
        }
        if (delayMs > 0)
            state.counters["round_trips"] =
                (total - nearTotal) / double(state.iterations()) / (2e-3 * delayMs);
    } catch (const MessengerError &error) {
        state.SkipWithError(error.what());
    }
}

void DistantSignIn(benchmark::State &state)
{
    runSignIn(state, timeSignIn);
}

void DistantSignInFloor(benchmark::State &state)
{
    runSignIn(state, timeBareSignIn);
}

void DistantSignInAndScan(benchmark::State &state)
{
    runSignIn(state, timeSignInAndScan);
    state.counters["target_ns"] = 2e9;
}

// The bare client's sign-in and roster, beside the sign-in and scan.
void DistantSignInAndScanFloor(benchmark::State &state)
{
    runSignIn(state, timeBareSignIn);
}

BENCHMARK(DistantRemove)
    ->Arg(0)
    ->Arg(50)
    ->UseManualTime()
    ->Iterations(1)
    ->Unit(benchmark::kMillisecond);
BENCHMARK(DistantRemoveFloor)
    ->Arg(0)
    ->Arg(50)
    ->UseManualTime()
    ->Iterations(1)
    ->Unit(benchmark::kMillisecond);
BENCHMARK(DistantSignIn)
    ->Args({1000, 0})
    ->Args({1000, 50})
    ->Args({32767, 0})
    ->Args({32767, 50})
    ->UseManualTime()
    ->Iterations(3)
    ->Unit(benchmark::kMillisecond);
// The largest roster a scan takes, signed in and scanned on loopback.
BENCHMARK(DistantSignInAndScan)
    ->Args({32767, 0})
    ->UseManualTime()
    ->Iterations(3)
    ->Unit(benchmark::kMillisecond);
BENCHMARK(DistantSignInAndScanFloor)
    ->Args({32767, 0})
    ->UseManualTime()
    ->Iterations(3)
    ->Unit(benchmark::kMillisecond);
BENCHMARK(DistantSignInFloor)
    ->Args({1000, 0})
    ->Args({1000, 50})
    ->Args({32767, 0})
    ->Args({32767, 50})
    ->UseManualTime()
    ->Iterations(3)
    ->Unit(benchmark::kMillisecond);

} // namespace
