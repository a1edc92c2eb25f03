// Orvalin's XMPP client against a throwaway Prosody on loopback, each figure beside a bare
// libstrophe client doing the least the same work needs, against an identical server in the
// same run: signing in and reading the roster, and taking one contact off it.
#include "bench/BareXmppClient.h"
#include "bench/BenchProsody.h"
#include "bench/ServerPassword.h"
#include "platform/messenger/MessengerError.h"
#include "platform/messenger/MessengerUser.h"
#include "platform/messenger/MessengerUserList.h"
#include "platform/messenger/PlainWaiter.h"
#include "platform/messenger/xmpp/PasswordSource.h"
#include "platform/messenger/xmpp/XmppMessengerClient.h"
#include "platform/messenger/xmpp/XmppSettings.h"

#include <QElapsedTimer>
#include <QThread>
#include <benchmark/benchmark.h>

#include <memory>

namespace {

constexpr double targetRatio = 1.5;
// The roster of the removal benchmarks.
constexpr int removalRoster = 1000;

XmppSettings settingsFor(const BenchProsody &server)
{
    XmppSettings settings;
    settings.jid = server.jid();
    settings.host = QStringLiteral("127.0.0.1");
    settings.port = server.port();
    settings.caFile = server.caFile();
    return settings;
}

bool started(benchmark::State &state, const BenchProsody &server)
{
    if (server.failure().isEmpty())
        return true;
    state.SkipWithError(("no live server, skipped: " + server.failure()).toStdString().c_str());
    return false;
}

double seconds(const QElapsedTimer &clock)
{
    return double(clock.nsecsElapsed()) / 1e9;
}

// Both lists, as a scan reads them; their sizes must add up to the stored roster.
int readLists(XmppMessengerClient &client)
{
    return client.userList(MessengerClient::ContactList)->count() +
           client.userList(MessengerClient::ReverseList)->count();
}

void LiveSignIn(benchmark::State &state)
{
    const int contacts = int(state.range(0));
    const BenchProsody server(contacts);
    if (!started(state, server))
        return;
    const XmppSettings settings = settingsFor(server);
    ServerPassword password(server.password());
    try {
        // The first sign-in has the server load the stored roster; not measured.
        {
            const XmppMessengerClient first(settings, password, std::make_shared<PlainWaiter>());
        }
        for (auto _ : state) {
            QElapsedTimer clock;
            clock.start();
            auto client = std::make_unique<XmppMessengerClient>(settings, password,
                                                                std::make_shared<PlainWaiter>());
            const int read = readLists(*client);
            state.SetIterationTime(seconds(clock));
            if (read != contacts) {
                state.SkipWithError("the client read a roster of another size");
                return;
            }
            client.reset(); // signing out is not measured
        }
    } catch (const MessengerError &error) {
        state.SkipWithError(error.what());
        return;
    }
    state.counters["target_ratio"] = targetRatio;
}

void LiveSignInFloor(benchmark::State &state)
{
    const int contacts = int(state.range(0));
    const BenchProsody server(contacts);
    if (!started(state, server))
        return;
    const auto signIn = [&server](BareXmppClient &client) {
        return client.signIn(server.jid(), server.password(), server.port(), server.caFile())
                   ? client.fetchRoster()
                   : -1;
    };
    {
        BareXmppClient first;
        signIn(first);
    }
    for (auto _ : state) {
        QElapsedTimer clock;
        clock.start();
        auto client = std::make_unique<BareXmppClient>();
        const int read = signIn(*client);
        state.SetIterationTime(seconds(clock));
        if (read != contacts) {
            state.SkipWithError("the bare client read a roster of another size");
            return;
        }
        client.reset();
    }
}

// The contact removed in every iteration and put back after it: one with subscription "none",
// so on the contact list.
QString removedContact(const BenchProsody &server)
{
    return BenchProsody::contact(1, server.domain());
}

void LiveRemove(benchmark::State &state)
{
    const BenchProsody server(removalRoster);
    if (!started(state, server))
        return;
    BareXmppClient helper;
    if (!helper.signIn(server.jid(), server.password(), server.port(), server.caFile())) {
        state.SkipWithError("the helper could not sign in");
        return;
    }
    const QString target = removedContact(server);
    ServerPassword password(server.password());
    try {
        XmppMessengerClient client(settingsFor(server), password, std::make_shared<PlainWaiter>());
        for (auto _ : state) {
            // The item put back in the last iteration reaches the client as a push.
            std::shared_ptr<MessengerUserList> list;
            qint32 index = -1;
            for (int attempt = 0; attempt < 400 && index < 0; ++attempt) {
                if (attempt > 0)
                    QThread::msleep(5);
                list = client.userList(MessengerClient::ContactList);
                for (qint32 i = 0; i < list->count() && index < 0; ++i)
                    index = list->user(i).member(u"EmailAddress") == target ? i : -1;
            }
            if (index < 0) {
                state.SkipWithError("the removed contact did not come back");
                return;
            }
            QElapsedTimer clock;
            clock.start();
            list->remove(list->user(index));
            state.SetIterationTime(seconds(clock));
            if (!helper.setItem(target, false)) {
                state.SkipWithError("the contact could not be put back");
                return;
            }
        }
    } catch (const MessengerError &error) {
        state.SkipWithError(error.what());
        return;
    }
    state.counters["target_ratio"] = targetRatio;
}

void LiveRemoveFloor(benchmark::State &state)
{
    const BenchProsody server(removalRoster);
    if (!started(state, server))
        return;
    BareXmppClient helper;
    BareXmppClient client;
    if (!helper.signIn(server.jid(), server.password(), server.port(), server.caFile()) ||
        !client.signIn(server.jid(), server.password(), server.port(), server.caFile())) {
        state.SkipWithError("the bare clients could not sign in");
        return;
    }
    const QString target = removedContact(server);
    for (auto _ : state) {
        QElapsedTimer clock;
        clock.start();
        const bool removed = client.setItem(target, true);
        state.SetIterationTime(seconds(clock));
        if (!removed || !helper.setItem(target, false)) {
            state.SkipWithError("the server refused the removal or the return");
            return;
        }
        // The return's push, handled here as the client handles it before its next removal.
        QThread::msleep(5);
        client.processPending();
    }
}

BENCHMARK(LiveSignIn)
    ->Arg(1000)
    ->Arg(5000)
    ->Arg(10000)
    ->UseManualTime()
    ->Iterations(10)
    ->Unit(benchmark::kMillisecond);
BENCHMARK(LiveSignInFloor)
    ->Arg(1000)
    ->Arg(5000)
    ->Arg(10000)
    ->UseManualTime()
    ->Iterations(10)
    ->Unit(benchmark::kMillisecond);
BENCHMARK(LiveRemove)->UseManualTime()->Iterations(100)->Unit(benchmark::kMillisecond);
BENCHMARK(LiveRemoveFloor)->UseManualTime()->Iterations(100)->Unit(benchmark::kMillisecond);

} // namespace
