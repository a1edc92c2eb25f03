#include "app/SignInAdvancedFields.h"

#include "platform/messenger/MessengerError.h"
#include "platform/messenger/accounts/RememberedAccount.h"
#include "platform/messenger/xmpp/XmppSettings.h"

#include <QFileInfo>
#include <QFormLayout>
#include <QLineEdit>
#include <QProcessEnvironment>

SignInAdvancedFields::SignInAdvancedFields(QWidget *parent)
    : QWidget(parent), m_host(new QLineEdit(this)), m_port(new QLineEdit(this)),
      m_caFile(new QLineEdit(this))
{
    m_host->setPlaceholderText(QStringLiteral("se busca a partir de la dirección"));
    m_port->setPlaceholderText(QStringLiteral("5222"));
    m_caFile->setPlaceholderText(QStringLiteral("solo las autoridades del sistema"));
    auto *form = new QFormLayout(this);
    form->setContentsMargins(0, 0, 0, 0);
    form->addRow(QStringLiteral("&Servidor:"), m_host);
    form->addRow(QStringLiteral("&Puerto:"), m_port);
    form->addRow(QStringLiteral("Certificado de CA &adicional:"), m_caFile);
}

void SignInAdvancedFields::showEnvironment(const QProcessEnvironment &environment)
{
    m_host->setText(environment.value(QStringLiteral("ORVALIN_XMPP_HOST")).trimmed());
    m_port->setText(environment.value(QStringLiteral("ORVALIN_XMPP_PORT")).trimmed());
    m_caFile->setText(environment.value(QStringLiteral("ORVALIN_XMPP_CAFILE")));
}

void SignInAdvancedFields::showSettings(const XmppSettings &settings)
{
    m_host->setText(settings.host);
    m_port->setText(settings.port != 0 ? QString::number(settings.port) : QString());
    m_caFile->setText(settings.caFile);
}

void SignInAdvancedFields::applyTo(XmppSettings &settings) const
{
    settings.host = m_host->text().trimmed();
    const QString port = m_port->text().trimmed();
    settings.port =
        port.isEmpty() ? 0 : XmppSettings::checkedPort(port, QStringLiteral("El puerto"));
    settings.caFile = m_caFile->text().trimmed();
    if (!settings.caFile.isEmpty() && !QFileInfo(settings.caFile).isReadable())
        throw MessengerError(QStringLiteral("No se puede leer el archivo de certificados «%1».")
                                 .arg(settings.caFile));
}

void SignInAdvancedFields::rememberIn(RememberedAccount &account) const
{
    account.host = m_host->text().trimmed();
    // Only a port in range is kept: 70000 must not come back as 4464.
    bool ok = false;
    const uint port = m_port->text().trimmed().toUInt(&ok);
    account.port = ok && port <= 65535 ? quint16(port) : 0;
    account.caFile = m_caFile->text().trimmed();
}

QList<QWidget *> SignInAdvancedFields::fields() const
{
    return {m_host, m_port, m_caFile};
}
