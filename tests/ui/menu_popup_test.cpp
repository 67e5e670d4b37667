#include "ui/tray/menu_popup.h"

#include <QMenu>
#include <QTest>

#include <gtest/gtest.h>

using namespace wattlet;

// A menu that pops up on its own: its shortcuts choose its entries while it is open, except a
// disabled one, and the menu closes.
TEST(MenuPopup, ShortcutsChooseEntriesOfAnOpenMenu)
{
    MenuView view;
    view.rows = { { false, "Copy summary", MenuAction::copySummary, "c", "", true, std::nullopt },
        { false, "Quit", MenuAction::quit, "q", "", false, std::nullopt } };
    QMenu menu;
    std::vector<MenuAction> chosen;
    for (int fill = 0; fill < 2; ++fill)
        fillMenu(menu, view, [&](MenuAction action) { chosen.push_back(action); });
    // Filling again replaces the entries and keeps the one shortcut filter.
    EXPECT_EQ(menu.actions().size(), 2);
    EXPECT_EQ(menu.findChildren<QObject*>(QStringLiteral("menuShortcuts")).size(), 1);
    menu.popup(QPoint(0, 0));
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&menu));

    QTest::keyClick(&menu, Qt::Key_Q, Qt::ControlModifier);
    QTest::keyClick(&menu, Qt::Key_C, Qt::ControlModifier);
    EXPECT_EQ(chosen, std::vector { MenuAction::copySummary });
    EXPECT_FALSE(menu.isVisible());
}
