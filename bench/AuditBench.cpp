// orvalin-audit removing every one-way contact of a file account, in a fresh process each time,
// beside the same program's scan of the same account (what any removal has to do first).
#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>

namespace {

constexpr int Mutual = 2000;

QString address(int i)
{
    return QStringLiteral("contacto%1@example.org").arg(i, 5, 10, QLatin1Char('0'));
}

// oneWay contacts who dropped the user, then Mutual contacts who did not.
bool writeAccount(const QString &path, int oneWay)
{
    QByteArray contacts;
    QByteArray reverse;
    for (int i = 0; i < oneWay + Mutual; ++i) {
        const QByteArray entry = QStringLiteral("    {\"EmailAddress\": \"%1\", \"FriendlyName\": "
                                                "\"Contacto %2\"}")
                                     .arg(address(i))
                                     .arg(i)
                                     .toUtf8();
        contacts += (i ? ",\n" : "") + entry;
        if (i >= oneWay)
            reverse += (i > oneWay ? ",\n" : "") + entry;
    }
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate))
        return false;
    file.write("{\n  \"signInState\": 2,\n  \"signInName\": \"yo@example.org\",\n"
               "  \"displayName\": \"Yo\",\n  \"contactList\": [\n" +
               contacts + "\n  ],\n  \"reverseList\": [\n" + reverse + "\n  ]\n}\n");
    return file.error() == QFileDevice::NoError;
}

// Runs orvalin-audit and gives its wall time in seconds, or a negative number if it failed.
double runAudit(const QString &path, const QStringList &arguments)
{
    QProcess process;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QStringLiteral("ORVALIN_ACCOUNT"), path);
    process.setProcessEnvironment(environment);
    process.setStandardOutputFile(QProcess::nullDevice());
    QElapsedTimer clock;
    clock.start();
    process.start(QStringLiteral(ORVALIN_AUDIT_PATH), arguments);
    if (!process.waitForFinished(600000) || process.exitCode() != 0)
        return -1;
    return double(clock.nsecsElapsed()) / 1e9;
}

void measure(benchmark::State &state, bool remove)
{
    const int oneWay = int(state.range(0));
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("cuenta.json"));
    QStringList arguments = {remove ? QStringLiteral("remove") : QStringLiteral("scan")};
    if (remove) {
        for (int i = 0; i < oneWay; ++i)
            arguments.append(address(i));
    }
    for (auto _ : state) {
        if (!writeAccount(path, oneWay)) {
            state.SkipWithError("cannot write the account");
            return;
        }
        const double seconds = runAudit(path, arguments);
        if (seconds < 0) {
            state.SkipWithError("orvalin-audit failed");
            return;
        }
        state.SetIterationTime(seconds);
    }
    if (remove)
        state.counters["target_ns"] = 3e9;
}

void AuditRemoveAll(benchmark::State &state)
{
    measure(state, true);
}
void AuditRemoveAllFloor(benchmark::State &state)
{
    measure(state, false);
}
BENCHMARK(AuditRemoveAll)
    ->Arg(10000)
    ->UseManualTime()
    ->Iterations(3)
    ->Unit(benchmark::kMillisecond);
BENCHMARK(AuditRemoveAllFloor)
    ->Arg(10000)
    ->UseManualTime()
    ->Iterations(3)
    ->Unit(benchmark::kMillisecond);

} // namespace
