#include "platform/linux/combined_battery.h"

#include <gtest/gtest.h>

#include <optional>
#include <vector>

namespace wattlet {
namespace {

    using Status = PackStatus;

    BatteryPack pack(Status status, double percent)
    {
        BatteryPack result;
        result.status = status;
        result.percent = percent;
        return result;
    }

    const ExternalSupply mainsOnline { true, false, "", std::nullopt };
    const ExternalSupply mainsOffline { false, false, "", std::nullopt };
    const ExternalSupply mainsSilent { std::nullopt, false, "", std::nullopt };

    TEST(CombinedBattery, LevelIsWeightedByEnergyWhenEveryPackKnowsIt)
    {
        auto working = pack(Status::discharging, 60);
        working.energyFullUWh = 20e6;
        auto flat = pack(Status::unknown, 0);
        flat.energyFullUWh = 30e6;
        const auto weighted = combinedBattery({ working, flat }, {});
        EXPECT_DOUBLE_EQ(weighted->percent, 24);
        // The working pack decides the status, so a flat idle one cannot hide it.
        EXPECT_EQ(weighted->status, Status::discharging);
        flat.energyFullUWh.reset();
        EXPECT_DOUBLE_EQ(combinedBattery({ working, flat }, {})->percent, 30);
    }

    TEST(CombinedBattery, PowerStatePerSupplyAndPackStatus)
    {
        auto atLimit = pack(Status::notCharging, 78);
        atLimit.endLimit = 80;
        struct Row
        {
            const char* name;
            std::vector<BatteryPack> packs;
            std::vector<ExternalSupply> externals;
            bool onAC;
            bool full;
            bool unexplainedHold;
        };
        const Row rows[] = {
            { "online mains wins over discharging", { pack(Status::discharging, 50) },
                { mainsOffline, mainsOnline }, true, false, false },
            { "offline mains wins over charging", { pack(Status::charging, 50) }, { mainsOffline },
                false, false, false },
            { "silent mains leaves it to the status", { pack(Status::charging, 50) },
                { mainsSilent }, true, false, false },
            { "idle at 98 without a supply", { pack(Status::notCharging, 98) }, {}, false, false,
                false },
            { "idle at 99 without a supply", { pack(Status::notCharging, 99) }, {}, true, true,
                false },
            { "one pack full, the other idle below",
                { pack(Status::full, 100), pack(Status::notCharging, 60) }, { mainsOnline }, true,
                false, true },
        };
        for (const auto& row : rows) {
            SCOPED_TRACE(row.name);
            const auto battery = combinedBattery(row.packs, row.externals);
            ASSERT_TRUE(battery);
            EXPECT_EQ(battery->onAC, row.onAC);
            EXPECT_EQ(battery->full, row.full);
            EXPECT_EQ(battery->unexplainedHold, row.unexplainedHold);
        }
    }

    TEST(CombinedBattery, FlowTakesItsDirectionFromTheStatus)
    {
        auto charging = pack(Status::charging, 50);
        charging.currentUA = -2000;
        EXPECT_EQ(combinedBattery({ charging }, {})->flowUA, 2000);
        // A pack that only reports power flows at its conversion voltage.
        auto measured = pack(Status::discharging, 50);
        measured.currentUA = 1'000'000;
        auto powered = pack(Status::discharging, 50);
        powered.powerUW = 11'400'000;
        powered.conversionUV = 11'400'000;
        const auto both = combinedBattery({ measured, powered }, {});
        EXPECT_EQ(both->flowUA, -2'000'000);
        EXPECT_EQ(both->powerUW, -11'400'000);
        const auto alone = combinedBattery({ powered }, {});
        EXPECT_EQ(alone->flowUA, -1'000'000);
        EXPECT_FALSE(alone->measuredCurrent);
    }

    TEST(CombinedBattery, MinutesLeftFromTheDriverElseFromTheChargeLeft)
    {
        auto charging = pack(Status::charging, 50);
        charging.nowUAh = 1'000'000;
        charging.fullUAh = 4'000'000;
        charging.endLimit = 80;
        charging.toFullS = 600;
        // The driver counts to full: under a stop limit, the charge left to the limit counts.
        EXPECT_EQ(minutesLeft(*combinedBattery({ charging }, {}), 1'000'000), 132);
        auto unlimited = charging;
        unlimited.endLimit.reset();
        EXPECT_EQ(minutesLeft(*combinedBattery({ unlimited }, {}), 1'000'000), 10);
        // Two packs: the drivers' own times do not add up, so the charge left counts.
        const auto pair = combinedBattery({ charging, charging }, {});
        EXPECT_EQ(pair->chargeLeftUAh, 4'400'000); // twice (80 % of 4 Ah − 1 Ah)
        EXPECT_EQ(minutesLeft(*pair, 4'400'000), 60);
        EXPECT_EQ(minutesLeft(*pair, 0), std::nullopt);
        EXPECT_EQ(minutesLeft(*pair, 1), std::nullopt); // beyond 65534 minutes
        auto idle = charging;
        idle.status = Status::notCharging;
        EXPECT_EQ(
            minutesLeft(*combinedBattery({ idle }, { mainsOnline }), 1'000'000), std::nullopt);
    }

} // namespace
} // namespace wattlet
