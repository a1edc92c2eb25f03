#include "platform/messenger/xmpp/DialogPasswordSource.h"

#include "platform/messenger/MessengerError.h"

#include <QInputDialog>
#include <QLabel>
#include <QLineEdit>

DialogPasswordSource::DialogPasswordSource(QWidget *parent) : m_parent(parent) {}

QByteArray DialogPasswordSource::password(const QString &account)
{
    QInputDialog dialog(m_parent);
    dialog.setWindowTitle(QStringLiteral("Orvalin"));
    dialog.setLabelText(QStringLiteral("Contraseña de la cuenta XMPP %1:").arg(account));
    // The address comes from the environment: shown as it is written, never as markup.
    for (auto *label : dialog.findChildren<QLabel *>())
        label->setTextFormat(Qt::PlainText);
    dialog.setTextEchoMode(QLineEdit::Password);
    dialog.setInputMode(QInputDialog::TextInput);
    const bool accepted = dialog.exec() == QDialog::Accepted;
    QByteArray secret = dialog.textValue().toUtf8();
    dialog.setTextValue(QString());
    if (!accepted) {
        wipe(secret);
        throw MessengerError(
            QStringLiteral("Se canceló el inicio de sesión de %1: no se escribió la contraseña")
                .arg(account));
    }
    if (secret.isEmpty())
        throw MessengerError(
            QStringLiteral("No se escribió ninguna contraseña para %1").arg(account));
    return secret;
}
