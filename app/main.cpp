#include "app/DesktopLinkOpener.h"
#include "app/Form1.h"
#include "app/MessageBoxReporter.h"
#include "app/SignInDialog.h"
#include "app/ToolkitTranslation.h"
#include "app/WindowHistory.h"
#include "platform/base/AuditTexts.h"
#include "platform/base/CommandLine.h"
#include "platform/base/Error.h"
#include "platform/base/Product.h"
#include "platform/history/HistoryStore.h"
#include "platform/messenger/MessengerClient.h"
#include "platform/messenger/MessengerError.h"
#include "platform/messenger/accounts/AccountChooser.h"
#include "platform/messenger/accounts/Keyring.h"
#include "platform/messenger/accounts/RememberedAccounts.h"
#include "platform/messenger/xmpp/FilePasswordSource.h"

#include <QApplication>
#include <QProcessEnvironment>

#include <cstdio>

namespace {

// Signs in before the main window loads, as a messenger is signed in before Orvalin starts:
// the account named on the command line or in the environment, else the remembered one that
// signs in by itself, else the one the user picks in the sign-in window. A sign-in by itself
// that fails opens the window with the reason. A cancelled window leaves the user signed out.
// backend is set to the kind of account signed in to, for the history.
std::unique_ptr<MessengerClient> signIn(const QString &account, bool chooseAccount,
                                        const QProcessEnvironment &environment, QString &backend)
{
    RememberedAccounts remembered(RememberedAccounts::pathFor(environment));
    const AccountChooser chooser(environment, remembered);
    const Keyring keyring;
    AccountChoice choice;
    QString error;
    try {
        choice = chooser.choose(account, AccountChooser::Fallback::Ask);
    } catch (const MessengerError &failure) {
        error = failure.message();
        choice.kind = AccountChoice::Kind::Ask;
    }

    QByteArray password;
    backend = choice.backendName();
    if (!chooseAccount) {
        try {
            if (std::unique_ptr<MessengerClient> local = AccountChooser::localClient(choice))
                return local;
            if (!choice.passwordFile.isEmpty())
                password = FilePasswordSource(choice.passwordFile).password(choice.address);
        } catch (const Error &failure) {
            // An account file's, a server's or a download's failure alike.
            error = failure.message();
        }
    }

    SignInDialog dialog(chooser, remembered, keyring);
    dialog.preset(choice, error);
    dialog.show();
    if (!chooseAccount && error.isEmpty() && choice.kind == AccountChoice::Kind::Xmpp)
        dialog.signInNow(password);
    FilePasswordSource::wipe(password);
    if (dialog.exec() != QDialog::Accepted)
        return AccountChooser::signedOutClient();
    backend = AccountChoice::backendName(dialog.signedInKind());
    return dialog.takeClient();
}

const QString AccountName = QStringLiteral("account");
const QString ChooseName = QStringLiteral("choose-account");

void addOptions(CommandLine &line)
{
    line.addOption(
        QCommandLineOption(AccountName, AuditTexts::accountOption(), QStringLiteral("CUENTA")));
    line.addOption(QCommandLineOption(
        ChooseName, QStringLiteral("Muestra la ventana de inicio de sesión aunque una cuenta "
                                   "inicie sesión sola.")));
}

QString helpText(const CommandLine &line)
{
    return QStringLiteral("Uso: orvalin [--account CUENTA] [--choose-account]\n"
                          "\n"
                          "Orvalin: quién te quitó de su lista de contactos\n"
                          "\n") +
           line.optionsHelp();
}

QString usageError(const CommandLine::Fault &fault)
{
    if (fault.kind == CommandLine::Fault::Kind::MissingValue)
        return QStringLiteral("Falta la cuenta tras --account.");
    return QStringLiteral("Opción desconocida: %1. Opciones: --account CUENTA, "
                          "--choose-account, --help, --version.")
        .arg(fault.option);
}

// Signs in, loads the main window and runs it until the program ends.
int runWindow(QApplication &app, const CommandLine &line, MessageBoxReporter &reporter)
{
    DesktopLinkOpener linkOpener;
    const QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    QString backend;
    std::unique_ptr<MessengerClient> client =
        signIn(line.value(AccountName), line.isSet(ChooseName), environment, backend);

    std::unique_ptr<Form1> form;
    try {
        form =
            std::make_unique<Form1>([&client] { return std::move(client); }, reporter, linkOpener);
    } catch (const Error &error) {
        // The window's own stored description could not be read: nothing to show.
        reporter.error(Product::title(), error.message());
        return 1;
    } catch (const std::exception &error) {
        // A failure not of ours still ends with its reason rather than an abort.
        reporter.error(Product::title(), Error::messageOf(error));
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
    const auto history = attachHistory(*form, backend, reporter, HistoryStore::defaultPath());
    // "&Salir" ends at once: the loop stops and the window goes without its unload steps.
    QObject::connect(form.get(), &Form1::programEndRequested, &app,
                     [] { QCoreApplication::exit(0); });
    form->show();
    return app.exec();
}

} // namespace

int main(int argc, char **argv)
{
    CommandLine line;
    addOptions(line);
    // --help and --version need no display: they are answered before the toolkit starts.
    line.parse(CommandLine::arguments(argc, argv));
    if (line.helpRequested() || line.versionRequested()) {
        const QString text = line.helpRequested()
                                 ? helpText(line)
                                 : CommandLine::versionLine(QStringLiteral("orvalin"));
        std::fputs(text.toUtf8().constData(), stdout);
        return 0;
    }

    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("orvalin"));
    QApplication::setDesktopFileName(QStringLiteral("org.example.orvalin.Orvalin"));
    const ToolkitTranslation spanish;
    MessageBoxReporter reporter;
    // Read again without the toolkit's own options (-platform, -style...).
    if (!line.parse(QApplication::arguments().mid(1))) {
        reporter.error(Product::title(), usageError(line.fault()));
        return 2;
    }
    return runWindow(app, line, reporter);
}
