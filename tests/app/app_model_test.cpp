#include "app/app_model.h"
#include "app/demo.h"
#include "app/local_day.h"
#include "app/present/power_profile_view.h"
#include "platform/power_profiles.h"
#include "platform/power_watcher.h"
#include "support/daemon_testbed.h"
#include "support/temp_env.h"
#include "support/wait_until.h"

#include <QCoreApplication>

#include <gtest/gtest.h>

#include <atomic>
#include <latch>
#include <map>

namespace wattlet {
namespace {

    using Ids = std::vector<std::string>;

    BatteryReading onBattery(
        std::int64_t percent, std::optional<double> temperatureC = std::nullopt)
    {
        BatteryReading r;
        r.percent = percent;
        r.temperatureC = temperatureC;
        return r;
    }

    // The platform as the model sees it: a clock, timers, a battery, storage and a notification
    // server the test controls.
    struct FakePlatform
    {
        double now = 1'700'000'000;
        std::optional<BatteryReading> battery = onBattery(50);
        BatteryHistory stored;
        int reads = 0;
        std::vector<BatteryHistory> saves;
        std::vector<DesktopNotification> announced;
        Ids withdrawn;
        std::function<void()> powerEvent;
        std::multimap<double, std::function<void()>> timers;
        std::function<void(std::vector<BatterySample>)> record;
        std::vector<HealthLog> healthSaves;

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
            d.announce = [this](const DesktopNotification& n) { announced.push_back(n); };
            d.withdraw = [this](const std::string& id) { withdrawn.push_back(id); };
            d.fetchRecord = [this](QObject*, std::function<void(std::vector<BatterySample>)> done) {
                record = std::move(done);
            };
            d.saveHealth = [this](const HealthLog& log) { healthSaves.push_back(log); };
            d.makeWatcher
                = [this](std::function<void()> onChange, std::function<void(const Peripherals&)>) {
                      powerEvent = std::move(onChange);
                      return std::make_unique<QObject>();
                  };
            d.runLater = [this](double seconds, std::function<void()> job) {
                timers.emplace(now + seconds, std::move(job));
            };
            return d;
        }

        /// Moves the clock to `time`, running the timers that come due on the way.
        void advanceTo(double time)
        {
            while (!timers.empty() && timers.begin()->first <= time) {
                auto timer = timers.extract(timers.begin());
                now = std::max(now, timer.key());
                timer.mapped()();
            }
            now = time;
        }

        [[nodiscard]] Ids announcedIds() const
        {
            Ids ids;
            for (const auto& n : announced)
                ids.push_back(n.id);
            return ids;
        }
    };

    class AppModelTest : public ::testing::Test
    {
    protected:
        test::TempHome home;
        FakePlatform platform;
        const double t0 = platform.now;
    };

    TEST_F(AppModelTest, SavesOnFirstRefreshThenForEachNewSample)
    {
        // The first refresh writes even when its sample is not new.
        platform.stored.samples.push_back({ t0 - 30, 50, std::nullopt, false });
        AppModel model(std::nullopt, platform.deps());
        model.refresh(true);
        ASSERT_EQ(platform.saves.size(), 1u);
        EXPECT_EQ(platform.saves[0].samples.size(), 1u);

        platform.advanceTo(t0 + 20);
        model.refresh(true);
        EXPECT_EQ(platform.saves.size(), 1u);

        platform.advanceTo(t0 + 31);
        model.refresh(true);
        ASSERT_EQ(platform.saves.size(), 2u);
        EXPECT_EQ(platform.saves[1].samples.size(), 2u);
    }

    TEST_F(AppModelTest, FlappingChargerWritesAreThrottledWithoutLoss)
    {
        auto model = std::make_unique<AppModel>(std::nullopt, platform.deps());
        model->refresh(true);
        // 30 s of a charger that connects and disconnects ten times a second.
        for (int i = 1; i <= 300; ++i) {
            platform.advanceTo(t0 + 0.1 * i);
            platform.battery->onAC = i % 2 == 1;
            model->refresh(true);
        }
        EXPECT_EQ(model->history().samples.size(), 301u);
        EXPECT_LE(platform.saves.size(), 5u);
        platform.advanceTo(t0 + 45);
        ASSERT_FALSE(platform.saves.empty());
        EXPECT_EQ(platform.saves.back(), model->history());

        // A write still held back is done when the model goes.
        const std::size_t saves = platform.saves.size();
        platform.battery->onAC = !platform.battery->onAC;
        model->refresh(true);
        model->refresh(true);
        platform.battery->onAC = !platform.battery->onAC;
        model->refresh(true);
        const BatteryHistory last = model->history();
        model.reset();
        EXPECT_EQ(platform.saves.size(), saves + 1);
        EXPECT_EQ(platform.saves.back(), last);
    }

