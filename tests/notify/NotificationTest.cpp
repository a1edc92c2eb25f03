#include "platform/base/Error.h"
#include "tests/notify/NotificationServer.h"
#include "tests/support/AccountFileWriter.h"
#include "tools/audit/DesktopNotice.h"

#include <QCoreApplication>
#include <QDBusConnection>
#include <QDBusConnectionInterface>
#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

class NotificationTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        QDBusConnection bus = QDBusConnection::sessionBus();
        ASSERT_TRUE(bus.isConnected()) << "no session bus: run under dbus-run-session";
        ASSERT_TRUE(bus.registerObject("/org/freedesktop/Notifications", &m_server,
                                       QDBusConnection::ExportAllSlots));
        ASSERT_TRUE(bus.registerService("org.freedesktop.Notifications"));
        m_contacts = {"ana@x", "bea@x", "ciro@x", "dani@x", "eva@x", "fede@x"};
        m_reverse = m_contacts;
        writeAccount();
    }
    void TearDown() override
    {
        QDBusConnection::sessionBus().unregisterService("org.freedesktop.Notifications");
        QDBusConnection::sessionBus().unregisterObject("/org/freedesktop/Notifications");
    }

    void writeAccount()
    {
        ASSERT_TRUE(writeAccountFile(m_dir.filePath("cuenta.json"), m_contacts, m_reverse));
    }

    // Runs the real program while this process answers on the bus.
    int audit(const QStringList &arguments, bool withAccount = true)
    {
        QProcess process;
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.insert("XDG_DATA_HOME", m_dir.filePath("data"));
        environment.remove("ORVALIN_ACCOUNT");
        environment.remove("ORVALIN_XMPP");
        if (withAccount)
            environment.insert("ORVALIN_ACCOUNT", m_dir.filePath("cuenta.json"));
        process.setProcessEnvironment(environment);
        process.start(QStringLiteral(ORVALIN_AUDIT_PATH), arguments);
        // Answers the program's notice while it runs; a program that never started ends the
        // wait at once rather than never.
        while (process.state() != QProcess::NotRunning && !process.waitForFinished(10))
            QCoreApplication::processEvents();
        QCoreApplication::processEvents();
        m_output = QString::fromUtf8(process.readAllStandardOutput());
        EXPECT_EQ(process.exitStatus(), QProcess::NormalExit);
        EXPECT_EQ(process.exitCode(), 0) << process.readAllStandardError().toStdString();
        return process.exitCode();
    }

    NotificationServer m_server;
    QTemporaryDir m_dir;
    QStringList m_contacts;
    QStringList m_reverse;
    QString m_output;
};

} // namespace

TEST_F(NotificationTest, OnlyNewlyDroppedContactsAreToldOnceNamingThreeAndTheCount)
{
    EXPECT_EQ(audit({"changes", "--notify"}), 0);
    EXPECT_TRUE(m_server.received.isEmpty()) << "nothing to compare with yet";

    // Five people drop the user.
    m_reverse = {"ana@x"};
    writeAccount();
    EXPECT_EQ(audit({"changes", "--notify"}), 0);
    ASSERT_EQ(m_server.received.size(), 1);
    const QString today = QLocale::c().toString(QDate::currentDate(), "d");
    EXPECT_EQ(m_server.received.at(0).appName, "Orvalin");
    EXPECT_TRUE(
        m_server.received.at(0).summary.startsWith("5 nuevos Zorko desde el " + today + " de "))
        << m_server.received.at(0).summary.toStdString();
    EXPECT_EQ(m_server.received.at(0).body, "BEA, CIRO, DANI y 2 más ya no te tienen en su lista.");

    // The same list the next day is not told again; one more Zorko is.
    EXPECT_EQ(audit({"changes", "--notify"}), 0);
    EXPECT_EQ(m_server.received.size(), 1);
    m_reverse = {};
    writeAccount();
    EXPECT_EQ(audit({"changes", "--notify"}), 0);
    ASSERT_EQ(m_server.received.size(), 2);
    EXPECT_EQ(m_server.received.at(1).body, "ANA ya no te tiene en su lista.");

    // Someone coming back is no news.
    m_reverse = {"bea@x"};
    writeAccount();
    EXPECT_EQ(audit({"changes", "--notify"}), 0);
    EXPECT_EQ(m_server.received.size(), 2);
}

TEST_F(NotificationTest, WithoutARememberedAccountTheCheckSaysSoAndEnds)
{
    EXPECT_EQ(audit({"changes", "--notify"}, false), 0);
    EXPECT_EQ(m_output, "No hay ninguna cuenta recordada: no hay nada que comprobar.\n");
    EXPECT_TRUE(m_server.received.isEmpty());
    EXPECT_EQ(DesktopNotice::body({{{"a@x", ""}, {}}, {{"b@x", "Bea <b>"}, {}}}),
              "a@x y Bea &lt;b&gt; ya no te tienen en su lista.");
}

TEST(DesktopNoticeTest, NamesCannotReorderOrSteerTheNoticeAndAreShownAsTheyAre)
{
    // A right-to-left override would show "gpj.exe" the other way round, and the rest after it.
    const QString hostile = QStringLiteral("Ana\u202Egpj.exe\u2066x\u2069\u0007\u009B<i>");
    const QString body = DesktopNotice::body({{{"a@x", hostile}, {}}});
    for (const char16_t hazard : {u'\u202E', u'\u2066', u'\u2069', u'\u0007', u'\u009B'})
        EXPECT_FALSE(body.contains(QChar(hazard))) << body.toStdString();
    EXPECT_EQ(body, QStringLiteral("Ana\uFFFDgpj.exe\uFFFDx\uFFFD\uFFFD\uFFFD&lt;i&gt; ya no te "
                                   "tiene en su lista."));
    // A name of any length keeps the notice to a line or two.
    const QString longBody = DesktopNotice::body({{{"a@x", QString(500, u'n')}, {}}});
    EXPECT_LT(longBody.size(), 120) << longBody.toStdString();
}

TEST(DesktopNoticeTest, WithNoNotificationServiceTheReasonIsOurs)
{
    ASSERT_TRUE(QDBusConnection::sessionBus().isConnected());
    try {
        DesktopNotice::send(QStringLiteral("Prueba"), QStringLiteral("Sin servicio"));
        ADD_FAILURE() << "no notification service here, yet it was sent";
    } catch (const Error &error) {
        EXPECT_EQ(error.message(),
                  QStringLiteral("No se pudo mostrar el aviso en el escritorio: nadie ofrece ese "
                                 "servicio en el bus de sesión "
                                 "(org.freedesktop.DBus.Error.ServiceUnknown)"));
    }
}
