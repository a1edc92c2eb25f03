#pragma once

#include "platform/messenger/xmpp/PasswordSource.h"

// Reads the password from the first line of a file that only its owner may read, and refuses
// a file that its group or anyone else can reach, as ssh does with private keys.
class FilePasswordSource : public PasswordSource
{
public:
    explicit FilePasswordSource(QString path);

    QByteArray password(const QString &account) override;

private:
    QString m_path;
};
