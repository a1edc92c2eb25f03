#include "app/Form1.h"
#include "app/ListaResultView.h"
#include "app/WindowWaiter.h"
#include "controls/button/Button.h"
#include "platform/messenger/xmpp/PasswordSource.h"
#include "platform/messenger/xmpp/XmppMessengerClient.h"
#include "tests/support/MainWindowFixture.h"
#include "tests/xmpp/TestContact.h"
#include "tests/xmpp/TestServer.h"
#include "tools/audit/AuditTool.h"

#include <QFile>
#include <QTemporaryDir>
#include <QTextStream>

// A server that neither offers flexible offline retrieval nor tells its software: the scan
// still lists the account, and says once, on the error stream and in one warning box, that
// stored subscription requests may be missing.

namespace {

const QString warningStart = QStringLiteral("No se pudieron leer las solicitudes de contacto");

} // namespace

TEST(XmppWarningTest, AnUnknownServerIsScannedWithOneWarningInTheAuditAndInTheWindow)
{
    const TestServer *s = nullptr;
    try {
        s = &TestServer::instance();
    } catch (const std::exception &error) {
        FAIL() << error.what();
    }
    TestContact friendly(*s, "warn-friend");
    {
        // The user follows the contact, who never follows back: one Zorko.
        TestContact user(*s, "warn-user");
        user.presence(friendly.jid(), "subscribe");
        friendly.presence(user.jid(), "subscribed");
        ASSERT_EQ(user.roster().value(friendly.jid()), "to");
    }

    QTemporaryDir dir;
    QFile passwordFile(dir.filePath("clave"));
    ASSERT_TRUE(passwordFile.open(QIODevice::WriteOnly));
    passwordFile.write(s->password + '\n');
    passwordFile.close();
    passwordFile.setPermissions(QFile::ReadOwner | QFile::WriteOwner);
    QProcessEnvironment environment;
    environment.insert("ORVALIN_XMPP", s->jid("warn-user"));
    environment.insert("ORVALIN_XMPP_PASSWORD_FILE", passwordFile.fileName());
    environment.insert("ORVALIN_XMPP_HOST", "127.0.0.1");
    environment.insert("ORVALIN_XMPP_PORT", QString::number(s->port));
    environment.insert("ORVALIN_XMPP_CAFILE", s->caFile);
    environment.insert("XDG_CONFIG_HOME", dir.filePath("config"));
    QString out;
    QString err;
    QTextStream outStream(&out);
    QTextStream errStream(&err);
    EXPECT_EQ(AuditTool::run({"scan"}, environment, outStream, errStream), AuditTool::Done)
        << qPrintable(err);
    outStream.flush();
    errStream.flush();
    EXPECT_EQ(err.count(warningStart), 1) << qPrintable(err);
    EXPECT_TRUE(err.startsWith("orvalin-audit: " + warningStart)) << qPrintable(err);
    EXPECT_TRUE(out.contains(friendly.jid())) << qPrintable(out);
    EXPECT_TRUE(out.contains("Tienes 1 Zorko en tu Lista")) << qPrintable(out);

    RecordingReporter reporter;
    RecordingOpener opener;
    TestServerPassword password;
    Form1 form(
        [&] {
            return std::make_unique<XmppMessengerClient>(s->settings("warn-user"), password,
                                                         std::make_shared<WindowWaiter>());
        },
        reporter, opener);
    ASSERT_EQ(form.load(), Form1::LoadResult::Loaded);
    form.show();
    for (int scan = 0; scan < 2; ++scan)
        QTest::mouseClick(form.command1(), Qt::LeftButton);
    const auto *lista = form.findChild<QListWidget *>("Lista");
    ASSERT_NE(lista, nullptr);
    ASSERT_EQ(lista->count(), 1);
    EXPECT_EQ(lista->item(0)->data(ListaResultView::KeyRole).toString(), friendly.jid());
    ASSERT_EQ(reporter.messages.size(), 1) << qPrintable(reporter.texts().join('\n'));
    EXPECT_EQ(reporter.messages.first().kind, "warning");
    EXPECT_TRUE(reporter.messages.first().text.startsWith(warningStart));
}
