#pragma once

#include "platform/messenger/accounts/AccountChoice.h"
#include "platform/messenger/accounts/AccountKeeper.h"

#include <QDialog>
#include <functional>
#include <memory>

class AccountChooser;
class Keyring;
class MessengerClient;
class QCheckBox;
class QComboBox;
class QCompleter;
class QStringListModel;
class QDialogButtonBox;
class QLabel;
class QLineEdit;
class QPushButton;
class RememberedAccounts;
class SignInAdvancedFields;
class SignInStatusLine;
class XmppSignIn;

// "Iniciar sesión en Orvalin": the user picks or types an account, signs in, and the window
// closes with a signed-in client. The sign-in runs on a thread of its own while this window
// shows its steps; "Cancelar" stops it, and pressed again (or with nothing running) closes the
// window without a client. Failures are shown in the window, and the user can try again.
class SignInDialog : public QDialog
{
    Q_OBJECT

public:
    SignInDialog(const AccountChooser &chooser, RememberedAccounts &remembered,
                 const Keyring &keyring, QWidget *parent = nullptr);
    ~SignInDialog() override;

    // Selects the account choice names (any kind but Ask) and shows error, when given, as the
    // reason the window opened.
    void preset(const AccountChoice &choice, const QString &error = {});
    // Signs in at once with what the fields hold, as the automatic sign-in does; with no
    // password at hand it asks for one instead.
    void signInNow(const QByteArray &password = {});

    // After the window was accepted: the signed-in client, and what kind of account it is.
    std::unique_ptr<MessengerClient> takeClient();
    AccountChoice::Kind signedInKind() const { return m_signedInKind; }

    // The entries of "Dirección" that are not remembered accounts.
    static QString demoEntry() { return QStringLiteral("Cuenta de demostración"); }
    static QString fileEntry() { return QStringLiteral("Abrir archivo de cuenta…"); }
    static QString downloadEntry() { return QStringLiteral("Abrir descarga de datos de una red…"); }

    // Asks for a download's ZIP or folder and gives its path, or nothing when cancelled.
    // DownloadFileDialog::choose unless replaced.
    using PathChooser = std::function<QString(QWidget *parent)>;
    void setDownloadChooser(PathChooser chooser) { m_chooseDownload = std::move(chooser); }

    void reject() override;

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void createFields();
    void layOutFields();
    void nameFields();
    void connectFields();
    void fillAddresses(const QString &selected);
    void addressChosen();
    void downloadChosen();
    void addressEdited(const QString &text);
    void showAccount(const QString &address);
    void enterPressed();
    void startSignIn();
    void signedIn(std::unique_ptr<MessengerClient> client);
    void forgetAccount();
    void rememberPasswordToggled(bool checked);
    void showKeyringProblem();
    void updateEnabling();
    void setBusy(bool busy);
    QString currentAddress() const;

    const AccountChooser &m_chooser;
    PathChooser m_chooseDownload;
    // What "Dirección" held before one of its entries that open a dialog was chosen.
    QString m_typedAddress;
    // Keeps what the user asked to keep; this window only shows and reports.
    AccountKeeper m_keeper;
    XmppSignIn *m_signIn;
    std::unique_ptr<MessengerClient> m_client;
    AccountChoice::Kind m_signedInKind = AccountChoice::Kind::Demo;
    QString m_signingInAddress;
    // The account whose password and boxes the window shows.
    QString m_shownAddress;
    bool m_keyringProblemShown = false;

    QComboBox *m_address;
    QStringListModel *m_rememberedAddresses;
    QCompleter *m_addressCompletion;
    QLineEdit *m_password;
    QCheckBox *m_rememberPassword;
    QCheckBox *m_automatic;
    QPushButton *m_advancedToggle;
    SignInAdvancedFields *m_advanced;
    QPushButton *m_forget;
    SignInStatusLine *m_status;
    QDialogButtonBox *m_buttons;
    QPushButton *m_signInButton;
};