    TEST_F(AppModelTest, AWarningIsAnnouncedOnceUntilClearForAMinute)
    {
        platform.battery = onBattery(8, 46.0);
        AppModel model(std::nullopt, platform.deps());
        for (int i = 0; i < 3; ++i) {
            platform.advanceTo(platform.now + 20);
            model.refresh(true);
        }
        EXPECT_EQ(platform.announcedIds(), (Ids { "wattlet.critical", "wattlet.hot" }));

        // A failed read in between changes nothing.
        platform.battery = std::nullopt;
        model.refresh(true);
        EXPECT_EQ(model.reading(), std::nullopt);
        platform.battery = onBattery(8);
        model.refresh(true);
        EXPECT_EQ(platform.announced.size(), 2u);

        // Withdrawn by the timer a minute later, without another refresh.
        const double cleared = platform.now;
        platform.advanceTo(cleared + 59);
        EXPECT_TRUE(platform.withdrawn.empty());
        platform.advanceTo(cleared + 60);
        EXPECT_EQ(platform.withdrawn, Ids { "wattlet.hot" });

        // Back within 15 minutes: not announced again; after 15 minutes clear: announced.
        platform.battery = onBattery(8, 46.0);
        platform.advanceTo(cleared + 899);
        model.refresh(true);
        platform.battery = onBattery(8);
        model.refresh(true);
        platform.advanceTo(platform.now + 900);
        platform.battery = onBattery(8, 46.0);
        model.refresh(true);
        EXPECT_EQ(
            platform.announcedIds(), (Ids { "wattlet.critical", "wattlet.hot", "wattlet.hot" }));
    }

    TEST_F(AppModelTest, WarningsSeenWhileNotificationsAreOffCountAsSeen)
    {
        platform.battery = onBattery(9, 46.0);
        AppModel model(std::nullopt, platform.deps());
        model.prefs().setNotify(false);
        model.refresh(true);
        model.prefs().setNotify(true);
        model.refresh(true);
        EXPECT_TRUE(platform.announced.empty());

        // An announcement made before notifications were switched off is still withdrawn.
        platform.battery = onBattery(50);
        model.refresh(true);
        platform.advanceTo(t0 + 1000);
        platform.battery = onBattery(9);
        model.refresh(true);
        model.prefs().setNotify(false);
        platform.battery = onBattery(50);
        model.refresh(true);
        platform.advanceTo(platform.now + 60);
        EXPECT_EQ(platform.withdrawn, Ids { "wattlet.critical" });
    }

    TEST_F(AppModelTest, BurstOfPowerEventsReadsOnceAfterTheLast)
    {
        auto model = std::make_unique<AppModel>(std::nullopt, platform.deps());
        model->start();
        EXPECT_EQ(platform.reads, 1);
        ASSERT_TRUE(platform.powerEvent);

        for (int i = 0; i < 2000; ++i)
            platform.powerEvent();
        platform.battery = onBattery(49);
        EXPECT_EQ(platform.reads, 1);
        QCoreApplication::processEvents();
        EXPECT_EQ(platform.reads, 2);
        EXPECT_EQ(model->reading(), onBattery(49));

        // The next event queues again; one that comes after the model is gone does nothing.
        platform.powerEvent();
        QCoreApplication::processEvents();
        EXPECT_EQ(platform.reads, 3);
        platform.powerEvent();
        model.reset();
        platform.powerEvent();
        QCoreApplication::processEvents();
        EXPECT_EQ(platform.reads, 3);
    }

