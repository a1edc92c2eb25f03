#include "app/Creditos.h"
#include "app/Form1.h"
#include "app/LinkOpener.h"
#include "app/ListaResultView.h"
#include "app/MessageReporter.h"
#include "app/ProductLinks.h"
#include "controls/banner/CsLogo.h"
#include "controls/button/Button.h"
#include "platform/messenger/MessengerError.h"
#include "platform/messenger/MessengerService.h"
#include "tests/app/Form1Fixture.h"

#include <QAction>
#include <QCloseEvent>
#include <QElapsedTimer>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QProgressBar>
#include <QProgressDialog>
#include <QPushButton>
#include <QRegularExpression>
#include <QSignalSpy>
#include <QStyle>
#include <QStyleOptionViewItem>
#include <QTest>
#include <QThread>
#include <QTimer>
#include <QWindow>
#include <gtest/gtest.h>

namespace {

// A store slow enough that removing many contacts takes a few seconds.
class SlowStore : public RecordingStore
{
public:
    void removeUser(qint32 listNumber, const QString &emailAddress) override
    {
        QThread::usleep(150);
        RecordingStore::removeUser(listNumber, emailAddress);
    }
};

} // namespace

TEST_F(Form1Test, DeleteRemovesCheckedRowsFromClientAndList)
{
    Form1 &form = start(accountWith(addresses("c", 5), {}));
    search();
    setChecked(2, true);
    setChecked(4, true);
    click(form.command2());
    EXPECT_EQ(rowKeys(), QStringList({"c1@example.org", "c3@example.org", "c5@example.org"}));
    EXPECT_EQ(contactAddresses(*form.messenger()), rowKeys());
    EXPECT_EQ(frame2(), QStringLiteral("Aun tienes 3 En tu Lista"));
    EXPECT_TRUE(deleteMenuEnabled());
    EXPECT_EQ(m_reporter.messages.size(), 0);

    for (int row = 1; row <= 3; ++row)
        setChecked(row, true);
    child<QAction>("mnDelette")->trigger();
    EXPECT_EQ(lista()->count(), 0);
    EXPECT_EQ(frame2(), QStringLiteral("Ya no hay zorko en tu Lista"));
    EXPECT_FALSE(deleteMenuEnabled());
    // Only the menu item follows the count; the button keeps its state.
    EXPECT_TRUE(form.command2()->isEnabled());
}

TEST_F(Form1Test, RefusedRemovalsStayAndAreReportedOnce)
{
    auto store = std::make_shared<RecordingStore>(
        QSet<QString>{QStringLiteral("c1@example.org"), QStringLiteral("c3@example.org")});
    Form1 &form = start(accountWith(addresses("c", 4), {}), store);
    search();
    for (int row = 1; row <= 4; ++row)
        setChecked(row, true);
    click(form.command2());
    EXPECT_EQ(rowKeys(), QStringList({"c1@example.org", "c3@example.org"}));
    EXPECT_EQ(lista()->item(0)->checkState(), Qt::Checked);
    EXPECT_EQ(lista()->item(1)->checkState(), Qt::Checked);
    EXPECT_EQ(frame2(), QStringLiteral("Aun tienes 2 En tu Lista"));
    EXPECT_EQ(store->removed, QStringList({"c2@example.org", "c4@example.org"}));

    ASSERT_EQ(m_reporter.messages.size(), 1);
    const ReportedMessage &warning = m_reporter.messages.at(0);
    EXPECT_EQ(warning.kind, QStringLiteral("warning"));
    EXPECT_TRUE(warning.text.contains(QStringLiteral("c1@example.org: el servidor no lo permite")));
    EXPECT_TRUE(warning.text.contains(QStringLiteral("c3@example.org: el servidor no lo permite")));
    EXPECT_FALSE(warning.text.contains(QStringLiteral("c2@example.org")));
}

TEST_F(Form1Test, ALongRemovalShowsItsProgressAndCanBeCancelled)
{
    const int count = 10000;
    auto store = std::make_shared<SlowStore>();
    Form1 &form = start(accountWith(addresses("c", count), {}), store);
    search();
    for (int row = 1; row <= count; ++row)
        setChecked(row, true);

    QElapsedTimer clock;
    qint64 shownAfter = -1;
    QString label;
    QTimer watch;
    watch.setInterval(10);
    QObject::connect(&watch, &QTimer::timeout, [&] {
        auto *dialog = form.findChild<QProgressDialog *>(QStringLiteral("removalProgress"));
        if (!dialog || !dialog->isVisible())
            return;
        if (shownAfter < 0) {
            shownAfter = clock.elapsed();
            return; // let it run a little while shown
        }
        label = dialog->labelText();
        auto *cancel = dialog->findChild<QPushButton *>();
        ASSERT_NE(cancel, nullptr);
        EXPECT_EQ(cancel->text(), QStringLiteral("Cancelar"));
        click(cancel);
        watch.stop();
    });
    watch.start();
    clock.start();
    click(form.command2());

    EXPECT_GE(shownAfter, 500);
    EXPECT_TRUE(QRegularExpression(QStringLiteral("^Eliminando [1-9][0-9.]* de 10\\.000…$"))
                    .match(label)
                    .hasMatch())
        << label.toStdString();
    // What went is gone from the store and the list; the rest stays, still ticked.
    const int removed = int(store->removed.size());
    EXPECT_GT(removed, 0);
    EXPECT_LT(removed, count);
    EXPECT_EQ(store->removed, addresses("c", removed));
    EXPECT_EQ(rowKeys(), addresses("c", count).mid(removed));
    EXPECT_EQ(contactAddresses(*form.messenger()), rowKeys());
    for (int i = 0; i < lista()->count(); ++i)
        ASSERT_EQ(lista()->item(i)->checkState(), Qt::Checked) << i;
    EXPECT_EQ(form.zorkoCount(), count - removed);
    EXPECT_EQ(frame2(), QStringLiteral("Aun tienes %1 En tu Lista").arg(count - removed));
    EXPECT_EQ(form.findChild<QProgressDialog *>(), nullptr);
    EXPECT_EQ(m_reporter.messages.size(), 0);
}

TEST_F(Form1Test, ClosingDuringARemovalStopsItAndUnloadsAfterwards)
{
    auto store = std::make_shared<SlowStore>();
    Form1 &form = start(accountWith(addresses("c", 10000), {}), store);
    search();
    for (int row = 1; row <= 10000; ++row)
        setChecked(row, true);
    QSignalSpy unloaded(&form, &Form1::unloaded);
    QTimer::singleShot(100, &form, [&] { form.close(); });
    click(form.command2());
    // The removal stopped at the close, with what went stored, and only then the window went.
    EXPECT_GT(store->removed.size(), 0);
    EXPECT_LT(store->removed.size(), 10000);
    EXPECT_EQ(lista()->count(), 10000 - store->removed.size());
    EXPECT_EQ(unloaded.size(), 0);
    QTest::qWait(50);
    EXPECT_EQ(unloaded.size(), 1);
    EXPECT_EQ(form.messenger(), nullptr);
}
