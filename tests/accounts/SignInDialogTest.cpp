#include "app/SignInDialog.h"
#include "app/DownloadFileDialog.h"
#include "app/Form1.h"
#include "app/LinkOpener.h"
#include "app/MessageReporter.h"
#include "platform/messenger/MessengerClient.h"
#include "platform/messenger/MessengerService.h"
#include "platform/messenger/MessengerServiceSet.h"
#include "platform/messenger/PlainWaiter.h"
#include "platform/messenger/accounts/AccountChooser.h"
#include "platform/messenger/accounts/Keyring.h"
#include "platform/messenger/accounts/RememberedAccounts.h"
#include "platform/messenger/xmpp/XmppSignIn.h"
#include "tests/accounts/AccountsTestSupport.h"
#include "tests/accounts/FakeXmppServer.h"
#include "tests/download/DownloadFixtures.h"
#include "tests/download/ZipWriter.h"
#include "tests/xmpp/TestServer.h"
#include "tools/audit/AuditTool.h"

#include <QAbstractItemView>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QCompleter>
#include <QDeadlineTimer>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>
#include <QTextStream>
#include <gtest/gtest.h>

namespace {

class RecordingReporter : public MessageReporter
{
public:
    void error(const QString &, const QString &text) override { messages.append(text); }
    void warning(const QString &, const QString &text) override { messages.append(text); }
    QStringList messages;
};

class NoLinks : public LinkOpener
{
public:
    void open(const QUrl &) override {}
};

// A sign-in window over the test's own settings file and keyring entries.
class SignInWindow
{
public:
    explicit SignInWindow(const QProcessEnvironment &environment = {})
        : m_remembered(testHome() + QStringLiteral("/config/orvalin/orvalin.conf")),
          m_chooser(environment, m_remembered), m_keyring(testKeyringService()),
          dialog(m_chooser, m_remembered, m_keyring)
    {
        dialog.show();
        dialog.activateWindow();
        EXPECT_TRUE(QTest::qWaitForWindowActive(&dialog));
    }

    template <typename T> T *child(const char *name)
    {
        T *found = dialog.findChild<T *>(QLatin1String(name));
        EXPECT_NE(found, nullptr) << name;
        return found;
    }
    QString status() { return child<QLabel>("estado")->text(); }
    QWidget *focus() { return QApplication::focusWidget(); }
    void type(const QString &text) { QTest::keyClicks(focus(), text); }
    void press(Qt::Key key) { QTest::keyClick(focus(), key); }

    RememberedAccounts m_remembered;
    AccountChooser m_chooser;
    Keyring m_keyring;
    SignInDialog dialog;
};

// Lets the event loop run until done() holds or the time is up. (Qt's own polling macros
// report to QTest, which these GoogleTest tests do not read.)
bool eventually(const std::function<bool()> &done, int milliseconds)
{
    QDeadlineTimer deadline(milliseconds);
    while (!done()) {
        if (deadline.hasExpired())
            return false;
        QTest::qWait(10);
    }
    return true;
}

QProcessEnvironment reaching(quint16 port, const QString &caFile = {})
{
    QProcessEnvironment environment;
    environment.insert(QStringLiteral("ORVALIN_XMPP_HOST"), QStringLiteral("127.0.0.1"));
    environment.insert(QStringLiteral("ORVALIN_XMPP_PORT"), QString::number(port));
    if (!caFile.isEmpty())
        environment.insert(QStringLiteral("ORVALIN_XMPP_CAFILE"), caFile);
    return environment;
}

// An Instagram download's two lists, by their paths inside it.
QList<ZipEntry> instagramLists()
{
    using namespace DownloadFixtures;
    return {{QStringLiteral("connections/followers_and_following/followers_1.json"),
             jsonArray({instagramEntry(QStringLiteral("ana"))})},
            {QStringLiteral("connections/followers_and_following/following.json"),
             instagramFollowing(
                 {instagramEntry(QStringLiteral("ana")), instagramEntry(QStringLiteral("pepe"))})}};
}

bool writeFolder(const QString &folder, const QList<ZipEntry> &entries)
{
    for (const ZipEntry &entry : entries) {
        const QString path = folder + QLatin1Char('/') + entry.name;
        QFile file(path);
        if (!QDir().mkpath(QFileInfo(path).path()) || !file.open(QIODevice::WriteOnly) ||
            file.write(entry.content) != entry.content.size())
            return false;
    }
    return true;
}

// Picks an entry of "Dirección" as the list does when the user clicks it.
void chooseEntry(QComboBox *address, const QString &text)
{
    const int index = address->findText(text);
    ASSERT_GE(index, 0) << text.toStdString();
    address->setCurrentIndex(index);
    Q_EMIT address->activated(index);
}

// Opens the download through the list's entry, with the file dialog answering path, and signs
// in to it; the next window offers it again.
void signInThroughTheEntry(const QString &path)
{
    {
        SignInWindow window;
        QStringList asked;
        window.dialog.setDownloadChooser([&](QWidget *parent) {
            asked.append(parent->windowTitle());
            return path;
        });
        auto *address = window.child<QComboBox>("direccion");
        chooseEntry(address, QStringLiteral("Abrir descarga de datos de una red…"));
        EXPECT_EQ(asked, QStringList{QStringLiteral("Iniciar sesión en Orvalin")});
        EXPECT_EQ(address->currentText(), path);
        EXPECT_FALSE(window.child<QLineEdit>("contrasena")->isEnabled());
        window.press(Qt::Key_Return);
        ASSERT_EQ(window.dialog.result(), QDialog::Accepted) << window.status().toStdString();
        EXPECT_EQ(window.dialog.signedInKind(), AccountChoice::Kind::Download);
        ASSERT_NE(window.dialog.takeClient(), nullptr);
        EXPECT_TRUE(window.m_remembered.find(path).has_value());
    }
    // Next time it is in the list, chosen, as an account file would be.
    SignInWindow again;
    auto *address = again.child<QComboBox>("direccion");
    EXPECT_GE(address->findData(path), 0);
    EXPECT_EQ(address->currentText(), path);
    again.m_remembered.forget(path);
}

} // namespace