    TEST_F(AppModelTest, DemoModeTouchesNothing)
    {
        platform.stored.samples.push_back({ t0 - 60, 70, std::nullopt, false });
        const BatteryReading demo = Demo::reading("low", t0);
        AppModel model(demo, platform.deps());
        model.start();
        model.refresh(true);
        EXPECT_EQ(model.history(), platform.stored);
        EXPECT_EQ(platform.reads, 0);
        EXPECT_EQ(model.reading(), demo);
        EXPECT_TRUE(platform.saves.empty());
        EXPECT_TRUE(platform.announced.empty());
    }

    TEST_F(AppModelTest, AShortHistoryTakesInTheDaemonsRecordOnce)
    {
        platform.stored.samples.push_back({ platform.now - 3 * 86400, 90, std::nullopt, true });
        AppModel model(std::nullopt, platform.deps());
        model.start();
        ASSERT_TRUE(platform.record);
        const std::size_t saves = platform.saves.size();
        std::vector<BatterySample> record;
        for (double t = platform.now - 86400; t < platform.now; t += 600)
            record.push_back({ t, 80, std::nullopt, false });
        platform.record(record);
        EXPECT_EQ(model.history().samples.size(), record.size() + 1);
        // Written with the next write allowed, ten seconds after the first.
        platform.advanceTo(platform.now + 10);
        ASSERT_EQ(platform.saves.size(), saves + 1);
        EXPECT_EQ(platform.saves.back().samples.size(), record.size() + 1);
    }

    TEST_F(AppModelTest, TheFirstReadingOfEachDayGoesIntoTheHealthLog)
    {
        platform.battery->fullCapacity = 4500;
        platform.battery->designCapacity = 5000;
        AppModel model(std::nullopt, platform.deps());
        model.refresh(true);
        model.refresh(true);
        ASSERT_EQ(platform.healthSaves.size(), 1U);
        EXPECT_EQ(platform.healthSaves[0].entries.at(0).day, localDay(platform.now));
        platform.now += 86400;
        model.refresh(true);
        EXPECT_EQ(platform.healthSaves.size(), 2U);
    }

    TEST_F(AppModelTest, StartReturnsWithTheFirstBackgroundReading)
    {
        AppModelDeps deps = platform.deps();
        deps.readInBackground = true;
        AppModel model(std::nullopt, deps);
        model.start();
        ASSERT_TRUE(model.reading());
        EXPECT_EQ(model.history().samples.size(), 1U);
    }

    TEST_F(AppModelTest, RefreshesAskedDuringABackgroundReadMergeIntoOneThatSavesIfAnyAsked)
    {
        for (const auto& asked :
            { std::vector { false, false }, { true, false }, { false, true } }) {
            SCOPED_TRACE(::testing::Message() << asked[0] << asked[1]);
            auto release = std::make_shared<std::latch>(1);
            auto reads = std::make_shared<std::atomic<int>>(0);
            AppModelDeps deps = platform.deps();
            deps.readInBackground = true;
            deps.read = [release, reads] {
                const int read = ++*reads;
                if (read == 1)
                    release->wait();
                return std::optional(onBattery(40 + read));
            };
            AppModel model(std::nullopt, deps);
            std::vector<std::int64_t> shown;
            model.onUpdate = [&] { shown.push_back(model.reading()->percent); };
            model.refresh(false);
            for (const bool save : asked)
                model.refresh(save);
            release->count_down();
            ASSERT_TRUE(test::waitUntil([&] { return shown.size() == 2; }));
            EXPECT_FALSE(test::waitUntil([&] { return shown.size() > 2; }, 50));
            EXPECT_EQ(shown, (std::vector<std::int64_t> { 41, 42 }));
            EXPECT_EQ(*reads, 2);
            EXPECT_EQ(model.history().samples.size(), asked[0] || asked[1] ? 1U : 0U);
        }
    }

    TEST_F(AppModelTest, StoredLevelAndSoundDecideTheWarnings)
    {
        ASSERT_TRUE(test::writeFile(Prefs::filePath(), "[General]\nlowPercent=30\nsound=false\n"));
        platform.battery = onBattery(25);
        AppModel model(std::nullopt, platform.deps());
        model.refresh(true);
        // Sound off silences even the urgent critical warning.
        platform.battery = onBattery(5);
        model.refresh(true);
        ASSERT_EQ(platform.announcedIds(), (Ids { "wattlet.low", "wattlet.critical" }));
        EXPECT_EQ(platform.announced[1].urgency, DesktopNotification::Urgency::critical);
        EXPECT_EQ(platform.announced[1].sound, "");
    }

