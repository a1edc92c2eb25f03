#pragma once

#include "platform/messenger/accounts/RememberedAccount.h"

#include <QList>
#include <QProcessEnvironment>
#include <QString>
#include <optional>

// The accounts the user signed in to and asked to keep, with the last one used, in an INI file
// (by default orvalin/orvalin.conf under the user's config folder, $XDG_CONFIG_HOME or
// ~/.config). Each change is written at once. With an empty path nothing is remembered.
class RememberedAccounts
{
public:
    explicit RememberedAccounts(QString path = defaultPath());

    static QString defaultPath();
    // The file for a program run in environment; empty without XDG_CONFIG_HOME and HOME.
    static QString pathFor(const QProcessEnvironment &environment);
    QString path() const { return m_path; }

    QList<RememberedAccount> accounts() const;
    std::optional<RememberedAccount> find(const QString &address) const;
    // Adds the account, or replaces the one with the same address in its place.
    void save(const RememberedAccount &account);
    // Removes the account; the last used one becomes none when it was this one.
    void forget(const QString &address);

    QString lastUsed() const;
    void setLastUsed(const QString &address);

private:
    void write(const QList<RememberedAccount> &accounts);

    QString m_path;
};
