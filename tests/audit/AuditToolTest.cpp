#include "tools/audit/AuditTool.h"
#include "platform/history/HistoryStore.h"
#include "platform/messenger/AccountFile.h"
#include "tests/audit/AuditRun.h"
#include "tests/messenger/FileSizeLimit.h"

#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QTemporaryDir>
#include <QTextStream>
#include <gtest/gtest.h>

namespace {

QJsonArray entries(const QList<QPair<QString, QString>> &users)
{
    QJsonArray array;
    for (const auto &[address, name] : users)
        array.append(QJsonObject{{"EmailAddress", address}, {"FriendlyName", name}});
    return array;
}

// RFC 4180 records, CRLF between them.
QList<QStringList> parseCsv(const QString &text)
{
    QList<QStringList> records;
    QStringList record;
    QString field;
    bool quoted = false;
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar c = text.at(i);
        if (quoted) {
            if (c == '"' && i + 1 < text.size() && text.at(i + 1) == '"') {
                field += '"';
                ++i;
            } else if (c == '"') {
                quoted = false;
            } else {
                field += c;
            }
        } else if (c == '"') {
            quoted = true;
        } else if (c == ',') {
            record.append(field);
            field.clear();
        } else if (c == '\r' && i + 1 < text.size() && text.at(i + 1) == '\n') {
            record.append(field);
            records.append(record);
            record.clear();
            field.clear();
            ++i;
        } else {
            field += c;
        }
    }
    EXPECT_TRUE(field.isEmpty() && record.isEmpty()) << "last record not ended by CRLF";
    return records;
}

class AuditToolTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        m_contacts = {{"ana@example.org", "Ana"},
                      {"Beto@example.org", "Beto, el \"Rápido\""},
                      {"carla@example.org", "Carla"},
                      {"dani@example.org", "Dani\nDos líneas"},
                      {"eva@example.org", "Eva"}};
        m_reverse = {{"beto@example.org", "Beto"},
                     {"carla@example.org", "Carla"},
                     {"zoe@example.org", "Zoe"}};
        writeAccount();
    }

    void writeAccount(int signInState = 2)
    {
        const QJsonObject root{{"signInState", signInState},
                               {"signInName", "yo@example.org"},
                               {"displayName", "Yo"},
                               {"contactList", entries(m_contacts)},
                               {"reverseList", entries(m_reverse)}};
        writeRaw(QJsonDocument(root).toJson());
    }

    void writeRaw(const QByteArray &content)
    {
        QFile file(path());
        ASSERT_TRUE(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
        file.write(content);
    }

    QString path() const { return m_dir.filePath(QStringLiteral("cuenta.json")); }

    QByteArray fileContent() const
    {
        QFile file(path());
        EXPECT_TRUE(file.open(QIODevice::ReadOnly));
        return file.readAll();
    }

    QStringList contactsInFile() const
    {
        QStringList result;
        const AccountFile file(path()); // kept alive: the loop reads its list
        for (const MessengerUser &user : file.account().contactList)
            result.append(user.member(u"EmailAddress"));
        return result;
    }

    Outcome run(const QStringList &arguments) const { return runAudit(arguments, path()); }

    QTemporaryDir m_dir;
    QList<QPair<QString, QString>> m_contacts;
    QList<QPair<QString, QString>> m_reverse;
};

} // namespace

