// orvalin-audit removing every one-way contact of a file account, and protecting all of them with
// keep add, in a fresh process each time, beside the same program's scan of the same account
// (what any removal has to do first) and its keep list (what keep add does before storing).
// The history is a fresh one in the run's own folder.
#include <QDir>
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
double runAudit(const QString &path, const QStringList &arguments, const QString &dataHome)
{
    QProcess process;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QStringLiteral("ORVALIN_ACCOUNT"), path);
    environment.insert(QStringLiteral("XDG_DATA_HOME"), dataHome);
    process.setProcessEnvironment(environment);
    process.setStandardOutputFile(QProcess::nullDevice());
    QElapsedTimer clock;
    clock.start();
    process.start(QStringLiteral(ORVALIN_AUDIT_PATH), arguments);
    if (!process.waitForFinished(600000) || process.exitCode() != 0)
        return -1;
    return double(clock.nsecsElapsed()) / 1e9;
}

enum class Run { Scan, Remove, Keep, KeepList };

void measure(benchmark::State &state, Run run)
{
    const int oneWay = int(state.range(0));
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("cuenta.json"));
    QStringList arguments;
    if (run == Run::Scan)
        arguments = {QStringLiteral("scan")};
    else if (run == Run::Remove)
        arguments = {QStringLiteral("remove")};
    else if (run == Run::Keep)
        arguments = {QStringLiteral("keep"), QStringLiteral("add")};
    else
        arguments = {QStringLiteral("keep"), QStringLiteral("list")};
    if (run == Run::Remove || run == Run::Keep) {
        for (int i = 0; i < oneWay; ++i)
            arguments.append(address(i));
    }
    for (auto _ : state) {
        if (!writeAccount(path, oneWay)) {
            state.SkipWithError("cannot write the account");
            return;
        }
        // Every run starts from an empty history: a second keep add would store nothing.
        QDir(dir.filePath(QStringLiteral("data"))).removeRecursively();
        const double seconds = runAudit(path, arguments, dir.filePath(QStringLiteral("data")));
        if (seconds < 0) {
            state.SkipWithError("orvalin-audit failed");
            return;
        }
        state.SetIterationTime(seconds);
    }
    if (run == Run::Remove)
        state.counters["target_ns"] = 3e9;
    // One transaction for the whole list: well under a second beyond reading the account.
    if (run == Run::Keep)
        state.counters["target_ns"] = 1e9;
}

void AuditRemoveAll(benchmark::State &state)
{
    measure(state, Run::Remove);
}
void AuditRemoveAllFloor(benchmark::State &state)
{
    measure(state, Run::Scan);
}
void AuditKeepAll(benchmark::State &state)
{
    measure(state, Run::Keep);
}
// Starting, reading the account file and opening the history, as keep add does before it
// stores anything.
void AuditKeepAllFloor(benchmark::State &state)
{
    measure(state, Run::KeepList);
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
BENCHMARK(AuditKeepAll)->Arg(10000)->UseManualTime()->Iterations(3)->Unit(benchmark::kMillisecond);
BENCHMARK(AuditKeepAllFloor)
    ->Arg(10000)
    ->UseManualTime()
    ->Iterations(3)
    ->Unit(benchmark::kMillisecond);

} // namespace
