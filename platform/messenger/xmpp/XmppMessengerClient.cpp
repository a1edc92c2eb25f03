#include "platform/messenger/xmpp/XmppMessengerClient.h"

#include "platform/messenger/MessengerError.h"
#include "platform/messenger/MessengerService.h"
#include "platform/messenger/MessengerServiceSet.h"
#include "platform/messenger/MessengerUserList.h"
#include "platform/messenger/xmpp/PasswordSource.h"
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
    QString signInName() const override { return liveSession(m_session)->signInName(); }
    QString displayName() const override { return liveSession(m_session)->displayName(); }

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
    XmppUserList(std::weak_ptr<XmppSessionThread> session, qint32 listNumber,
                 QList<MessengerUser> users)
        : m_session(std::move(session)), m_listNumber(listNumber), m_users(std::move(users))
    {
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
        liveSession(m_session)->removeContact(address);
        m_users.removeIf(
            [&](const MessengerUser &listed) { return listed.member(u"EmailAddress") == address; });
    }

private:
    QString name() const
    {
        return m_listNumber == MessengerClient::ContactList
                   ? QStringLiteral("la lista de contactos")
                   : QStringLiteral("la lista inversa");
    }

    std::weak_ptr<XmppSessionThread> m_session;
    qint32 m_listNumber;
    QList<MessengerUser> m_users;
};

} // namespace

XmppMessengerClient::XmppMessengerClient(const XmppSettings &settings, PasswordSource &passwords)
{
    QByteArray password = passwords.password(settings.bareJid());
    auto session = std::make_shared<XmppSessionThread>(settings);
    session->signIn(password);
    m_session = std::move(session);
}

XmppMessengerClient::XmppMessengerClient(std::shared_ptr<XmppSessionThread> signedIn)
    : m_session(std::move(signedIn))
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
    QList<MessengerUser> users;
    m_session->readRoster([&](const XmppRoster &roster) {
        users = listNumber == ContactList ? roster.contactList() : roster.reverseList();
    });
    if (!m_session->isSignedIn())
        throw MessengerError(QStringLiteral("Se perdió la conexión con el servidor XMPP de %1; "
                                            "vuelva a abrir Orvalin para iniciar sesión otra vez")
                                 .arg(m_session->signInName()));
    return std::make_shared<XmppUserList>(m_session, listNumber, std::move(users));
}

QString XmppMessengerClient::scanWarning() const
{
    return m_session->notice();
}

std::shared_ptr<const MessengerUser> XmppMessengerClient::lookUpUser(const QString &emailAddress,
                                                                     const MessengerService &)
{
    std::shared_ptr<const MessengerUser> found;
    m_session->readRoster([&](const XmppRoster &roster) {
        if (const auto item = roster.item(emailAddress))
            found = std::make_shared<const MessengerUser>(
                item->jid, item->name.isEmpty() ? item->jid : item->name);
        else if (roster.hasRequest(emailAddress))
            found = std::make_shared<const MessengerUser>(emailAddress, emailAddress);
    });
    if (found)
        return found;
    throw MessengerError(
        QStringLiteral("No existe ningún contacto con la dirección %1").arg(emailAddress));
}
