#pragma once

#include "app/RemovalFailure.h"

#include <QList>
#include <QSet>
#include <QString>
#include <functional>
#include <memory>

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
    // result list. A row the client refuses stays, still checked, and is reported. The client
    // may store the removals in groups; a row leaves the list only once its removal is stored.
    QList<RemovalFailure> RemoveChecked(MessengerClient &client,
                                        const RemovalProgress &progress = {});

    qint16 zorkoCount() const { return m_zorkoCount; }
    const QString &pendingEmail() const { return m_pendingEmail; }
    const std::shared_ptr<const MessengerUser> &pendingUser() const { return m_pendingUser; }
    void releasePendingUser();

    static QString scanCaption(qint16 zorkoCount);
    static QString remainingCaption(qint16 zorkoCount);

private:
    struct HeldRow
    {
        int index;
        QString key;
    };
    void commitHeld(MessengerClient &client, QList<HeldRow> &held, QSet<QString> &failedKeys,
                    QList<RemovalFailure> &failures);

    ResultView &m_view;
    qint16 m_zorkoCount = 0;
    QString m_pendingEmail;
    std::shared_ptr<const MessengerUser> m_pendingUser;
};
