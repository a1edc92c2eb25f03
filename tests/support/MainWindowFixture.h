#pragma once

#include "app/Form1.h"
#include "app/LinkOpener.h"
#include "app/MessageReporter.h"
#include "tests/support/AuditFixtures.h"

#include <QApplication>
#include <QListWidget>
#include <QTest>

#include <gtest/gtest.h>

#include <memory>

struct ReportedMessage
{
    QString kind;
    QString title;
    QString text;
};

// Keeps every message the window would have shown in a box.
class RecordingReporter : public MessageReporter
{
public:
    void error(const QString &title, const QString &text) override
    {
        messages.append({QStringLiteral("error"), title, text});
    }
    void warning(const QString &title, const QString &text) override
    {
        messages.append({QStringLiteral("warning"), title, text});
    }
    QStringList texts() const
    {
        QStringList result;
        for (const ReportedMessage &message : messages)
            result.append(message.text);
        return result;
    }

    QList<ReportedMessage> messages;
};

class RecordingOpener : public LinkOpener
{
public:
    void open(const QUrl &url) override { opened.append(url); }
    QList<QUrl> opened;
};

// The main window over a memory account, loaded and shown.
class MainWindowTest : public ::testing::Test
{
protected:
    Form1 &start(const MessengerAccount &account, const std::shared_ptr<AccountStore> &store = {})
    {
        m_form = std::make_unique<Form1>(
            [account, store] { return std::make_unique<FaultyClient>(account, store); }, m_reporter,
            m_opener);
        EXPECT_EQ(m_form->load(), Form1::LoadResult::Loaded);
        m_form->show();
        return *m_form;
    }

    // Over these contacts, none of whom has the user, removing into m_store; the window is
    // active, so that keys reach it.
    Form1 &start(const QStringList &contacts)
    {
        m_store = std::make_shared<RecordingStore>();
        Form1 &form = start(accountWith(contacts, {}), m_store);
        form.activateWindow();
        EXPECT_TRUE(QTest::qWaitForWindowActive(&form));
        return form;
    }

    template <typename T> T *child(const char *name) const
    {
        T *found = m_form->findChild<T *>(QString::fromLatin1(name));
        EXPECT_NE(found, nullptr) << name;
        return found;
    }
    QListWidget *lista() const { return child<QListWidget>("Lista"); }

    RecordingReporter m_reporter;
    RecordingOpener m_opener;
    std::shared_ptr<RecordingStore> m_store;
    std::unique_ptr<Form1> m_form;
};

// prefix1@example.org, prefix2@example.org, …
inline QStringList addresses(const QString &prefix, int count)
{
    QStringList result;
    for (int i = 1; i <= count; ++i)
        result.append(QStringLiteral("%1%2@example.org").arg(prefix).arg(i));
    return result;
}

// A main window that must never show a message box.
class QuietMainWindowTest : public MainWindowTest
{
protected:
    void TearDown() override
    {
        EXPECT_TRUE(m_reporter.messages.isEmpty()) << qPrintable(m_reporter.texts().join('\n'));
    }
};
