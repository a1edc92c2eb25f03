#include "tests/messenger/AccountFileFixture.h"
#include "tests/messenger/FileSizeLimit.h"
#include <sys/stat.h>

TEST_F(AccountFileTest, ReadsTheAccountWithTheAddressStandingInForAMissingName)
{
    const AccountFile file(write(validAccount));
    const MessengerAccount &account = file.account();
    EXPECT_EQ(account.signInState, 2);
    EXPECT_EQ(account.signInName, QStringLiteral("yo@example.org"));
    EXPECT_EQ(account.displayName, QStringLiteral("Yo <b>mismo</b>"));
    EXPECT_EQ(addresses(account.contactList),
              QStringList({"a@example.org", "b@example.org", "c@example.org"}));
    EXPECT_EQ(account.contactList.at(1).member(u"FriendlyName"), QStringLiteral("b@example.org"));
    EXPECT_EQ(addresses(account.reverseList), QStringList({"c@example.org"}));
}

TEST_F(AccountFileTest, ARemovalIsGoneAtTheNextStartAndOtherDataIsKept)
{
    const QString path = write(validAccount);
    {
        auto file = std::make_shared<AccountFile>(path);
        MemoryMessengerClient client(file->account(), file);
        client.userList(MessengerClient::ContactList)
            ->remove(MessengerUser(QStringLiteral("a@example.org"), QString()));
        client.userList(MessengerClient::ContactList)
            ->remove(MessengerUser(QStringLiteral("c@example.org"), QString()));
    }
    const AccountFile reread(path);
    EXPECT_EQ(addresses(reread.account().contactList), QStringList({"b@example.org"}));
    EXPECT_EQ(addresses(reread.account().reverseList), QStringList({"c@example.org"}));
    EXPECT_EQ(reread.account().displayName, QStringLiteral("Yo <b>mismo</b>"));

    const QJsonObject root = QJsonDocument::fromJson(readAll(path)).object();
    EXPECT_EQ(root.value("theme").toObject().value("color").toString(), QStringLiteral("azul"));
    // The surviving entry has no FriendlyName in the file and must not gain one.
    EXPECT_FALSE(root.value("contactList").toArray().at(0).toObject().contains("FriendlyName"));
    // No temporary file is left beside the account.
    EXPECT_EQ(QDir(m_dir.path()).entryList(QDir::Files), QStringList({"cuenta.json"}));
}

TEST_F(AccountFileTest, ContentGivenInMemoryReadsAsTheFileAndARemovalWritesThePath)
{
    // The path is only a name until a removal: nothing is read from it.
    const QString path = m_dir.filePath(QStringLiteral("nueva.json"));
    AccountFile file(path, validAccount);
    EXPECT_EQ(addresses(file.account().contactList),
              addresses(AccountFile(write(validAccount)).account().contactList));
    file.removeUser(MessengerClient::ReverseList, QStringLiteral("c@example.org"));
    EXPECT_TRUE(AccountFile(path).account().reverseList.isEmpty());

    try {
        const AccountFile refused(path, "{\"signInState\": 2,\n \"signInName\": 7}");
        FAIL() << "a wrong field was accepted";
    } catch (const MessengerError &error) {
        EXPECT_TRUE(error.message().contains(path)) << error.message().toStdString();
        EXPECT_TRUE(error.message().contains("signInName")) << error.message().toStdString();
    }
}

TEST_F(AccountFileTest, UnknownFieldsOfEntriesSurviveARewrite)
{
    const QString path = write(validAccount);
    auto file = std::make_shared<AccountFile>(path);
    MemoryMessengerClient client(file->account(), file);
    client.userList(MessengerClient::ContactList)
        ->remove(MessengerUser(QStringLiteral("b@example.org"), QString()));
    const QJsonObject first = QJsonDocument::fromJson(readAll(path))
                                  .object()
                                  .value("contactList")
                                  .toArray()
                                  .at(0)
                                  .toObject();
    EXPECT_EQ(first.value("group").toString(), QStringLiteral("Clase"));
}

