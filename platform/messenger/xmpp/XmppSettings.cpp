#include "platform/messenger/xmpp/XmppSettings.h"

#include "platform/messenger/MessengerError.h"

#include <QFileInfo>
#include <algorithm>

QString XmppSettings::checkedJid(const QString &value, const QString &origin)
{
    const QString bare = value.section(QLatin1Char('/'), 0, 0);
    const qsizetype at = bare.indexOf(QLatin1Char('@'));
    const bool valid =
        at > 0 && at == bare.lastIndexOf(QLatin1Char('@')) && at < bare.size() - 1 &&
        std::none_of(value.cbegin(), value.cend(), [](QChar c) { return c.isSpace(); }) &&
        (!value.contains(QLatin1Char('/')) || !value.endsWith(QLatin1Char('/')));
    if (!valid)
        throw MessengerError(
            QStringLiteral("%1 no es una dirección XMPP válida («%2»): debe tener la "
                           "forma usuario@servidor")
                .arg(origin, value));
    return value;
}

quint16 XmppSettings::checkedPort(const QString &value, const QString &origin)
{
    bool ok = false;
    const uint port = value.toUInt(&ok);
    if (!ok || port == 0 || port > 65535)
        throw MessengerError(QStringLiteral("%1 no es un puerto válido («%2»): "
                                            "debe ser un número entre 1 y 65535")
                                 .arg(origin, value));
    return quint16(port);
}

namespace {

QString checkedCaFile(const QString &path)
{
    const QFileInfo info(path);
    if (!info.isFile() || !info.isReadable())
        throw MessengerError(QStringLiteral("ORVALIN_XMPP_CAFILE: no se puede leer el archivo de "
                                            "certificados «%1»")
                                 .arg(path));
    return path;
}

} // namespace

XmppSettings XmppSettings::fromEnvironment(const QProcessEnvironment &environment)
{
    XmppSettings settings;
    settings.jid = checkedJid(environment.value(QStringLiteral("ORVALIN_XMPP")),
                              QStringLiteral("ORVALIN_XMPP"));
    settings.host = environment.value(QStringLiteral("ORVALIN_XMPP_HOST")).trimmed();
    const QString port = environment.value(QStringLiteral("ORVALIN_XMPP_PORT"));
    if (!port.isEmpty())
        settings.port = checkedPort(port, QStringLiteral("ORVALIN_XMPP_PORT"));
    const QString caFile = environment.value(QStringLiteral("ORVALIN_XMPP_CAFILE"));
    if (!caFile.isEmpty())
        settings.caFile = checkedCaFile(caFile);
    return settings;
}

QString XmppSettings::bareJid() const
{
    return jid.section(QLatin1Char('/'), 0, 0);
}

QString XmppSettings::domain() const
{
    return bareJid().section(QLatin1Char('@'), 1);
}

QString XmppSettings::localPart() const
{
    return bareJid().section(QLatin1Char('@'), 0, 0);
}
