#include "app/Form1.h"
#include "app/Creditos.h"
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

TEST_F(Form1Test, StartsWithTheUsersTextsAndDeleteDisabled)
{
    MessengerAccount account = accountWith(addresses("c", 2), {});
    account.signInName = QStringLiteral("lucia@example.org");
    account.displayName = QStringLiteral("Lucía");
    Form1 &form = start(account);

    EXPECT_EQ(form.windowTitle(), QStringLiteral("Orvalin Beta1"));
    EXPECT_FALSE(form.windowFlags() & Qt::WindowMaximizeButtonHint);
    EXPECT_EQ(child<QLineEdit>("Text2")->text(), QStringLiteral("lucia@example.org"));
    EXPECT_EQ(child<QLineEdit>("Text1")->text(), QStringLiteral("Lucía"));
    EXPECT_EQ(child<QGroupBox>("Frame1")->title(), QStringLiteral("Tus Datos"));
    EXPECT_EQ(frame2(), QStringLiteral("Tu lista de Zorko"));
    EXPECT_EQ(label2(), QStringLiteral("E-mail del Zorko"));
    EXPECT_EQ(lista()->count(), 0);
    EXPECT_TRUE(form.command1()->isEnabled());
    EXPECT_FALSE(form.command2()->isEnabled());
    EXPECT_FALSE(deleteMenuEnabled());
    EXPECT_EQ(child<QProgressBar>("barra1")->maximum(), 100);
    EXPECT_EQ(m_reporter.messages.size(), 0);

    const QStringList menu = {"mnBuscarZ", "mnSalir", "mnweb", "mnForo", "mnEmail", "mnAcerca"};
    for (const QString &name : menu)
        EXPECT_TRUE(child<QAction>(name.toLatin1().constData())->isEnabled()) << name.toStdString();
    EXPECT_EQ(child<QAction>("mnBuscarZ")->text(), QStringLiteral("&Buscar Zorko"));
    EXPECT_EQ(child<QAction>("mnDelette")->text(), QStringLiteral("&Eliminar"));
}

TEST_F(Form1Test, LaysOutTheControlsInTwipsAt96Dpi)
{
    Form1 &form = start(accountWith({}, {}));
    ASSERT_EQ(form.logicalDpiY(), 96);
    EXPECT_EQ(form.centralWidget()->size(), QSize(263, 304));
    EXPECT_EQ(form.csLogo1()->geometry(), QRect(0, 0, 25, 290));
    EXPECT_EQ(child<QGroupBox>("Frame1")->geometry(), QRect(32, 0, 225, 57));
    EXPECT_EQ(child<QLineEdit>("Text2")->geometry(), QRect(8, 16, 209, 19));
    EXPECT_EQ(child<QLineEdit>("Text1")->geometry(), QRect(8, 32, 209, 19));
    EXPECT_EQ(lista()->geometry(), QRect(8, 16, 209, 145));
    EXPECT_EQ(child<QLabel>("Label2")->geometry(), QRect(8, 168, 209, 17));
    EXPECT_EQ(form.command1()->geometry(), QRect(48, 256, 89, 25));
    EXPECT_EQ(form.command2()->geometry(), QRect(144, 256, 89, 25));
    EXPECT_EQ(child<QProgressBar>("barra1")->geometry(), QRect(0, 290, 263, 14));

    // Tab order follows the tab indexes.
    QWidget *expected[] = {lista(), form.command1(), form.command2(), child<QLineEdit>("Text1"),
                           child<QLineEdit>("Text2")};
    const auto nextTabStop = [](QWidget *widget) {
        do
            widget = widget->nextInFocusChain();
        while (!(widget->focusPolicy() & Qt::TabFocus));
        return widget;
    };
    for (int i = 0; i + 1 < 5; ++i)
        EXPECT_EQ(nextTabStop(expected[i]), expected[i + 1]) << i;
}

TEST_F(Form1Test, SignedOutShowsOnlyTheMessage)
{
    MessengerAccount account = accountWith(addresses("c", 1), {});
    account.signInState = MessengerService::SignedOut;
    Form1 form([account] { return std::make_unique<FaultyClient>(account); }, m_reporter, m_opener);
    EXPECT_EQ(form.load(), Form1::LoadResult::SignedOut);
    ASSERT_EQ(m_reporter.messages.size(), 1);
    EXPECT_EQ(m_reporter.messages.at(0).kind, QStringLiteral("error"));
    EXPECT_EQ(m_reporter.messages.at(0).title, QStringLiteral("Orvalin Beta 1"));
    EXPECT_EQ(
        m_reporter.messages.at(0).text,
        QStringLiteral("Debe Tener Iniciada Sesion en MSN Messenger para Utilizar este Programa"));
    EXPECT_FALSE(form.isVisible());
    EXPECT_EQ(form.messenger(), nullptr);
}

