#include "tray_test_support.h"

#include "ui/panel/panel_window.h"
#include "ui/tray/status_controller.h"
#include "ui/tray/tray_item.h"

#include <gtest/gtest.h>

namespace wattlet {
namespace {

    class StatusControllerTest : public ::testing::Test, protected test::TrayTestBase
    {
    protected:
        void SetUp() override
        {
            if (!busRunning())
                GTEST_SKIP() << "dbus-daemon is not available";
            source.reading.emplace().percent = 15;
            model = std::make_unique<AppModel>(std::nullopt, source.deps());
            controller = std::make_unique<StatusController>(*model, panels.factory());
        }

        test::FakeSource source;
        test::PanelCounter panels;
        std::unique_ptr<AppModel> model;
        std::unique_ptr<StatusController> controller;
    };

} // namespace

TEST_F(StatusControllerTest, FollowsPreferenceChangesAtOnceUntilGone)
{
    model->start();
    // The settings page asks for a redraw after changing a preference.
    model->prefs().setShowPercent(false);
    model->onUpdate();
    EXPECT_EQ(controller->tray().view().title, "");

    controller.reset();
    // The update callback holds the controller weakly: calling it must not reach the freed
    // controller (the sanitizer build catches a use after free).
    ASSERT_TRUE(model->onUpdate);
    model->refresh(false);
}

TEST_F(StatusControllerTest, OpeningRefreshesWithoutRecordingIntoANewPanel)
{
    model->start();
    const int reads = source.reads;
    const int saves = source.saves;
    controller->togglePanel();
    EXPECT_TRUE(controller->isPanelOpen());
    EXPECT_EQ(source.reads, reads + 1);
    EXPECT_EQ(source.saves, saves);
    QWidget* first = controller->panel().content();

    controller->togglePanel();
    EXPECT_FALSE(controller->isPanelOpen());
    controller->togglePanel();
    EXPECT_TRUE(controller->isPanelOpen());
    EXPECT_EQ(panels.built, 2);
    EXPECT_NE(controller->panel().content(), first);
    // Unlike a click, the menu's row never closes an open panel.
    controller->run(MenuAction::openPanel);
    controller->run(MenuAction::openPanel);
    EXPECT_TRUE(controller->isPanelOpen());
    EXPECT_EQ(panels.built, 2);
}

} // namespace wattlet
