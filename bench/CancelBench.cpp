// How long Cancelar and the time limit take to end a sign-in stalled at each step: a name
// server that never answers (0), a connection the server never takes (1), a TLS handshake the
// server never answers (2), an authentication the server never answers (3). The floor is the
// same sign-in cancelled before it starts, which is the least a cancel can take (the hand-over
// between the two threads); the target is half a second.
#include "platform/messenger/MessengerError.h"
#include "platform/messenger/PlainWaiter.h"
#include "platform/messenger/xmpp/XmppSessionThread.h"
#include "tests/xmpp/StallingServer.h"
#include "tests/xmpp/TestNameServer.h"

#include <QDeadlineTimer>
#include <QElapsedTimer>
#include <QThread>
#include <benchmark/benchmark.h>

#include <memory>
#include <optional>

using namespace std::chrono_literals;

namespace {

constexpr double targetNs = 500e6;
constexpr auto timeLimit = 300ms;

// A server that stalls at one step, and the settings that reach it.
struct Stall
{
    explicit Stall(int step) : step(step)
    {
        if (step == 0) {
            names.emplace(TestNameServer::Behaviour::Silent);
            settings.jid = QStringLiteral("ana@mudo.test");
            settings.nameServer = names->address();
            settings.nameServerPort = names->port();
            return;
        }
        static constexpr StallingServer::Step steps[] = {StallingServer::Step::TcpConnect,
                                                         StallingServer::Step::TlsHandshake,
                                                         StallingServer::Step::Sasl};
        server.emplace(steps[step - 1]);
        settings.jid = QStringLiteral("ana@localhost");
        settings.host = QStringLiteral("127.0.0.1");
        settings.port = server->port();
        settings.caFile = server->caFile();
    }
    QString failure() const { return names ? names->skipReason() : QString(); }
    // The sign-in is at the step: its query or hello arrived, or its connection request has
    // gone unanswered for a while.
    bool reached(const QElapsedTimer &since) const
    {
        switch (step) {
        case 0:
            return names->queries() > 0;
        case 1:
            return since.elapsed() > 150;
        default:
            return server->reached();
        }
    }

    int step;
    std::optional<TestNameServer> names;
    std::optional<StallingServer> server;
    XmppSettings settings;
};

double seconds(const QElapsedTimer &clock)
{
    return double(clock.nsecsElapsed()) / 1e9;
}

bool waitFor(const std::function<bool()> &done)
{
    const QDeadlineTimer deadline(10000);
    while (!done()) {
        if (deadline.hasExpired())
            return false;
        QThread::msleep(1);
    }
    return true;
}

void SignInCancel(benchmark::State &state)
{
    // The look-ups left waiting on the silent name server end soon after.
    qputenv("RES_OPTIONS", "timeout:2 attempts:1");
    Stall stall(int(state.range(0)));
    if (!stall.failure().isEmpty()) {
        state.SkipWithError(stall.failure().toStdString().c_str());
        return;
    }
    for (auto _ : state) {
        XmppSessionThread session(stall.settings);
        QByteArray password = "clave";
        QElapsedTimer since;
        since.start();
        const auto reply = session.startSignIn(password);
        if (!waitFor([&] { return stall.reached(since); }) || reply->isFinished()) {
            state.SkipWithError("the sign-in did not stall at the step");
            return;
        }
        QElapsedTimer clock;
        clock.start();
        session.cancel();
        if (!reply->waitFor(10s)) {
            state.SkipWithError("the cancelled sign-in did not end");
            return;
        }
        state.SetIterationTime(seconds(clock));
    }
    state.counters["target_ns"] = targetNs;
}

// How long past its limit the sign-in ends.
void SignInTimeOut(benchmark::State &state)
{
    qputenv("RES_OPTIONS", "timeout:2 attempts:1");
    Stall stall(int(state.range(0)));
    if (!stall.failure().isEmpty()) {
        state.SkipWithError(stall.failure().toStdString().c_str());
        return;
    }
    XmppSettings settings = stall.settings;
    settings.signInTimeLimit = timeLimit;
    settings.requestTimeLimit = 5s;
    for (auto _ : state) {
        XmppSessionThread session(settings);
        QByteArray password = "clave";
        QElapsedTimer clock;
        clock.start();
        try {
            session.signIn(password, PlainWaiter());
            state.SkipWithError("signed in");
            return;
        } catch (const MessengerError &) {
        }
        const double past = seconds(clock) - std::chrono::duration<double>(timeLimit).count();
        state.SetIterationTime(std::max(past, 0.0));
    }
    state.counters["target_ns"] = targetNs;
}

void CancelledBeforeStart(benchmark::State &state)
{
    Stall stall(int(state.range(0)));
    for (auto _ : state) {
        XmppSessionThread session(stall.settings);
        QByteArray password = "clave";
        session.cancel();
        QElapsedTimer clock;
        clock.start();
        const auto reply = session.startSignIn(password);
        reply->waitFor(10s);
        state.SetIterationTime(seconds(clock));
    }
}

void SignInCancelFloor(benchmark::State &state)
{
    CancelledBeforeStart(state);
}

void SignInTimeOutFloor(benchmark::State &state)
{
    CancelledBeforeStart(state);
}

} // namespace

BENCHMARK(SignInCancel)
    ->DenseRange(0, 3)
    ->UseManualTime()
    ->Iterations(5)
    ->Unit(benchmark::kMillisecond);
BENCHMARK(SignInCancelFloor)
    ->DenseRange(0, 3)
    ->UseManualTime()
    ->Iterations(5)
    ->Unit(benchmark::kMillisecond);
BENCHMARK(SignInTimeOut)
    ->DenseRange(0, 3)
    ->UseManualTime()
    ->Iterations(5)
    ->Unit(benchmark::kMillisecond);
BENCHMARK(SignInTimeOutFloor)
    ->DenseRange(0, 3)
    ->UseManualTime()
    ->Iterations(5)
    ->Unit(benchmark::kMillisecond);
