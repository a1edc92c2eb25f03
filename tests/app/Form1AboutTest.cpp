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

TEST_F(Form1Test, HelpItemsOpenTheLinksAndTheAboutWindow)
{
    Form1 &form = start(accountWith({}, {}));
    child<QAction>("mnweb")->trigger();
    child<QAction>("mnForo")->trigger();
    child<QAction>("mnEmail")->trigger();
    child<QAction>("mnAcerca")->trigger();
    ASSERT_EQ(m_opener.opened.size(), 3);
    EXPECT_EQ(m_opener.opened.at(0), ProductLinks::webSite());
    EXPECT_EQ(m_opener.opened.at(0).port(), 8080);
    EXPECT_EQ(m_opener.opened.at(0).path(), QString());
    EXPECT_EQ(m_opener.opened.at(1).toString(),
              m_opener.opened.at(0).toString() + QStringLiteral("/foro"));
    EXPECT_EQ(m_opener.opened.at(2).scheme(), QStringLiteral("mailto"));
    ASSERT_NE(form.creditos(), nullptr);
    EXPECT_TRUE(form.creditos()->isVisible());
}

TEST_F(Form1Test, AboutWindowExistsOnceAndClosesWithTheMainWindow)
{
    Form1 &form = start(accountWith(addresses("c", 2), {}));
    form.showCreditos();
    QPointer<Creditos> first = form.creditos();
    form.showCreditos();
    EXPECT_EQ(form.creditos(), first.data());
    EXPECT_EQ(form.findChildren<Creditos *>().size(), 1);
    EXPECT_FALSE(first->isModal());

    // The main window still works while the about window is open.
    search();
    EXPECT_EQ(lista()->count(), 2);

    form.close();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_TRUE(first.isNull());
}

TEST_F(Form1Test, CerrarClosesTheAboutWindowAndItCanBeOpenedAgain)
{
    Form1 &form = start(accountWith({}, {}));
    form.showCreditos();
    QPointer<Creditos> creditos = form.creditos();
    QTest::mouseClick(creditos->button1(), Qt::LeftButton);
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_TRUE(creditos.isNull());
    form.showCreditos();
    ASSERT_NE(form.creditos(), nullptr);
    EXPECT_TRUE(form.creditos()->isVisible());
}

TEST_F(Form1Test, MenusWorkBesideTheAboutWindowAndItsCloseBoxClosesIt)
{
    Form1 &form = start(accountWith(addresses("c", 2), {}));
    form.showCreditos();
    QPointer<Creditos> creditos = form.creditos();
    ASSERT_TRUE(QTest::qWaitForWindowActive(creditos.data()));

    // Both menus, opened and clicked as a user would while the about window is in front.
    const auto choose = [&](const char *menuName, const char *actionName) {
        auto *menu = child<QMenu>(menuName);
        menu->popup(form.mapToGlobal(QPoint(0, 0)));
        EXPECT_TRUE(QTest::qWaitForWindowExposed(menu));
        // Chosen in the open menu with the keyboard: how a pointer click reaches a fresh popup
        // differs between toolkit versions, the menu's own choosing does not.
        menu->setActiveAction(child<QAction>(actionName));
        QTest::keyClick(menu, Qt::Key_Return);
    };
    choose("mnArchivo", "mnBuscarZ");
    EXPECT_EQ(lista()->count(), 2);
    choose("mnHelp", "mnForo");
    ASSERT_EQ(m_opener.opened.size(), 1);
    EXPECT_EQ(m_opener.opened.first(), ProductLinks::forum());
    EXPECT_TRUE(creditos->isVisible());

    // The window system's close box arrives as a close event on the about window's own window.
    QCloseEvent closeBox;
    QCoreApplication::sendEvent(creditos->windowHandle(), &closeBox);
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_TRUE(creditos.isNull());
    EXPECT_TRUE(form.isVisible());
    EXPECT_EQ(form.messenger() != nullptr, true);
}
