#include "app/SignInDialog.h"

#include "app/DownloadFileDialog.h"
#include "app/SignInAdvancedFields.h"
#include "app/SignInStatusLine.h"
#include "app/WindowWaiter.h"
#include "platform/base/Error.h"
#include "platform/base/Product.h"
#include "platform/messenger/MessengerClient.h"
#include "platform/messenger/accounts/AccountChooser.h"
#include "platform/messenger/accounts/RememberedAccounts.h"
#include "platform/messenger/xmpp/PasswordSource.h"
#include "platform/messenger/xmpp/XmppSignIn.h"

#include <QAbstractItemView>
#include <QCheckBox>
#include <QComboBox>
#include <QCompleter>
#include <QDialogButtonBox>
#include <QFileDialog>
#include <QFormLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QStringListModel>
#include <QVBoxLayout>

namespace {

const QString demoAddress = QStringLiteral("demo");
const QString fileMarker = QStringLiteral(":archivo");
const QString downloadMarker = QStringLiteral(":descarga");

} // namespace

SignInDialog::SignInDialog(const AccountChooser &chooser, RememberedAccounts &remembered,
                           const Keyring &keyring, QWidget *parent)
    : QDialog(parent), m_chooser(chooser), m_chooseDownload(&DownloadFileDialog::choose),
      m_keeper(remembered, keyring),
      m_signIn(new XmppSignIn(std::make_shared<WindowWaiter>(), this))
{
    setWindowTitle(QStringLiteral("Iniciar sesión en %1").arg(Product::name()));
    createFields();
    layOutFields();
    nameFields();
    connectFields();

    // On a first start nothing is remembered: the demo account is chosen, so that Enter alone
    // shows what Orvalin does.
    const RememberedAccounts &known = m_keeper.remembered();
    const QString lastUsed = known.lastUsed();
    fillAddresses(lastUsed.isEmpty() && known.accounts().isEmpty() ? demoAddress : lastUsed);
    m_address->setFocus();
}

void SignInDialog::createFields()
{
    m_address = new QComboBox(this);
    m_address->setEditable(true);
    m_address->setInsertPolicy(QComboBox::NoInsert);
    m_address->setMinimumContentsLength(28);
    m_address->lineEdit()->setPlaceholderText(QStringLiteral("usuario@servidor"));
    // The remembered accounts, and only they, are offered in a list as the user types, whatever
    // their case: the demo and the entries that open a file are chosen from the list itself.
    m_rememberedAddresses = new QStringListModel(this);
    m_addressCompletion = new QCompleter(m_rememberedAddresses, m_address);
    m_addressCompletion->setCaseSensitivity(Qt::CaseInsensitive);
    m_addressCompletion->setCompletionMode(QCompleter::PopupCompletion);
    m_address->setCompleter(m_addressCompletion);
    m_password = new QLineEdit(this);
    m_password->setEchoMode(QLineEdit::Password);
    m_rememberPassword = new QCheckBox(QStringLiteral("&Recordar contraseña"), this);
    m_automatic = new QCheckBox(QStringLiteral("Iniciar sesión &automáticamente"), this);

    m_advancedToggle = new QPushButton(QStringLiteral("A&vanzado"), this);
    m_advancedToggle->setCheckable(true);
    m_advanced = new SignInAdvancedFields(this);
    m_advanced->setVisible(false);

    m_forget = new QPushButton(QStringLiteral("Olvidar esta cuenta"), this);
    m_forget->setAutoDefault(false);
    m_advancedToggle->setAutoDefault(false);
    m_status = new SignInStatusLine(this);

    m_buttons = new QDialogButtonBox(this);
    m_signInButton =
        m_buttons->addButton(QStringLiteral("&Iniciar sesión"), QDialogButtonBox::AcceptRole);
    m_buttons->addButton(QStringLiteral("Cancelar"), QDialogButtonBox::RejectRole);
    m_signInButton->setDefault(true);
}

void SignInDialog::layOutFields()
{
    auto *form = new QFormLayout;
    auto *addressLabel = new QLabel(QStringLiteral("&Dirección:"), this);
    addressLabel->setBuddy(m_address);
    auto *passwordLabel = new QLabel(QStringLiteral("&Contraseña:"), this);
    passwordLabel->setBuddy(m_password);
    form->addRow(addressLabel, m_address);
    form->addRow(passwordLabel, m_password);
    form->addRow(QString(), m_rememberPassword);
    form->addRow(QString(), m_automatic);
    auto *layout = new QVBoxLayout(this);
    layout->addLayout(form);
    auto *row = new QHBoxLayout;
    row->addWidget(m_advancedToggle);
    row->addStretch();
    row->addWidget(m_forget);
    layout->addLayout(row);
    layout->addWidget(m_advanced);
    layout->addWidget(m_status);
    layout->addWidget(m_buttons);

    setTabOrder(m_address, m_password);
    setTabOrder(m_password, m_rememberPassword);
    setTabOrder(m_rememberPassword, m_automatic);
    setTabOrder(m_automatic, m_advancedToggle);
    QWidget *previous = m_advancedToggle;
    for (QWidget *field : m_advanced->fields()) {
        setTabOrder(previous, field);
        previous = field;
    }
    setTabOrder(previous, m_forget);
}

