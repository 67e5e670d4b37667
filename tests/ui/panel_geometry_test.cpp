#include "ui/panel/panel_geometry.h"

#include <gtest/gtest.h>

#include <limits>

namespace wattlet {

TEST(PanelGeometry, BesideTheBarOfTheClickWithinTheScreen)
{
    struct Case
    {
        const char* name;
        QSize size;
        std::optional<QPoint> anchor;
        QRect screen;
        QRect available;
        QRect expected;
    };
    const QSize panel(344, 400);
    const QRect hd(0, 0, 1920, 1080);
    constexpr int big = std::numeric_limits<int>::max();
    constexpr int small = std::numeric_limits<int>::min();
    const Case cases[] = {
        { "away from the edges: centred below", panel, QPoint(500, 300), hd, hd,
            QRect(328, 304, 344, 400) },
        { "away from the edges, near the bottom: above", panel, QPoint(500, 800), hd, hd,
            QRect(328, 397, 344, 400) },
        { "top bar in the work area: below it, pushed left of the edge", panel, QPoint(1800, 12),
            hd, QRect(0, 28, 1920, 1052), QRect(1576, 28, 344, 400) },
        { "corner of a top bar: below it, though the right edge is nearer", panel, QPoint(1915, 14),
            hd, QRect(0, 30, 1920, 1050), QRect(1576, 30, 344, 400) },
        { "top bar the work area does not exclude: below twice the click's depth", panel,
            QPoint(1200, 15), hd, hd, QRect(1028, 34, 344, 400) },
        { "click at the very top edge still clears the gap", panel, QPoint(700, 0), hd, hd,
            QRect(528, 4, 344, 400) },
        { "bottom bar in the work area", panel, QPoint(900, 1070), hd, QRect(0, 0, 1920, 1040),
            QRect(728, 640, 344, 400) },
        { "left bar: right of it, centred on the click", panel, QPoint(20, 600), hd,
            QRect(48, 0, 1872, 1080), QRect(48, 400, 344, 400) },
        { "second screen", panel, QPoint(3100, 10), QRect(1920, 0, 1280, 1024),
            QRect(1920, 0, 1280, 1024), QRect(2856, 24, 344, 400) },
        { "taller than the work area shows its top", QSize(344, 2000), QPoint(500, 10), hd,
            QRect(0, 28, 1920, 1052), QRect(328, 28, 344, 2000) },
        { "huge anchor lands in the bottom-right corner's bar", panel, QPoint(big, big), hd, hd,
            QRect(1576, 676, 344, 400) },
        { "negative anchor lands in the top-left corner's bar", panel, QPoint(small, small), hd, hd,
            QRect(0, 4, 344, 400) },
        { "no click, top bar reserved: top-right", panel, std::nullopt, hd,
            QRect(0, 28, 1920, 1052), QRect(1576, 28, 344, 400) },
        { "no click, bottom bar reserved: bottom-right", panel, std::nullopt, hd,
            QRect(0, 0, 1920, 1036), QRect(1576, 636, 344, 400) },
        { "no click, nothing reserved: below an assumed top bar", panel, std::nullopt, hd, hd,
            QRect(1576, 36, 344, 400) },
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(panelGeometry(c.size, c.anchor, c.screen, c.available), c.expected);
    }
}

TEST(PanelGeometry, AFloatingBarHoldsThePanelInOnePlaceWhereverItsIconIsClicked)
{
    // Plasma 6's bottom bar: 44 px floating 8 px off the edge, in a window 60 px high. Its work
    // area reserves 44 px on X11, and XWayland has none.
    const QRect screen(0, 0, 1280, 720);
    const std::vector<WindowSystem::ScreenBar> bars { { WindowSystem::ScreenBar::Edge::bottom,
        60 } };
    for (const QRect available : { screen, QRect(0, 0, 1280, 676) }) {
        for (const int y : { 679, 690, 704 }) {
            SCOPED_TRACE(y);
            EXPECT_EQ(panelGeometry(QSize(344, 513), QPoint(1100, y), screen,
                          freeOfBars(screen, available, bars)),
                QRect(928, 147, 344, 513));
        }
    }
}

} // namespace wattlet
