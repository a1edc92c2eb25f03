#include "platform/messenger/xmpp/XmppSettings.h"
#include "platform/messenger/MessengerError.h"

#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

QProcessEnvironment environment(std::initializer_list<std::pair<const char *, QString>> values)
{
    QProcessEnvironment result;
    for (const auto &[name, value] : values)
        result.insert(QString::fromLatin1(name), value);
    return result;
}

// The message of the error that reading env raises; fails the test when it reads fine.
QString errorFor(const QProcessEnvironment &env)
{
    try {
        XmppSettings::fromEnvironment(env);
    } catch (const MessengerError &error) {
        return error.message();
    }
    ADD_FAILURE() << "no error";
    return {};
}

} // namespace

TEST(XmppSettingsTest, ReadsEveryVariable)
{
    QTemporaryDir dir;
    const QString ca = dir.filePath("ca.pem");
    QFile file(ca);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.close();

    const XmppSettings settings =
        XmppSettings::fromEnvironment(environment({{"ORVALIN_XMPP", "ana@example.org/portatil"},
                                                   {"ORVALIN_XMPP_HOST", "xmpp.example.net"},
                                                   {"ORVALIN_XMPP_PORT", "5223"},
                                                   {"ORVALIN_XMPP_CAFILE", ca}}));
    EXPECT_EQ(settings.jid, "ana@example.org/portatil");
    EXPECT_EQ(settings.bareJid(), "ana@example.org");
    EXPECT_EQ(settings.localPart(), "ana");
    EXPECT_EQ(settings.domain(), "example.org");
    EXPECT_EQ(settings.host, "xmpp.example.net");
    EXPECT_EQ(settings.port, 5223);
    EXPECT_EQ(settings.caFile, ca);
}

TEST(XmppSettingsTest, OptionalVariablesMayBeMissing)
{
    const XmppSettings settings =
        XmppSettings::fromEnvironment(environment({{"ORVALIN_XMPP", "ana@example.org"}}));
    EXPECT_TRUE(settings.host.isEmpty());
    EXPECT_EQ(settings.port, 0);
    EXPECT_TRUE(settings.caFile.isEmpty());
}

TEST(XmppSettingsTest, RefusesAddressesThatAreNotUserAtDomain)
{
    for (const QString &bad :
         {QString(), QStringLiteral("ana"), QStringLiteral("@example.org"), QStringLiteral("ana@"),
          QStringLiteral("ana@b@example.org"), QStringLiteral("ana maria@example.org"),
          QStringLiteral("ana@example.org/")}) {
        const QString message = errorFor(environment({{"ORVALIN_XMPP", bad}}));
        EXPECT_TRUE(message.contains("ORVALIN_XMPP")) << message.toStdString();
        EXPECT_TRUE(message.contains("«" + bad + "»")) << message.toStdString();
    }
}

TEST(XmppSettingsTest, RefusesPortsOutOfRange)
{
    for (const QString &bad : {QStringLiteral("abc"), QStringLiteral("0"), QStringLiteral("65536"),
                               QStringLiteral("-1"), QStringLiteral("52 22")}) {
        const QString message = errorFor(
            environment({{"ORVALIN_XMPP", "ana@example.org"}, {"ORVALIN_XMPP_PORT", bad}}));
        EXPECT_TRUE(message.contains("ORVALIN_XMPP_PORT")) << message.toStdString();
        EXPECT_TRUE(message.contains(bad)) << message.toStdString();
    }
}

TEST(XmppSettingsTest, RefusesAnAuthorityFileThatCannotBeRead)
{
    QTemporaryDir dir;
    for (const QString &path : {dir.filePath("missing.pem"), dir.path()}) {
        const QString message = errorFor(
            environment({{"ORVALIN_XMPP", "ana@example.org"}, {"ORVALIN_XMPP_CAFILE", path}}));
        EXPECT_TRUE(message.contains("ORVALIN_XMPP_CAFILE")) << message.toStdString();
        EXPECT_TRUE(message.contains(path)) << message.toStdString();
    }
}
