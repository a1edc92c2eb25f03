#include "platform/history/HistoryStore.h"
#include "tests/audit/AuditRun.h"
#include "tests/messenger/FileSizeLimit.h"
#include "tests/support/AccountFileWriter.h"
#include "tools/audit/AuditTool.h"

#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QTemporaryDir>
#include <QTextStream>
#include <gtest/gtest.h>

// orvalin-audit's history commands over an account file, with the history in a folder of the
// test's own.

namespace {

class HistoryCommandsTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        m_savedDataHome = qgetenv("XDG_DATA_HOME");
        qputenv("XDG_DATA_HOME", m_dir.filePath("data").toLocal8Bit());
        m_contacts = {"ana@x", "bea@x", "ciro@x", "dani@x"};
        m_reverse = {"bea@x", "ciro@x", "dani@x"};
        writeAccount();
    }
    void TearDown() override { qputenv("XDG_DATA_HOME", m_savedDataHome); }

    void writeAccount()
    {
        ASSERT_TRUE(writeAccountFile(m_dir.filePath("cuenta.json"), m_contacts, m_reverse));
    }

    Outcome run(const QStringList &arguments) const
    {
        return runAudit(arguments, m_dir.filePath("cuenta.json"));
    }

    QTemporaryDir m_dir;
    QByteArray m_savedDataHome;
    QStringList m_contacts;
    QStringList m_reverse;
};

} // namespace

TEST_F(HistoryCommandsTest, ChangesNamesWhoDroppedTheUserSinceTheLastScan)
{
    const Outcome first = run({"changes"});
    EXPECT_EQ(first.status, 0) << first.err.toStdString();
    EXPECT_TRUE(first.out.startsWith("No hay ningún análisis anterior de yo@example.org"))
        << first.out.toStdString();

    ASSERT_EQ(run({"scan"}).status, 0);
    m_reverse.removeAll("ciro@x"); // ciro drops the user
    m_reverse.append("ana@x");     // ana adds the user back
    writeAccount();
    ASSERT_EQ(run({"scan"}).status, 0);

    const Outcome table = run({"changes"});
    EXPECT_EQ(table.status, 0) << table.err.toStdString();
    const QStringList lines = table.out.split('\n', Qt::SkipEmptyParts);
    ASSERT_EQ(lines.size(), 4) << table.out.toStdString();
    EXPECT_TRUE(lines.at(1).startsWith("Nuevo Zorko") && lines.at(1).contains("ciro@x"));
    EXPECT_TRUE(lines.at(2).startsWith("Te volvió a agregar") && lines.at(2).contains("ana@x"));
    const QString today = QDate::currentDate().toString("d");
    EXPECT_TRUE(lines.last().startsWith("1 nuevo Zorko desde el " + today + " de "))
        << lines.last().toStdString();

    // The option may stand before the command, and in its --name=value spelling.
    const QJsonObject json =
        QJsonDocument::fromJson(run({"--format=json", "changes"}).out.toUtf8()).object();
    ASSERT_EQ(json.value("new").toArray().size(), 1);
    EXPECT_EQ(json.value("new").toArray().at(0).toObject().value("EmailAddress"), "ciro@x");
    EXPECT_EQ(json.value("addedBack").toArray().size(), 1);

    const Outcome csv = run({"changes", "--format", "csv"});
    EXPECT_TRUE(csv.out.startsWith("Change,EmailAddress,FriendlyName,Time\r\nnew,ciro@x,CIRO,"))
        << csv.out.toStdString();

    const Outcome early = run({"changes", "--since", "2000-01-01"});
    EXPECT_EQ(early.status, 0);
    EXPECT_TRUE(early.out.contains("anterior al 1 de enero de 2000")) << early.out.toStdString();
    EXPECT_EQ(run({"changes", "--since", "ayer"}).status, AuditTool::UsageError);
}

