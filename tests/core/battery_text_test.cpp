#include "core/battery_text.h"

#include <gtest/gtest.h>

#include <climits>
#include <cmath>
#include <limits>
#include <set>
#include <string>
#include <vector>

using wattlet::BatteryReading;
using wattlet::Language;
using wattlet::MachineName;
namespace text = wattlet::BatteryText;

constexpr Language en = Language::en;
constexpr Language ru = Language::ru;
constexpr double inf = std::numeric_limits<double>::infinity();

TEST(BatteryText, EveryKeyHasBothLanguagesWithTheSamePlaceholders)
{
    const auto placeholders = [](const std::string& text) {
        std::size_t count = 0;
        for (auto at = text.find("%d"); at != std::string::npos; at = text.find("%d", at + 2))
            ++count;
        return count;
    };
    std::set<std::string_view> seen;
    for (const std::string_view key : text::keys()) {
        SCOPED_TRACE(key);
        EXPECT_TRUE(seen.insert(key).second) << "repeated key";
        const std::string russian = text::t(key, ru);
        EXPECT_FALSE(russian.empty());
        EXPECT_FALSE(text::t(key, en).empty());
        EXPECT_EQ(placeholders(russian), placeholders(text::t(key, en)));
    }
    EXPECT_EQ(text::t("no.such.key", en), "no.such.key");
}

TEST(BatteryText, DurationSplitsHoursAndMinutes)
{
    // clang-format off
    const std::vector<std::pair<std::int64_t, std::string>> cases {
        { 0, "0 min" }, { 59, "59 min" }, { 60, "1 h" }, { 61, "1 h 1 min" }, { 1500, "25 h" },
        { -59, "-59 min" }, { -60, "-1 h" }, { -65, "-1 h -5 min" },
        { INT64_MIN, "-153722867280912930 h -8 min" }, { INT64_MAX, "153722867280912930 h 7 min" },
    };
    // clang-format on
    for (const auto& [minutes, expected] : cases) {
        SCOPED_TRACE(minutes);
        EXPECT_EQ(text::duration(minutes, en), expected);
    }
}

TEST(BatteryText, NumRoundsShortestDecimalHalfToEven)
{
    // clang-format off
    const std::vector<std::tuple<double, int, std::string>> cases {
        { 12.34, 1, "12.3" }, { 12.04, 1, "12" }, { 0.25, 1, "0.2" }, { 0.35, 1, "0.4" },
        { 2.5, 0, "2" }, { 0.5, 0, "0" }, { 9.96, 1, "10" }, { 0.0006, 3, "0.001" },
        { 0.05, 1, "0" }, { -0.0, 2, "0" }, { -0.04, 1, "0" }, { -1.25, 1, "-1.2" },
        { 5e-324, 2, "0" }, { 1e21, 0, "1000000000000000000000" }, { 1e-7, 10, "0.0000001" },
        { 1.5, -3, "2" }, { 0.30000000000000004, 20, "0.30000000000000004" }, { 0.1, INT_MAX, "0.1" },
        { std::nan(""), 1, "NaN" }, { inf, 1, "∞" }, { -inf, 0, "-∞" },
    };
    // clang-format on
    for (const auto& [value, digits, expected] : cases) {
        SCOPED_TRACE(testing::Message() << value << " digits " << digits);
        EXPECT_EQ(text::num(value, digits, en), expected);
    }
    EXPECT_EQ(text::num(-0.8, 1, ru), "-0,8");
}

TEST(BatteryText, StateTellsWhyTheBatteryIsNotCharging)
{
    struct Case
    {
        bool onAC, charging, full;
        std::int64_t percent;
        std::optional<std::int64_t> limit;
        const char* state;
    };
    // clang-format off
    const Case cases[] = {
        { true, false, false, 69, {}, "on power, not charging" },
        { true, false, false, 70, {}, "optimized charging — holding near 80 %" },
        { true, false, true, 80, {}, "charged, on power" },
        { true, false, false, 100, {}, "charged, on power" },
        // A charge limit the user set explains a hold at it, and only there.
        { true, false, false, 77, 80, "optimized charging — holding near 80 %" },
        { true, false, false, 78, 80, "holding at the 80 % charge limit" },
        { true, false, false, 85, 80, "holding at the 80 % charge limit" },
        { true, false, false, 100, 80, "charged, on power" },
    };
    // clang-format on
    for (const Case& c : cases) {
        SCOPED_TRACE(c.state + std::string(" at ") + std::to_string(c.percent));
        BatteryReading r;
        r.onAC = c.onAC;
        r.charging = c.charging;
        r.full = c.full;
        r.percent = c.percent;
        r.chargeLimitPercent = c.limit;
        EXPECT_EQ(text::state(r, en), c.state);
    }
}

