// Reads arbitrary bytes as an account file. What loads must hold non-empty addresses, each
// once per list, and must survive a removal: the rewritten file loads again with exactly the
// first contact gone and every other byte as it was.
#include "platform/messenger/AccountFile.h"
#include "platform/messenger/MessengerClient.h"
#include "platform/messenger/MessengerError.h"
#include "platform/messenger/MessengerUser.h"

#include <QFile>
#include <QSet>
#include <QTemporaryDir>

#include <cstdint>
#include <cstdio>
#include <cstdlib>

namespace {

[[noreturn]] void broken(const char *what)
{
    std::fprintf(stderr, "account file invariant broken: %s\n", what);
    std::abort();
}

const QString &address(const MessengerUser &user)
{
    return user.member(u"EmailAddress");
}

void checkList(const QList<MessengerUser> &users)
{
    QSet<QString> seen;
    for (const MessengerUser &user : users) {
        if (address(user).isEmpty())
            broken("empty address");
        if (seen.contains(address(user)))
            broken("address listed twice");
        seen.insert(address(user));
    }
}

bool sameList(const QList<MessengerUser> &a, const QList<MessengerUser> &b)
{
    if (a.size() != b.size())
        return false;
    for (qsizetype i = 0; i < a.size(); ++i) {
        if (address(a[i]) != address(b[i]) ||
            a[i].member(u"FriendlyName") != b[i].member(u"FriendlyName"))
            return false;
    }
    return true;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QByteArray content(reinterpret_cast<const char *>(data), qsizetype(size));
    MessengerAccount account;
    try {
        account = AccountFile(QStringLiteral("fuzz.json"), content).account();
    } catch (const MessengerError &error) {
        if (!error.message().contains(QLatin1String("fuzz.json")))
            broken("an error that does not name the file");
        return 0;
    }
    checkList(account.contactList);
    checkList(account.reverseList);
    if (account.contactList.isEmpty())
        return 0;

    // The removal goes through the file, as it does for the program.
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("cuenta.json"));
    {
        QFile file(path);
        if (!file.open(QIODevice::WriteOnly) || file.write(content) != content.size())
            broken("cannot write the temporary copy");
    }
    try {
        AccountFile(path).removeUser(MessengerClient::ContactList,
                                     address(account.contactList.first()));
    } catch (const MessengerError &error) {
        std::fprintf(stderr, "%s\n", error.what());
        broken("removing a listed contact failed");
    }
    // Only the removed entry's bytes go: the new file is the old one with one stretch cut out.
    QByteArray rewritten;
    {
        QFile file(path);
        if (!file.open(QIODevice::ReadOnly))
            broken("cannot read the rewritten file");
        rewritten = file.readAll();
    }
    if (rewritten.size() >= content.size())
        broken("the rewrite did not get shorter");
    qsizetype prefix = 0;
    while (prefix < rewritten.size() && rewritten.at(prefix) == content.at(prefix))
        ++prefix;
    if (content.right(rewritten.size() - prefix) != rewritten.mid(prefix))
        broken("the rewrite changed bytes outside the removed entry");
    MessengerAccount reloaded;
    try {
        reloaded = AccountFile(path).account();
    } catch (const MessengerError &error) {
        std::fprintf(stderr, "%s\n", error.what());
        broken("the rewritten file does not load");
    }
    QList<MessengerUser> expected = account.contactList;
    expected.removeFirst();
    if (!sameList(reloaded.contactList, expected) ||
        !sameList(reloaded.reverseList, account.reverseList))
        broken("the rewrite changed more than the removed contact");
    if (reloaded.signInState != account.signInState || reloaded.signInName != account.signInName ||
        reloaded.displayName != account.displayName)
        broken("the rewrite changed the account's texts");
    return 0;
}
