#include "app/app_model.h"
#include "app/demo.h"
#include "support/temp_env.h"

#include <QCoreApplication>

#include <gtest/gtest.h>

namespace wattlet {
namespace {

    using W = BatteryReading::Warning;
    using Warnings = std::vector<W>;

    BatteryReading onBattery(
        std::int64_t percent, std::optional<double> temperatureC = std::nullopt)
    {
        BatteryReading r;
        r.percent = percent;
        r.temperatureC = temperatureC;
        return r;
    }

    // The platform as the model sees it: a clock, a battery and storage the test controls.
    struct FakePlatform
    {
        double now = 1'700'000'000;
        std::optional<BatteryReading> battery = onBattery(50);
        BatteryHistory stored;
        int reads = 0;
        std::vector<BatteryHistory> saves;
        std::vector<Warnings> announced;
        std::vector<Warnings> withdrawn;
        std::function<void()> powerEvent;

        AppModelDeps deps()
        {
            AppModelDeps d;
            d.now = [this] { return now; };
            d.read = [this] {
                ++reads;
                return battery;
            };
            d.loadHistory = [this] { return stored; };
            d.saveHistory = [this](const BatteryHistory& h) { saves.push_back(h); };
            d.announce = [this](const Warnings& fresh, const BatteryReading&) {
                announced.push_back(fresh);
            };
            d.withdraw = [this](const Warnings& cleared) { withdrawn.push_back(cleared); };
            d.makeWatcher = [this](std::function<void()> onChange) {
                powerEvent = std::move(onChange);
                return std::make_unique<QObject>();
            };
            return d;
        }
    };

    class AppModelTest : public ::testing::Test
    {
    protected:
        test::TempHome home;
        FakePlatform platform;
    };

    TEST_F(AppModelTest, SavesOnFirstRefreshThenAfterSixtySecondsOrANewSample)
    {
        // A stored sample stamped ahead of the clock: add() appends nothing for a while, so
        // only the time since the last write decides.
        platform.stored.samples.push_back({ platform.now + 600, 50, std::nullopt, false });
        AppModel model(std::nullopt, platform.deps());
        model.refresh(true);
        ASSERT_EQ(platform.saves.size(), 1u);
        EXPECT_EQ(platform.saves[0].samples.size(), 1u);

        platform.now += 30;
        model.refresh(true);
        platform.now += 30;
        model.refresh(true);
        EXPECT_EQ(platform.saves.size(), 1u);

        platform.now += 1;
        model.refresh(true);
        EXPECT_EQ(platform.saves.size(), 2u);

        // An appended sample is written at once.
        platform.battery = onBattery(49);
        platform.now += 1;
        model.refresh(true);
        ASSERT_EQ(platform.saves.size(), 3u);
        EXPECT_EQ(platform.saves[2].samples.size(), 2u);
    }

    TEST_F(AppModelTest, PanelRefreshRecordsAndAnnouncesNothing)
    {
        platform.battery = onBattery(5);
        AppModel model(std::nullopt, platform.deps());
        int updates = 0;
        model.onUpdate = [&] { ++updates; };
        model.refresh(false);
        EXPECT_EQ(model.reading(), onBattery(5));
        EXPECT_EQ(updates, 1);
        EXPECT_TRUE(model.history().samples.empty());
        EXPECT_TRUE(platform.saves.empty());
        EXPECT_TRUE(platform.announced.empty());

        // Nothing was counted as shown either.
        model.refresh(true);
        EXPECT_EQ(platform.announced, (std::vector<Warnings> { { W::critical } }));
    }

    TEST_F(AppModelTest, WarningIsAnnouncedOnceWhilePresentWithdrawnWhenClearedAndAgainWhenBack)
    {
        platform.battery = onBattery(8);
        AppModel model(std::nullopt, platform.deps());
        for (int i = 0; i < 3; ++i) {
            platform.now += 20;
            model.refresh(true);
        }
        EXPECT_EQ(platform.announced, (std::vector<Warnings> { { W::critical } }));
        EXPECT_TRUE(platform.withdrawn.empty());

        // A failed read in between changes nothing.
        platform.battery = std::nullopt;
        model.refresh(true);
        EXPECT_EQ(model.reading(), std::nullopt);
        platform.battery = onBattery(8);
        model.refresh(true);
        EXPECT_EQ(platform.announced.size(), 1u);

        platform.battery = onBattery(50);
        model.refresh(true);
        EXPECT_EQ(platform.withdrawn, (std::vector<Warnings> { { W::critical } }));

        platform.battery = onBattery(8, 46.0);
        model.refresh(true);
        EXPECT_EQ(platform.announced,
            (std::vector<Warnings> { { W::critical }, { W::critical, W::hot } }));
    }

