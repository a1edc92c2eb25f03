#pragma once

#include "app/Form1.h"
#include "app/LinkOpener.h"
#include "app/MessageReporter.h"
#include "tests/app/AuditFixtures.h"

#include <QApplication>
#include <QListWidget>
#include <QTest>

#include <gtest/gtest.h>

#include <memory>

class RecordingReporter : public MessageReporter
{
public:
    void error(const QString &, const QString &text) override { messages.append(text); }
    void warning(const QString &, const QString &text) override { messages.append(text); }
    QStringList messages;
};

class RecordingOpener : public LinkOpener
{
public:
    void open(const QUrl &url) override { opened.append(url); }
    QList<QUrl> opened;
};

// The main window over a memory account, loaded, shown and active.
class MainWindowTest : public ::testing::Test
{
protected:
    Form1 &start(const QStringList &contacts)
    {
        const MessengerAccount account = accountWith(contacts, {});
        m_store = std::make_shared<RecordingStore>();
        auto store = m_store;
        m_form = std::make_unique<Form1>(
            [account, store] { return std::make_unique<FaultyClient>(account, store); }, m_reporter,
            m_opener);
        EXPECT_EQ(m_form->load(), Form1::LoadResult::Loaded);
        m_form->show();
        m_form->activateWindow();
        EXPECT_TRUE(QTest::qWaitForWindowActive(m_form.get()));
        return *m_form;
    }

    void TearDown() override
    {
        EXPECT_TRUE(m_reporter.messages.isEmpty()) << qPrintable(m_reporter.messages.join('\n'));
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

inline QStringList addresses(int count)
{
    QStringList result;
    for (int i = 1; i <= count; ++i)
        result.append(QStringLiteral("c%1@example.org").arg(i));
    return result;
}