TEST_F(Form1Test, LoadErrorsAreShownAndFail)
{
    Form1 badFile(
        []() -> std::unique_ptr<MessengerClient> {
            throw MessengerError(
                QStringLiteral("Archivo de cuenta /x.json: falta el campo «signInName»"));
        },
        m_reporter, m_opener);
    EXPECT_EQ(badFile.load(), Form1::LoadResult::Failed);
    Form1 noClient([] { return std::unique_ptr<MessengerClient>(); }, m_reporter, m_opener);
    EXPECT_EQ(noClient.load(), Form1::LoadResult::Failed);

    ASSERT_EQ(m_reporter.messages.size(), 2);
    EXPECT_EQ(m_reporter.messages.at(0).kind, QStringLiteral("error"));
    EXPECT_EQ(m_reporter.messages.at(0).text,
              QStringLiteral("Archivo de cuenta /x.json: falta el campo «signInName»"));
    EXPECT_EQ(m_reporter.messages.at(1).text,
              QStringLiteral("No se pudo crear el cliente de Messenger"));
    EXPECT_FALSE(badFile.isVisible());
}

TEST_F(Form1Test, EachSearchReplacesTheRows)
{
    Form1 &form = start(accountWith(addresses("c", 3), {"c2@example.org"}));
    search();
    EXPECT_EQ(rowKeys(), QStringList({"c1@example.org", "c3@example.org"}));
    EXPECT_EQ(frame2(), QStringLiteral("Tienes 2 Zorko en tu Lista"));
    EXPECT_EQ(lista()->item(0)->text(), QStringLiteral("C1@EXAMPLE.ORG"));
    EXPECT_EQ(lista()->item(0)->checkState(), Qt::Unchecked);
    EXPECT_FALSE(lista()->item(0)->icon().isNull());
    EXPECT_EQ(child<QProgressBar>("barra1")->maximum(), 3);
    EXPECT_EQ(child<QProgressBar>("barra1")->value(), 3);

    child<QAction>("mnBuscarZ")->trigger();
    EXPECT_EQ(rowKeys(), QStringList({"c1@example.org", "c3@example.org"}));
    EXPECT_EQ(form.zorkoCount(), 2);
    EXPECT_FALSE(form.command2()->isEnabled());
    EXPECT_EQ(m_reporter.messages.size(), 0);
}

TEST_F(Form1Test, CheckingRowsDrivesTheDeleteTriggersAndTheLabel)
{
    Form1 &form = start(accountWith(addresses("c", 3), {}));
    search();
    setChecked(2, true);
    EXPECT_EQ(label2(), QStringLiteral("c2@example.org"));
    EXPECT_TRUE(form.command2()->isEnabled());
    EXPECT_TRUE(deleteMenuEnabled());

    setChecked(3, true);
    EXPECT_EQ(label2(), QStringLiteral("c3@example.org"));
    setChecked(2, false);
    // Another row is still checked: both triggers stay, the label keeps the last address.
    EXPECT_TRUE(form.command2()->isEnabled());
    EXPECT_TRUE(deleteMenuEnabled());
    EXPECT_EQ(label2(), QStringLiteral("c3@example.org"));

    setChecked(3, false);
    EXPECT_FALSE(form.command2()->isEnabled());
    EXPECT_FALSE(deleteMenuEnabled());
    EXPECT_EQ(label2(), QStringLiteral("E-mail del Zorko"));

    // Changing a row's text is not a check.
    setChecked(1, true);
    lista()->item(0)->setText(QStringLiteral("otro"));
    EXPECT_EQ(label2(), QStringLiteral("c1@example.org"));
    EXPECT_TRUE(form.command2()->isEnabled());
}

TEST_F(Form1Test, ClickingARowShowsItsAddressOnly)
{
    Form1 &form = start(accountWith(addresses("c", 3), {}));
    search();
    const QRect rect = lista()->visualItemRect(lista()->item(1));
    QTest::mouseClick(lista()->viewport(), Qt::LeftButton, {}, rect.center());
    EXPECT_EQ(label2(), QStringLiteral("c2@example.org"));
    EXPECT_EQ(lista()->item(1)->checkState(), Qt::Unchecked);
    EXPECT_FALSE(form.command2()->isEnabled());
    EXPECT_FALSE(deleteMenuEnabled());
}