TEST_F(AccountFileTest, AFailedWriteLeavesFileAndListsIntactAndRaises)
{
    const QString path = write(validAccount);
    const QByteArray before = readAll(path);
    auto file = std::make_shared<AccountFile>(path);
    MemoryMessengerClient client(file->account(), file);
    auto contacts = client.userList(MessengerClient::ContactList);
    {
        const FileSizeLimit limit(16);
        try {
            contacts->remove(MessengerUser(QStringLiteral("a@example.org"), QString()));
            ADD_FAILURE() << "the failed write went unnoticed";
        } catch (const MessengerError &error) {
            EXPECT_TRUE(error.message().contains(path)) << error.message().toStdString();
            EXPECT_TRUE(error.message().contains(QStringLiteral("no se puede guardar")));
        }
    }
    EXPECT_EQ(readAll(path), before);
    EXPECT_EQ(contacts->count(), 3);
    EXPECT_EQ(QDir(m_dir.path()).entryList(QDir::Files), QStringList({"cuenta.json"}));

    // With room again the same removal goes through.
    contacts->remove(MessengerUser(QStringLiteral("a@example.org"), QString()));
    EXPECT_EQ(contacts->count(), 2);
}

TEST_F(AccountFileTest, SyntaxErrorsGivePositionLineAndColumn)
{
    const QString message = errorFor("{\n  \"signInState\": 2,\n  \"signInName\" \"x\"\n}");
    EXPECT_TRUE(message.contains(QStringLiteral("JSON no válido"))) << message.toStdString();
    EXPECT_TRUE(message.contains(QStringLiteral("línea 3"))) << message.toStdString();
    EXPECT_TRUE(message.contains(QStringLiteral("falta «:»"))) << message.toStdString();

    EXPECT_TRUE(errorFor("").contains(QStringLiteral("JSON no válido")));
    EXPECT_TRUE(errorFor("{} x").contains(QStringLiteral("sobran datos")));
    EXPECT_TRUE(errorFor("[1, 2]").contains(QStringLiteral("objeto JSON")));
}

TEST_F(AccountFileTest, NamesTheMissingOrWrongField)
{
    const QJsonObject valid = QJsonDocument::fromJson(validAccount).object();
    struct Case
    {
        const char *what;
        std::function<void(QJsonObject &)> spoil;
        QString expected;
    };
    const auto setEntry = [](QJsonObject &root, const char *list, int index, const char *key,
                             const QJsonValue &value) {
        QJsonArray entries = root.value(list).toArray();
        QJsonObject entry = entries.at(index).toObject();
        if (value.isUndefined())
            entry.remove(key);
        else
            entry.insert(key, value);
        entries.replace(index, entry);
        root.insert(list, entries);
    };
    const QList<Case> cases = {
        {"no state", [](QJsonObject &r) { r.remove("signInState"); },
         "falta el campo «signInState»"},
        {"text state", [](QJsonObject &r) { r.insert("signInState", "2"); },
         "«signInState» debe ser un número entero"},
        {"fraction state", [](QJsonObject &r) { r.insert("signInState", 1.5); },
         "«signInState» debe ser un número entero"},
        {"huge state", [](QJsonObject &r) { r.insert("signInState", 1e12); },
         "«signInState» debe ser un número entero"},
        {"no sign-in name", [](QJsonObject &r) { r.remove("signInName"); },
         "falta el campo «signInName»"},
        {"numeric display name", [](QJsonObject &r) { r.insert("displayName", 7); },
         "el campo «displayName» debe ser texto"},
        {"no contact list", [](QJsonObject &r) { r.remove("contactList"); },
         "falta el campo «contactList»"},
        {"reverse list not a list", [](QJsonObject &r) { r.insert("reverseList", QJsonObject()); },
         "«reverseList» debe ser una lista"},
        {"entry not an object",
         [](QJsonObject &r) { r.insert("reverseList", QJsonArray{"c@example.org"}); },
         "«reverseList[0]» debe ser un objeto"},
        {"entry without address",
         [&](QJsonObject &r) {
             setEntry(r, "contactList", 2, "EmailAddress", QJsonValue::Undefined);
         },
         "falta el campo «contactList[2].EmailAddress»"},
        {"numeric address",
         [&](QJsonObject &r) { setEntry(r, "contactList", 1, "EmailAddress", 5); },
         "«contactList[1].EmailAddress» debe ser texto"},
        {"null name",
         [&](QJsonObject &r) { setEntry(r, "contactList", 0, "FriendlyName", QJsonValue::Null); },
         "«contactList[0].FriendlyName» debe ser texto"},
        {"empty address",
         [&](QJsonObject &r) { setEntry(r, "reverseList", 0, "EmailAddress", ""); },
         "«reverseList[0].EmailAddress» está vacío"},
        {"same address twice",
         [&](QJsonObject &r) { setEntry(r, "contactList", 2, "EmailAddress", "a@example.org"); },
         "a@example.org aparece dos veces en «contactList» (contactList[0] y contactList[2])"},
    };
    for (const Case &c : cases) {
        QJsonObject root = valid;
        c.spoil(root);
        const QString message = errorFor(QJsonDocument(root).toJson());
        EXPECT_TRUE(message.contains(c.expected)) << c.what << ": " << message.toStdString();
    }
}