void SignInDialog::nameFields()
{
    // Names for accessibility tools and tests.
    m_address->setObjectName(QStringLiteral("direccion"));
    m_password->setObjectName(QStringLiteral("contrasena"));
    m_rememberPassword->setObjectName(QStringLiteral("recordar"));
    m_automatic->setObjectName(QStringLiteral("automatico"));
    m_forget->setObjectName(QStringLiteral("olvidar"));
    m_status->setObjectName(QStringLiteral("estado"));
    m_signInButton->setObjectName(QStringLiteral("iniciarSesion"));
}

void SignInDialog::connectFields()
{
    connect(m_advancedToggle, &QPushButton::toggled, m_advanced, &QWidget::setVisible);
    connect(m_buttons, &QDialogButtonBox::accepted, this, &SignInDialog::startSignIn);
    connect(m_buttons, &QDialogButtonBox::rejected, this, &SignInDialog::reject);
    connect(m_signIn, &XmppSignIn::stepChanged, m_status, &SignInStatusLine::showStatus);
    connect(m_signIn, &XmppSignIn::failed, this, [this](const QString &message) {
        setBusy(false);
        m_status->showError(message);
        m_password->setFocus();
        m_password->selectAll();
    });
    connect(m_signIn, &XmppSignIn::succeeded, this, [this] { signedIn(m_signIn->takeClient()); });
    connect(m_forget, &QPushButton::clicked, this, &SignInDialog::forgetAccount);
    connect(m_rememberPassword, &QCheckBox::toggled, this, &SignInDialog::rememberPasswordToggled);
    connect(m_address, &QComboBox::activated, this, &SignInDialog::addressChosen);
    connect(m_address, &QComboBox::editTextChanged, this, &SignInDialog::addressEdited);
    // Enter in the address, or on its completion, signs in; left to the field, it would only
    // take the completion and wait for a second Enter.
    for (QObject *field :
         {static_cast<QObject *>(m_address), static_cast<QObject *>(m_address->lineEdit()),
          static_cast<QObject *>(m_addressCompletion->popup())})
        field->installEventFilter(this);
}

bool SignInDialog::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() != QEvent::KeyPress)
        return QDialog::eventFilter(watched, event);
    const auto *key = static_cast<QKeyEvent *>(event);
    const Qt::KeyboardModifiers modifiers = key->modifiers() & ~Qt::KeypadModifier;
    if ((key->key() != Qt::Key_Return && key->key() != Qt::Key_Enter) ||
        modifiers != Qt::NoModifier)
        return QDialog::eventFilter(watched, event);
    QAbstractItemView *popup = m_addressCompletion->popup();
    if (popup->isVisible()) {
        const QModelIndex chosen = popup->currentIndex();
        popup->hide();
        if (chosen.isValid())
            m_address->setEditText(chosen.data(m_addressCompletion->completionRole()).toString());
    }
    enterPressed();
    return true;
}

void SignInDialog::enterPressed()
{
    const QString address = currentAddress();
    // The entries that open a dialog do so, as when chosen from the list.
    if (address == fileMarker || address == downloadMarker) {
        m_address->setCurrentIndex(m_address->findData(address));
        addressChosen();
        return;
    }
    // An account typed or completed just now shows its remembered password before signing in;
    // the one already shown keeps what the user typed.
    if (address != m_shownAddress)
        showAccount(address);
    if (m_signInButton->isEnabled())
        startSignIn();
}

SignInDialog::~SignInDialog() = default;

void SignInDialog::fillAddresses(const QString &selected)
{
    const QSignalBlocker quiet(m_address);
    m_address->clear();
    QStringList remembered;
    for (const RememberedAccount &account : m_keeper.remembered().accounts()) {
        if (account.address != demoAddress) {
            m_address->addItem(account.address, account.address);
            remembered.append(account.address);
        }
    }
    m_rememberedAddresses->setStringList(remembered);
    m_address->addItem(demoEntry(), demoAddress);
    m_address->addItem(fileEntry(), fileMarker);
    m_address->addItem(downloadEntry(), downloadMarker);
    const int index = selected.isEmpty() ? -1 : m_address->findData(selected);
    if (index >= 0) {
        m_address->setCurrentIndex(index);
    } else {
        m_address->setCurrentIndex(-1);
        m_address->setEditText(selected);
    }
    m_typedAddress = m_address->currentText();
    showAccount(currentAddress());
}