TEST_F(AuditToolTest, ScanTableIsAlignedAndEndsWithTheCaption)
{
    const Outcome outcome = run({"scan"});
    EXPECT_EQ(outcome.status, 0);
    EXPECT_EQ(outcome.err, QString());
    const QStringList lines = outcome.out.split('\n');
    ASSERT_EQ(lines.size(), 8) << outcome.out.toStdString();
    EXPECT_TRUE(lines.at(0).startsWith(QStringLiteral("EmailAddress ")));
    const qsizetype column = lines.at(0).indexOf(QStringLiteral("FriendlyName"));
    const QStringList expected = {"ana@example.org", "Beto@example.org", "dani@example.org",
                                  "eva@example.org"};
    for (int i = 0; i < expected.size(); ++i) {
        EXPECT_TRUE(lines.at(i + 1).startsWith(expected.at(i) + ' '))
            << lines.at(i + 1).toStdString();
        EXPECT_NE(lines.at(i + 1).at(column), QLatin1Char(' ')) << lines.at(i + 1).toStdString();
        EXPECT_EQ(lines.at(i + 1).at(column - 1), QLatin1Char(' '));
    }
    // The line break inside a name is escaped so that each row stays one line.
    EXPECT_TRUE(lines.at(3).endsWith(QStringLiteral("Dani\\x0aDos líneas")));
    EXPECT_EQ(lines.at(6), QStringLiteral("Tienes 4 Zorko en tu Lista"));
    EXPECT_EQ(lines.at(7), QString());
}

TEST_F(AuditToolTest, ScanCsvAndJsonGiveTheNamesExactly)
{
    const Outcome csv = run({"scan", "--format", "csv"});
    EXPECT_EQ(csv.status, 0);
    const QList<QStringList> records = parseCsv(csv.out);
    ASSERT_EQ(records.size(), 5);
    EXPECT_EQ(records.at(0), QStringList({"EmailAddress", "FriendlyName"}));
    EXPECT_EQ(records.at(1), QStringList({"ana@example.org", "Ana"}));
    EXPECT_EQ(records.at(2), QStringList({"Beto@example.org", "Beto, el \"Rápido\""}));
    EXPECT_EQ(records.at(3), QStringList({"dani@example.org", "Dani\nDos líneas"}));
    EXPECT_FALSE(csv.out.contains(QStringLiteral("Tienes")));

    const Outcome json = run({"scan", "--format=json"});
    EXPECT_EQ(json.status, 0);
    const QJsonObject root = QJsonDocument::fromJson(json.out.toUtf8()).object();
    EXPECT_EQ(root.value("count").toInt(), 4);
    EXPECT_EQ(root.value("caption").toString(), QStringLiteral("Tienes 4 Zorko en tu Lista"));
    const QJsonArray zorkos = root.value("zorkos").toArray();
    ASSERT_EQ(zorkos.size(), 4);
    EXPECT_EQ(zorkos.at(1).toObject().value("EmailAddress").toString(),
              QStringLiteral("Beto@example.org"));
    EXPECT_EQ(zorkos.at(2).toObject().value("FriendlyName").toString(),
              QStringLiteral("Dani\nDos líneas"));
}

TEST_F(AuditToolTest, ScanWithNobodyMissing)
{
    m_contacts = {{"carla@example.org", "Carla"}};
    writeAccount();
    const Outcome table = run({"scan"});
    EXPECT_EQ(table.status, 0);
    EXPECT_TRUE(table.out.endsWith(QStringLiteral("\nNo hay Zorko en tu lista\n")));
    const Outcome json = run({"scan", "--format", "json"});
    const QJsonObject root = QJsonDocument::fromJson(json.out.toUtf8()).object();
    EXPECT_EQ(root.value("count").toInt(), 0);
    EXPECT_EQ(root.value("zorkos").toArray().size(), 0);
    EXPECT_EQ(parseCsv(run({"scan", "--format", "csv"}).out).size(), 1);
}

TEST_F(AuditToolTest, TableEscapesTerminalControlsButOtherFormatsKeepThem)
{
    const QString hostile = QStringLiteral("\x1b[2J\x1b]0;pwned\x07") + QChar(0x202E) + "Eva";
    m_contacts = {{"eva@example.org", hostile}};
    writeAccount();
    const Outcome table = run({"scan"});
    EXPECT_FALSE(table.out.contains(QChar(0x1b)));
    EXPECT_FALSE(table.out.contains(QChar(0x07)));
    EXPECT_FALSE(table.out.contains(QChar(0x202E)));
    EXPECT_TRUE(table.out.contains(QStringLiteral("\\x1b[2J\\x1b]0;pwned\\x07\\u202eEva")));

    const QList<QStringList> records = parseCsv(run({"scan", "--format", "csv"}).out);
    ASSERT_EQ(records.size(), 2);
    EXPECT_EQ(records.at(1).at(1), hostile);
}

