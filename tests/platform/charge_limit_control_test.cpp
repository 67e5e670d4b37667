#include "core/power_control_text.h"
#include "platform/charge_limit_control.h"
#include "platform/linux/sysfs_charge_limit.h"
#include "support/daemon_testbed.h"
#include "support/dbus_test_bus.h"
#include "support/wait_until.h"

#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <initializer_list>
#include <string>
#include <utility>

namespace wattlet {
namespace {

    using test::waitUntil;
    namespace fs = std::filesystem;

    void write(const fs::path& file, const std::string& text)
    {
        fs::create_directories(file.parent_path());
        std::ofstream(file) << text;
    }

    // A /sys-like tree: class/power_supply, and the IdeaPad switch under bus/.
    struct SysTree
    {
        QTemporaryDir dir;
        const fs::path root = fs::path(dir.path().toStdString()) / "class/power_supply";

        void supply(const std::string& name,
            std::initializer_list<std::pair<const char*, const char*>> files) const
        {
            write(root / name / "type", "Battery\n");
            for (const auto& [file, value] : files)
                write(root / name / file, std::string(value) + "\n");
        }
        [[nodiscard]] std::string path(const char* name) const
        {
            return dir.filePath(QString::fromLatin1(name)).toStdString();
        }
    };

    constexpr auto startFile = "charge_control_start_threshold";
    constexpr auto endFile = "charge_control_end_threshold";

    // "shape start end", and "on" while the limit holds; "-" for what is unknown.
    std::string shown(const ChargeLimitState& state)
    {
        const auto number
            = [](const auto& value) { return value ? std::to_string(*value) : std::string("-"); };
        return std::string(rawValue(state.shape)) + " " + number(state.start) + " "
            + number(state.end) + (state.on ? " on" : "");
    }

    TEST(SysfsChargeLimit, EachHardwareShapeWithWhatItHolds)
    {
        struct Case
        {
            const char* name = nullptr;
            std::initializer_list<std::pair<const char*, const char*>> files;
            const char* conservation = nullptr;
            const char* shown = nullptr;
        };
        const Case cases[] = {
            { "ThinkPad", { { startFile, "75" }, { endFile, "80" } }, nullptr,
                "startAndEnd 75 80 on" },
            { "ASUS off", { { endFile, "100" } }, nullptr, "endOnly - 100" },
            { "IdeaPad on", {}, "1", "fixed - - on" },
            { "mouse", { { "scope", "Device" }, { endFile, "80" } }, nullptr, "none - -" },
            { "absent", { { "present", "0" }, { endFile, "80" } }, nullptr, "none - -" },
        };
        for (const Case& c : cases) {
            SCOPED_TRACE(c.name);
            SysTree tree;
            tree.supply("BAT0", c.files);
            if (c.conservation != nullptr)
                write(conservationSwitch(tree.root), std::string(c.conservation) + "\n");
            EXPECT_EQ(shown(limitState(
                          limitBatteries(tree.root), conservationMode(tree.root), std::nullopt)),
                c.shown);
        }
    }

    TEST(SysfsChargeLimit, ALiftKeepsTheLimitThatComesBackAndAMalformedStoreIsIgnored)
    {
        SysTree tree;
        tree.supply("BAT0", { { startFile, "0" }, { endFile, "100" } });
        const auto batteries = limitBatteries(tree.root);
        const ChargeLimitState lifted
            = limitState(batteries, std::nullopt, std::string("BAT1 60\nBAT0 75 80 lifted\n"));
        EXPECT_TRUE(lifted.lifted);
        EXPECT_FALSE(lifted.on);
        EXPECT_EQ(lifted.kept, (ChargeLimitRequest { 75, 80 }));
        EXPECT_FALSE(limitState(batteries, std::nullopt, std::string("BAT0 75 80 lifted")).lifted);
    }

    class ChargeLimitControlTest : public ::testing::Test
    {
    protected:
        void SetUp() override
        {
            if (!test::DBusTestBus::system().isRunning())
                GTEST_SKIP() << "dbus-daemon is not available";
        }

        std::unique_ptr<ChargeLimitControl> control(ChargeLimitPaths paths)
        {
            if (paths.supplyRoot.empty() || paths.supplyRoot == ChargeLimitPaths {}.supplyRoot)
                paths.supplyRoot = tree.root.string();
            paths.store = tree.path("store");
            auto made = makeChargeLimitControl(paths);
            EXPECT_TRUE(waitUntil([&] { return made->ready(); }));
            return made;
        }

        ChargeLimitResult run(ChargeLimitControl& limit, const ChargeLimitRequest& request)
        {
            std::optional<ChargeLimitResult> result;
            limit.apply(request, [&](const ChargeLimitResult& done) { result = done; });
            EXPECT_TRUE(waitUntil([&] { return result.has_value(); }));
            return result.value_or(ChargeLimitResult { ChargeLimitOutcome::unavailable, {} });
        }

        SysTree tree;
    };