TEST_F(AccountFileTest, AddressesDifferingInCaseAreNotDuplicates)
{
    QJsonObject root = QJsonDocument::fromJson(validAccount).object();
    root.insert("reverseList", QJsonArray{QJsonObject{{"EmailAddress", "c@example.org"}},
                                          QJsonObject{{"EmailAddress", "C@example.org"}}});
    EXPECT_EQ(errorFor(QJsonDocument(root).toJson()), QString());
}

TEST_F(AccountFileTest, UnreadableFilesAreNamed)
{
    const QString missing = m_dir.filePath(QStringLiteral("no-existe.json"));
    try {
        AccountFile file(missing);
        ADD_FAILURE() << "read a missing file";
    } catch (const MessengerError &error) {
        EXPECT_TRUE(error.message().contains(missing));
        EXPECT_TRUE(error.message().contains(QStringLiteral("no existe")));
    }
    try {
        AccountFile file(m_dir.path());
        ADD_FAILURE() << "read a folder";
    } catch (const MessengerError &error) {
        EXPECT_TRUE(error.message().contains(m_dir.path()));
        EXPECT_TRUE(error.message().contains(QStringLiteral("carpeta")));
    }
}

// What a wrong path can name: each refused at once, before a byte is read.
TEST_F(AccountFileTest, OnlyARegularFileOfABoundedSizeIsRead)
{
    const auto messageFor = [](const QString &path) {
        try {
            AccountFile file(path);
        } catch (const MessengerError &error) {
            return error.message();
        }
        return QString();
    };
    const QString fifo = m_dir.filePath(QStringLiteral("cuenta.fifo"));
    ASSERT_EQ(::mkfifo(QFile::encodeName(fifo).constData(), 0600), 0);
    EXPECT_TRUE(messageFor(fifo).contains(
        QStringLiteral("%1: no es un archivo normal sino una tubería con nombre (FIFO)")
            .arg(fifo)));
    EXPECT_TRUE(messageFor(QStringLiteral("/dev/zero"))
                    .contains(QStringLiteral("no es un archivo normal sino un dispositivo")));

    const QString huge = m_dir.filePath(QStringLiteral("enorme.json"));
    QFile file(huge);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    ASSERT_TRUE(file.resize(AccountFile::MaximumSize + 1)); // sparse: no disk is used
    file.close();
    EXPECT_TRUE(messageFor(huge).contains(QStringLiteral("más de los 256 MiB")));
}

TEST_F(AccountFileTest, AZipOrAFaultAtTheFirstByteIsToldPlainly)
{
    EXPECT_TRUE(errorFor(QByteArray("PK\x03\x04\x14\0\0\0\n\n", 10))
                    .contains(QStringLiteral("es un archivo ZIP, no un texto JSON")));
    EXPECT_TRUE(errorFor("x\n{}\n").contains(QStringLiteral("línea 1, columna 1 (posición 0)")));
}

TEST_F(AccountFileTest, StrictReadingRefusesDuplicateKeysAndRawControlCharacters)
{
    EXPECT_TRUE(errorFor("{\"signInState\": 2, \"contactList\": [{\"EmailAddress\": \"a\"},\n"
                         "{\"EmailAddress\": \"b\", \"EmailAddress\": \"c\"}]}")
                    .contains(QStringLiteral("la clave «contactList[1].EmailAddress» aparece dos "
                                             "veces (línea 2, columna 23)")));
    EXPECT_TRUE(errorFor("{\"signInState\": 2, \"signInState\": 3}")
                    .contains(QStringLiteral("«signInState» aparece dos veces")));
    EXPECT_TRUE(errorFor(QByteArray("{\"signInName\": \"a\0b\"}", 21))
                    .contains(QStringLiteral("columna 18 (posición 17): carácter de control sin "
                                             "escapar (0x00)")));
    EXPECT_TRUE(errorFor("{\"a\": \"\xC0\xAF\"}").contains(QStringLiteral("UTF-8 no válido")));
    EXPECT_TRUE(errorFor("{\"a\": 01}").contains(QStringLiteral("falta «,»")));
    EXPECT_TRUE(errorFor("{\"a\": -}").contains(QStringLiteral("número no válido")));
    EXPECT_TRUE(errorFor(QByteArray(300, '[')).contains(QStringLiteral("demasiados niveles")));
}
