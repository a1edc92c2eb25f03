#pragma once

#include <QProcess>
#include <QProcessEnvironment>
#include <QString>
#include <QStringList>

// One run of a program as a process on a machine with no display: DISPLAY, WAYLAND_DISPLAY and
// QT_QPA_PLATFORM are unset, so that anything that reaches for a window fails.
struct HeadlessRun
{
    int exitCode = -1;
    bool crashed = false;
    QString out;
    QString err;
};

inline HeadlessRun runHeadless(const QString &program, const QStringList &arguments)
{
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    for (const char *name : {"DISPLAY", "WAYLAND_DISPLAY", "QT_QPA_PLATFORM"})
        environment.remove(QString::fromLatin1(name));
    QProcess process;
    process.setProcessEnvironment(environment);
    process.start(program, arguments);
    process.closeWriteChannel();
    HeadlessRun run;
    if (!process.waitForFinished(30000)) {
        process.kill();
        process.waitForFinished();
    }
    run.crashed = process.exitStatus() != QProcess::NormalExit;
    run.exitCode = process.exitCode();
    run.out = QString::fromUtf8(process.readAllStandardOutput());
    run.err = QString::fromUtf8(process.readAllStandardError());
    return run;
}
