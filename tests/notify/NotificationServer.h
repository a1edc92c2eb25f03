#pragma once

#include <QObject>
#include <QStringList>
#include <QVariantMap>

// A notification service: what the org.freedesktop.Notifications interface needs to take a
// notice, keeping what it was given.
class NotificationServer : public QObject
{
    Q_OBJECT
    Q_CLASSINFO("D-Bus Interface", "org.freedesktop.Notifications")

public:
    struct Notice
    {
        QString appName;
        QString summary;
        QString body;
    };
    QList<Notice> received;

public Q_SLOTS:
    uint Notify(const QString &appName, uint replacesId, const QString &appIcon,
                const QString &summary, const QString &body, const QStringList &actions,
                const QVariantMap &hints, int expireTimeout)
    {
        Q_UNUSED(replacesId)
        Q_UNUSED(appIcon)
        Q_UNUSED(actions)
        Q_UNUSED(hints)
        Q_UNUSED(expireTimeout)
        received.append({appName, summary, body});
        return uint(received.size());
    }
    QStringList GetCapabilities() { return {QStringLiteral("body")}; }
};
