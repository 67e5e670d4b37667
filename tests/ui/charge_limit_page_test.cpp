#include "panel_test_support.h"

#include "app/demo.h"
#include "ui/components/page_link_row.h"
#include "ui/components/pill_button.h"
#include "ui/components/segmented_control.h"
#include "ui/components/stepper.h"
#include "ui/drawing/render_image.h"
#include "ui/panel/panel_view.h"

#include <QTest>

#include <gtest/gtest.h>

namespace wattlet {
namespace {

    // The panel on the demo battery held at 75–80 %, whose limit changes as soon as asked.
    class ChargeLimitPageTest : public ::testing::Test
    {
    protected:
        template <typename T> T* find(const char* name)
        {
            // The page a change replaced is deleted later: it must not be the one found.
            QCoreApplication::processEvents();
            QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
            fitToContent(panel);
            return panel.findChild<T*>(QString::fromUtf8(name));
        }

        const ChargeLimitState& state() const { return quiet.model->chargeLimit().state(); }

        test::QuietModel quiet { Demo::reading("limit", 0) };
        PanelView panel { *quiet.model, Page::settings, ColorScheme::light };
    };

    TEST_F(ChargeLimitPageTest, FromTheSettingsRowToACustomLimitThenToFullOnce)
    {
        auto* row = find<PageLinkRow>("chargeLimit");
        ASSERT_NE(row, nullptr);
        QTest::mouseClick(row, Qt::LeftButton);
        EXPECT_EQ(panel.page(), Page::chargeLimit);

        auto* choice = find<SegmentedControl>("limit");
        ASSERT_NE(choice, nullptr);
        EXPECT_EQ(choice->selected(), 1);
        QTest::mouseClick(choice, Qt::LeftButton, {}, choice->segmentRect(2).center());
        auto* end = find<Stepper>("end");
        ASSERT_NE(end, nullptr);
        QTest::mouseClick(end, Qt::LeftButton, {}, end->increaseRect().center());
        // Stepping only edits the draft; Apply sets it.
        EXPECT_EQ(state().end, 80);
        QTest::mouseClick(find<PillButton>("apply"), Qt::LeftButton);
        EXPECT_EQ(state().start, 75);
        EXPECT_EQ(state().end, 85);

        QTest::mouseClick(find<PillButton>("once"), Qt::LeftButton);
        EXPECT_TRUE(state().lifted);
        EXPECT_EQ(state().kept, (ChargeLimitRequest { 75, 85 }));
        EXPECT_EQ(find<PillButton>("once"), nullptr);
        panel.toggleSettings();
        EXPECT_EQ(panel.page(), Page::main);
    }

    TEST_F(ChargeLimitPageTest, ThePowerModeOnTheMainPageGoesToTheDaemon)
    {
        panel.setPage(Page::main);
        auto* profile = find<SegmentedControl>("profile");
        ASSERT_NE(profile, nullptr);
        EXPECT_EQ(profile->selected(), 1);
        QTest::mouseClick(profile, Qt::LeftButton, {}, profile->segmentRect(0).center());
        EXPECT_EQ(quiet.model->powerProfiles()->state()->active, "power-saver");
        EXPECT_EQ(find<SegmentedControl>("profile")->selected(), 0);
    }

} // namespace
} // namespace wattlet
