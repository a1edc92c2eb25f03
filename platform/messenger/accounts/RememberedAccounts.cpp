#include "platform/messenger/accounts/RememberedAccounts.h"

#include "platform/base/AccountName.h"
#include "platform/messenger/accounts/AccountChoice.h"

#include <QDebug>
#include <QSet>
#include <QSettings>
#include <QStandardPaths>

namespace {

constexpr char accountsKey[] = "cuentas";
constexpr char lastUsedKey[] = "ultimaCuenta";

// A port edited by hand beyond 1..65535 must not wrap into another one (4294967296 + 5222
// would be 5222): it is dropped, with a word, and the usual port is used.
quint16 storedPort(const QSettings &settings, const QString &address)
{
    const QString text = settings.value(QStringLiteral("puerto")).toString().trimmed();
    if (text.isEmpty())
        return 0;
    bool ok = false;
    const qulonglong port = text.toULongLong(&ok);
    if (ok && port >= 1 && port <= 65535)
        return quint16(port);
    qWarning().noquote() << QStringLiteral("%1: el puerto «%2» de la cuenta «%3» no es un "
                                           "número entre 1 y 65535; se usa el habitual")
                                .arg(settings.fileName(), text, address);
    return 0;
}

} // namespace

QString RememberedAccounts::keyOf(const QString &address)
{
    switch (AccountChoice::kindOf(address).value_or(AccountChoice::Kind::Ask)) {
    case AccountChoice::Kind::Xmpp:
        return AccountName::canonical(address);
    case AccountChoice::Kind::File:
    case AccountChoice::Kind::Download:
        return AccountName::canonicalPath(address);
    case AccountChoice::Kind::Demo:
    case AccountChoice::Kind::Ask:
        break;
    }
    return address;
}

RememberedAccounts::RememberedAccounts(QString path) : m_path(std::move(path)) {}

QString RememberedAccounts::defaultPath()
{
    return QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation) +
           QStringLiteral("/orvalin/orvalin.conf");
}

QString RememberedAccounts::pathFor(const QProcessEnvironment &environment)
{
    QString folder = environment.value(QStringLiteral("XDG_CONFIG_HOME"));
    if (folder.isEmpty()) {
        const QString home = environment.value(QStringLiteral("HOME"));
        if (home.isEmpty())
            return {};
        folder = home + QStringLiteral("/.config");
    }
    return folder + QStringLiteral("/orvalin/orvalin.conf");
}

QList<RememberedAccount> RememberedAccounts::accounts() const
{
    if (m_path.isEmpty())
        return {};
    QSettings settings(m_path, QSettings::IniFormat);
    QList<RememberedAccount> accounts;
    QSet<QString> seen;
    const int count = settings.beginReadArray(QLatin1String(accountsKey));
    for (int i = 0; i < count; ++i) {
        settings.setArrayIndex(i);
        RememberedAccount account;
        account.address = keyOf(settings.value(QStringLiteral("direccion")).toString());
        // One account saved under two spellings by an older version: the first one counts.
        if (account.address.isEmpty() || seen.contains(account.address))
            continue;
        seen.insert(account.address);
        account.host = settings.value(QStringLiteral("servidor")).toString();
        account.port = storedPort(settings, account.address);
        account.caFile = settings.value(QStringLiteral("certificadoCA")).toString();
        account.rememberPassword = settings.value(QStringLiteral("recordarContrasena")).toBool();
        account.signInAutomatically =
            settings.value(QStringLiteral("iniciarAutomaticamente")).toBool();
        accounts.append(account);
    }
    settings.endArray();
    return accounts;
}

std::optional<RememberedAccount> RememberedAccounts::find(const QString &address) const
{
    const QString key = keyOf(address);
    for (const RememberedAccount &account : accounts()) {
        if (account.address == key)
            return account;
    }
    return std::nullopt;
}

void RememberedAccounts::save(const RememberedAccount &given)
{
    RememberedAccount account = given;
    account.address = keyOf(given.address);
    QList<RememberedAccount> all = accounts();
    const auto same = std::find_if(all.begin(), all.end(), [&](const RememberedAccount &known) {
        return known.address == account.address;
    });
    if (same != all.end())
        *same = account;
    else
        all.append(account);
    write(all);
}

void RememberedAccounts::forget(const QString &address)
{
    const QString key = keyOf(address);
    QList<RememberedAccount> all = accounts();
    all.removeIf([&](const RememberedAccount &known) { return known.address == key; });
    write(all);
    if (lastUsed() == key)
        setLastUsed({});
}

QString RememberedAccounts::lastUsed() const
{
    if (m_path.isEmpty())
        return {};
    const QString last =
        QSettings(m_path, QSettings::IniFormat).value(QLatin1String(lastUsedKey)).toString();
    return last.isEmpty() ? last : keyOf(last);
}

void RememberedAccounts::setLastUsed(const QString &address)
{
    if (m_path.isEmpty())
        return;
    QSettings settings(m_path, QSettings::IniFormat);
    if (address.isEmpty())
        settings.remove(QLatin1String(lastUsedKey));
    else
        settings.setValue(QLatin1String(lastUsedKey), keyOf(address));
}

void RememberedAccounts::write(const QList<RememberedAccount> &accounts)
{
    if (m_path.isEmpty())
        return;
    QSettings settings(m_path, QSettings::IniFormat);
    settings.remove(QLatin1String(accountsKey));
    settings.beginWriteArray(QLatin1String(accountsKey), int(accounts.size()));
    for (int i = 0; i < accounts.size(); ++i) {
        const RememberedAccount &account = accounts.at(i);
        settings.setArrayIndex(i);
        settings.setValue(QStringLiteral("direccion"), account.address);
        settings.setValue(QStringLiteral("servidor"), account.host);
        settings.setValue(QStringLiteral("puerto"), account.port);
        settings.setValue(QStringLiteral("certificadoCA"), account.caFile);
        settings.setValue(QStringLiteral("recordarContrasena"), account.rememberPassword);
        settings.setValue(QStringLiteral("iniciarAutomaticamente"), account.signInAutomatically);
    }
    settings.endArray();
}
