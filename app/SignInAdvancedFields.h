#pragma once

#include <QWidget>

class QLineEdit;
class QProcessEnvironment;
struct RememberedAccount;
struct XmppSettings;

// "Avanzado" of the sign-in window: the server's host and port, for a server that cannot be
// found from the address, and an extra certificate authority, for a server whose certificate
// an authority of its own signs.
class SignInAdvancedFields : public QWidget
{
    Q_OBJECT

public:
    explicit SignInAdvancedFields(QWidget *parent = nullptr);

    // The fields as the environment's variables give them, for any account.
    void showEnvironment(const QProcessEnvironment &environment);
    // The fields as an XMPP account's settings give them.
    void showSettings(const XmppSettings &settings);
    // Puts what the fields hold into settings. A port that is no port, or a certificate file
    // that cannot be read, throws MessengerError naming it.
    void applyTo(XmppSettings &settings) const;
    // Puts what the fields hold into the account to remember.
    void rememberIn(RememberedAccount &account) const;

    // The fields in their tab order.
    QList<QWidget *> fields() const;

private:
    QLineEdit *m_host;
    QLineEdit *m_port;
    QLineEdit *m_caFile;
};
