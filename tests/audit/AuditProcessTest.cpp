#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

struct Finished
{
    int status = -1;
    QByteArray out;
    QByteArray err;
};

Finished runAudit(const QStringList &arguments, const QString &accountPath)
{
    QProcess process;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QStringLiteral("ORVALIN_ACCOUNT"), accountPath);
    // The tool must not need a display.
    environment.remove(QStringLiteral("DISPLAY"));
    environment.remove(QStringLiteral("WAYLAND_DISPLAY"));
    environment.remove(QStringLiteral("QT_QPA_PLATFORM"));
    process.setProcessEnvironment(environment);
    process.start(QStringLiteral(ORVALIN_AUDIT_PATH), arguments);
    EXPECT_TRUE(process.waitForFinished(-1));
    EXPECT_EQ(process.exitStatus(), QProcess::NormalExit);
    return {process.exitCode(), process.readAllStandardOutput(), process.readAllStandardError()};
}

class AuditProcessTest : public ::testing::Test
{
protected:
    QString writeAccount(int signInState)
    {
        const QJsonObject root{
            {"signInState", signInState},
            {"signInName", "yo@example.org"},
            {"displayName", "Yo"},
            {"contactList", QJsonArray{QJsonObject{{"EmailAddress", "ana@example.org"},
                                                   {"FriendlyName", "Ana Núñez"}},
                                       QJsonObject{{"EmailAddress", "beto@example.org"}}}},
            {"reverseList", QJsonArray{}}};
        QString path = m_dir.filePath(QStringLiteral("cuenta.json"));
        QFile file(path);
        EXPECT_TRUE(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
        file.write(QJsonDocument(root).toJson());
        return path;
    }

    QTemporaryDir m_dir;
};

} // namespace

TEST_F(AuditProcessTest, RunsWithoutADisplayAndKeepsTheRemovalInTheFile)
{
    const QString path = writeAccount(2);
    const Finished scan = runAudit({"scan", "--format", "csv"}, path);
    EXPECT_EQ(scan.status, 0) << scan.err.toStdString();
    EXPECT_EQ(QString::fromUtf8(scan.out),
              QStringLiteral("EmailAddress,FriendlyName\r\nana@example.org,Ana Núñez\r\n"
                             "beto@example.org,beto@example.org\r\n"));

    const Finished remove = runAudit({"remove", "beto@example.org"}, path);
    EXPECT_EQ(remove.status, 0) << remove.err.toStdString();
    EXPECT_EQ(QString::fromUtf8(remove.out),
              QStringLiteral("Eliminado: beto@example.org\nAun tienes 1 En tu Lista\n"));
    // A second run starts from the file: the contact is gone, so it is no longer listed.
    EXPECT_EQ(runAudit({"remove", "beto@example.org"}, path).status, 1);

    const Finished signedOut = runAudit({"scan"}, writeAccount(1));
    EXPECT_EQ(signedOut.status, 3);
    EXPECT_EQ(QString::fromUtf8(signedOut.err),
              QStringLiteral(
                  "Debe Tener Iniciada Sesion en MSN Messenger para Utilizar este Programa\n"));
}
