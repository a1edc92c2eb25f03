#pragma once

#include "core/ContactAudit.h"
#include "core/HistoryJournal.h"
#include "core/MemoryResultView.h"

#include <QProcessEnvironment>

#include <memory>

struct AccountChoice;
class MessengerClient;
class PasswordSource;
class QTextStream;

// The start that scan, remove and changes share: the chosen account signed in, a history
// journal that records every scan and removal, and one scan of the contact lists. Warnings (a
// history that cannot be kept, a scan that is not complete) go to the error stream. A
// downloaded copy's history is dated by the download's own time.
class ScanSession
{
public:
    // Signs in and scans; null when the account is signed out, which is then told on err.
    // Throws Error when the account cannot be used.
    static std::unique_ptr<ScanSession> start(const AccountChoice &choice,
                                              const QProcessEnvironment &environment,
                                              QTextStream &err, PasswordSource *askPassword);
    ~ScanSession();

    // The canonical name of the account as the server bound it, which the history is kept
    // under.
    QString account() const { return m_account; }
    MessengerClient &client() { return *m_client; }
    MemoryResultView &view() { return m_view; }
    ContactAudit &audit() { return m_audit; }
    HistoryJournal &journal() { return m_journal; }
    // Why nothing can be removed from this account (a downloaded copy), else empty.
    QString removalRefusal() const;

private:
    ScanSession(std::unique_ptr<MessengerClient> client, const AccountChoice &choice,
                QTextStream &err);

    std::unique_ptr<MessengerClient> m_client;
    QString m_account;
    HistoryJournal m_journal;
    MemoryResultView m_view;
    ContactAudit m_audit;
};
