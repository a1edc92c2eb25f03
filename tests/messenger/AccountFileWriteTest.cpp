// What a removal writes: only the removed entries go, against the file as it is now.
#include "tests/messenger/AccountFileFixture.h"
#include "tests/messenger/FileSizeLimit.h"

TEST_F(AccountFileTest, ARemovalCutsOnlyTheRemovedEntriesAndKeepsEveryOtherByte)
{
    // A byte order mark, odd spacing, numbers no double holds, escapes, key order, nesting.
    const QByteArray head = "\xEF\xBB\xBF{ \"big\":123456789012345678901234567890,"
                            "\"u64\" : 18446744073709551615 ,\"neg\":-0, \"exp\":1E+400,\n"
                            "\t\"signInName\":\"yo\\u00e9@example.org\", \"signInState\": 2.0,"
                            "\"displayName\":\"Yo \\/ \\\"t\\u00fa\\\"\",\r\n"
                            "  \"reverseList\":[ ] ,\n  \"contactList\" :[";
    const QByteArray a = "{\"x\":1.50,\"EmailAddress\":\"a@example.org\"}";
    const QByteArray b = "{ \"EmailAddress\" : \"b@example.org\" , \"n\": [1e-7, {}] }";
    const QByteArray c = "{\"EmailAddress\":\"c@example.org\",\"FriendlyName\":\"C\"}";
    const QByteArray d = "{\"EmailAddress\":\"d@example.org\"}";
    const QByteArray tail = "  ] , \"z\": null }  \n";
    const QByteArray content =
        head + "\n    " + a + ",\n    " + b + " ,  " + c + ",\n\t" + d + "\n" + tail;
    const QString path = write(content);
    const auto removing = [&](const QStringList &gone) {
        write(content);
        AccountFile file(path);
        EXPECT_EQ(file.removeUsers(MessengerClient::ContactList, gone),
                  (QHash<QString, QString>()));
        return readAll(path);
    };
    EXPECT_EQ(removing({"a@example.org"}),
              head + "\n    " + b + " ,  " + c + ",\n\t" + d + "\n" + tail);
    EXPECT_EQ(removing({"b@example.org", "c@example.org"}),
              head + "\n    " + a + ",\n    " + d + "\n" + tail);
    EXPECT_EQ(removing({"d@example.org"}),
              head + "\n    " + a + ",\n    " + b + " ,  " + c + "\n" + tail);
    EXPECT_EQ(removing({"c@example.org", "d@example.org"}),
              head + "\n    " + a + ",\n    " + b + "\n" + tail);
    EXPECT_EQ(removing({"a@example.org", "b@example.org", "c@example.org", "d@example.org"}),
              head + "\n    " + "\n" + tail);
    // Whatever Qt's own reader makes of it, the result is still one valid account.
    EXPECT_TRUE(AccountFile(path).account().contactList.isEmpty());
}

TEST_F(AccountFileTest, ARemovalWorksOnTheFileAsItIsNowAndKeepsOtherProgramsEdits)
{
    const QString path = write(validAccount);
    auto file = std::make_shared<AccountFile>(path);
    MemoryMessengerClient client(file->account(), file);
    // Another program adds a contact and a field, and removes b, after the file was read.
    QByteArray edited = readAll(path);
    edited.replace("\"theme\"", "\"added\": true, \"theme\"");
    edited.replace("{\"EmailAddress\": \"b@example.org\"},",
                   "{\"EmailAddress\": \"nuevo@example.org\"},");
    write(edited);

    const auto contacts = client.userList(MessengerClient::ContactList);
    contacts->remove(MessengerUser(QStringLiteral("a@example.org"), QString()));
    QByteArray expected = edited;
    expected.replace("{\"EmailAddress\": \"a@example.org\", \"FriendlyName\": \"A\", \"group\": "
                     "\"Clase\"},\n    ",
                     "");
    EXPECT_EQ(readAll(path), expected);

    try {
        contacts->remove(MessengerUser(QStringLiteral("b@example.org"), QString()));
        ADD_FAILURE() << "a contact no longer in the file was reported removed";
    } catch (const MessengerError &error) {
        EXPECT_TRUE(error.message().contains(QStringLiteral("b@example.org ya no está en "
                                                            "«contactList»")))
            << error.message().toStdString();
    }
    EXPECT_EQ(readAll(path), expected);
}

TEST_F(AccountFileTest, AWriteThatRunsOutOfRoomGivesTheRealReason)
{
    QByteArray big = validAccount;
    big.replace("\"azul\"", '"' + QByteArray(4096, 'x') + '"');
    const QString path = write(big);
    AccountFile file(path);
    // Room for the lock file, not for the account.
    const FileSizeLimit limit(1024);
    try {
        file.removeUser(MessengerClient::ContactList, QStringLiteral("a@example.org"));
        FAIL() << "the failed write went unnoticed";
    } catch (const MessengerError &error) {
        EXPECT_TRUE(error.message().contains(
            QStringLiteral("no se puede guardar (el archivo es demasiado grande (EFBIG))")))
            << error.message().toStdString();
    }
    EXPECT_EQ(readAll(path), big);
}
