#include "platform/messenger/xmpp/XmppMessengerClient.h"

#include "platform/base/Product.h"

#include "platform/messenger/MessengerError.h"
#include "platform/messenger/MessengerService.h"
#include "platform/messenger/MessengerServiceSet.h"
#include "platform/messenger/MessengerUserList.h"
#include "platform/messenger/MessengerWaiter.h"
#include "platform/messenger/UserTable.h"
#include "platform/messenger/xmpp/PasswordSource.h"
#include "platform/messenger/xmpp/XmppFanList.h"
#include "platform/messenger/xmpp/XmppSession.h"
#include "platform/messenger/xmpp/XmppSessionThread.h"

namespace {

constexpr qint32 signedIn = 2;

std::shared_ptr<XmppSessionThread> liveSession(const std::weak_ptr<XmppSessionThread> &session)
{
    std::shared_ptr<XmppSessionThread> live = session.lock();
    if (!live)
        throw MessengerError(QStringLiteral("El cliente XMPP ya se cerró"));
    return live;
}

class XmppService : public MessengerService
{
public:
    explicit XmppService(std::weak_ptr<XmppSessionThread> session) : m_session(std::move(session))
    {
    }

    qint32 signInState() const override
    {
        const auto session = m_session.lock();
        return session && session->isSignedIn() ? signedIn : SignedOut;
    }
    QString signInName() const override { return liveSession(m_session)->account().signInName; }
    QString displayName() const override { return liveSession(m_session)->account().displayName; }

private:
    std::weak_ptr<XmppSessionThread> m_session;
};

class XmppServiceSet : public MessengerServiceSet
{
public:
    explicit XmppServiceSet(std::weak_ptr<XmppSessionThread> session)
        : m_session(std::move(session))
    {
    }

    std::shared_ptr<MessengerService> defaultService() override
    {
        return std::make_shared<XmppService>(m_session);
    }

private:
    std::weak_ptr<XmppSessionThread> m_session;
};

class XmppUserList : public MessengerUserList
{
public:
    XmppUserList(std::weak_ptr<XmppSessionThread> session,
                 std::shared_ptr<const MessengerWaiter> waiter, qint32 listNumber,
                 QList<MessengerUser> users, std::shared_ptr<const UserTable> table)
        : m_session(std::move(session)), m_waiter(std::move(waiter)), m_listNumber(listNumber),
          m_users(std::move(users))
    {
        setTable(std::move(table));
    }

    qint32 count() const override { return qint32(m_users.size()); }

    const MessengerUser &user(qint32 index) const override
    {
        if (index < 0 || index >= m_users.size())
            throw MessengerError(QStringLiteral("No hay ningún usuario en la posición %1 de %2 "
                                                "(tiene %3)")
                                     .arg(index)
                                     .arg(name(), QString::number(m_users.size())));
        return m_users.at(index);
    }

    void remove(const MessengerUser &user) override
    {
        // A copy: user may live in this list, which changes below.
        // NOLINTNEXTLINE(performance-unnecessary-copy-initialization)
        const QString address = user.member(u"EmailAddress");
        if (m_listNumber != MessengerClient::ContactList)
            throw MessengerError(
                QStringLiteral("No se puede quitar a «%1» de la lista inversa: en XMPP solo "
                               "se quitan contactos de la lista de contactos")
                    .arg(address));
        liveSession(m_session)->call<std::monostate>(*m_waiter, [address](XmppSession &session) {
            session.removeContact(address);
            return std::monostate();
        });
        m_users.removeIf(
            [&](const MessengerUser &listed) { return listed.member(u"EmailAddress") == address; });
        setTable(std::make_shared<const UserTable>(m_users));
    }

private:
    QString name() const
    {
        return m_listNumber == MessengerClient::ContactList
                   ? QStringLiteral("la lista de contactos")
                   : QStringLiteral("la lista inversa");
    }

    std::weak_ptr<XmppSessionThread> m_session;
    std::shared_ptr<const MessengerWaiter> m_waiter;
    qint32 m_listNumber;
    QList<MessengerUser> m_users;
};

} // namespace

XmppMessengerClient::XmppMessengerClient(const XmppSettings &settings, PasswordSource &passwords,
                                         std::shared_ptr<const MessengerWaiter> waiter)
    : m_waiter(std::move(waiter))
{
    QByteArray password = passwords.password(settings.bareJid());
    auto session = std::make_shared<XmppSessionThread>(settings);
    session->signIn(password, *m_waiter);
    m_session = std::move(session);
}

