#include "core/ContactAudit.h"

#include "core/AuditJournal.h"
#include "core/ResultView.h"
#include "platform/base/Error.h"
#include "platform/history/HistoryRecords.h"
#include "platform/messenger/MessengerClient.h"
#include "platform/messenger/MessengerServiceSet.h"
#include "platform/messenger/MessengerUser.h"
#include "platform/messenger/MessengerUserList.h"

#include <QElapsedTimer>
#include <QHash>
#include <QSet>
#include <algorithm>
#include <cstring>
#include <limits>

namespace {

constexpr int RowImage = 1;
// Removals are stored in groups: a group ends after this many rows or after the time the
// client asks for, whichever comes first.
constexpr int MaxHeldRows = 1000;
// Constant views: a view made from a string literal at the call would measure it every time.
constexpr QStringView EmailAddress = u"EmailAddress";
constexpr QStringView FriendlyName = u"FriendlyName";

qint16 addChecked(qint16 count, int step)
{
    const int result = count + step;
    if (result > std::numeric_limits<qint16>::max() || result < std::numeric_limits<qint16>::min())
        throw OverflowError(QStringLiteral("más de 32767 Zorko: la ventana los cuenta en 16 bits "
                                           "y no puede listar más"));
    return qint16(result);
}

// Same length and same UTF-16 units: case-sensitive, nothing trimmed. The lengths are compared
// first, then the units in place, four at a time: a call to memcmp, or QString's general
// ordering compare, would cost more than comparing an address of a few units.
bool sameText(QStringView a, QStringView b)
{
    qsizetype left = a.size();
    if (left != b.size())
        return false;
    const char16_t *x = a.utf16();
    const char16_t *y = b.utf16();
    for (; left >= 4; left -= 4, x += 4, y += 4) {
        quint64 wx;
        quint64 wy;
        std::memcpy(&wx, x, sizeof wx);
        std::memcpy(&wy, y, sizeof wy);
        if (wx != wy)
            return false;
    }
    for (; left > 0; --left, ++x, ++y) {
        if (*x != *y)
            return false;
    }
    return true;
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
        // Nothing is cached between contacts: the reverse list is asked for anew and both
        // addresses are read by name at every comparison.
        const auto reverse = client.userList(MessengerClient::ReverseList);
        const qint32 reverseCount = reverse->count();
        bool found = false;
        for (qint32 r = 0; r < reverseCount && !found; ++r)
            found = sameText(contacts->member(c, EmailAddress), reverse->member(r, EmailAddress));

        m_view.setProgressValue(m_view.progressValue() + 1);
        if (found)
            continue;
        m_zorkoCount = addChecked(m_zorkoCount, 1);
        const QString address = contacts->member(c, EmailAddress).toString();
        const QString name = contacts->member(c, FriendlyName).toString();
        m_view.appendRow(address, name, RowImage);
        if (m_journal)
            listed.append({address, name});
    }
    m_view.setCaption(scanCaption(m_zorkoCount));
    // Only a scan that reached its caption is complete.
    if (m_journal)
        m_journal->scanCompleted(listed);
}

QList<RemovalFailure> ContactAudit::RemoveChecked(MessengerClient &client,
                                                  const RemovalProgress &progress)
{
    Removal removal;
    try {
        if (m_journal)
            removal.kept = m_journal->keptAddresses();
    } catch (const Error &error) {
        return refuseAll(error.message());
    }
    struct Hold
    {
        MessengerClient &client;
        ~Hold() { client.setHoldingRemovals(false); }
    } hold{client};
    client.setHoldingRemovals(true);

    const qint64 groupMs = client.removalGroupMs();
    const int total = progress ? checkedRowCount() : 0;
    int done = 0;
    QElapsedTimer sinceCommit;
    sinceCommit.start();

    // Each pass removes the first checked row from the top; a row that failed is passed over
    // so that the rows below it still go.
    const int passes = m_view.rowCount();
    for (int pass = 0; pass < passes; ++pass) {
        const int takenOn = removeNextRow(client, removal);
        if (takenOn == 0)
            continue;
        done += takenOn;
        if (removal.held.size() >= MaxHeldRows || sinceCommit.elapsed() >= groupMs) {
            commitHeld(client, removal);
            removal.heldIndexes.clear();
            sinceCommit.restart();
        }
        if (progress && !progress(done, total))
            break;
    }
    commitHeld(client, removal);
    const QHash<QString, int> &order = removal.takenOrder;
    std::stable_sort(removal.failures.begin(), removal.failures.end(),
                     [&](const auto &a, const auto &b) {
                         return order.value(a.emailAddress) < order.value(b.emailAddress);
                     });
    showRemovalCaption();
    return removal.failures;
}