TEST_F(HistoryCommandsTest, KeptContactsAreMarkedAndNeverRemoved)
{
    const Outcome added = run({"keep", "add", "ana@x", "ana@x"});
    EXPECT_EQ(added.status, 0);
    EXPECT_EQ(added.out, "Protegido: ana@x (cuenta yo@example.org)\n");
    EXPECT_EQ(run({"keep", "list"}).out, "Contactos protegidos de yo@example.org:\nana@x\n");

    const Outcome scan = run({"scan"});
    EXPECT_TRUE(scan.out.startsWith(
        "EmailAddress  FriendlyName  Protegido\nana@x         ANA           sí\n"))
        << scan.out.toStdString();
    EXPECT_TRUE(run({"scan", "--format", "csv"})
                    .out.startsWith("EmailAddress,FriendlyName,Protegido\r\nana@x,ANA,sí\r\n"));
    const QJsonObject json =
        QJsonDocument::fromJson(run({"scan", "--format", "json"}).out.toUtf8()).object();
    EXPECT_TRUE(json.value("zorkos").toArray().at(0).toObject().value("kept").toBool());

    const Outcome refused = run({"remove", "ana@x"});
    EXPECT_EQ(refused.status, AuditTool::Incomplete);
    EXPECT_EQ(refused.out, "Protegido: ana@x (está en tu lista de contactos protegidos de "
                           "yo@example.org)\n"
                           "Aun tienes 1 En tu Lista\n");
    QFile file(m_dir.filePath("cuenta.json"));
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    EXPECT_TRUE(file.readAll().contains("ana@x"));

    EXPECT_EQ(run({"keep", "remove", "ana@x"}).out,
              "Ya no está protegido: ana@x (cuenta yo@example.org)\n");
    EXPECT_EQ(run({"remove", "ana@x"}).status, 0);
    const Outcome history = run({"history", "ana@x"});
    EXPECT_EQ(history.status, 0);
    EXPECT_TRUE(history.out.contains("lo eliminaste el")) << history.out.toStdString();
    EXPECT_TRUE(history.out.endsWith("ana@x: 1 periodo como Zorko, eliminado por ti 1 vez\n"));
}

TEST_F(HistoryCommandsTest, AnUnreadableKeepListRemovesNobodyAndSaysWhyOnce)
{
    ASSERT_EQ(run({"keep", "add", "ana@x"}).status, 0);
    const QString history = m_dir.filePath("data/orvalin/history.sqlite");
    const auto expectRefused = [&](const char *remedy) {
        const Outcome refused = run({"remove", "ana@x", "ciro@x"});
        EXPECT_EQ(refused.status, AuditTool::Failure);
        EXPECT_TRUE(refused.out.isEmpty()) << refused.out.toStdString();
        const QStringList lines = refused.err.split('\n', Qt::SkipEmptyParts);
        ASSERT_FALSE(lines.isEmpty());
        const QString &sentence = lines.last();
        EXPECT_TRUE(sentence.startsWith("orvalin-audit: No se eliminó ningún contacto: "))
            << refused.err.toStdString();
        EXPECT_TRUE(sentence.contains(history)) << sentence.toStdString();
        EXPECT_TRUE(sentence.contains(QString::fromUtf8(remedy))) << sentence.toStdString();
        QFile file(m_dir.filePath("cuenta.json"));
        ASSERT_TRUE(file.open(QIODevice::ReadOnly));
        const QByteArray account = file.readAll();
        EXPECT_TRUE(account.contains("ana@x"));
        EXPECT_TRUE(account.contains("ciro@x"));
    };
    {
        // Another program holds the file, readers shut out, for as long as the removal runs.
        QProcess holder;
        holder.start(QStringLiteral("sqlite3"), {history});
        ASSERT_TRUE(holder.waitForStarted());
        holder.write("PRAGMA locking_mode=EXCLUSIVE;\nBEGIN EXCLUSIVE;\nSELECT 'held';\n");
        QByteArray answer;
        while (!answer.endsWith("held\n") && holder.waitForReadyRead(5000))
            answer += holder.readAllStandardOutput();
        ASSERT_TRUE(answer.endsWith("held\n")) << answer.constData();
        expectRefused("cierra el programa que lo tiene abierto");
        holder.closeWriteChannel();
        ASSERT_TRUE(holder.waitForFinished(5000));
    }
    {
        // A full disk: no file may grow, so the history's shared index cannot be made.
        const FileSizeLimit full(16);
        expectRefused("libera espacio");
    }
    // A damaged file, its write-ahead log gone with it.
    QFile::remove(history + "-wal");
    QFile::remove(history + "-shm");
    QFile file(history);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
    file.write(QByteArray(4096, 'x'));
    file.close();
    expectRefused("aparta el archivo");
}