    TEST_F(AppModelTest, FullReminderOncePerChargeWithdrawnWhenUnplugged)
    {
        ASSERT_TRUE(test::writeFile(Prefs::filePath(), "[General]\nfullReminderPercent=80"));
        AppModel model(std::nullopt, platform.deps());
        // Plugged in above the level, up to it, hovering, unplugged, up to it again:
        // percent, on power, announced, withdrawn.
        const std::tuple<std::int64_t, bool, std::size_t, std::size_t> steps[]
            = { { 85, true, 0, 0 }, { 79, true, 0, 0 }, { 80, true, 1, 0 }, { 79, true, 1, 0 },
                  { 80, true, 1, 0 }, { 80, false, 1, 1 }, { 79, true, 1, 1 }, { 80, true, 2, 1 } };
        for (const auto& [percent, onAC, announced, withdrawn] : steps) {
            SCOPED_TRACE(percent);
            platform.battery->percent = percent;
            platform.battery->onAC = platform.battery->charging = onAC;
            model.refresh(true);
            EXPECT_EQ(platform.announced.size(), announced);
            EXPECT_EQ(platform.withdrawn.size(), withdrawn);
        }
        EXPECT_EQ(platform.announced.back().body, "Charged to 80 % — you can unplug the charger");

        // A charge limit stops charging first: no reminder.
        platform.battery->chargeLimitPercent = 80;
        for (const std::int64_t percent : { 70, 80 }) {
            platform.battery->percent = percent;
            model.refresh(true);
        }
        EXPECT_EQ(platform.announced.size(), 2U);
        EXPECT_EQ(platform.withdrawn.size(), 2U);
    }

    TEST_F(AppModelTest, UPowerRestartingBringsPeripheralsBackWithoutRepeatsOrDoubledEvents)
    {
        test::DaemonTestbed upower;
        if (!upower.unavailable().isEmpty())
            GTEST_SKIP() << upower.unavailable().toStdString();
        ASSERT_TRUE(upower.add(QStringLiteral("BAT0"), test::DaemonTestbed::battery(64)));
        ASSERT_TRUE(upower.startUPower());
        AppModelDeps deps = platform.deps();
        deps.makeWatcher = [](std::function<void()> onChange,
                               std::function<void(const Peripherals&)> onPeripherals) {
            PowerWatcher::Options options;
            options.useUdev = false;
            options.onPeripherals = std::move(onPeripherals);
            return std::make_unique<PowerWatcher>(std::move(onChange), options);
        };
        AppModel model(std::nullopt, deps);
        model.start();
        const QString mouse = QStringLiteral("hidpp_battery_0");
        ASSERT_TRUE(upower.add(mouse, test::DaemonTestbed::mouse(8)));
        const auto listed = [&] { return model.peripherals().size() == 1; };
        ASSERT_TRUE(test::waitUntil(listed));
        for (int restart = 0; restart < 2; ++restart) {
            upower.killUPower();
            ASSERT_TRUE(test::waitUntil([&] { return model.peripherals().empty(); }));
            ASSERT_TRUE(upower.startUPower());
            ASSERT_TRUE(test::waitUntil(listed));
        }
        // The mouse's own changes are no power events of the machine.
        ASSERT_TRUE(upower.set(mouse, QStringLiteral("capacity=7")));
        ASSERT_TRUE(test::waitUntil([&] { return model.peripherals()[0].percent == 7; }));
        const int reads = platform.reads;
        ASSERT_TRUE(upower.set(QStringLiteral("BAT0"), test::DaemonTestbed::battery(63)));
        ASSERT_TRUE(test::waitUntil([&] { return platform.reads > reads; }));
        test::serveEventsFor(100);
        EXPECT_EQ(platform.reads, reads + 1);
        ASSERT_TRUE(upower.remove(mouse));
        ASSERT_TRUE(test::waitUntil([&] { return model.peripherals().empty(); }));
        // Announced once, withdrawn when the daemon went, not announced again on its return.
        ASSERT_EQ(platform.announced.size(), 1U);
        EXPECT_EQ(platform.announced[0].body, "MX Master 3: 8 % — time to charge it");
        EXPECT_EQ(platform.withdrawn, platform.announcedIds());
    }

