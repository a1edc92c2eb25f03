#include "bench/DownloadProbe.h"

#include "platform/messenger/download/DataDownload.h"
#include "platform/messenger/download/DownloadMessengerClient.h"
#include "platform/messenger/download/ZipEntries.h"
#include "tests/support/ResultWindow.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QFile>
#include <cstdio>
#include <cstring>

namespace {

long peakResidentKb()
{
    QFile status(QStringLiteral("/proc/self/status"));
    if (!status.open(QIODevice::ReadOnly))
        return 0;
    for (const QByteArray &line : status.readAll().split('\n'))
        if (line.startsWith("VmHWM:"))
            return line.mid(6).trimmed().split(' ').value(0).toLong();
    return 0;
}

qsizetype unzipLists(const QString &path)
{
    const ZipEntries entries(path);
    qsizetype bytes = 0;
    for (const QString &name : entries.names())
        bytes += entries.read(name).size();
    return bytes;
}

} // namespace

int downloadProbe(const char *what, const char *path)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    int argc = 1;
    char name[] = "orvalin_bench";
    char *argv[] = {name, nullptr};
    QApplication app(argc, argv);
    const QString file = QString::fromLocal8Bit(path);
    QElapsedTimer clock;
    clock.start();
    if (std::strcmp(what, "unzip") == 0) {
        if (unzipLists(file) == 0)
            return 1;
    } else if (std::strcmp(what, "open") == 0) {
        const DataDownload download(file);
        if (download.account().reverseList.isEmpty())
            return 1;
    } else {
        auto client = std::make_unique<DownloadMessengerClient>(DataDownload(file));
        ResultWindow window;
        window.audit.BuscaIgn(*client);
        std::fprintf(stderr, "%d rows\n", int(window.audit.zorkoCount()));
    }
    std::printf("%.3f %ld\n", double(clock.nsecsElapsed()) / 1e6, peakResidentKb());
    return 0;
}
