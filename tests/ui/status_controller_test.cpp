#include "tray_test_support.h"

#include "ui/components/pill_button.h"
#include "ui/panel/panel_window.h"
#include "ui/tray/status_controller.h"
#include "ui/tray/tray_item.h"

#include <gtest/gtest.h>

#include <algorithm>

namespace wattlet {
namespace {

    BatteryReading lowOnBattery()
    {
        BatteryReading r;
        r.percent = 15;
        r.minutesLeft = 40;
        return r;
    }

    class StatusControllerTest : public ::testing::Test, protected test::TrayTestBase
    {
    protected:
        void SetUp() override
        {
            if (!busRunning())
                GTEST_SKIP() << "dbus-daemon is not available";
            source.reading = lowOnBattery();
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
    {
        model->prefs().setLanguage(LanguageChoice::ru);
        // The settings page asks for a redraw after changing a preference.
        model->onUpdate();
        EXPECT_EQ(controller->tray().view().toolTipTitle, "15 % · на батарее");
    }
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

TEST_F(StatusControllerTest, PowerIsOfferedOnlyWhenASettingsToolCanOpen)
{
    controller.reset();
    for (const bool installed : { true, false }) {
        SCOPED_TRACE(installed ? "installed" : "none");
        AppModelDeps deps = source.deps();
        deps.powerSettingsAvailable = [installed] { return installed; };
        AppModel live(std::nullopt, deps);
        live.start();
        // The real panel, as a click opens it.
        StatusController status(live);
        const auto rows = status.menu().rows;
        EXPECT_EQ(std::count_if(rows.begin(), rows.end(),
                      [](const MenuRow& row) { return row.action == MenuAction::openPower; }),
            installed ? 1 : 0);
        status.openPanel();
        // The main page's pills: power settings and copy summary.
        EXPECT_EQ(status.panel().content()->findChildren<PillButton*>().size(), installed ? 2 : 1);
    }
}

} // namespace wattlet