    TEST_F(AppModelTest, PowerModeFollowsThePlugOnlyWhenAskedAndKeepsAChoiceByHand)
    {
        test::DaemonTestbed daemons;
        if (!daemons.unavailable().isEmpty())
            GTEST_SKIP() << daemons.unavailable().toStdString();
        ASSERT_TRUE(daemons.startPowerProfiles());
        AppModelDeps deps = platform.deps();
        deps.makePowerProfiles = [] { return makePowerProfiles(); };
        AppModel model(std::nullopt, deps);
        const auto active = [&model] {
            const auto& state = model.powerProfiles()->state();
            return state ? state->active : std::string();
        };
        const auto plug = [&](bool onAC) {
            platform.battery->onAC = onAC;
            model.refresh(true);
        };
        // Not asked (the stored default): the mode stays at start and over plug changes.
        model.refresh(true);
        ASSERT_TRUE(test::waitUntil([&] { return active() == "balanced"; }));
        plug(true);
        plug(false);
        test::serveEventsFor(200);
        EXPECT_EQ(active(), "balanced");

        model.prefs().setPlugProfile(false, "power-saver"); // takes effect now, on battery
        model.prefs().setPlugProfile(true, "performance"); // waits for the charger
        EXPECT_TRUE(test::waitUntil([&] { return active() == "power-saver"; }));
        test::serveEventsFor(200);
        EXPECT_EQ(active(), "power-saver");
        plug(true);
        EXPECT_TRUE(test::waitUntil([&] { return active() == "performance"; }));
        // A mode chosen by hand stays until the next plug change.
        model.powerProfiles()->choose("balanced");
        ASSERT_TRUE(test::waitUntil([&] { return active() == "balanced"; }));
        plug(true);
        test::serveEventsFor(200);
        EXPECT_EQ(active(), "balanced");
        plug(false);
        EXPECT_TRUE(test::waitUntil([&] { return active() == "power-saver"; }));
        // Never over another program's hold.
        ASSERT_FALSE(daemons
                .holdProfile(QStringLiteral("power-saver"), QStringLiteral("compiling"),
                    QStringLiteral("org.gnome.Builder"))
                .isEmpty());
        ASSERT_TRUE(
            test::waitUntil([&] { return !model.powerProfiles()->state()->holds.empty(); }));
        plug(true);
        test::serveEventsFor(200);
        EXPECT_EQ(active(), "power-saver");
        const auto view = powerProfileView(model.powerProfiles()->state(), Language::en,
            model.prefs().plugProfile(false), model.prefs().plugProfile(true));
        EXPECT_EQ(view->note,
            "Held by org.gnome.Builder: compiling\nWhile a mode is held, it does not follow the "
            "charger.");
        EXPECT_EQ(view->plug.at(1).labels,
            (std::vector<std::string> { "Balanced", "Performance", "Leave as is" }));
        EXPECT_EQ(view->plug.at(1).selected, 1);
    }

    TEST_F(AppModelTest, PublishesWhatTheReportsShowUntilItQuits)
    {
        std::vector<std::optional<TrayState>> published;
        std::function<void(const Peripherals&)> devicesChanged;
        AppModelDeps deps = platform.deps();
        deps.publish = [&](const std::optional<TrayState>& state) { published.push_back(state); };
        deps.makeWatcher = [&](std::function<void()>, std::function<void(const Peripherals&)> on) {
            devicesChanged = std::move(on);
            return std::make_unique<QObject>();
        };
        {
            AppModel model(std::nullopt, deps);
            model.start();
            const Peripherals mouse { { "/m", Peripheral::Kind::mouse, "MX", 8, {}, false } };
            devicesChanged(mouse);
            test::serveEventsFor(50);
            ASSERT_FALSE(published.empty());
            EXPECT_EQ(published.back(),
                (TrayState { 0, 0, mouse, { ChargeLimitState {}, std::nullopt } }));
        }
        EXPECT_EQ(published.back(), std::nullopt);
    }

} // namespace
} // namespace wattlet