TEST_F(AuditToolTest, RemoveTakesListedContactsOffTheAccountFile)
{
    const Outcome outcome = run({"remove", "eva@example.org", "ana@example.org"});
    EXPECT_EQ(outcome.status, 0) << outcome.err.toStdString();
    // Removed in the list's order, whatever the order given.
    EXPECT_EQ(outcome.out, QStringLiteral("Eliminado: ana@example.org\n"
                                          "Eliminado: eva@example.org\n"
                                          "Aun tienes 2 En tu Lista\n"));
    EXPECT_EQ(contactsInFile(),
              QStringList({"Beto@example.org", "carla@example.org", "dani@example.org"}));

    const Outcome json =
        run({"remove", "--format", "json", "Beto@example.org", "dani@example.org"});
    EXPECT_EQ(json.status, 0);
    const QJsonObject root = QJsonDocument::fromJson(json.out.toUtf8()).object();
    EXPECT_EQ(root.value("removed").toArray(),
              QJsonArray({"Beto@example.org", "dani@example.org"}));
    EXPECT_EQ(root.value("failed").toArray().size(), 0);
    EXPECT_EQ(root.value("count").toInt(), 0);
    EXPECT_EQ(root.value("caption").toString(), QStringLiteral("Ya no hay zorko en tu Lista"));
    EXPECT_EQ(contactsInFile(), QStringList({"carla@example.org"}));
}

TEST_F(AuditToolTest, NeverRemovesAnAddressTheScanDoesNotList)
{
    const QByteArray before = fileContent();
    // A mutual contact, a case variant of a listed one, someone unknown.
    const Outcome outcome = run({"remove", "carla@example.org", "beto@example.org",
                                 "ANA@example.org", "zoe@example.org", "nadie@example.org"});
    EXPECT_EQ(outcome.status, 1);
    EXPECT_EQ(fileContent(), before);
    EXPECT_EQ(outcome.out.count(QStringLiteral("No listado: ")), 5);
    EXPECT_TRUE(outcome.out.endsWith(QStringLiteral("Aun tienes 4 En tu Lista\n")));

    const Outcome mixed =
        run({"remove", "--format", "csv", "nadie@example.org", "ana@example.org"});
    EXPECT_EQ(mixed.status, 1);
    const QList<QStringList> records = parseCsv(mixed.out);
    ASSERT_EQ(records.size(), 3);
    EXPECT_EQ(records.at(0), QStringList({"EmailAddress", "Result", "Reason"}));
    EXPECT_EQ(records.at(1), QStringList({"ana@example.org", "removed", ""}));
    EXPECT_EQ(records.at(2).mid(0, 2), QStringList({"nadie@example.org", "notListed"}));
    EXPECT_FALSE(contactsInFile().contains(QStringLiteral("ana@example.org")));
}

TEST_F(AuditToolTest, AFailedRemovalIsReportedWithTheClientsReason)
{
    const QByteArray before = fileContent();
    Outcome outcome;
    {
        // Held open, the history needs no file to grow for its keep list to be read.
        const HistoryStore history(HistoryStore::defaultPath());
        const FileSizeLimit limit(16);
        outcome = run({"remove", "--format", "json", "ana@example.org"});
    }
    EXPECT_EQ(outcome.status, 1);
    EXPECT_EQ(fileContent(), before);
    const QJsonObject root = QJsonDocument::fromJson(outcome.out.toUtf8()).object();
    EXPECT_EQ(root.value("removed").toArray().size(), 0);
    const QJsonArray failed = root.value("failed").toArray();
    ASSERT_EQ(failed.size(), 1);
    EXPECT_EQ(failed.at(0).toObject().value("EmailAddress").toString(),
              QStringLiteral("ana@example.org"));
    EXPECT_TRUE(failed.at(0).toObject().value("reason").toString().contains(
        QStringLiteral("no se puede guardar")));
    EXPECT_EQ(root.value("caption").toString(), QStringLiteral("Aun tienes 4 En tu Lista"));
}