XmppMessengerClient::XmppMessengerClient(std::shared_ptr<XmppSessionThread> signedIn,
                                         std::shared_ptr<const MessengerWaiter> waiter)
    : m_session(std::move(signedIn)), m_waiter(std::move(waiter))
{
}

XmppMessengerClient::~XmppMessengerClient() = default;

std::shared_ptr<MessengerServiceSet> XmppMessengerClient::serviceSet()
{
    return std::make_shared<XmppServiceSet>(m_session);
}

std::shared_ptr<MessengerUserList> XmppMessengerClient::userList(qint32 listNumber)
{
    if (listNumber != ContactList && listNumber != ReverseList)
        throw MessengerError(QStringLiteral("No existe la lista de usuarios %1").arg(listNumber));
    throwIfSignedOut();
    const LaidOutList &laidOut = laidOutList(listNumber);
    return std::make_shared<XmppUserList>(m_session, m_waiter, listNumber, laidOut.users,
                                          laidOut.table);
}

void XmppMessengerClient::throwIfSignedOut() const
{
    // A stale roster is not served as if it were current.
    if (!m_session->isSignedIn())
        throw MessengerError(QStringLiteral("Se perdió la conexión con el servidor XMPP de %1; "
                                            "vuelva a abrir %2 para iniciar sesión otra vez")
                                 .arg(m_session->account().signInName, Product::name()));
}

const XmppMessengerClient::LaidOutList &XmppMessengerClient::laidOutList(qint32 listNumber)
{
    LaidOutList &laidOut = m_laidOut[listNumber == ContactList ? 0 : 1];
    // The scan asks for the reverse list anew for every contact: while the roster is unchanged
    // since the list was read, the list read then is the list now, and no call is needed.
    if (laidOut.table && laidOut.revision == m_session->rosterRevision())
        return laidOut;
    struct Read
    {
        QList<MessengerUser> users;
        quint64 revision = 0;
    };
    Read read = m_session->call<Read>(*m_waiter, [listNumber](XmppSession &session) {
        const XmppRoster &roster = session.roster();
        return Read{listNumber == ContactList ? roster.contactList() : roster.reverseList(),
                    roster.revision()};
    });
    throwIfSignedOut();
    laidOut.table = std::make_shared<const UserTable>(read.users);
    laidOut.users = std::move(read.users);
    laidOut.revision = read.revision;
    return laidOut;
}

MessengerFans *XmppMessengerClient::fans()
{
    if (!m_fans)
        m_fans = std::make_unique<XmppFanList>(m_session, m_waiter);
    return m_fans.get();
}

void XmppMessengerClient::setHoldingRemovals(bool holding)
{
    m_session->call<std::monostate>(*m_waiter, [holding](XmppSession &session) {
        session.setHoldingRemovals(holding);
        return std::monostate();
    });
}

QHash<QString, QString> XmppMessengerClient::commitRemovals()
{
    return m_session->call<QHash<QString, QString>>(
        *m_waiter, [](XmppSession &session) { return session.commitRemovals(); });
}

qint64 XmppMessengerClient::removalGroupMs() const
{
    return 2000;
}

QString XmppMessengerClient::scanWarning() const
{
    return m_session->account().notice;
}

std::shared_ptr<const MessengerUser> XmppMessengerClient::lookUpUser(const QString &emailAddress,
                                                                     const MessengerService &)
{
    std::shared_ptr<const MessengerUser> found =
        m_session->call<std::shared_ptr<const MessengerUser>>(
            *m_waiter, [emailAddress](XmppSession &session) {
                session.processPending();
                const XmppRoster &roster = session.roster();
                std::shared_ptr<const MessengerUser> user;
                if (const auto item = roster.item(emailAddress))
                    user = std::make_shared<const MessengerUser>(
                        item->jid, item->name.isEmpty() ? item->jid : item->name);
                else if (roster.hasRequest(emailAddress))
                    user = std::make_shared<const MessengerUser>(emailAddress, emailAddress);
                return user;
            });
    if (found)
        return found;
    throw MessengerError(
        QStringLiteral("No existe ningún contacto con la dirección %1").arg(emailAddress));
}