TEST(NoKeyringTest, TheDownloadEntryOpensAZipOrAnUnpackedFolderAndRemembersIt)
{
    QTemporaryDir dir;
    const QString zip = dir.filePath(QStringLiteral("instagram-yo.zip"));
    ASSERT_TRUE(writeZip(zip, instagramLists()));
    signInThroughTheEntry(zip);

    const QString folder = dir.filePath(QStringLiteral("instagram-yo"));
    ASSERT_TRUE(writeFolder(folder, instagramLists()));
    signInThroughTheEntry(folder);
}

TEST(NoKeyringTest, TheFileDialogTakesAZipOrASelectedFolder)
{
    QTemporaryDir dir;
    const QString zip = dir.filePath(QStringLiteral("instagram-yo.zip"));
    ASSERT_TRUE(writeZip(zip, instagramLists()));
    const QString folder = dir.filePath(QStringLiteral("instagram-yo"));
    ASSERT_TRUE(writeFolder(folder, instagramLists()));
    const auto open = [&](const QString &path) {
        DownloadFileDialog dialog;
        dialog.setDirectory(dir.path());
        dialog.show();
        dialog.selectFile(QFileInfo(path).fileName());
        dialog.accept();
        return std::pair(dialog.result(), dialog.selectedFiles());
    };
    // A plain file dialog would step into the folder and stay open.
    EXPECT_EQ(open(folder), std::pair(int(QDialog::Accepted), QStringList{folder}));
    EXPECT_EQ(open(zip), std::pair(int(QDialog::Accepted), QStringList{zip}));
}

TEST(NoKeyringTest, CancellingTheDownloadDialogLeavesTheAddressAsItWas)
{
    SignInWindow window;
    int asked = 0;
    window.dialog.setDownloadChooser([&](QWidget *) {
        ++asked;
        return QString();
    });
    auto *address = window.child<QComboBox>("direccion");
    const QString entry = QStringLiteral("Abrir descarga de datos de una red…");
    // The entry comes after the account file's, whatever is remembered.
    EXPECT_EQ(address->findText(entry), address->count() - 1);
    EXPECT_EQ(address->findText(SignInDialog::fileEntry()), address->count() - 2);

    address->setEditText(QStringLiteral("ana@example.org"));
    chooseEntry(address, entry);
    EXPECT_EQ(asked, 1);
    EXPECT_EQ(address->currentText(), QStringLiteral("ana@example.org"));
    EXPECT_TRUE(window.child<QLineEdit>("contrasena")->isEnabled());

    // Cancelled over a list entry, that entry stays chosen.
    chooseEntry(address, SignInDialog::demoEntry());
    chooseEntry(address, entry);
    EXPECT_EQ(asked, 2);
    EXPECT_EQ(address->currentText(), SignInDialog::demoEntry());
    window.press(Qt::Key_Return);
    ASSERT_EQ(window.dialog.result(), QDialog::Accepted) << window.status().toStdString();
    EXPECT_EQ(window.dialog.signedInKind(), AccountChoice::Kind::Demo);
}