TEST_F(HistoryCommandsTest, ForgetDeletesTheAccountsHistoryAfterConfirmation)
{
    ASSERT_EQ(run({"keep", "add", "ana@x"}).status, 0);
    ASSERT_EQ(run({"scan"}).status, 0);
    ASSERT_EQ(run({"scan"}).status, 0);
    const Outcome forgotten = run({"history", "--forget", "--yes"});
    EXPECT_EQ(forgotten.status, 0);
    EXPECT_EQ(forgotten.out, "Borrados de yo@example.org: 2 análisis, 0 eliminaciones "
                             "registradas y 1 contacto protegido.\n");
    HistoryStore store(HistoryStore::defaultPath());
    EXPECT_TRUE(store.snapshots("yo@example.org").isEmpty());
    EXPECT_TRUE(store.keptAddresses("yo@example.org").isEmpty());
    EXPECT_EQ(run({"history", "--forget", "--yes"}).out,
              "No había nada que borrar de yo@example.org: ningún análisis, ninguna eliminación "
              "ni ningún contacto protegido.\n");

    for (const QStringList &bad : QList<QStringList>{{"keep", "remove"},
                                                     {"keep"},
                                                     {"history"},
                                                     {"changes", "--since"},
                                                     {"changes", "ana@x"},
                                                     {"keep", "wipe", "ana@x"}}) {
        const Outcome refused = run(bad);
        EXPECT_EQ(refused.status, AuditTool::UsageError) << bad.join(' ').toStdString();
        EXPECT_TRUE(refused.err.startsWith("orvalin-audit: ")) << refused.err.toStdString();
    }
    EXPECT_EQ(run({"history", "--yes", "ana@x"}).status, AuditTool::UsageError);
    EXPECT_EQ(run({"keep", "--notify", "list"}).status, AuditTool::UsageError);
}

TEST_F(HistoryCommandsTest, KeepAddChecksEachAddressAndStoresOnlyContactsUnlessForced)
{
    // A malformed address is named with what is wrong, and nothing of the command is stored.
    const QByteArray latin1 = QByteArray("bea") + char(0xe9) + "@x";
    const Outcome bad = run({"keep", "add", "ana@x", "sin-arroba", "con espacio@x", "--", "-ana@x",
                             QString::fromUtf8(latin1)});
    EXPECT_EQ(bad.status, AuditTool::UsageError);
    EXPECT_TRUE(bad.out.isEmpty()) << bad.out.toStdString();
    for (const char *expected :
         {"«sin-arroba» no es una dirección válida: le falta la «@»",
          "«con espacio@x» no es una dirección válida: tiene espacios",
          "«-ana@x» no es una dirección válida: empieza por «-»",
          "no es una dirección válida: no es texto UTF-8 válido", "no se protegió ningún contacto"})
        EXPECT_TRUE(bad.err.contains(QString::fromUtf8(expected))) << bad.err.toStdString();
    EXPECT_EQ(run({"keep", "list"}).out, "yo@example.org no tiene contactos protegidos.\n");

    // An address not on the contact list is said, and kept only when asked with --force.
    const Outcome absent = run({"keep", "add", "ana@x", "zoe@x"});
    EXPECT_EQ(absent.status, AuditTool::Incomplete);
    EXPECT_EQ(absent.out, "Protegido: ana@x (cuenta yo@example.org)\n"
                          "No protegido: zoe@x (no está en la lista de contactos de "
                          "yo@example.org; use --force para protegerlo igualmente)\n");
    const Outcome forced = run({"keep", "add", "--force", "zoe@x", "ana@x"});
    EXPECT_EQ(forced.status, AuditTool::Done) << forced.err.toStdString();
    EXPECT_EQ(forced.out, "Protegido: zoe@x (cuenta yo@example.org; no está en su lista de "
                          "contactos)\n"
                          "Ya estaba protegido: ana@x (cuenta yo@example.org)\n");
    EXPECT_EQ(run({"keep", "list"}).out, "Contactos protegidos de yo@example.org:\nana@x\nzoe@x\n");
    EXPECT_EQ(run({"keep", "remove", "--force", "zoe@x"}).status, AuditTool::UsageError);
    EXPECT_EQ(run({"scan", "--force"}).status, AuditTool::UsageError);
}

TEST_F(HistoryCommandsTest, WithNoAccountNamedKeepSaysItUsesTheDemoAccount)
{
    QProcessEnvironment environment;
    environment.insert("XDG_CONFIG_HOME", m_dir.filePath("config"));
    const Outcome added = runAudit({"keep", "add", "pablo.marin@example.com"}, environment);
    EXPECT_TRUE(added.err.contains("se usa la cuenta de demostración, lucia.ferrer@example.org"))
        << added.err.toStdString();
    EXPECT_TRUE(added.out.contains("(cuenta lucia.ferrer@example.org")) << added.out.toStdString();
    const Outcome listed = runAudit({"keep", "list"}, environment);
    EXPECT_TRUE(listed.err.contains("cuenta de demostración")) << listed.err.toStdString();
    EXPECT_TRUE(listed.out.startsWith("Contactos protegidos de lucia.ferrer@example.org:\n"))
        << listed.out.toStdString();
    // A named account is used without a word about the demo.
    EXPECT_FALSE(run({"keep", "list"}).err.contains("demostración"));
}