QList<RemovalFailure> ContactAudit::refuseAll(const QString &reason) const
{
    QList<RemovalFailure> failures;
    for (int j = 1; j <= m_view.rowCount(); ++j) {
        if (m_view.isRowChecked(j))
            failures.append({m_view.rowKey(j), reason, false, true});
    }
    return failures;
}

int ContactAudit::checkedRowCount() const
{
    int count = 0;
    for (int j = 1; j <= m_view.rowCount(); ++j)
        count += m_view.isRowChecked(j) ? 1 : 0;
    return count;
}

int ContactAudit::removeNextRow(MessengerClient &client, Removal &removal)
{
    const int rows = m_view.rowCount();
    int takenOn = 0;
    for (int j = 1; j <= rows; ++j) {
        m_pendingUser.reset();
        m_pendingEmail.clear();
        if (!m_view.isRowChecked(j) || removal.heldIndexes.contains(j))
            continue;
        const QString key = m_view.rowKey(j);
        if (removal.failedKeys.contains(key))
            continue;
        if (removal.kept.contains(key)) {
            removal.takenOrder.insert(key, int(removal.takenOrder.size()));
            removal.failedKeys.insert(key);
            removal.failures.append({key, keptReason(), true});
            continue;
        }
        m_pendingEmail = key;
        ++takenOn;
        removal.takenOrder.insert(key, int(removal.takenOrder.size()));
        try {
            const auto service = client.serviceSet()->defaultService();
            m_pendingUser = client.lookUpUser(m_pendingEmail, *service);
            client.userList(MessengerClient::ContactList)->remove(*m_pendingUser);
        } catch (const Error &error) {
            removal.failedKeys.insert(key);
            removal.failures.append({key, error.message()});
            continue;
        }
        removal.held.append({j, key});
        removal.heldIndexes.insert(j);
        break;
    }
    return takenOn;
}

void ContactAudit::showRemovalCaption()
{
    if (m_zorkoCount == 0) {
        m_view.setDeleteMenuEnabled(false);
        m_view.setCaption(QStringLiteral("Ya no hay zorko en tu Lista"));
    } else {
        m_view.setCaption(remainingCaption(m_zorkoCount));
    }
}

void ContactAudit::commitHeld(MessengerClient &client, Removal &removal)
{
    QList<HeldRow> &held = removal.held;
    if (held.isEmpty())
        return;
    const QHash<QString, QString> refused = client.commitRemovals();
    QList<int> stored;
    QStringList storedKeys;
    stored.reserve(held.size());
    for (const HeldRow &row : held) {
        if (!refused.contains(row.key)) {
            stored.append(row.index);
            storedKeys.append(row.key);
        }
    }
    if (m_journal && !storedKeys.isEmpty())
        m_journal->contactsRemoved(storedKeys);
    m_view.removeRows(stored);
    m_zorkoCount = addChecked(m_zorkoCount, -int(stored.size()));
    for (const HeldRow &row : held) {
        const auto reason = refused.constFind(row.key);
        if (reason != refused.cend()) {
            removal.failedKeys.insert(row.key);
            removal.failures.append({row.key, reason.value()});
        }
    }
    held.clear();
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
