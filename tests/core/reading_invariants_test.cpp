#include "core/battery_reading.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <random>

using wattlet::BatteryReading;
using W = BatteryReading::Warning;

namespace {

// Values cluster around the thresholds so that every rule flips often.
class RandomReadings
{
public:
    explicit RandomReadings(std::uint64_t seed)
        : m_engine(seed)
    { }

    BatteryReading next()
    {
        BatteryReading r;
        r.onAC = coin();
        r.charging = coin();
        r.full = coin();
        r.percent = pick({ -1, 0, 9, 10, 11, 20, 21, 50, 69, 70, 90, 91, 99, 100, 101 });
        if (coin())
            r.temperatureC = static_cast<double>(pick({ 3000, 4499, 4500, 4501, 9000 })) / 100.0;
        if (coin())
            r.adapterWatts = pick({ -1, 0, 1, 29, 30, 140 });
        if (coin())
            r.slowChargingReason = pick({ 0, 1, -1 });
        if (coin())
            r.thermallyLimitedSeconds = pick({ -1, 0, 1, 600 });
        if (coin())
            r.notChargingReason = pick({ 0, 1, 16777216 });
        if (coin())
            r.fullCapacity = pick({ -10, 0, 6000, 6399, 6400, 9000 });
        if (coin())
            r.designCapacity = pick({ -1, 0, 1, 8000 });
        return r;
    }

private:
    bool coin() { return std::bernoulli_distribution(0.5)(m_engine); }

    std::int64_t pick(std::initializer_list<std::int64_t> values)
    {
        std::uniform_int_distribution<std::size_t> index(0, values.size() - 1);
        return values.begin()[index(m_engine)];
    }

    std::mt19937_64 m_engine;
};

bool contains(const std::vector<W>& list, W w)
{
    return std::find(list.begin(), list.end(), w) != list.end();
}

std::string expectedDot(const BatteryReading& r, const std::vector<W>& warnings)
{
    if (contains(warnings, W::hot) || contains(warnings, W::critical))
        return "red";
    if (contains(warnings, W::low) || contains(warnings, W::notCharging)
        || contains(warnings, W::weakCharger))
        return "yellow";
    return r.onAC && r.charging ? "blue" : "green";
}

} // namespace

TEST(ReadingInvariants, WarningsAreOrderedAndDotAgrees)
{
    RandomReadings readings(20240611);
    const auto all = wattlet::allWarnings();
    for (int i = 0; i < 5000; ++i) {
        const BatteryReading r = readings.next();
        const auto warnings = r.warnings();
        SCOPED_TRACE(testing::Message() << "reading " << i);

        // Strictly increasing positions in allWarnings(): ordered and free of duplicates.
        auto cursor = all.begin();
        for (W w : warnings) {
            cursor = std::find(cursor, all.end(), w);
            ASSERT_NE(cursor, all.end()) << wattlet::rawValue(w) << " out of order or repeated";
            ++cursor;
        }
        EXPECT_EQ(r.dot(), expectedDot(r, warnings));
        EXPECT_FALSE(contains(warnings, W::critical) && contains(warnings, W::low));
        if (r.onAC)
            EXPECT_FALSE(contains(warnings, W::critical) || contains(warnings, W::low));
        else
            EXPECT_FALSE(contains(warnings, W::weakCharger) || contains(warnings, W::slowCharging)
                || contains(warnings, W::notCharging));
        if (r.optimizedHold()) {
            EXPECT_EQ(r.state(), BatteryReading::State::hold);
            EXPECT_FALSE(contains(warnings, W::notCharging));
        }
    }
}
