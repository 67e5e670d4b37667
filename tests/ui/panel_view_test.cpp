#include "panel_test_support.h"

#include "app/demo.h"
#include "ui/components/sub_header.h"
#include "ui/components/tile.h"
#include "ui/drawing/render_image.h"
#include "ui/panel/panel_view.h"
#include "ui/panel/settings_page.h"

#include <QAbstractButton>
#include <QApplication>
#include <QTest>

#include <gtest/gtest.h>

namespace wattlet {
namespace {

    using test::QuietModel;

    class PanelViewTest : public ::testing::Test
    {
    protected:
        PanelViewTest()
            : quiet(Demo::reading("battery", 0))
            , panel(*quiet.model)
        {
            fitToContent(panel);
        }

        void click(const char* footerButton)
        {
            auto* button = panel.findChild<QAbstractButton*>(QString::fromUtf8(footerButton));
            ASSERT_NE(button, nullptr) << footerButton;
            QTest::mouseClick(button, Qt::LeftButton);
        }

        void back()
        {
            auto* header = panel.pageWidget()->findChild<SubHeader*>();
            ASSERT_NE(header, nullptr);
            QTest::mouseClick(header->backButton(), Qt::LeftButton);
        }

        void expectPage(Page page)
        {
            EXPECT_EQ(panel.page(), page);
            // The widget shown, not only the state, follows.
            EXPECT_EQ(
                qobject_cast<SettingsPage*>(panel.pageWidget()) != nullptr, page == Page::settings);
        }

        QuietModel quiet;
        PanelView panel;
    };

    TEST_F(PanelViewTest, EveryWayToAPageShowsItAtItsHeight)
    {
        const std::pair<const char*, Page> steps[] = {
            { "about", Page::about },
            { "about", Page::main },
            { "settings", Page::settings },
            { "about", Page::about },
            { "settings", Page::settings },
        };
        expectPage(Page::main);
        for (const auto& [button, page] : steps) {
            SCOPED_TRACE(button);
            click(button);
            expectPage(page);
        }

        // Back buttons return to the main page.
        back();
        expectPage(Page::main);
        // The health tile is the one with help.
        panel.show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&panel));
        for (auto* tile : panel.findChildren<Tile*>())
            if (!tile->toolTip().isEmpty())
                QTest::mouseClick(tile, Qt::LeftButton);
        EXPECT_EQ(panel.page(), Page::health);
        QApplication::processEvents();
        back();
        expectPage(Page::main);
        // The page that held the back button goes once control is back in the event loop.
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        EXPECT_EQ(panel.findChildren<SubHeader*>().size(), 0);
        const int mainHeight = panel.height();
        click("settings");
        EXPECT_LT(panel.height(), mainHeight);
        EXPECT_EQ(panel.height(), panel.sizeHint().height());
        // Escape from the settings' own pages leads back to the settings, as their back buttons.
        for (const Page page : { Page::chargeLimit, Page::notifications, Page::language }) {
            panel.setPage(page);
            QTest::keyClick(&panel, Qt::Key_Escape);
            expectPage(Page::settings);
        }
    }

    TEST_F(PanelViewTest, RebuildsOnceTheModelHasItsNewReading)
    {
        QuietModel live;
        PanelView fresh(*live.model);
        EXPECT_TRUE(fresh.findChildren<Tile*>().isEmpty());
        live.source.reading = Demo::reading("charging", 0);
        live.model->refresh(false);
        // The change signal comes before the assignment: the rebuild waits for the event loop.
        EXPECT_TRUE(fresh.findChildren<Tile*>().isEmpty());
        QCoreApplication::sendPostedEvents();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        EXPECT_EQ(fresh.findChildren<Tile*>().size(), 4);

        // The page shown survives rebuilds.
        click("about");
        quiet.model->refresh(false);
        QCoreApplication::sendPostedEvents();
        expectPage(Page::about);
    }

} // namespace
} // namespace wattlet
