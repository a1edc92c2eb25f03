#pragma once

#include "platform/messenger/xmpp/PasswordSource.h"

#include <QPointer>
#include <QWidget>

// Asks for the password in a modal dialog whose field masks what is typed.
class DialogPasswordSource : public PasswordSource
{
public:
    explicit DialogPasswordSource(QWidget *parent = nullptr);

    QByteArray password(const QString &account) override;

private:
    QPointer<QWidget> m_parent;
};