TEST(NoKeyringTest, KeyboardAloneReachesEveryFieldAndEnterSignsInToTheDemo)
{
    SignInWindow window;
    auto *addressField = window.child<QComboBox>("direccion");
    EXPECT_TRUE(addressField->isAncestorOf(window.focus()) || window.focus() == addressField);
    EXPECT_EQ(window.child<QLabel>("estado")->textFormat(), Qt::PlainText);
    window.type(QStringLiteral("ana@example.org"));
    window.press(Qt::Key_Tab);
    EXPECT_EQ(window.focus(), window.child<QLineEdit>("contrasena"));
    EXPECT_EQ(window.child<QLineEdit>("contrasena")->echoMode(), QLineEdit::Password);
    window.press(Qt::Key_Tab);
    EXPECT_EQ(window.focus(), window.child<QCheckBox>("recordar"));
    EXPECT_FALSE(window.child<QCheckBox>("recordar")->isChecked());
    EXPECT_FALSE(window.child<QCheckBox>("automatico")->isChecked());

    // No keyring here: ticking "Recordar contraseña" says so, once, and the box stays clear.
    window.press(Qt::Key_Space);
    EXPECT_TRUE(window.status().contains(u"no hay llavero del sistema en esta sesión") &&
                window.status().contains(u"se desmarcó «Recordar contraseña»"))
        << window.status().toStdString();
    EXPECT_FALSE(window.child<QCheckBox>("recordar")->isChecked());
    EXPECT_FALSE(window.child<QCheckBox>("recordar")->isEnabled());

    // Back to the address, which takes the demo entry by name; Enter signs in.
    auto *address = window.child<QComboBox>("direccion");
    address->setFocus();
    address->setEditText(SignInDialog::demoEntry());
    window.press(Qt::Key_Return);
    EXPECT_EQ(window.dialog.result(), QDialog::Accepted);
    const auto client = window.dialog.takeClient();
    ASSERT_NE(client, nullptr);
    EXPECT_EQ(client->serviceSet()->defaultService()->signInName(),
              QStringLiteral("lucia.ferrer@example.org"));
    // Remembered for the next start, preselected.
    EXPECT_EQ(window.m_remembered.lastUsed(), QStringLiteral("demo"));
}

TEST(NoKeyringTest, EscapeLeavesTheUserSignedOutAndTheMainWindowSaysSo)
{
    SignInWindow window;
    window.press(Qt::Key_Escape);
    EXPECT_EQ(window.dialog.result(), QDialog::Rejected);
    EXPECT_EQ(window.dialog.takeClient(), nullptr);

    RecordingReporter reporter;
    NoLinks links;
    Form1 form([] { return AccountChooser::signedOutClient(); }, reporter, links);
    EXPECT_EQ(form.load(), Form1::LoadResult::SignedOut);
    EXPECT_EQ(reporter.messages,
              QStringList{QStringLiteral(
                  "Debe Tener Iniciada Sesion en MSN Messenger para Utilizar este Programa")});
}

