#include "ButtonTestSupport.h"

#include "controls/button/DefaultButtonTracker.h"

#include <QApplication>
#include <QLineEdit>

#include <gtest/gtest.h>

namespace {

TEST(DefaultButtonTracker, TheFocusedButtonElseTheChosenOneIsTheDefault)
{
    QWidget window;
    auto *search = new Button(&window);
    auto *remove = new Button(&window);
    auto *edit = new QLineEdit(&window);
    for (Button *b : {search, remove}) {
        b->InitProperties();
        b->resize(75, 23);
    }
    window.show();
    QApplication::setActiveWindow(&window);
    DefaultButtonTracker tracker(&window);

    edit->setFocus();
    EXPECT_EQ(tracker.currentDefault(), nullptr);
    EXPECT_FALSE(search->displayAsDefault() || remove->displayAsDefault());

    tracker.setChosenDefault(search);
    EXPECT_TRUE(search->displayAsDefault());

    const int searchRedraws = search->redrawCount();
    const int removeRedraws = remove->redrawCount();
    remove->setFocus();
    EXPECT_EQ(tracker.currentDefault(), remove);
    EXPECT_TRUE(remove->displayAsDefault());
    EXPECT_FALSE(search->displayAsDefault());
    // Ambient change for the one that lost the flag; the focused one also redraws for its
    // focus.
    EXPECT_EQ(search->redrawCount(), searchRedraws + 1);
    EXPECT_EQ(remove->redrawCount(), removeRedraws + 2);

    edit->setFocus();
    EXPECT_EQ(tracker.currentDefault(), search);
    delete search;
    tracker.refresh();
    EXPECT_EQ(tracker.currentDefault(), nullptr);
}

} // namespace