TEST_F(AuditToolTest, ExitStatusForUsageSignedOutAndFailures)
{
    const Outcome usage = run({"remove"});
    EXPECT_EQ(usage.status, 2);
    EXPECT_EQ(usage.out, QString());
    EXPECT_EQ(usage.err.count('\n'), 1);
    EXPECT_TRUE(usage.err.contains(QStringLiteral("remove necesita al menos una dirección")));

    writeAccount(1);
    const Outcome signedOut = run({"scan"});
    EXPECT_EQ(signedOut.status, 3);
    EXPECT_EQ(signedOut.out, QString());
    EXPECT_EQ(signedOut.err,
              QStringLiteral(
                  "Debe Tener Iniciada Sesion en MSN Messenger para Utilizar este Programa\n"));

    writeRaw("{\"signInState\": 2,");
    const Outcome badFile = run({"scan"});
    EXPECT_EQ(badFile.status, 4);
    EXPECT_TRUE(badFile.err.contains(path()));
    EXPECT_TRUE(badFile.err.contains(QStringLiteral("JSON no válido")));

    m_contacts.clear();
    for (int i = 0; i < 32768; ++i)
        m_contacts.append({QStringLiteral("c%1@example.org").arg(i), QString()});
    m_reverse.clear();
    writeAccount();
    const Outcome overflow = run({"scan", "--format", "json"});
    EXPECT_EQ(overflow.status, 4);
    EXPECT_EQ(overflow.out, QString());
    EXPECT_TRUE(overflow.err.contains(QStringLiteral("32767")));
}

TEST_F(AuditToolTest, CsvFieldsThatLookLikeFormulasAreQuotedAsText)
{
    m_contacts = {{"=cmd@example.org", "=HYPERLINK(\"http://x\",\"y\")"},
                  {"+1@example.org", "-2+3"},
                  {"@a@example.org", "\tTab"},
                  {"r@example.org", "\rCR"},
                  {"ok@example.org", "a=b"}};
    m_reverse.clear();
    writeAccount();
    const QList<QStringList> records = parseCsv(run({"scan", "--format", "csv"}).out);
    ASSERT_EQ(records.size(), 6);
    EXPECT_EQ(records.at(1), QStringList({"'=cmd@example.org", "'=HYPERLINK(\"http://x\",\"y\")"}));
    EXPECT_EQ(records.at(2), QStringList({"'+1@example.org", "'-2+3"}));
    EXPECT_EQ(records.at(3), QStringList({"'@a@example.org", "'\tTab"}));
    EXPECT_EQ(records.at(4), QStringList({"r@example.org", "'\rCR"}));
    EXPECT_EQ(records.at(5), QStringList({"ok@example.org", "a=b"}));

    // JSON keeps the names exactly; a removal's CSV is quoted the same way.
    const QJsonObject root =
        QJsonDocument::fromJson(run({"scan", "--format", "json"}).out.toUtf8()).object();
    EXPECT_EQ(root.value("zorkos").toArray().at(1).toObject().value("FriendlyName").toString(),
              QStringLiteral("-2+3"));
    const QList<QStringList> removal =
        parseCsv(run({"remove", "--format", "csv", "=cmd@example.org"}).out);
    ASSERT_EQ(removal.size(), 2);
    EXPECT_EQ(removal.at(1).at(0), QStringLiteral("'=cmd@example.org"));
}