TEST(SignInWindowTest, WrongPasswordIsSaidThenTheRightOneSignsInAndIsKeptOnlyInTheKeyring)
{
    const TestServer &server = TestServer::instance();
    const QString address = server.jid(QStringLiteral("signin-user"));
    {
        SignInWindow window(reaching(server.port, server.caFile));
        window.type(address);
        window.press(Qt::Key_Tab);
        window.type(QStringLiteral("no-es-esta"));
        window.press(Qt::Key_Return);
        ASSERT_TRUE(eventually(
            [&] { return window.status().contains(u"rechazó el usuario o la contraseña"); }, 15000))
            << window.status().toStdString();
        EXPECT_TRUE(window.dialog.isVisible());
        EXPECT_EQ(window.focus(), window.child<QLineEdit>("contrasena"));

        window.type(QString::fromUtf8(server.password)); // replaces the selected wrong one
        window.press(Qt::Key_Tab);
        window.press(Qt::Key_Space); // "Recordar contraseña"
        ASSERT_TRUE(window.child<QCheckBox>("recordar")->isChecked());
        window.press(Qt::Key_Return);
        ASSERT_TRUE(eventually([&] { return window.dialog.result() == QDialog::Accepted; }, 15000))
            << window.status().toStdString();
        const auto client = window.dialog.takeClient();
        ASSERT_NE(client, nullptr);
        EXPECT_EQ(client->serviceSet()->defaultService()->signInName(), address);
    }
    EXPECT_EQ(Keyring(testKeyringService()).read(address).password, server.password);
    EXPECT_EQ(filesHolding(server.password), QStringList());

    // Next time: preselected, the password filled in from the keyring; then forgotten.
    SignInWindow again(reaching(server.port, server.caFile));
    EXPECT_EQ(again.child<QComboBox>("direccion")->currentText(), address);
    EXPECT_EQ(again.child<QLineEdit>("contrasena")->text().toUtf8(), server.password);
    QTest::mouseClick(again.child<QPushButton>("olvidar"), Qt::LeftButton);
    EXPECT_EQ(again.child<QComboBox>("direccion")->findText(address), -1);
    EXPECT_FALSE(again.m_remembered.find(address).has_value());
    EXPECT_EQ(Keyring(testKeyringService()).read(address).status, Keyring::Status::NotFound);
}

TEST(SignInWindowTest, CancelStopsAStalledTlsHandshakeAndTheWindowCanTryAgain)
{
    FakeXmppServer stalling(FakeXmppServer::Behaviour::StallTls);
    SignInWindow window(reaching(stalling.port()));
    window.type(QStringLiteral("ana@localhost"));
    window.press(Qt::Key_Tab);
    window.type(QStringLiteral("clave"));
    window.press(Qt::Key_Return);
    // The window goes on handling events while the handshake hangs: the step shows up.
    ASSERT_TRUE(eventually([&] { return stalling.handshakeStarted(); }, 10000))
        << window.status().toStdString();
    ASSERT_TRUE(eventually(
        [&] { return window.status() == QStringLiteral("Comprobando el certificado…"); }, 5000))
        << window.status().toStdString();

    window.press(Qt::Key_Escape);
    EXPECT_EQ(window.status(), QStringLiteral("Se canceló el inicio de sesión."));
    EXPECT_TRUE(window.dialog.isVisible());
    EXPECT_TRUE(window.child<QPushButton>("iniciarSesion")->isEnabled());
    // The connection is really dropped, not left running behind the window.
    EXPECT_TRUE(eventually([&] { return stalling.clientGone(); }, 5000));

    window.press(Qt::Key_Escape);
    EXPECT_EQ(window.dialog.result(), QDialog::Rejected);
}

TEST(SignInWindowTest, AStalledHandshakeTimesOutAndAServerWithoutTlsIsRefused)
{
    const auto failure = [](FakeXmppServer::Behaviour behaviour) {
        FakeXmppServer server(behaviour);
        XmppSettings settings;
        settings.jid = QStringLiteral("ana@localhost");
        settings.host = QStringLiteral("127.0.0.1");
        settings.port = server.port();
        settings.signInTimeLimit = std::chrono::milliseconds(300);
        settings.requestTimeLimit = std::chrono::milliseconds(100);
        XmppSignIn signIn(std::make_shared<PlainWaiter>());
        QSignalSpy failed(&signIn, &XmppSignIn::failed);
        QByteArray password = "clave";
        signIn.start(settings, password);
        EXPECT_TRUE(password.isEmpty());
        EXPECT_TRUE(failed.wait(10000));
        return failed.isEmpty() ? QString() : failed.first().first().toString();
    };
    const QString stalled = failure(FakeXmppServer::Behaviour::StallTls);
    EXPECT_TRUE(stalled.contains(u"el servidor no respondió en 0.3 s")) << stalled.toStdString();
    const QString plain = failure(FakeXmppServer::Behaviour::NoTls);
    EXPECT_TRUE(plain.contains(u"no ofrece una conexión cifrada")) << plain.toStdString();
}

