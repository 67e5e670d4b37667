#include "platform/color_scheme.h"
#include "ui/panel/click_shield.h"
#include "ui/panel/panel_window.h"
#include "ui/theme/scheme.h"

#include <QApplication>
#include <QKeyEvent>
#include <QPointer>
#include <QTest>

#include <gtest/gtest.h>

namespace wattlet {

namespace {

    std::unique_ptr<QWidget> content(QSize size)
    {
        auto widget = std::make_unique<QWidget>();
        widget->setFixedSize(size);
        widget->setFocusPolicy(Qt::StrongFocus);
        return widget;
    }

} // namespace

TEST(PanelWindow, EscapeClosesTheFocusedPanel)
{
    PanelWindow window;
    window.open(content(QSize(344, 200)), QPoint(400, 10));
    ASSERT_TRUE(window.isOpen());
    EXPECT_TRUE(window.content()->hasFocus());
    EXPECT_FALSE(window.closedWithin(1000));

    const QPointer<QWidget> old = window.content();
    QKeyEvent escape(QEvent::KeyPress, Qt::Key_Escape, Qt::NoModifier);
    QApplication::sendEvent(&window, &escape);
    EXPECT_FALSE(window.isOpen());
    EXPECT_TRUE(window.closedWithin(1000));
    QApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_TRUE(old.isNull());
    EXPECT_EQ(window.content(), nullptr);
}

// Under XWayland nothing tells the panel of a click on the desktop: the shield takes it.
TEST(PanelWindow, ShieldTakesOnlyTheClicksOutsideThePanel)
{
    PanelWindow window(WindowSystem::PanelKind::shieldedTool);
    window.open(content(QSize(344, 200)), QPoint(400, 10));
    ClickShield* shield = window.shield();
    ASSERT_NE(shield, nullptr);
    ASSERT_TRUE(shield->isVisible());
    const auto covers = [&](QPoint global) {
        return shield->mask().contains(global - shield->geometry().topLeft());
    };
    EXPECT_FALSE(covers(window.geometry().center()));
    EXPECT_TRUE(covers(window.geometry().bottomRight() + QPoint(1, 1)));
    // The window and the hole in the shield follow the content as it grows.
    window.content()->setFixedSize(344, 260);
    QApplication::processEvents();
    EXPECT_EQ(window.geometry(), QRect(228, 24, 344, 260));
    EXPECT_FALSE(covers(window.geometry().bottomLeft()));

    QTest::mouseClick(shield, Qt::LeftButton, {}, QPoint(5, 700));
    EXPECT_FALSE(window.isOpen());
    EXPECT_FALSE(shield->isVisible());
}

TEST(PanelWindow, SchemeFollowsTheDesktopUnlessTheContentImposesItsOwn)
{
    PanelWindow window;
    window.open(content(QSize(344, 200)), QPoint(400, 10));
    QWidget* shown = window.content();
    const Scheme byPalette = Scheme::fromPalette(QApplication::palette());
    const Scheme other(byPalette.isDark() ? ColorScheme::light : ColorScheme::dark);

    window.setSchemePreference(other.isDark() ? SchemePreference::dark : SchemePreference::light);
    EXPECT_EQ(Scheme::of(shown), other);
    EXPECT_EQ(shown->palette().color(QPalette::Window), other.background());
    window.setSchemePreference(SchemePreference::none);
    EXPECT_EQ(Scheme::of(shown), byPalette);
    EXPECT_EQ(
        shown->palette().color(QPalette::Window), QApplication::palette().color(QPalette::Window));

    // Snapshots impose their scheme on the panel itself; the desktop's must not override it.
    Scheme::impose(shown, byPalette.kind());
    window.setSchemePreference(other.isDark() ? SchemePreference::dark : SchemePreference::light);
    EXPECT_EQ(Scheme::of(shown), byPalette);
    EXPECT_EQ(shown->palette().color(QPalette::Window), byPalette.background());
}

} // namespace wattlet