    TEST_F(AppModelTest, WarningsSeenWhileNotificationsAreOffCountAsShown)
    {
        platform.battery = onBattery(9, 46.0);
        AppModel model(std::nullopt, platform.deps());
        model.prefs().setNotify(false);
        model.refresh(true);
        model.prefs().setNotify(true);
        model.refresh(true);
        EXPECT_TRUE(platform.announced.empty());

        // A warning that clears while notifications are off is still withdrawn.
        model.prefs().setNotify(false);
        platform.battery = onBattery(9);
        model.refresh(true);
        EXPECT_EQ(platform.withdrawn, (std::vector<Warnings> { { W::hot } }));
    }

    TEST_F(AppModelTest, WillChangeFiresBeforeEveryAssignmentEvenOfEqualValues)
    {
        AppModel model(std::nullopt, platform.deps());
        std::vector<std::optional<BatteryReading>> readingsSeen;
        std::vector<std::size_t> historySizesSeen;
        QObject::connect(&model, &AppModel::willChange, [&] {
            readingsSeen.push_back(model.reading());
            historySizesSeen.push_back(model.history().samples.size());
        });
        model.refresh(false);
        model.refresh(false);
        model.refresh(true);
        EXPECT_EQ(readingsSeen,
            (std::vector<std::optional<BatteryReading>> {
                std::nullopt, onBattery(50), onBattery(50), onBattery(50) }));
        EXPECT_EQ(historySizesSeen, (std::vector<std::size_t> { 0, 0, 0, 0 }));
        EXPECT_EQ(model.history().samples.size(), 1u);
    }

    TEST_F(AppModelTest, EveryPowerEventQueuesItsOwnRefreshWhileTheModelLives)
    {
        auto model = std::make_unique<AppModel>(std::nullopt, platform.deps());
        int updates = 0;
        model->onUpdate = [&] { ++updates; };
        model->start();
        EXPECT_EQ(platform.reads, 1);
        ASSERT_TRUE(platform.powerEvent);

        platform.powerEvent();
        platform.powerEvent();
        platform.powerEvent();
        EXPECT_EQ(platform.reads, 1);
        QCoreApplication::processEvents();
        EXPECT_EQ(platform.reads, 4);
        EXPECT_EQ(updates, 4);

        platform.powerEvent();
        model.reset();
        platform.powerEvent();
        QCoreApplication::processEvents();
        EXPECT_EQ(platform.reads, 4);
    }

    TEST_F(AppModelTest, DemoModeShowsTheDemoAndTouchesNothing)
    {
        platform.stored.samples.push_back({ platform.now - 60, 70, std::nullopt, false });
        const BatteryReading demo = Demo::reading("low", platform.now);
        AppModel model(demo, platform.deps());
        int updates = 0;
        model.onUpdate = [&] { ++updates; };
        model.start();
        model.refresh(true);
        EXPECT_EQ(model.history(), platform.stored);
        EXPECT_EQ(platform.reads, 0);
        EXPECT_EQ(model.reading(), demo);
        EXPECT_EQ(updates, 2);
        EXPECT_TRUE(platform.saves.empty());
        EXPECT_TRUE(platform.announced.empty());
        EXPECT_EQ(model.delta(), -12);
        EXPECT_EQ(model.series(), Demo::series());
    }

    TEST_F(AppModelTest, ChartAndChangeAreMeasuredAtTheClocksTime)
    {
        platform.stored.samples.push_back({ platform.now - 5400, 80, std::nullopt, true });
        platform.stored.samples.push_back({ platform.now - 1800, 85, std::nullopt, true });
        platform.stored.samples.push_back({ platform.now, 88, std::nullopt, true });
        AppModel model(std::nullopt, platform.deps());
        EXPECT_EQ(model.delta(), 8);
        EXPECT_EQ(model.series().size(), 7u);
        platform.now += 86400;
        EXPECT_EQ(model.delta(), std::nullopt);
    }

} // namespace
} // namespace wattlet
