#include "tools/audit/KeepCommand.h"

#include "core/PlainText.h"
#include "platform/base/AccountName.h"
#include "platform/base/AuditTexts.h"
#include "platform/history/HistoryStore.h"
#include "platform/messenger/MessengerClient.h"
#include "platform/messenger/MessengerService.h"
#include "platform/messenger/MessengerServiceSet.h"
#include "platform/messenger/MessengerUser.h"
#include "platform/messenger/MessengerUserList.h"
#include "tools/audit/AuditAccount.h"
#include "tools/audit/AuditTool.h"

#include <QSet>
#include <QTextStream>

#include <algorithm>
#include <optional>

namespace {

using Command = AuditOptions::Command;

QString shown(const QString &text)
{
    return AuditTool::escapeControls(text);
}

// The contact list's addresses and the name the server signed the account in under; nullopt
// when the account is signed out.
struct SignedIn
{
    QString account;
    QSet<QString> contacts;
};

std::optional<SignedIn> signIn(const AccountChoice &choice, const QProcessEnvironment &environment,
                               PasswordSource *askPassword, QTextStream &err)
{
    const std::unique_ptr<MessengerClient> client =
        createAuditClient(choice, environment, askPassword, err);
    const std::shared_ptr<MessengerService> service = client->serviceSet()->defaultService();
    if (service->signInState() == MessengerService::SignedOut)
        return std::nullopt;
    SignedIn signedIn{AccountName::canonical(service->signInName()), {}};
    const auto contacts = client->userList(MessengerClient::ContactList);
    for (qint32 i = 0; i < contacts->count(); ++i)
        signedIn.contacts.insert(contacts->user(i).member(u"EmailAddress"));
    return signedIn;
}

} // namespace

KeepCommand::KeepCommand(const AuditOptions &options, const QProcessEnvironment &environment,
                         QTextStream &out, QTextStream &err)
    : m_options(options), m_environment(environment), m_out(out), m_err(err)
{
}

QString KeepCommand::addressFault(const QString &address, bool userName)
{
    // The command line turns bytes that are not UTF-8 into U+FFFD: storing that would keep an
    // address nobody has.
    if (address.contains(QChar::ReplacementCharacter))
        return QStringLiteral("no es texto UTF-8 válido");
    if (address.startsWith(QLatin1Char('-')))
        return QStringLiteral("empieza por «-»");
    if (std::any_of(address.cbegin(), address.cend(), [](QChar c) { return c.isSpace(); }))
        return QStringLiteral("tiene espacios");
    if (std::any_of(address.cbegin(), address.cend(),
                    [](QChar c) { return PlainText::isHazard(c.unicode()); }))
        return QStringLiteral("tiene caracteres de control");
    if (userName)
        return {};
    if (!address.contains(QLatin1Char('@')))
        return QStringLiteral("le falta la «@»");
    if (!AccountName::isAddress(address))
        return QStringLiteral("no tiene la forma usuario@servidor");
    return {};
}

int KeepCommand::run(PasswordSource *askPassword)
{
    const AccountChoice choice = chooseAuditAccount(m_options.account, m_environment);
    if (m_options.command == Command::KeepAdd) {
        // A social network's download lists its people by user name, without an '@'.
        const bool userNames = choice.kind == AccountChoice::Kind::Download;
        bool bad = false;
        for (const QString &address : m_options.addresses) {
            if (const QString fault = addressFault(address, userNames); !fault.isEmpty()) {
                m_err << "orvalin-audit: «" << shown(address)
                      << "» no es una dirección válida: " << fault << '\n';
                bad = true;
            }
        }
        if (bad) {
            m_err << "orvalin-audit: no se protegió ningún contacto\n";
            return AuditTool::UsageError;
        }
    }
    if (noAccountRemembered(choice))
        m_err << "orvalin-audit: no se indicó ninguna cuenta (--account, ORVALIN_XMPP, "
                 "ORVALIN_ACCOUNT ni una cuenta recordada): se usa la cuenta de demostración, "
              << shown(signInNameOf(choice)) << '\n';
    if (m_options.command != Command::KeepAdd) {
        const QString account = AccountName::canonical(signInNameOf(choice));
        return m_options.command == Command::KeepList ? list(account) : remove(account);
    }
    // Whether each address is on the contact list needs the list: sign in as scan does.
    const std::optional<SignedIn> signedIn = signIn(choice, m_environment, askPassword, m_err);
    if (!signedIn) {
        m_err << AuditTexts::signedOut() << '\n';
        return AuditTool::SignedOut;
    }
    return add(signedIn->account, signedIn->contacts);
}

int KeepCommand::list(const QString &account)
{
    const QStringList kept = HistoryStore(HistoryStore::defaultPath()).keptAddresses(account);
    if (kept.isEmpty()) {
        m_out << shown(account) << " no tiene contactos protegidos.\n";
        return AuditTool::Done;
    }
    m_out << "Contactos protegidos de " << shown(account) << ":\n";
    for (const QString &address : kept)
        m_out << shown(address) << '\n';
    return AuditTool::Done;
}

int KeepCommand::add(const QString &account, const QSet<QString> &contacts)
{
    QStringList storing;
    QSet<QString> absent;
    for (const QString &address : m_options.addresses) {
        if (contacts.contains(address) || m_options.force)
            storing.append(address);
        else
            absent.insert(address);
    }
    HistoryStore store(HistoryStore::defaultPath());
    const QStringList added = store.keep(account, storing, QDateTime::currentDateTimeUtc());
    const QSet<QString> addedSet(added.cbegin(), added.cend());
    const QString in = QStringLiteral(" (cuenta ") + shown(account) + QStringLiteral(")");
    for (const QString &address : m_options.addresses) {
        if (absent.contains(address))
            m_out << "No protegido: " << shown(address) << " (no está en la lista de contactos de "
                  << shown(account) << "; use --force para protegerlo igualmente)\n";
        else if (addedSet.contains(address))
            m_out << "Protegido: " << shown(address)
                  << (contacts.contains(address) ? in
                                                 : QStringLiteral(" (cuenta %1; no está en su "
                                                                  "lista de contactos)")
                                                       .arg(shown(account)))
                  << '\n';
        else
            m_out << "Ya estaba protegido: " << shown(address) << in << '\n';
    }
    return absent.isEmpty() ? AuditTool::Done : AuditTool::Incomplete;
}

int KeepCommand::remove(const QString &account)
{
    HistoryStore store(HistoryStore::defaultPath());
    const QStringList removed = store.unkeep(account, m_options.addresses);
    const QSet<QString> removedSet(removed.cbegin(), removed.cend());
    for (const QString &address : m_options.addresses)
        m_out << (removedSet.contains(address) ? "Ya no está protegido: " : "No estaba protegido: ")
              << shown(address) << " (cuenta " << shown(account) << ")\n";
    return removed.size() == m_options.addresses.size() ? AuditTool::Done : AuditTool::Incomplete;
}
