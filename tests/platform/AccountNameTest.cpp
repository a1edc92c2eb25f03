#include "platform/base/AccountName.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

TEST(AccountNameTest, AnAddressIsItsBareFormWithEachPartInItsCanonicalCase)
{
    EXPECT_EQ(AccountName::canonical("Alice@Example.ORG/Casa"), "alice@example.org");
    EXPECT_EQ(AccountName::canonical("alice@example.org"), "alice@example.org");
    EXPECT_EQ(AccountName::canonical(QString::fromUtf8("ÁLVARO@Ejemplo.ES")),
              QString::fromUtf8("álvaro@ejemplo.es"));
    // Case folding: a final sigma is the sigma it stands for, as servers compare user parts.
    EXPECT_EQ(AccountName::canonical(QString::fromUtf8("ΣΊΣΥΦΟΣ@x.org")),
              AccountName::canonical(QString::fromUtf8("σίσυφος@x.org")));
    // One character however it is composed.
    EXPECT_EQ(AccountName::canonical(QString::fromUtf8("Jose\u0301@x.org")),
              QString::fromUtf8("jos\u00e9@x.org"));
    // A fully qualified domain, and one in its ASCII form, are the same domain.
    EXPECT_EQ(AccountName::canonical("ana@Example.org."), "ana@example.org");
    EXPECT_EQ(AccountName::canonical("ana@xn--bcher-kva.example"),
              QString::fromUtf8("ana@bücher.example"));
    EXPECT_EQ(AccountName::canonical(" ana@x.org "), "ana@x.org");
}

TEST(AccountNameTest, OtherNamesStayAsTheyAreAndPathsAreResolved)
{
    EXPECT_EQ(AccountName::canonical("Yo (Instagram)"), "Yo (Instagram)");
    EXPECT_EQ(AccountName::canonical("instagram (Descarga.zip)"), "instagram (Descarga.zip)");
    EXPECT_EQ(AccountName::canonical("@x"), "@x");
    EXPECT_EQ(AccountName::canonical("a@b@c"), "a@b@c");
    EXPECT_FALSE(AccountName::isAddress("ana@"));
    EXPECT_TRUE(AccountName::isAddress("ana@x/recurso con espacio"));

    QTemporaryDir dir;
    QFile file(dir.filePath("cuenta.json"));
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.close();
    ASSERT_TRUE(QDir(dir.path()).mkdir("sub"));
    ASSERT_TRUE(QFile::link(dir.filePath("cuenta.json"), dir.filePath("enlace.json")));
    const QString canonical = AccountName::canonicalPath(dir.filePath("cuenta.json"));
    EXPECT_EQ(AccountName::canonicalPath(dir.filePath("sub/../cuenta.json")), canonical);
    EXPECT_EQ(AccountName::canonicalPath(dir.filePath("enlace.json")), canonical);
    // A file not there yet still has one name.
    EXPECT_EQ(AccountName::canonicalPath(dir.filePath("sub/./../nueva.json")),
              QDir::cleanPath(QDir(dir.path()).absoluteFilePath("nueva.json")));
}
