#include "platform/messenger/MessengerClient.h"
#include "platform/messenger/MessengerError.h"
#include "platform/messenger/MessengerService.h"
#include "platform/messenger/MessengerServiceSet.h"
#include "platform/messenger/xmpp/FilePasswordSource.h"
#include "platform/messenger/xmpp/TerminalPasswordSource.h"

#include <QApplication>
#include <QFile>
#include <QTemporaryDir>
#include <QTimer>
#include <gtest/gtest.h>
#include <unistd.h>

namespace {

class PasswordFileTest : public ::testing::Test
{
protected:
    QString write(const QByteArray &content, QFile::Permissions permissions)
    {
        QString path = m_dir.filePath(QStringLiteral("clave"));
        QFile::remove(path);
        QFile file(path);
        EXPECT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(content);
        file.close();
        EXPECT_TRUE(QFile::setPermissions(path, permissions));
        return path;
    }

    static QString errorFor(const QString &path)
    {
        try {
            FilePasswordSource(path).password(QStringLiteral("ana@example.org"));
        } catch (const MessengerError &error) {
            EXPECT_TRUE(error.message().contains(path)) << error.message().toStdString();
            return error.message();
        }
        ADD_FAILURE() << "no error for " << path.toStdString();
        return {};
    }

    static constexpr QFile::Permissions ownerOnly = QFile::ReadOwner | QFile::WriteOwner;
    QTemporaryDir m_dir;
};

// Runs the terminal source on a pipe holding input; returns the password and the prompt.
std::pair<QByteArray, QByteArray> readFromPipe(const QByteArray &input)
{
    int in[2];
    int out[2];
    EXPECT_EQ(::pipe(in), 0);
    EXPECT_EQ(::pipe(out), 0);
    EXPECT_EQ(::write(in[1], input.constData(), input.size()), input.size());
    ::close(in[1]);
    QByteArray password;
    try {
        password = TerminalPasswordSource(in[0], out[1]).password(QStringLiteral("ana@x.org"));
    } catch (...) {
        ::close(in[0]);
        ::close(out[0]);
        ::close(out[1]);
        throw;
    }
    ::close(in[0]);
    ::close(out[1]);
    QByteArray prompt(256, '\0');
    const ssize_t got = ::read(out[0], prompt.data(), prompt.size());
    prompt.resize(got > 0 ? got : 0);
    ::close(out[0]);
    return {password, prompt};
}

} // namespace

TEST_F(PasswordFileTest, ReadsTheFirstLineWithoutItsEnd)
{
    EXPECT_EQ(FilePasswordSource(write("s3cr3t\n", ownerOnly)).password("a@x.org"), "s3cr3t");
    EXPECT_EQ(FilePasswordSource(write("s3cr3t\r\nnext\n", ownerOnly)).password("a@x.org"),
              "s3cr3t");
    EXPECT_EQ(FilePasswordSource(write(" with spaces ", QFile::ReadOwner)).password("a@x.org"),
              " with spaces ");
}

TEST_F(PasswordFileTest, RefusesFilesOthersCanReach)
{
    for (const QFile::Permissions extra :
         {QFile::Permissions(QFile::ReadGroup), QFile::Permissions(QFile::ReadOther),
          QFile::Permissions(QFile::WriteGroup)}) {
        const QString message = errorFor(write("s3cr3t\n", ownerOnly | extra));
        EXPECT_TRUE(message.contains("chmod 600")) << message.toStdString();
        EXPECT_FALSE(message.contains("s3cr3t")) << message.toStdString();
    }
    const QString message = errorFor(write("s3cr3t\n", ownerOnly | QFile::ReadGroup));
    EXPECT_TRUE(message.contains("0640")) << message.toStdString();
}

TEST_F(PasswordFileTest, RefusesMissingEmptyAndOddFiles)
{
    const QString missing = errorFor(m_dir.filePath("no-such-file"));
    EXPECT_TRUE(missing.contains("no existe (ENOENT)")) << missing.toStdString();
    EXPECT_TRUE(errorFor(write("", ownerOnly)).contains("vacía"));
    EXPECT_TRUE(errorFor(write("\nsecond line\n", ownerOnly)).contains("vacía"));
    EXPECT_TRUE(errorFor(write(QByteArray(5000, 'x'), ownerOnly)).contains("grande"));
    ASSERT_TRUE(QFile::setPermissions(m_dir.path(), ownerOnly | QFile::ExeOwner));
    EXPECT_TRUE(errorFor(m_dir.path()).contains("no es un archivo normal"));
}

TEST(TerminalPasswordSourceTest, ReadsOneLineAfterThePrompt)
{
    const auto [password, prompt] = readFromPipe("clave secreta\nmore input\n");
    EXPECT_EQ(password, "clave secreta");
    EXPECT_EQ(prompt, QStringLiteral("Contraseña de ana@x.org: ").toUtf8());

    EXPECT_EQ(readFromPipe("last line without end").first, "last line without end");
    EXPECT_EQ(readFromPipe("dos\r\n").first, "dos");
}

TEST(TerminalPasswordSourceTest, NothingTypedOrTooMuchIsAnError)
{
    for (const QByteArray &input : {QByteArray(), QByteArray("\n"), QByteArray(2000, 'x')}) {
        try {
            readFromPipe(input);
            ADD_FAILURE() << "no error for " << input.size() << " bytes";
        } catch (const MessengerError &error) {
            EXPECT_TRUE(error.message().contains("ana@x.org")) << error.message().toStdString();
        }
    }
}
