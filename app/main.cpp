#include "app/DesktopLinkOpener.h"
#include "app/Form1.h"
#include "app/MessageBoxReporter.h"
#include "platform/messenger/MessengerClient.h"
#include "platform/messenger/MessengerClientFactory.h"

#include <QApplication>
#include <QProcessEnvironment>

int main(int argc, char **argv)
{
    QApplication app(argc, argv);
    MessageBoxReporter reporter;
    DesktopLinkOpener linkOpener;
    const QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    Form1 form([environment] { return createMessengerClient(environment); }, reporter, linkOpener);
    switch (form.load()) {
    case Form1::LoadResult::SignedOut:
        return 0;
    case Form1::LoadResult::Failed:
        return 1;
    case Form1::LoadResult::Loaded:
        break;
    }
    reporter.setParent(&form);
    // "&Salir" ends at once: the loop stops and the window goes without its unload steps.
    QObject::connect(&form, &Form1::programEndRequested, &app, [] { QCoreApplication::exit(0); });
    form.show();
    return app.exec();
}
