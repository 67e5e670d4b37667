#include "platform/linux/plasma_panels.h"

#include <gtest/gtest.h>

#include <algorithm>

namespace wattlet {

TEST(PlasmaPanels, EachPanelsEdgeAndBandFromPlasmasSettings)
{
    using Edge = WindowSystem::ScreenBar::Edge;
    // A folder view (no panel), a floating bottom panel of the default thickness, a top panel of
    // 30 px, a left one with a hostile thickness and a panel at no edge.
    const QString applets
        = QStringLiteral("[Containments][1]\nlocation=0\nplugin=org.kde.plasma.folder\n\n"
                         "[Containments][2]\nformfactor=2\nlocation=4\nplugin=org.kde.panel\n\n"
                         "[Containments][2][Applets][5]\nplugin=org.kde.plasma.kickoff\n\n"
                         "[Containments][9]\nlocation=3\nplugin=org.kde.panel\n"
                         "[Containments][11]\nlocation=5\nplugin=org.kde.panel\n"
                         "[Containments][12]\nlocation=0\nplugin=org.kde.panel\n");
    const QString shell = QStringLiteral("[PlasmaViews][Panel 2]\nfloating=1\n\n"
                                         "[PlasmaViews][Panel 9][Defaults]\nthickness=30\n"
                                         "[PlasmaViews][Panel 11][Defaults]\nthickness=99999999\n");
    auto bars = plasmaPanels(applets, shell);
    std::sort(
        bars.begin(), bars.end(), [](const auto& a, const auto& b) { return a.edge < b.edge; });
    ASSERT_EQ(bars.size(), 2U);
    EXPECT_EQ(bars[0].edge, Edge::top);
    EXPECT_EQ(bars[0].thickness, 30);
    EXPECT_EQ(bars[1].edge, Edge::bottom);
    EXPECT_EQ(bars[1].thickness, 60);
    EXPECT_TRUE(plasmaPanels(QStringLiteral("garbage ] [ = ="), QString()).empty());
}

} // namespace wattlet