    TEST_F(ChargeLimitControlTest, UPowersSwitchWithoutPasswordAndOtherValuesByTheHelperNeverFight)
    {
        test::DaemonTestbed upower;
        if (!upower.unavailable().isEmpty())
            GTEST_SKIP() << upower.unavailable().toStdString();
        ASSERT_TRUE(upower.add(QStringLiteral("AC"), test::DaemonTestbed::mains(true)));
        ASSERT_TRUE(upower.add(QStringLiteral("BAT0"),
            test::DaemonTestbed::battery(60, "Charging")
                + QStringLiteral(
                    " charge_control_start_threshold=0 charge_control_end_threshold=100"),
            QStringLiteral("CHARGE_LIMIT=75,80")));
        ASSERT_TRUE(
            upower.startPolkit({ QStringLiteral("org.freedesktop.UPower.enable-charging-limit") }));
        ASSERT_TRUE(upower.startUPower());
        // The helper played by pkexec: it writes the thresholds as the helper would.
        const std::string pkexec = tree.path("pkexec");
        write(pkexec,
            "#!/bin/sh\ncd " + upower.supplyDir().toStdString()
                + "/$3 || exit 1\n[ $2 = off ] && set -- x x x 0 100\necho $4 >" + startFile
                + "\necho $5 >" + endFile + "\n");
        fs::permissions(pkexec, fs::perms::owner_all);
        ChargeLimitPaths paths { upower.supplyDir().toStdString(), {}, "/helper", pkexec };
        const auto limit = control(paths);
        if (limit->state().route != ChargeLimitRoute::upower)
            GTEST_SKIP() << "this UPower has no charge threshold (it came with 1.90.5)";
        const auto sysfs = [&] {
            const LimitBattery battery = limitBatteries(paths.supplyRoot).at(0);
            return std::to_string(battery.start.value_or(-1)) + " "
                + std::to_string(battery.end.value_or(-1));
        };
        EXPECT_EQ(shown(limit->state()), "startAndEnd 75 80");

        EXPECT_EQ(run(*limit, { 75, 80 }).outcome, ChargeLimitOutcome::done);
        EXPECT_EQ(shown(limit->state()), "startAndEnd 75 80 on");
        EXPECT_EQ(sysfs(), "75 80");

        // Other values: UPower's switch goes off first, so its next start leaves them alone.
        EXPECT_EQ(run(*limit, { 60, 70 }).outcome, ChargeLimitOutcome::done);
        upower.killUPower();
        ASSERT_TRUE(upower.startUPower());
        limit->reload();
        ASSERT_TRUE(waitUntil([&] { return limit->ready() && limit->state().upowerPair; }));
        EXPECT_EQ(sysfs(), "60 70");
        EXPECT_EQ(shown(limit->state()), "startAndEnd 60 70 on");
        // UPower 1.90 goes on naming its own pair; 1.91 names what the battery holds.
        const bool ownPair = limit->state().upowerPair->end == 80;
        EXPECT_EQ(BatteryText::chargeLimitStatus(limit->state(), Language::en),
            std::string("Charging stops at 70\u00a0% and starts again below 60\u00a0%.")
                + (ownPair ? " These are the battery's values, not UPower's 75–80 % limit." : ""));
        // Off forgets the helper's values too.
        EXPECT_EQ(run(*limit, {}).outcome, ChargeLimitOutcome::done);
        EXPECT_EQ(sysfs(), "0 100");
        EXPECT_FALSE(limit->state().on);
    }

    TEST_F(ChargeLimitControlTest, WithoutUPowersThresholdTheHelperRunsOncePerBatteryInItsForm)
    {
        tree.supply("BAT0", { { startFile, "0" }, { endFile, "100" } });
        tree.supply("BAT1", { { endFile, "100" } });
        EXPECT_EQ(control({})->state().obstacle, ChargeLimitObstacle::noHelper);

        // pkexec played by a script that notes its arguments and exits as told, or hangs.
        const std::string log = tree.path("log");
        const std::string pkexec = tree.path("pkexec");
        write(pkexec,
            "#!/bin/sh\necho \"$*\" >>" + log + "\n[ -e " + tree.path("hang")
                + " ] && exec sleep 60\nexit $(cat " + tree.path("status")
                + " 2>/dev/null || echo 0)\n");
        fs::permissions(pkexec, fs::perms::owner_all);
        const auto limit = control({ {}, {}, "/helper", pkexec });
        ASSERT_EQ(limit->state().route, ChargeLimitRoute::helper);
        EXPECT_EQ(run(*limit, { std::nullopt, 80 }).outcome, ChargeLimitOutcome::done);
        EXPECT_EQ(run(*limit, {}).outcome, ChargeLimitOutcome::done);
        write(tree.path("status"), "126\n");
        EXPECT_EQ(run(*limit, { 60, 70 }).outcome, ChargeLimitOutcome::dismissed);
        // A helper stuck past its time: the next battery's command is not run.
        write(tree.path("hang"), "");
        EXPECT_EQ(run(*control({ {}, {}, "/helper", pkexec, 300 }), { 60, 70 }).outcome,
            ChargeLimitOutcome::timedOut);
        QFile lines(QString::fromStdString(log));
        ASSERT_TRUE(lines.open(QIODevice::ReadOnly));
        EXPECT_EQ(lines.readAll().toStdString(),
            "/helper set BAT0 75 80\n/helper set BAT1 80\n/helper off BAT0\n/helper off BAT1\n"
            "/helper set BAT0 60 70\n/helper set BAT0 60 70\n");
    }

} // namespace
} // namespace wattlet
