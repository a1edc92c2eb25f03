#pragma once

#include "core/RemovalFailure.h"

#include <QHash>
#include <QList>
#include <QSet>
#include <QString>
#include <functional>
#include <memory>

class AuditJournal;
class MessengerClient;
class MessengerUser;
class ResultView;

// The contact scan and the removal of checked rows, shared by the window and the command-line
// tool. It keeps the window's count of listed rows and the row under removal.
class ContactAudit
{
public:
    explicit ContactAudit(ResultView &view);
    ContactAudit(const ContactAudit &) = delete;
    ContactAudit &operator=(const ContactAudit &) = delete;

    // Lists every contact whose address is missing from the reverse list. It does not empty
    // the result list; its triggers do. Errors from the client end it where they happen.
    void BuscaIgn(MessengerClient &client);

    // Called after each checked row is taken on, with the rows done so far and the rows checked
    // at the start; false stops the removal there, as if the rest were not checked.
    using RemovalProgress = std::function<bool(int done, int total)>;

    // Removes the checked rows, top to bottom, from the client's contact list and from the
    // result list. A row the client refuses, or whose contact is on the keep list, stays, still
    // checked, and is reported. The client may store the removals in groups; a row leaves the
    // list only once its removal is stored. When the keep list cannot be read, no row is taken
    // on: each checked row is reported as unguarded, with the reason.
    QList<RemovalFailure> RemoveChecked(MessengerClient &client,
                                        const RemovalProgress &progress = {});

    // Where completed scans and removals are recorded and the keep list comes from; none by
    // default. Not owned.
    void setJournal(AuditJournal *journal) { m_journal = journal; }

    qint16 zorkoCount() const { return m_zorkoCount; }
    const QString &pendingEmail() const { return m_pendingEmail; }
    const std::shared_ptr<const MessengerUser> &pendingUser() const { return m_pendingUser; }
    void releasePendingUser();

    static QString scanCaption(qint16 zorkoCount);
    static QString remainingCaption(qint16 zorkoCount);
    // Why a kept contact was not removed.
    static QString keptReason();

private:
    struct HeldRow
    {
        int index;
        QString key;
    };
    // What one removal keeps between its passes.
    struct Removal
    {
        QList<RemovalFailure> failures;
        QSet<QString> failedKeys;
        // Rows whose removal the client holds until the next commit: they stay in the list,
        // and each pass passes over them as if they were gone.
        QList<HeldRow> held;
        QSet<int> heldIndexes;
        // The walk's order of the rows taken on: a failure found at a later commit is still
        // reported in its row's place.
        QHash<QString, int> takenOrder;
        // Read once: the guard holds for every removal, from any window, tool or client.
        QSet<QString> kept;
    };
    int checkedRowCount() const;
    QList<RemovalFailure> refuseAll(const QString &reason) const;
    // One pass: takes on the first checked row from the top that is not held, failed or
    // kept; returns how many rows it took on (0 or 1).
    int removeNextRow(MessengerClient &client, Removal &removal);
    void commitHeld(MessengerClient &client, Removal &removal);
    void showRemovalCaption();

    ResultView &m_view;
    AuditJournal *m_journal = nullptr;
    qint16 m_zorkoCount = 0;
    QString m_pendingEmail;
    std::shared_ptr<const MessengerUser> m_pendingUser;
};
