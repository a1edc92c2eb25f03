#include "tools/audit/ScanSession.h"

#include "platform/base/AccountName.h"
#include "platform/base/AuditTexts.h"
#include "platform/history/HistoryStore.h"
#include "platform/messenger/MessengerClient.h"
#include "platform/messenger/MessengerService.h"
#include "platform/messenger/MessengerServiceSet.h"
#include "tools/audit/AuditAccount.h"

#include <QTextStream>

std::unique_ptr<ScanSession> ScanSession::start(const AccountChoice &choice,
                                                const QProcessEnvironment &environment,
                                                QTextStream &err, PasswordSource *askPassword)
{
    std::unique_ptr<MessengerClient> client =
        createAuditClient(choice, environment, askPassword, err);
    if (client->serviceSet()->defaultService()->signInState() == MessengerService::SignedOut) {
        err << AuditTexts::signedOut() << '\n';
        return nullptr;
    }
    std::unique_ptr<ScanSession> session(new ScanSession(std::move(client), choice, err));
    session->m_audit.BuscaIgn(*session->m_client);
    if (const QString warning = session->m_client->scanWarning(); !warning.isEmpty())
        err << "orvalin-audit: " << warning << '\n';
    return session;
}

// Every scan and removal is recorded; a history that fails is told once and skipped.
ScanSession::ScanSession(std::unique_ptr<MessengerClient> client, const AccountChoice &choice,
                         QTextStream &err)
    : m_client(std::move(client)),
      m_account(AccountName::canonical(m_client->serviceSet()->defaultService()->signInName())),
      m_journal(HistoryStore::defaultPath(), m_account, choice.backendName(),
                [&err](const QString &text) { err << "orvalin-audit: " << text << '\n'; }),
      m_audit(m_view)
{
    m_audit.setJournal(&m_journal);
    // A downloaded copy is dated by when it was made, not by when it is opened: an older
    // download opened later must not read as people coming back.
    if (QDateTime taken = m_client->listsTakenAt(); taken.isValid())
        m_journal.setClock([taken] { return taken; });
}

ScanSession::~ScanSession() = default;

QString ScanSession::removalRefusal() const
{
    return m_client->removalRefusal();
}
