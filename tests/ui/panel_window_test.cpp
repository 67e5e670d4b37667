#include "ui/panel/panel_window.h"

#include <QApplication>
#include <QKeyEvent>
#include <QPointer>

#include <gtest/gtest.h>

#include <limits>
#include <string>

namespace wattlet {

TEST(PanelGeometry, PlacesBelowTheClickAboveNearTheBottomAndKeepsOnScreen)
{
    struct Case
    {
        const char* name;
        QSize size;
        std::optional<QPoint> anchor;
        QRect available;
        QRect expected;
    };
    const QSize panel(344, 400);
    const Case cases[] = {
        { "centred below", panel, QPoint(500, 300), QRect(0, 0, 1920, 1080),
            QRect(328, 304, 344, 400) },
        { "top bar: below the bar, pushed left of the edge", panel, QPoint(1800, 12),
            QRect(0, 28, 1920, 1052), QRect(1576, 28, 344, 400) },
        { "bottom bar: above the click, above the bar", panel, QPoint(900, 1060),
            QRect(0, 0, 1920, 1040), QRect(728, 640, 344, 400) },
        { "just fits below", panel, QPoint(100, 676), QRect(0, 0, 1920, 1080),
            QRect(0, 680, 344, 400) },
        { "one pixel too low goes above", panel, QPoint(100, 677), QRect(0, 0, 1920, 1080),
            QRect(0, 274, 344, 400) },
        { "left edge", panel, QPoint(10, 5), QRect(0, 0, 1920, 1080), QRect(0, 9, 344, 400) },
        { "second screen", panel, QPoint(3100, 10), QRect(1920, 0, 1280, 1024),
            QRect(2856, 14, 344, 400) },
        { "taller than the screen shows its top", QSize(344, 2000), QPoint(500, 10),
            QRect(0, 28, 1920, 1052), QRect(328, 28, 344, 2000) },
        { "no click: top-right corner", panel, std::nullopt, QRect(0, 28, 1920, 1052),
            QRect(1576, 28, 344, 400) },
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(panelGeometry(c.size, c.anchor, c.available), c.expected);
    }
}

TEST(PanelGeometry, ExtremeClickPointsStayOnTheScreenWithoutOverflow)
{
    constexpr int maxInt = std::numeric_limits<int>::max();
    constexpr int minInt = std::numeric_limits<int>::min();
    const QRect available(0, 28, 1920, 1052);
    const QPoint anchors[]
        = { { maxInt, minInt }, { minInt, maxInt }, { maxInt, maxInt }, { minInt, minInt } };
    for (const QPoint& anchor : anchors) {
        SCOPED_TRACE(std::to_string(anchor.x()) + ", " + std::to_string(anchor.y()));
        const QRect placed = panelGeometry(QSize(344, 400), anchor, available);
        EXPECT_TRUE(available.contains(placed)) << placed.x() << ", " << placed.y();
    }
}

namespace {

    std::unique_ptr<QWidget> content(QSize size)
    {
        auto widget = std::make_unique<QWidget>();
        widget->setFixedSize(size);
        widget->setFocusPolicy(Qt::StrongFocus);
        return widget;
    }

} // namespace

TEST(PanelWindow, TakesFocusAndClosesOnEscape)
{
    PanelWindow window;
    window.open(content(QSize(344, 200)), QPoint(400, 10));
    ASSERT_TRUE(window.isOpen());
    EXPECT_TRUE(window.content()->hasFocus());
    EXPECT_FALSE(window.closedWithin(1000));

    QKeyEvent other(QEvent::KeyPress, Qt::Key_A, Qt::NoModifier);
    QApplication::sendEvent(&window, &other);
    EXPECT_TRUE(window.isOpen());
    QKeyEvent escape(QEvent::KeyPress, Qt::Key_Escape, Qt::NoModifier);
    QApplication::sendEvent(&window, &escape);
    EXPECT_FALSE(window.isOpen());
    EXPECT_TRUE(window.closedWithin(1000));
}

TEST(PanelWindow, FollowsTheContentSizeAndDropsClosedContent)
{
    PanelWindow window;
    window.open(content(QSize(344, 200)), QPoint(400, 10));
    EXPECT_EQ(window.geometry(), QRect(228, 14, 344, 200));
    window.content()->setFixedSize(344, 260);
    QApplication::processEvents();
    EXPECT_EQ(window.geometry(), QRect(228, 14, 344, 260));

    QPointer<QWidget> old = window.content();
    window.close();
    QApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_TRUE(old.isNull());
    EXPECT_EQ(window.content(), nullptr);
}

} // namespace wattlet
