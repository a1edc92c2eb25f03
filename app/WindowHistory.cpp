#include "app/WindowHistory.h"

#include "app/Form1.h"
#include "app/MessageReporter.h"
#include "platform/base/Error.h"
#include "platform/base/Product.h"
#include "platform/messenger/MessengerClient.h"
#include "platform/messenger/MessengerService.h"
#include "platform/messenger/MessengerServiceSet.h"

std::unique_ptr<HistoryJournal> attachHistory(Form1 &form, const QString &backend,
                                              MessageReporter &reporter, const QString &path)
{
    MessengerClient *client = form.messenger();
    if (!client)
        return {};
    QString account;
    try {
        account = client->serviceSet()->defaultService()->signInName();
    } catch (const Error &) {
        // Without the account's name there is nothing to file the history under.
        return {};
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
