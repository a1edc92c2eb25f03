#include "tests/accounts/AccountsTestSupport.h"

#include <QDBusConnection>
#include <QDBusMessage>
#include <QDBusObjectPath>
#include <QDBusReply>
#include <QDirIterator>
#include <QFile>
#include <gtest/gtest.h>

QString testKeyringService()
{
    return QStringLiteral("orvalin-test");
}

QString testHome()
{
    QString home = qEnvironmentVariable("ORVALIN_TEST_HOME");
    EXPECT_FALSE(home.isEmpty()) << "run through ctest, which starts tests/accounts/"
                                    "keyring-session.sh";
    return home;
}

QStringList filesHolding(const QByteArray &secret)
{
    QStringList found;
    const QString home = testHome();
    if (home.isEmpty())
        return {QStringLiteral("(no test HOME)")};
    QDirIterator files(home, QDir::Files | QDir::Hidden | QDir::System,
                       QDirIterator::Subdirectories);
    while (files.hasNext()) {
        QFile file(files.next());
        if (file.open(QIODevice::ReadOnly) && file.readAll().contains(secret))
            found.append(file.fileName());
    }
    return found;
}

bool lockKeyring()
{
    const auto call = [](const QString &method) {
        return QDBusMessage::createMethodCall(
            QStringLiteral("org.freedesktop.secrets"), QStringLiteral("/org/freedesktop/secrets"),
            QStringLiteral("org.freedesktop.Secret.Service"), method);
    };
    QDBusConnection bus = QDBusConnection::sessionBus();
    QDBusMessage alias = call(QStringLiteral("ReadAlias"));
    alias << QStringLiteral("default");
    const QDBusReply<QDBusObjectPath> collection = bus.call(alias);
    if (!collection.isValid() || collection.value().path() == QLatin1String("/"))
        return false;
    QDBusMessage lock = call(QStringLiteral("Lock"));
    lock << QVariant::fromValue(QList<QDBusObjectPath>{collection.value()});
    return bus.call(lock).type() == QDBusMessage::ReplyMessage;
}