TEST_F(Form1Test, TickingWithTheMouseLeavesTheLabelAsTheTickSetIt)
{
    Form1 &form = start(accountWith(addresses("c", 3), {}));
    search();
    // Where the style draws a row's check box, as the user aims at it.
    const auto clickCheckBox = [this](int row) {
        QStyleOptionViewItem option;
        option.initFrom(lista());
        option.rect = lista()->visualItemRect(lista()->item(row - 1));
        option.features = QStyleOptionViewItem::HasCheckIndicator |
                          QStyleOptionViewItem::HasDisplay | QStyleOptionViewItem::HasDecoration;
        option.decorationSize = lista()->iconSize();
        const QRect box =
            lista()->style()->subElementRect(QStyle::SE_ItemViewItemCheckIndicator, &option);
        QTest::mouseClick(lista()->viewport(), Qt::LeftButton, {}, box.center());
    };

    clickCheckBox(2);
    ASSERT_EQ(lista()->item(1)->checkState(), Qt::Checked);
    EXPECT_EQ(label2(), QStringLiteral("c2@example.org"));
    clickCheckBox(3);
    clickCheckBox(3); // unticking one of two: the last address shown stays
    ASSERT_EQ(lista()->item(2)->checkState(), Qt::Unchecked);
    EXPECT_EQ(label2(), QStringLiteral("c3@example.org"));
    EXPECT_TRUE(form.command2()->isEnabled());
    clickCheckBox(2); // unticking the only ticked row
    ASSERT_EQ(lista()->item(1)->checkState(), Qt::Unchecked);
    EXPECT_EQ(label2(), QStringLiteral("E-mail del Zorko"));
    EXPECT_FALSE(form.command2()->isEnabled());

    // A click on the row itself after a tick by keyboard still shows the row.
    lista()->setCurrentRow(0);
    QTest::keyClick(lista(), Qt::Key_Space);
    ASSERT_EQ(lista()->item(0)->checkState(), Qt::Checked);
    const QRect text = lista()->visualItemRect(lista()->item(2));
    QTest::mouseClick(lista()->viewport(), Qt::LeftButton, {}, text.center());
    EXPECT_EQ(label2(), QStringLiteral("c3@example.org"));
}

TEST_F(Form1Test, HandlerErrorsAreShownAndTheWindowKeepsWorking)
{
    MessengerAccount account = accountWith(addresses("c", 2), {});
    m_form = std::make_unique<Form1>(
        [account] {
            auto client = std::make_unique<FaultyClient>(account);
            // Load asks for the service set only; the search's third list fails.
            client->failUserListFromCall = 3;
            return client;
        },
        m_reporter, m_opener);
    ASSERT_EQ(m_form->load(), Form1::LoadResult::Loaded);
    m_form->show();
    search();
    ASSERT_EQ(m_reporter.messages.size(), 1);
    EXPECT_EQ(m_reporter.messages.at(0).kind, QStringLiteral("error"));
    EXPECT_EQ(m_reporter.messages.at(0).text, QStringLiteral("conexión perdida"));
    EXPECT_EQ(frame2(), QStringLiteral("Tu lista de Zorko"));
    EXPECT_TRUE(m_form->isVisible());
    EXPECT_NE(m_form->messenger(), nullptr);
}

TEST_F(Form1Test, ClosingUnloadsWhileSalirEndsAtOnce)
{
    Form1 &form = start(accountWith(addresses("c", 2), {}));
    QSignalSpy unloaded(&form, &Form1::unloaded);
    QSignalSpy ended(&form, &Form1::programEndRequested);

    child<QAction>("mnSalir")->trigger();
    EXPECT_EQ(ended.count(), 1);
    EXPECT_EQ(unloaded.count(), 0);
    EXPECT_NE(form.messenger(), nullptr);

    search();
    setChecked(1, true);
    setChecked(2, true);
    click(form.command2());
    ASSERT_NE(form.pendingUser(), nullptr);
    form.close();
    EXPECT_EQ(unloaded.count(), 1);
    EXPECT_EQ(form.messenger(), nullptr);
    EXPECT_EQ(form.pendingUser(), nullptr);
}

