#pragma once

#include "platform/messenger/accounts/RememberedAccount.h"

#include <QList>
#include <QProcessEnvironment>
#include <QString>
#include <optional>

// The accounts the user signed in to and asked to keep, with the last one used, in an INI file
// (by default orvalin/orvalin.conf under the user's config folder, $XDG_CONFIG_HOME or
// ~/.config). Each change is written at once. With an empty path nothing is remembered. An
// account is remembered under its canonical name (keyOf), however it was typed.
class RememberedAccounts
{
public:
    explicit RememberedAccounts(QString path = defaultPath());

    static QString defaultPath();
    // The name an account is remembered by: an XMPP address's canonical bare form, a file's or
    // a download's canonical path, "demo"; anything else as it is.
    static QString keyOf(const QString &address);
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
