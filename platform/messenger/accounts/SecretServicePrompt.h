#pragma once

#include <QDBusVariant>
#include <QEventLoop>
#include <QObject>
#include <QTimer>
#include <chrono>

// Waits for a Secret Service prompt's one answer, its Completed signal.
class SecretServicePrompt : public QObject
{
    Q_OBJECT

public:
    // Handles Qt's events, but no user input of this program, until answered or limit passed.
    void wait(std::chrono::milliseconds limit)
    {
        QTimer::singleShot(limit, &m_loop, &QEventLoop::quit);
        m_loop.exec(QEventLoop::ExcludeUserInputEvents);
    }
    bool answered() const { return m_answered; }
    bool dismissed() const { return m_dismissed; }

public Q_SLOTS:
    void complete(bool dismissed, const QDBusVariant &)
    {
        m_answered = true;
        m_dismissed = dismissed;
        m_loop.quit();
    }

private:
    QEventLoop m_loop;
    bool m_answered = false;
    bool m_dismissed = false;
};
