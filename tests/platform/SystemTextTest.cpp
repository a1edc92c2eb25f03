#include "platform/base/SystemText.h"

#include <QFile>
#include <QTemporaryDir>
#include <cerrno>
#include <gtest/gtest.h>

TEST(SystemText, TheSystemsEnglishReasonsAreSaidInOurWordsWithTheirCode)
{
    EXPECT_EQ(SystemText::errorText(ENOSPC),
              QStringLiteral("no queda espacio en el disco (ENOSPC)"));
    EXPECT_EQ(SystemText::fromSystemText(QStringLiteral("No space left on device")),
              QStringLiteral("no queda espacio en el disco (ENOSPC)"));
    EXPECT_EQ(SystemText::fromSystemText(QStringLiteral("File exists")),
              QStringLiteral("ya existe (EEXIST)"));
    EXPECT_EQ(SystemText::fromSystemText(QStringLiteral("Permission denied")),
              QStringLiteral("permiso denegado (EACCES)"));
    // Not one of the system's texts: left as it is.
    EXPECT_EQ(SystemText::fromSystemText(QStringLiteral("algo nuestro")),
              QStringLiteral("algo nuestro"));
}

TEST(SystemText, RealFileFailuresAreReadBackToTheirReason)
{
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    QFile missing(dir.filePath(QStringLiteral("no-esta.json")));
    ASSERT_FALSE(missing.open(QIODevice::ReadOnly));
    EXPECT_EQ(SystemText::fileErrorText(missing), QStringLiteral("no existe (ENOENT)"));

    QFile folder(dir.path());
    ASSERT_FALSE(folder.open(QIODevice::WriteOnly));
    EXPECT_EQ(SystemText::fileErrorText(folder), QStringLiteral("es una carpeta (EISDIR)"));

    QFile full(QStringLiteral("/dev/full"));
    ASSERT_TRUE(full.open(QIODevice::WriteOnly | QIODevice::Unbuffered));
    EXPECT_EQ(full.write("x"), -1);
    EXPECT_EQ(SystemText::fileErrorText(full),
              QStringLiteral("no queda espacio en el disco (ENOSPC)"));
}

TEST(SystemText, DBusErrorsAreSaidByNameInOurWords)
{
    EXPECT_EQ(
        SystemText::dbusErrorText(QStringLiteral("org.freedesktop.DBus.Error.ServiceUnknown")),
        QStringLiteral("nadie ofrece ese servicio en el bus de sesión "
                       "(org.freedesktop.DBus.Error.ServiceUnknown)"));
    EXPECT_EQ(
        SystemText::dbusErrorText(QStringLiteral("org.freedesktop.DBus.Error.NoReply")),
        QStringLiteral("el servicio no respondió a tiempo (org.freedesktop.DBus.Error.NoReply)"));
    EXPECT_EQ(SystemText::dbusErrorText(QStringLiteral("org.example.Fallo")),
              QStringLiteral("el servicio respondió con un error (org.example.Fallo)"));
}
