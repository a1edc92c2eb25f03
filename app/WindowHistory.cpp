#include "app/WindowHistory.h"

#include "app/Form1.h"
#include "app/MessageReporter.h"
#include "platform/base/Error.h"
#include "platform/base/Product.h"
#include "platform/messenger/MessengerClient.h"
#include "platform/messenger/MessengerService.h"
#include "platform/messenger/MessengerServiceSet.h"

namespace {

// Stands in for the history of an account whose name could not be read: nothing can be filed,
// and since its keep list cannot be found either, no removal may run.
class UnnamedAccountJournal : public AuditJournal
{
public:
    explicit UnnamedAccountJournal(QString reason) : m_reason(std::move(reason)) {}

    QSet<QString> keptAddresses() override
    {
        throw Error(QStringLiteral("No se eliminó ningún contacto: no se pudo saber con qué "
                                   "cuenta se inició la sesión (%1), y sin ella no se puede leer "
                                   "su lista de contactos protegidos; vuelve a abrir %2 para "
                                   "iniciar sesión otra vez.")
                        .arg(m_reason, Product::name()));
    }
    void scanCompleted(const QList<HistoryContact> &) override {}
    void contactsRemoved(const QStringList &) override {}

private:
    QString m_reason;
};

} // namespace

std::unique_ptr<AuditJournal> attachHistory(Form1 &form, const QString &backend,
                                            MessageReporter &reporter, const QString &path)
{
    MessengerClient *client = form.messenger();
    if (!client)
        return {};
    QString account;
    try {
        account = client->serviceSet()->defaultService()->signInName();
    } catch (const Error &error) {
        auto unnamed = std::make_unique<UnnamedAccountJournal>(error.message());
        form.setAuditJournal(unnamed.get());
        return unnamed;
    }
    auto journal =
        std::make_unique<HistoryJournal>(path, account, backend, [&reporter](const QString &text) {
            reporter.warning(Product::title(), text);
        });
    // A downloaded copy is dated by when it was made, not by when it is opened.
    if (const QDateTime taken = client->listsTakenAt(); taken.isValid())
        journal->setClock([taken]() -> const QDateTime & { return taken; });
    form.setAuditJournal(journal.get());
    return journal;
}