void SignInDialog::addressChosen()
{
    if (m_address->currentData().toString() == fileMarker) {
        const QString path = QFileDialog::getOpenFileName(
            this, QStringLiteral("Abrir archivo de cuenta"), QString(),
            QStringLiteral("Cuentas de %1 (*.json);;Todos los archivos (*)").arg(Product::name()));
        m_address->setCurrentIndex(-1);
        m_address->setEditText(path);
    }
    if (m_address->currentData().toString() == downloadMarker)
        downloadChosen();
    showAccount(currentAddress());
}

void SignInDialog::downloadChosen()
{
    const QString path = m_chooseDownload(this);
    // A download is then signed in to, and remembered, as if its path had been typed.
    const QString address = path.isEmpty() ? m_typedAddress : path;
    m_address->setCurrentIndex(-1);
    m_address->setEditText(address);
}

void SignInDialog::addressEdited(const QString &text)
{
    const int index = m_address->findText(text);
    const QString data = index >= 0 ? m_address->itemData(index).toString() : QString();
    if (data != fileMarker && data != downloadMarker)
        m_typedAddress = text;
    updateEnabling();
}

QString SignInDialog::currentAddress() const
{
    QString text = m_address->currentText().trimmed();
    const int index = m_address->findText(text);
    if (index >= 0 && !m_address->itemData(index).toString().isEmpty())
        return m_address->itemData(index).toString();
    return text;
}

void SignInDialog::showAccount(const QString &address)
{
    m_shownAddress = address;
    m_password->clear();
    const std::optional<RememberedAccount> remembered = m_keeper.remembered().find(address);
    m_rememberPassword->setChecked(remembered && remembered->rememberPassword);
    m_automatic->setChecked(remembered && remembered->signInAutomatically);
    updateEnabling();
    // The variables fill the "Avanzado" fields for any account, over what was remembered.
    m_advanced->showEnvironment(m_chooser.environment());
    if (AccountChoice::kindOf(address) != AccountChoice::Kind::Xmpp)
        return;
    try {
        m_advanced->showSettings(m_chooser.xmppSettings(address, QStringLiteral("La dirección")));
    } catch (const Error &) {
        return; // said when the user signs in
    }
    QByteArray kept = m_keeper.keptPassword(address);
    m_password->setText(QString::fromUtf8(kept));
    PasswordSource::wipe(kept);
    showKeyringProblem();
}

void SignInDialog::rememberPasswordToggled(bool checked)
{
    if (!checked)
        return;
    m_keeper.checkKeyring(currentAddress());
    showKeyringProblem();
}

void SignInDialog::showKeyringProblem()
{
    const QString why = m_keeper.keyringProblem();
    if (why.isEmpty() || m_keyringProblemShown)
        return;
    m_keyringProblemShown = true;
    // Said once; the password is then asked for at every start, never kept in a file instead.
    const bool wasTicked = m_rememberPassword->isChecked();
    m_rememberPassword->setChecked(false);
    m_rememberPassword->setEnabled(false);
    const QString sentence =
        wasTicked ? QStringLiteral("No se puede usar el llavero del sistema (%1): se desmarcó "
                                   "«Recordar contraseña»; se iniciará sesión igualmente, pero la "
                                   "contraseña no se guardará y se pedirá la próxima vez.")
                  : QStringLiteral("No se puede usar el llavero del sistema (%1): la contraseña "
                                   "no se guardará y se pedirá cada vez.");
    m_status->showError(sentence.arg(why));
}

void SignInDialog::preset(const AccountChoice &choice, const QString &error)
{
    switch (choice.kind) {
    case AccountChoice::Kind::Demo:
        fillAddresses(demoAddress);
        break;
    case AccountChoice::Kind::File:
    case AccountChoice::Kind::Download:
    case AccountChoice::Kind::Xmpp:
        fillAddresses(choice.address);
        break;
    case AccountChoice::Kind::Ask:
        break;
    }
    if (!error.isEmpty())
        m_status->showError(error);
}

void SignInDialog::signInNow(const QByteArray &password)
{
    if (!password.isEmpty())
        m_password->setText(QString::fromUtf8(password));
    if (m_password->isEnabled() && m_password->text().isEmpty()) {
        m_status->showStatus(QStringLiteral("Escriba la contraseña de %1.").arg(currentAddress()));
        m_password->setFocus();
        return;
    }
    startSignIn();
}

