#include "app/ContactAudit.h"

#include "app/AuditJournal.h"
#include "app/ResultView.h"
#include "platform/history/HistoryRecords.h"
#include "platform/messenger/MessengerClient.h"
#include "platform/messenger/MessengerServiceSet.h"
#include "platform/messenger/MessengerUser.h"
#include "platform/messenger/MessengerUserList.h"

#include <QSet>
#include <cstring>
#include <limits>
#include <stdexcept>

namespace {

constexpr int RowImage = 1;
// Constant views: a view made from a string literal at the call would measure it every time.
constexpr QStringView EmailAddress = u"EmailAddress";
constexpr QStringView FriendlyName = u"FriendlyName";

qint16 addChecked(qint16 count, int step)
{
    const int result = count + step;
    if (result > std::numeric_limits<qint16>::max() || result < std::numeric_limits<qint16>::min())
        throw std::overflow_error(
            "Desbordamiento: la cuenta de Zorko no cabe en 16 bits (pasa de 32767)");
    return qint16(result);
}

// Same length and same UTF-16 units: case-sensitive, nothing trimmed. Written out because
// QString's operator== goes through Qt's general ordering compare, the largest cost of the scan.
bool sameText(const QString &a, const QString &b)
{
    return a.size() == b.size() &&
           std::memcmp(a.constData(), b.constData(), size_t(a.size()) * sizeof(QChar)) == 0;
}

} // namespace

ContactAudit::ContactAudit(ResultView &view) : m_view(view) {}

void ContactAudit::BuscaIgn(MessengerClient &client)
{
    m_zorkoCount = 0;
    m_view.setProgressValue(0);
    m_view.setProgressMax(float(client.userList(MessengerClient::ContactList)->count()));

    QList<HistoryContact> listed;
    const auto contacts = client.userList(MessengerClient::ContactList);
    for (qint32 c = 0; c < contacts->count(); ++c) {
        const MessengerUser &contact = contacts->user(c);
        // Nothing is cached between contacts: the reverse list is asked for anew and both
        // addresses are read by name at every comparison.
        const auto reverse = client.userList(MessengerClient::ReverseList);
        bool found = false;
        for (qint32 r = 0; r < reverse->count() && !found; ++r)
            found = sameText(contact.member(EmailAddress), reverse->user(r).member(EmailAddress));

        m_view.setProgressValue(m_view.progressValue() + 1);
        if (found)
            continue;
        m_zorkoCount = addChecked(m_zorkoCount, 1);
        m_view.appendRow(contact.member(EmailAddress), contact.member(FriendlyName), RowImage);
        if (m_journal)
            listed.append({contact.member(EmailAddress), contact.member(FriendlyName)});
    }
    m_view.setCaption(scanCaption(m_zorkoCount));
    // Only a scan that reached its caption is complete.
    if (m_journal)
        m_journal->scanCompleted(listed);
}

QList<RemovalFailure> ContactAudit::RemoveChecked(MessengerClient &client)
{
    QList<RemovalFailure> failures;
    QSet<QString> failedKeys;
    // Read once: the guard holds for every removal, from any window, tool or client.
    const QSet<QString> kept = m_journal ? m_journal->keptAddresses() : QSet<QString>();
    // Each pass removes the first checked row from the top; a row that failed is passed over
    // so that the rows below it still go.
    const int passes = m_view.rowCount();
    for (int pass = 0; pass < passes; ++pass) {
        const int rows = m_view.rowCount();
        for (int j = 1; j <= rows; ++j) {
            m_pendingUser.reset();
            m_pendingEmail.clear();
            if (!m_view.isRowChecked(j))
                continue;
            const QString key = m_view.rowKey(j);
            if (failedKeys.contains(key))
                continue;
            if (kept.contains(key)) {
                failedKeys.insert(key);
                failures.append({key, keptReason(), true});
                continue;
            }
            m_pendingEmail = key;
            try {
                const auto service = client.serviceSet()->defaultService();
                m_pendingUser = client.lookUpUser(m_pendingEmail, *service);
                client.userList(MessengerClient::ContactList)->remove(*m_pendingUser);
            } catch (const std::exception &error) {
                failedKeys.insert(key);
                failures.append({key, QString::fromUtf8(error.what())});
                continue;
            }
            if (m_journal)
                m_journal->contactRemoved(key);
            m_view.removeRow(j);
            m_zorkoCount = addChecked(m_zorkoCount, -1);
            break;
        }
    }

    if (m_zorkoCount == 0) {
        m_view.setDeleteMenuEnabled(false);
        m_view.setCaption(QStringLiteral("Ya no hay zorko en tu Lista"));
    } else {
        m_view.setCaption(remainingCaption(m_zorkoCount));
    }
    return failures;
}

void ContactAudit::releasePendingUser()
{
    m_pendingUser.reset();
}

QString ContactAudit::scanCaption(qint16 zorkoCount)
{
    if (zorkoCount == 0)
        return QStringLiteral("No hay Zorko en tu lista");
    return QStringLiteral("Tienes %1 Zorko en tu Lista").arg(zorkoCount);
}

QString ContactAudit::remainingCaption(qint16 zorkoCount)
{
    if (zorkoCount == 0)
        return QStringLiteral("Ya no hay zorko en tu Lista");
    return QStringLiteral("Aun tienes %1 En tu Lista").arg(zorkoCount);
}

QString ContactAudit::keptReason()
{
    return QStringLiteral("está en tu lista de contactos protegidos");
}
