#pragma once

#include "platform/messenger/xmpp/PasswordSource.h"

// Asks for the password on the terminal without echoing it. The prompt goes to output; when
// input is not a terminal the line is read as it comes (for scripts that pipe it in).
class TerminalPasswordSource : public PasswordSource
{
public:
    explicit TerminalPasswordSource(int inputFd = 0, int outputFd = 2);

    QByteArray password(const QString &account) override;

private:
    int m_inputFd;
    int m_outputFd;
};
