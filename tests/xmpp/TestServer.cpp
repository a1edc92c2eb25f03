#include "tests/xmpp/TestServer.h"

#include <QFile>
#include <QHash>
#include <stdexcept>

namespace {

TestServer load()
{
    const QString path = qEnvironmentVariable("ORVALIN_TEST_XMPP");
    if (path.isEmpty())
        throw std::runtime_error("ORVALIN_TEST_XMPP is not set: run these tests through ctest, "
                                 "which starts the server (xmpp_prosody_start or "
                                 "xmpp_ejabberd_start)");
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        throw std::runtime_error("cannot read the server state file " + path.toStdString() +
                                 ": did the fixture's start run?");
    QHash<QString, QString> values;
    while (!file.atEnd()) {
        const QString line = QString::fromUtf8(file.readLine()).trimmed();
        const qsizetype equals = line.indexOf(QLatin1Char('='));
        if (equals > 0)
            values.insert(line.left(equals), line.mid(equals + 1));
    }
    TestServer server;
    server.software = values.value("SERVER");
    server.port = quint16(values.value("PORT").toUInt());
    server.domain = values.value("DOMAIN");
    server.caFile = values.value("CAFILE");
    server.otherCaFile = values.value("OTHER_CAFILE");
    server.password = values.value("PASSWORD").toUtf8();
    if (server.port == 0 || server.domain.isEmpty() || server.caFile.isEmpty())
        throw std::runtime_error("the server state file " + path.toStdString() +
                                 " lacks PORT, DOMAIN or CAFILE");
    return server;
}

} // namespace

const TestServer &TestServer::instance()
{
    static const TestServer server = load();
    return server;
}

XmppSettings TestServer::settings(const QString &user) const
{
    XmppSettings settings;
    settings.jid = jid(user);
    settings.host = QStringLiteral("127.0.0.1");
    settings.port = port;
    settings.caFile = caFile;
    return settings;
}
