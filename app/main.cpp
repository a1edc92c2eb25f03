#include "app/DesktopLinkOpener.h"
#include "app/Form1.h"
#include "app/MessageBoxReporter.h"
#include "app/WindowHistory.h"
#include "platform/history/HistoryStore.h"
#include "platform/messenger/MessengerClient.h"
#include "platform/messenger/MessengerClientFactory.h"
#include "platform/messenger/xmpp/DialogPasswordSource.h"
#include "platform/messenger/xmpp/XmppClientFactory.h"

#include <QApplication>
#include <QProcessEnvironment>

int main(int argc, char **argv)
{
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("orvalin"));
    QApplication::setDesktopFileName(QStringLiteral("org.example.orvalin.Orvalin"));
    MessageBoxReporter reporter;
    DesktopLinkOpener linkOpener;
    const QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    DialogPasswordSource askPassword;
    std::unique_ptr<Form1> form;
    try {
        form = std::make_unique<Form1>(
            [&] { return createMessengerClient(environment, askPassword); }, reporter, linkOpener);
    } catch (const std::exception &error) {
        // The window's own stored description could not be read: nothing to show.
        reporter.error(QStringLiteral("Orvalin Beta 1"), QString::fromUtf8(error.what()));
        return 1;
    }
    switch (form->load()) {
    case Form1::LoadResult::SignedOut:
        return 0;
    case Form1::LoadResult::Failed:
        return 1;
    case Form1::LoadResult::Loaded:
        break;
    }
    reporter.setParent(form.get());
    const auto history =
        attachHistory(*form, chosenBackend(environment), reporter, HistoryStore::defaultPath());
    // "&Salir" ends at once: the loop stops and the window goes without its unload steps.
    QObject::connect(form.get(), &Form1::programEndRequested, &app,
                     [] { QCoreApplication::exit(0); });
    form->show();
    return app.exec();
}