TEST(SignInWindowTest, TheAuditSignsInWithTheRememberedFieldsAndTheKeyringsPassword)
{
    const TestServer &server = TestServer::instance();
    const QString address = server.jid(QStringLiteral("signin-user"));
    RememberedAccounts remembered(
        RememberedAccounts::pathFor(QProcessEnvironment::systemEnvironment()));
    remembered.save(
        {address, QStringLiteral("127.0.0.1"), server.port, server.caFile, true, false});
    // orvalin-audit reads the program's own entries, not the tests'.
    const Keyring keyring;
    ASSERT_EQ(keyring.write(address, server.password).status, Keyring::Status::Ok);

    QString output;
    QString errors;
    QTextStream out(&output);
    QTextStream err(&errors);
    const int status =
        AuditTool::run({QStringLiteral("--account"), address, QStringLiteral("scan")},
                       QProcessEnvironment::systemEnvironment(), out, err);
    out.flush();
    err.flush();
    EXPECT_EQ(status, AuditTool::Done) << errors.toStdString();
    EXPECT_TRUE(output.contains(u"No hay Zorko en tu lista")) << output.toStdString();
    keyring.remove(address);
    remembered.forget(address);
}

namespace {

// The state a second start finds: the account remembered as the last one used, with its
// password in the keyring.
class RememberedSignIn
{
public:
    RememberedSignIn()
        : server(TestServer::instance()), address(server.jid(QStringLiteral("signin-user"))),
          m_remembered(testHome() + QStringLiteral("/config/orvalin/orvalin.conf")),
          m_keyring(testKeyringService())
    {
        m_remembered.save(
            {address, QStringLiteral("127.0.0.1"), server.port, server.caFile, true, false});
        m_remembered.setLastUsed(address);
        EXPECT_EQ(m_keyring.write(address, server.password).status, Keyring::Status::Ok);
    }
    ~RememberedSignIn()
    {
        m_keyring.remove(address);
        m_remembered.forget(address);
    }

    // Opens the window as the second start does and checks what it shows first.
    std::unique_ptr<SignInWindow> open() const
    {
        auto window = std::make_unique<SignInWindow>();
        EXPECT_EQ(window->child<QComboBox>("direccion")->currentText(), address);
        EXPECT_EQ(window->child<QLineEdit>("contrasena")->text().toUtf8(), server.password);
        return window;
    }

    const TestServer &server;
    const QString address;

private:
    RememberedAccounts m_remembered;
    Keyring m_keyring;
};

// One Enter, and nothing else, signs in.
void expectSignedInByOneEnter(SignInWindow &window, QWidget *target)
{
    ASSERT_NE(target, nullptr);
    QTest::keyClick(target, Qt::Key_Return);
    ASSERT_TRUE(eventually([&] { return window.dialog.result() == QDialog::Accepted; }, 15000))
        << window.status().toStdString();
    EXPECT_NE(window.dialog.takeClient(), nullptr);
}

} // namespace

TEST(SignInWindowTest, AtTheSecondStartOneEnterInTheAddressSignsIn)
{
    const RememberedSignIn remembered;
    const auto window = remembered.open();
    auto *address = window->child<QComboBox>("direccion");
    ASSERT_TRUE(window->focus() == address || window->focus() == address->lineEdit());
    expectSignedInByOneEnter(*window, window->focus());
}

TEST(SignInWindowTest, AtTheSecondStartOneEnterInThePasswordSignsIn)
{
    const RememberedSignIn remembered;
    const auto window = remembered.open();
    window->press(Qt::Key_Tab);
    ASSERT_EQ(window->focus(), window->child<QLineEdit>("contrasena"));
    expectSignedInByOneEnter(*window, window->focus());
}

TEST(SignInWindowTest, OneEnterOnTheAddressCompletionChoosesItAndSignsIn)
{
    const RememberedSignIn remembered;
    const auto window = remembered.open();
    auto *address = window->child<QComboBox>("direccion");
    // The user types the start of the address over it, in another case; the list offers the
    // whole of it, and the password comes back from the keyring once it is chosen.
    address->lineEdit()->selectAll();
    window->type(remembered.address.left(6).toUpper());
    EXPECT_TRUE(window->child<QLineEdit>("contrasena")->text().isEmpty() ||
                window->child<QLineEdit>("contrasena")->text().toUtf8() ==
                    remembered.server.password);
    QAbstractItemView *popup = address->completer()->popup();
    ASSERT_TRUE(eventually([&] { return popup->isVisible(); }, 2000));
    QTest::keyClick(popup, Qt::Key_Down);
    ASSERT_TRUE(popup->currentIndex().isValid());
    QTest::keyClick(popup, Qt::Key_Return);
    EXPECT_FALSE(popup->isVisible());
    EXPECT_EQ(address->currentText(), remembered.address);
    ASSERT_TRUE(eventually([&] { return window->dialog.result() == QDialog::Accepted; }, 15000))
        << window->status().toStdString();
    EXPECT_NE(window->dialog.takeClient(), nullptr);
}

