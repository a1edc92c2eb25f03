#include "platform/messenger/accounts/SecretService.h"

#include "platform/messenger/accounts/SecretServicePrompt.h"

#include <QDBusConnection>
#include <QDBusConnectionInterface>
#include <QDBusMessage>
#include <QDBusMetaType>
#include <QDBusObjectPath>
#include <QDBusReply>
#include <QDBusVariant>

namespace {

const QString serviceName = QStringLiteral("org.freedesktop.secrets");
const QString servicePath = QStringLiteral("/org/freedesktop/secrets");
const QString serviceInterface = QStringLiteral("org.freedesktop.Secret.Service");
const QString promptInterface = QStringLiteral("org.freedesktop.Secret.Prompt");
constexpr int callLimit = 5000;

QDBusMessage serviceCall(const QString &method)
{
    return QDBusMessage::createMethodCall(serviceName, servicePath, serviceInterface, method);
}

bool served(const QDBusConnection &bus)
{
    QDBusConnectionInterface *names = bus.interface();
    if (!names)
        return false;
    if (names->isServiceRegistered(serviceName))
        return true;
    const QDBusReply<QStringList> activatable =
        bus.call(QDBusMessage::createMethodCall(QStringLiteral("org.freedesktop.DBus"),
                                                QStringLiteral("/org/freedesktop/DBus"),
                                                QStringLiteral("org.freedesktop.DBus"),
                                                QStringLiteral("ListActivatableNames")),
                 QDBus::Block, callLimit);
    return activatable.isValid() && activatable.value().contains(serviceName);
}

// The default collection's object, or nothing when there is none.
QString defaultCollection(const QDBusConnection &bus)
{
    QDBusMessage alias = serviceCall(QStringLiteral("ReadAlias"));
    alias << QStringLiteral("default");
    const QDBusReply<QDBusObjectPath> path = bus.call(alias, QDBus::Block, callLimit);
    if (!path.isValid() || path.value().path() == QLatin1String("/"))
        return {};
    return path.value().path();
}

bool locked(const QDBusConnection &bus, const QString &collection)
{
    QDBusMessage get = QDBusMessage::createMethodCall(
        serviceName, collection, QStringLiteral("org.freedesktop.DBus.Properties"),
        QStringLiteral("Get"));
    get << QStringLiteral("org.freedesktop.Secret.Collection") << QStringLiteral("Locked");
    const QDBusReply<QDBusVariant> reply = bus.call(get, QDBus::Block, callLimit);
    return reply.isValid() && reply.value().variant().toBool();
}

SecretService::Unlock runPrompt(QDBusConnection &bus, const QString &prompt,
                                std::chrono::milliseconds limit)
{
    SecretServicePrompt answer;
    if (!bus.connect(serviceName, prompt, promptInterface, QStringLiteral("Completed"), &answer,
                     SLOT(complete(bool, QDBusVariant))))
        return SecretService::Unlock::Failed;
    QDBusMessage show = QDBusMessage::createMethodCall(serviceName, prompt, promptInterface,
                                                       QStringLiteral("Prompt"));
    show << QString(); // no window of ours to place it over
    const QDBusMessage shown = bus.call(show, QDBus::Block, callLimit);
    if (shown.type() == QDBusMessage::ReplyMessage) {
        answer.wait(limit);
    }
    bus.disconnect(serviceName, prompt, promptInterface, QStringLiteral("Completed"), &answer,
                   SLOT(complete(bool, QDBusVariant)));
    if (!answer.answered())
        return SecretService::Unlock::Failed;
    return answer.dismissed() ? SecretService::Unlock::Dismissed : SecretService::Unlock::Unlocked;
}

} // namespace

SecretService::State SecretService::state()
{
    const QDBusConnection bus = QDBusConnection::sessionBus();
    if (!bus.isConnected() || !served(bus))
        return State::Absent;
    const QString collection = defaultCollection(bus);
    return !collection.isEmpty() && locked(bus, collection) ? State::Locked : State::Open;
}

SecretService::Unlock SecretService::unlock(std::chrono::milliseconds limit)
{
    QDBusConnection bus = QDBusConnection::sessionBus();
    const QString collection = bus.isConnected() ? defaultCollection(bus) : QString();
    if (collection.isEmpty())
        return Unlock::Failed;
    QDBusMessage call = serviceCall(QStringLiteral("Unlock"));
    call << QVariant::fromValue(QList<QDBusObjectPath>{QDBusObjectPath(collection)});
    const QDBusMessage reply = bus.call(call, QDBus::Block, callLimit);
    if (reply.type() != QDBusMessage::ReplyMessage || reply.arguments().size() != 2)
        return Unlock::Failed;
    const QString prompt = qdbus_cast<QDBusObjectPath>(reply.arguments().at(1)).path();
    if (prompt == QLatin1String("/"))
        return locked(bus, collection) ? Unlock::Failed : Unlock::Unlocked;
    const Unlock answer = runPrompt(bus, prompt, limit);
    return answer == Unlock::Unlocked && locked(bus, collection) ? Unlock::Failed : answer;
}