void SignInDialog::startSignIn()
{
    if (m_signIn->isRunning())
        return;
    // Signed in already, the window stayed only to tell what the keyring did.
    if (m_client) {
        accept();
        return;
    }
    const QString address = currentAddress();
    if (address.isEmpty() || address == fileMarker || address == downloadMarker) {
        m_status->showError(QStringLiteral("Escriba una dirección XMPP o elija una cuenta."));
        m_address->setFocus();
        return;
    }
    AccountChoice choice;
    try {
        choice = m_chooser.named(address, QStringLiteral("La dirección"));
        m_signedInKind = choice.kind;
        if (std::unique_ptr<MessengerClient> local = AccountChooser::localClient(choice)) {
            signedIn(std::move(local));
            return;
        }
        m_advanced->applyTo(choice.xmpp);
    } catch (const Error &error) {
        m_status->showError(error.message());
        return;
    }
    if (m_password->text().isEmpty()) {
        m_status->showError(QStringLiteral("Escriba la contraseña de %1.").arg(choice.address));
        m_password->setFocus();
        return;
    }
    // "Recordar contraseña" is never dropped behind the user's back: a keyring that cannot
    // keep it is told before the sign-in, and the next Enter goes on without it.
    if (m_rememberPassword->isChecked()) {
        m_keeper.checkKeyring(choice.address);
        if (!m_keeper.keyringProblem().isEmpty() && !m_keyringProblemShown) {
            showKeyringProblem();
            return;
        }
    }
    QByteArray password = m_password->text().toUtf8();
    m_signingInAddress = choice.address;
    setBusy(true);
    m_signIn->start(choice.xmpp, password);
}

void SignInDialog::signedIn(std::unique_ptr<MessengerClient> client)
{
    setBusy(false);
    RememberedAccount account;
    account.address = m_signingInAddress.isEmpty() ? currentAddress() : m_signingInAddress;
    m_signingInAddress.clear();
    m_advanced->rememberIn(account);
    account.rememberPassword = m_rememberPassword->isChecked();
    account.signInAutomatically = m_automatic->isChecked();
    QByteArray password = m_password->text().toUtf8();
    const bool hadProblem = !m_keeper.keyringProblem().isEmpty();
    const RememberedAccount kept = m_keeper.keep(account, password);
    m_password->clear();
    m_client = std::move(client);
    if (kept.rememberPassword == account.rememberPassword &&
        (hadProblem || m_keeper.keyringProblem().isEmpty())) {
        accept();
        return;
    }
    // The keyring failed only now: the window stays until the user has read why.
    m_keyringProblemShown = true;
    m_rememberPassword->setChecked(false);
    m_rememberPassword->setEnabled(false);
    const QString what =
        account.rememberPassword
            ? QStringLiteral("no se guardó la contraseña y se desmarcó «Recordar contraseña»")
            : QStringLiteral("no se pudo quitar del llavero la contraseña guardada antes");
    m_status->showError(QStringLiteral("Se inició sesión, pero %1 (%2). Pulse Intro para "
                                       "continuar.")
                            .arg(what, m_keeper.keyringProblem()));
    m_signInButton->setFocus();
}

void SignInDialog::forgetAccount()
{
    const QString address = currentAddress();
    if (!m_keeper.remembered().find(address))
        return;
    const QString failure = m_keeper.forget(address);
    if (!failure.isEmpty()) {
        m_status->showError(failure);
        return;
    }
    fillAddresses({});
    m_status->showStatus(QStringLiteral("Se olvidó la cuenta %1.").arg(address));
    m_address->setFocus();
}

void SignInDialog::reject()
{
    // The first "Cancelar" stops a sign-in that is running; the window stays for another try.
    if (m_signIn->isRunning()) {
        m_signIn->cancel();
        m_signingInAddress.clear();
        setBusy(false);
        m_status->showStatus(QStringLiteral("Se canceló el inicio de sesión."));
        return;
    }
    m_password->clear();
    QDialog::reject();
}

std::unique_ptr<MessengerClient> SignInDialog::takeClient()
{
    return std::move(m_client);
}

void SignInDialog::setBusy(bool busy)
{
    for (QWidget *field :
         {static_cast<QWidget *>(m_address), static_cast<QWidget *>(m_password),
          static_cast<QWidget *>(m_rememberPassword), static_cast<QWidget *>(m_automatic),
          static_cast<QWidget *>(m_advanced), static_cast<QWidget *>(m_forget)})
        field->setEnabled(!busy);
    m_signInButton->setEnabled(!busy);
    if (busy)
        m_status->showStatus(XmppSignIn::stepText(XmppConnection::Step::Connecting));
    else
        updateEnabling();
}

void SignInDialog::updateEnabling()
{
    const QString address = currentAddress();
    const bool xmpp = AccountChoice::kindOf(address) == AccountChoice::Kind::Xmpp;
    m_password->setEnabled(xmpp);
    m_rememberPassword->setEnabled(xmpp && m_keeper.keyringProblem().isEmpty());
    m_forget->setEnabled(m_keeper.remembered().find(address).has_value());
}