TEST_F(Form1Test, ClientTextsShowAsPlainText)
{
    MessengerAccount account;
    account.signInName = QStringLiteral("yo@example.org");
    account.displayName = QStringLiteral("<b>x</b>");
    const QString huge(64 * 1024, QLatin1Char('w'));
    const QString bidi = QStringLiteral("evil") + QChar(0x202E) + QStringLiteral("gro.elpmaxe@");
    account.contactList = {MessengerUser(QStringLiteral("<i>a</i>@example.org"), huge),
                           MessengerUser(bidi, QStringLiteral("línea\nnueva"))};
    Form1 &form = start(account);
    EXPECT_EQ(child<QLineEdit>("Text1")->text(), QStringLiteral("<b>x</b>"));
    EXPECT_EQ(child<QLabel>("Label2")->textFormat(), Qt::PlainText);

    search();
    ASSERT_EQ(lista()->count(), 2);
    EXPECT_LT(lista()->item(0)->text().size(), 1024);
    EXPECT_FALSE(lista()->item(1)->text().contains(QLatin1Char('\n')));
    // The key keeps the client's text; only what is shown is made safe.
    EXPECT_EQ(rowKeys().at(1), bidi);

    setChecked(1, true);
    EXPECT_EQ(label2(), QStringLiteral("<i>a</i>@example.org"));
    setChecked(2, true);
    EXPECT_FALSE(label2().contains(QChar(0x202E)));
    EXPECT_TRUE(label2().startsWith(QStringLiteral("evil")));
    EXPECT_EQ(child<QLabel>("Label2")->width(), 209);
    EXPECT_EQ(form.centralWidget()->size(), QSize(263, 304));
}

TEST_F(Form1Test, ButtonsAndBannerCarryTheirSavedSettings)
{
    Form1 &form = start(accountWith({}, {}));
    for (Button *button : {form.command1(), form.command2()}) {
        EXPECT_EQ(button->buttonType(), 5);
        EXPECT_EQ(button->colorScheme(), 1);
        EXPECT_EQ(button->showFocusRect(), VbTrue);
        EXPECT_EQ(button->backColor(), 0x00C0C0C0u);
        EXPECT_EQ(button->foreColor(), 0u);
        EXPECT_EQ(button->buttonFont(), StdFont(QStringLiteral("MS Sans Serif"), 8.25f));
    }
    EXPECT_EQ(form.command1()->caption(), QStringLiteral("Buscar"));
    EXPECT_EQ(form.command1()->buttonEnabled(), VbTrue);
    EXPECT_EQ(form.command2()->caption(), QStringLiteral("Eliminar"));
    EXPECT_EQ(form.command2()->buttonEnabled(), VbFalse);
    EXPECT_EQ(form.csLogo1()->caption(), QStringLiteral("Orvalin Beta1"));
    EXPECT_EQ(form.csLogo1()->foreColor(), 0x00808080u);
    EXPECT_EQ(form.csLogo1()->startColor(), 0u);
    EXPECT_EQ(form.csLogo1()->endColor(), 0x000000FFu);
    EXPECT_EQ(form.csLogo1()->fontName(), QStringLiteral("Arial"));
    EXPECT_EQ(form.csLogo1()->fontBold(), VbTrue);
    // The banner is drawn: its bottom row has the start colour.
    const Surface &banner = form.csLogo1()->surface();
    EXPECT_EQ(banner.pixel(banner.width() - 1, banner.height() - 1), 0u);
}

TEST_F(Form1Test, TheWholeJobCanBeDoneWithTheKeyboard)
{
    Form1 &form = start(accountWith(addresses("c", 3), {}));
    form.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&form));
    form.command1()->setFocus();
    QTest::keyClick(form.command1(), Qt::Key_Space);
    ASSERT_EQ(lista()->count(), 3);
    EXPECT_TRUE(form.command1()->displayAsDefault()) << "the focused button shows as default";

    lista()->setFocus();
    lista()->setCurrentRow(1);
    QTest::keyClick(lista(), Qt::Key_Space); // ticks the current row
    ASSERT_EQ(lista()->item(1)->checkState(), Qt::Checked);
    ASSERT_EQ(form.command2()->buttonEnabled(), VbTrue);

    // Right arrow on the search button moves on to the delete button.
    form.command1()->setFocus();
    QTest::keyClick(form.command1(), Qt::Key_Right);
    ASSERT_TRUE(form.command2()->hasFocus());
    QTest::keyClick(form.command2(), Qt::Key_Space);
    EXPECT_EQ(rowKeys(),
              (QStringList{QStringLiteral("c1@example.org"), QStringLiteral("c3@example.org")}));
    EXPECT_EQ(frame2(), QStringLiteral("Aun tienes 2 En tu Lista"));
}