TEST(BatteryText, TimeLineNamesDirectionOrCalculation)
{
    struct Case
    {
        bool onAC, charging;
        std::optional<std::int64_t> minutes;
        std::optional<std::string> line;
    };
    const Case cases[] = { { false, false, {}, "calculating time…" }, { true, false, {}, {} },
        { true, true, 65, "full in 1 h 5 min" }, { true, false, 65, "left 1 h 5 min" } };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.line.value_or("(none)"));
        BatteryReading r;
        r.onAC = c.onAC;
        r.charging = c.charging;
        r.minutesLeft = c.minutes;
        EXPECT_EQ(text::timeLine(r, en), c.line);
    }
}

TEST(BatteryText, PowerLineShowsSignMagnitudeCurrentAndVoltage)
{
    using I = std::optional<std::int64_t>;
    // clang-format off
    const std::vector<std::tuple<I, I, std::optional<std::string>>> cases {
        { 2930, 12480, "+37 W (2.9 A · 12.5 V)" }, { -1240, 11870, "\u221215 W (1.2 A · 11.9 V)" },
        { -4, 12500, "0 W (0 A · 12.5 V)" }, { 5, 10001, "+0.1 W (0 A · 10 V)" }, { 2930, -12480, "\u221237 W (2.9 A · -12.5 V)" },
        { INT64_MIN, 1, "\u22129223372036855 W (9223372036854776 A · 0 V)" },
        { std::nullopt, 12000, std::nullopt }, { 1000, std::nullopt, std::nullopt },
    };
    // clang-format on
    for (const auto& [amperage, voltage, expected] : cases) {
        SCOPED_TRACE(testing::Message() << amperage.value_or(0) << " mA " << voltage.value_or(0));
        BatteryReading r;
        r.amperageMA = amperage;
        r.voltageMV = voltage;
        EXPECT_EQ(text::powerLine(r, en), expected);
    }
}

// Each sentence with its number is checked in both languages with the notifications; here what
// an absent or unrepresentable number gives.
TEST(BatteryText, WarningSentenceCarriesItsNumberRoundedOrZero)
{
    using W = BatteryReading::Warning;
    const BatteryReading r;
    EXPECT_EQ(text::warning(W::weakCharger, r, en, MachineName::laptop),
        "Weak charger: 0 W — charging is slow or not happening");
    EXPECT_EQ(text::warning(W::healthLow, r, en, MachineName::laptop),
        "Battery health 0 % — time to think about a replacement");
    const std::vector<std::pair<std::optional<double>, std::string>> cases { { 44.5, "45" },
        { 44.49, "44" }, { -0.5, "-1" }, { std::nullopt, "0" }, { std::nan(""), "0" },
        { 1e300, "9223372036854775807" }, { -inf, "-9223372036854775808" } };
    for (const auto& [celsius, number] : cases) {
        SCOPED_TRACE(number);
        BatteryReading hot;
        hot.temperatureC = celsius;
        EXPECT_EQ(text::warning(W::hot, hot, en, MachineName::laptop),
            "Battery is hot: " + number + " °C — let the laptop cool down");
    }
}

TEST(BatteryText, SummaryListsEveryKnownValue)
{
    BatteryReading r;
    r.percent = 87;
    r.onAC = r.charging = true;
    r.minutesLeft = 65;
    r.amperageMA = 2930;
    r.voltageMV = 12480;
    r.adapterWatts = 96;
    r.adapterName = "USB-C";
    r.temperatureC = 31.2;
    r.fullCapacity = 4600;
    r.designCapacity = 5000;
    r.cycles = 212;
    EXPECT_EQ(text::summary(r, en),
        "87 % · charging\nfull in 1 h 5 min\nPower: +37 W (2.9 A · 12.5 V)\nCharger: 96 W · USB-C\n"
        "Temperature: 31 °C\nHealth: 92 % (4600 mAh / 5000)\nCycles: 212");
}

TEST(BatteryText, SummaryLeavesOutWhatIsUnknownOrIrrelevant)
{
    BatteryReading r;
    r.percent = 40;
    r.adapterWatts = 65;
    r.adapterName = "Dock";
    r.fullCapacity = 4000;
    r.temperatureC = -0.4;
    EXPECT_EQ(text::summary(r, en), "40 % · on battery\ncalculating time…\nTemperature: 0 °C");

    r.onAC = true;
    r.percent = 95;
    r.adapterName.reset();
    EXPECT_EQ(
        text::summary(r, en), "95 % · on power, not charging\nCharger: 65 W\nTemperature: 0 °C");
}