TEST(SignInWindowTest, TheCompletionOffersRememberedAccountsOnlyNeverTheListsOwnEntries)
{
    const RememberedSignIn remembered;
    const auto window = remembered.open();
    auto *address = window->child<QComboBox>("direccion");
    // "Abrir archivo de cuenta…" and "Abrir descarga…" start with an "a" as many addresses do:
    // a list popping up with them would take the keys meant for the address.
    QCompleter *completer = address->completer();
    completer->setCompletionPrefix(QStringLiteral("A"));
    for (int row = 0; row < completer->completionCount(); ++row) {
        completer->setCurrentRow(row);
        EXPECT_FALSE(completer->currentCompletion().startsWith(QStringLiteral("Abrir")))
            << completer->currentCompletion().toStdString();
    }
    completer->setCompletionPrefix(remembered.address.left(3).toUpper());
    EXPECT_EQ(completer->completionCount(), 1);
    EXPECT_EQ(completer->currentCompletion(), remembered.address);
}

TEST(SignInWindowTest, OneEnterSignsInWithTheWholeAddressTypedWhileTheListIsOpen)
{
    const RememberedSignIn remembered;
    const auto window = remembered.open();
    auto *address = window->child<QComboBox>("direccion");
    address->lineEdit()->selectAll();
    window->type(remembered.address);
    QAbstractItemView *popup = address->completer()->popup();
    ASSERT_TRUE(eventually([&] { return popup->isVisible(); }, 2000));
    QTest::keyClick(popup, Qt::Key_Enter, Qt::KeypadModifier);
    EXPECT_EQ(window->child<QLineEdit>("contrasena")->text().toUtf8(), remembered.server.password);
    ASSERT_TRUE(eventually([&] { return window->dialog.result() == QDialog::Accepted; }, 15000))
        << window->status().toStdString();
}

// keyring-session.sh, with the collection locked by the test after the password was kept.
TEST(LockedKeyringTest, TheSecondStartSaysOnceWhyThePasswordIsMissingAndThatRememberWentOff)
{
    const RememberedSignIn remembered;
    ASSERT_TRUE(lockKeyring());
    SignInWindow window;
    EXPECT_EQ(window.child<QComboBox>("direccion")->currentText(), remembered.address);
    EXPECT_TRUE(window.child<QLineEdit>("contrasena")->text().isEmpty());
    const QString said = window.status();
    EXPECT_TRUE(said.contains(u"no se dio permiso para usar el llavero del sistema") &&
                said.contains(u"se desmarcó «Recordar contraseña»"))
        << said.toStdString();
    EXPECT_FALSE(window.child<QCheckBox>("recordar")->isChecked());
    EXPECT_FALSE(window.child<QCheckBox>("recordar")->isEnabled());

    // The user types the password and signs in; the keyring is not asked again.
    window.press(Qt::Key_Tab);
    window.type(QString::fromUtf8(remembered.server.password));
    window.press(Qt::Key_Return);
    ASSERT_TRUE(eventually([&] { return window.dialog.result() == QDialog::Accepted; }, 15000))
        << window.status().toStdString();
    EXPECT_FALSE(window.m_remembered.find(remembered.address)->rememberPassword);
}

TEST(LockedKeyringTest, TheAuditSaysOnceOnStderrThatTheKeyringIsLockedAndPromptsNothing)
{
    const TestServer &server = TestServer::instance();
    const QString address = server.jid(QStringLiteral("signin-user"));
    RememberedAccounts remembered(
        RememberedAccounts::pathFor(QProcessEnvironment::systemEnvironment()));
    remembered.save(
        {address, QStringLiteral("127.0.0.1"), server.port, server.caFile, true, false});
    ASSERT_EQ(Keyring().write(address, server.password).status, Keyring::Status::Ok);
    ASSERT_TRUE(lockKeyring());

    QString output;
    QString errors;
    QTextStream out(&output);
    QTextStream err(&errors);
    const int status =
        AuditTool::run({QStringLiteral("--account"), address, QStringLiteral("scan")},
                       QProcessEnvironment::systemEnvironment(), out, err);
    err.flush();
    EXPECT_NE(status, AuditTool::Done);
    EXPECT_EQ(errors.count(QStringLiteral("el llavero del sistema está bloqueado")), 1)
        << errors.toStdString();
    EXPECT_TRUE(errors.contains(address)) << errors.toStdString();
    remembered.forget(address);
}
