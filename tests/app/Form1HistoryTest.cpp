#include "app/Form1.h"
#include "app/LinkOpener.h"
#include "app/ListaResultView.h"
#include "app/MessageReporter.h"
#include "app/WindowHistory.h"
#include "controls/button/Button.h"
#include "platform/history/HistoryStore.h"
#include "tests/support/AuditFixtures.h"

#include <QFile>
#include <QListWidget>
#include <QTemporaryDir>
#include <QTest>
#include <gtest/gtest.h>

// The window records its scans and removals, refuses kept contacts through its refused-removal
// path, and tells a broken history once.

namespace {

class Warnings : public MessageReporter
{
public:
    void error(const QString &, const QString &text) override { errors.append(text); }
    void warning(const QString &, const QString &text) override { warnings.append(text); }

    QStringList errors;
    QStringList warnings;
};

class NoLinks : public LinkOpener
{
public:
    void open(const QUrl &) override {}
};

class Form1HistoryTest : public ::testing::Test
{
protected:
    void start(const QString &historyPath, bool nameUnreadable = false)
    {
        const MessengerAccount account = accountWith({"ana@x", "bea@x", "ciro@x"}, {"bea@x"});
        m_store = std::make_shared<RecordingStore>();
        m_form = std::make_unique<Form1>(
            [account, store = m_store] { return std::make_unique<FaultyClient>(account, store); },
            m_reporter, m_opener);
        ASSERT_EQ(m_form->load(), Form1::LoadResult::Loaded);
        auto *client = dynamic_cast<FaultyClient *>(m_form->messenger());
        client->failingServiceSet = nameUnreadable;
        m_history = attachHistory(*m_form, "file", m_reporter, historyPath);
        client->failingServiceSet = false;
        m_form->show();
    }
    QListWidget *lista() const { return m_form->findChild<QListWidget *>("Lista"); }
    void search() const { QTest::mouseClick(m_form->command1(), Qt::LeftButton); }
    void removeChecked() const { QTest::mouseClick(m_form->command2(), Qt::LeftButton); }

    QTemporaryDir m_dir;
    Warnings m_reporter;
    NoLinks m_opener;
    std::shared_ptr<RecordingStore> m_store;
    std::unique_ptr<Form1> m_form;
    std::unique_ptr<AuditJournal> m_history;
};

} // namespace

TEST_F(Form1HistoryTest, ScansAndRemovalsAreRecordedAndKeptRowsAreRefused)
{
    const QString path = m_dir.filePath("h.sqlite");
    start(path);
    const QString signIn = dynamic_cast<HistoryJournal &>(*m_history).account();
    {
        HistoryStore store(path);
        store.keep(signIn, "ciro@x", QDateTime::currentDateTimeUtc());
    }
    search();
    ASSERT_EQ(lista()->count(), 2);
    lista()->item(0)->setCheckState(Qt::Checked);
    lista()->item(1)->setCheckState(Qt::Checked);
    removeChecked();

    // ana went; ciro stays, still ticked, named in the one warning box with the reason.
    EXPECT_EQ(m_store->removed, QStringList({"ana@x"}));
    ASSERT_EQ(lista()->count(), 1);
    EXPECT_EQ(lista()->item(0)->data(ListaResultView::KeyRole).toString(), "ciro@x");
    EXPECT_EQ(lista()->item(0)->checkState(), Qt::Checked);
    ASSERT_EQ(m_reporter.warnings.size(), 1);
    EXPECT_TRUE(
        m_reporter.warnings.first().contains("ciro@x: está en tu lista de contactos protegidos"))
        << m_reporter.warnings.first().toStdString();

    HistoryStore store(path);
    const QList<HistorySnapshot> snapshots = store.snapshots(signIn);
    ASSERT_EQ(snapshots.size(), 1);
    EXPECT_EQ(snapshots.first().backend, "file");
    EXPECT_EQ(snapshots.first().contacts,
              QList<HistoryContact>({{"ana@x", nameFor("ana@x")}, {"ciro@x", nameFor("ciro@x")}}));
    ASSERT_EQ(store.removals(signIn).size(), 1);
    EXPECT_EQ(store.removals(signIn).first().address, "ana@x");
}

TEST_F(Form1HistoryTest, ABrokenHistoryIsToldOnceAndStopsEveryRemoval)
{
    const QString path = m_dir.filePath("h.sqlite");
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(QByteArray(2048, '#'));
    file.close();
    start(path);
    search();
    search();
    EXPECT_EQ(lista()->count(), 2);
    EXPECT_EQ(m_form->zorkoCount(), 2);
    lista()->item(0)->setCheckState(Qt::Checked);
    lista()->item(1)->setCheckState(Qt::Checked);
    removeChecked();
    // Nobody went and every ticked row stays: the keep list could not be read.
    EXPECT_TRUE(m_store->removed.isEmpty());
    ASSERT_EQ(lista()->count(), 2);
    EXPECT_EQ(lista()->item(0)->checkState(), Qt::Checked);
    EXPECT_EQ(lista()->item(1)->checkState(), Qt::Checked);
    EXPECT_EQ(m_form->zorkoCount(), 2);
    ASSERT_EQ(m_reporter.warnings.size(), 2);
    EXPECT_TRUE(m_reporter.warnings.first().startsWith("El historial no está disponible"));
    const QString refusal = m_reporter.warnings.at(1);
    EXPECT_TRUE(refusal.startsWith("No se eliminó ningún contacto: ")) << refusal.toStdString();
    EXPECT_TRUE(refusal.contains("h.sqlite")) << refusal.toStdString();
    EXPECT_TRUE(refusal.contains("aparta el archivo")) << refusal.toStdString();
    // Said once, not once per row.
    EXPECT_EQ(refusal.count("h.sqlite"), 1);
    EXPECT_TRUE(m_reporter.errors.isEmpty());
}

TEST_F(Form1HistoryTest, AnAccountWhoseNameCannotBeReadRemovesNobody)
{
    start(m_dir.filePath("h.sqlite"), true);
    search();
    ASSERT_EQ(lista()->count(), 2);
    lista()->item(0)->setCheckState(Qt::Checked);
    removeChecked();
    // Without the account there is no keep list to respect, so the ticked row stays.
    EXPECT_TRUE(m_store->removed.isEmpty());
    ASSERT_EQ(lista()->count(), 2);
    EXPECT_EQ(lista()->item(0)->checkState(), Qt::Checked);
    ASSERT_EQ(m_reporter.warnings.size(), 1);
    const QString refusal = m_reporter.warnings.first();
    EXPECT_TRUE(refusal.startsWith("No se eliminó ningún contacto: no se pudo saber con qué "
                                   "cuenta se inició la sesión (conexión perdida)"))
        << refusal.toStdString();
    // Nothing was filed under a guessed name either.
    EXPECT_FALSE(QFile::exists(m_dir.filePath("h.sqlite")));
}
