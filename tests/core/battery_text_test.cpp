#include "core/battery_text.h"
#include "core/po_file.h"
#include "core/reading_json.h"

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

TEST(BatteryText, EveryKeyHasEveryLanguageWithTheSamePlaceholders)
{
    std::set<std::string_view> seen;
    for (const std::string_view key : text::keys()) {
        SCOPED_TRACE(key);
        EXPECT_TRUE(seen.insert(key).second) << "repeated key";
        const std::string english = text::t(key, en);
        for (const Language language : text::languages()) {
            SCOPED_TRACE(language.code());
            const std::string translated = text::t(key, language);
            EXPECT_FALSE(translated.empty());
            EXPECT_EQ(wattlet::placeholderCount(translated), wattlet::placeholderCount(english));
        }
    }
    EXPECT_EQ(text::t("no.such.key", en), "no.such.key");
    // A language without a catalog reads English.
    EXPECT_EQ(text::t("state.charging", Language("xx")), "charging");
    EXPECT_EQ(text::num(1.5, 1, Language("xx")), "1.5");
}

// The conventions come from the catalogs; these are CLDR's and the desktops'.
TEST(BatteryText, NumbersAndPluralsFollowTheCatalog)
{
    const Language ar("ar");
    EXPECT_EQ(text::num(-1.25, 1, ar), "-\u0661\u066b\u0662");
    EXPECT_EQ(text::percent(48, ar), "\u0664\u0668\u066a");
    EXPECT_EQ(text::percent(48, Language("tr")), "%48");
    EXPECT_EQ(text::percent(48, Language("ja")), "48%");
    EXPECT_EQ(text::num(8.4, 1, Language("de")), "8,4");
    // Arabic counts 3 to 10 in the plural, 11 and more in the singular.
    EXPECT_EQ(text::duration(180, ar), "\u0663 \u0633\u0627\u0639\u0627\u062a");
    EXPECT_EQ(text::duration(660, ar), "\u0661\u0661 \u0633\u0627\u0639\u0629");
    EXPECT_EQ(text::direction(ar), wattlet::TextDirection::rightToLeft);
    EXPECT_EQ(text::direction(ru), wattlet::TextDirection::leftToRight);
}

TEST(BatteryText, DurationSplitsHoursAndMinutes)
{
    const std::vector<std::pair<std::int64_t, std::string>> cases { { 0, "0 min" }, { 60, "1 h" },
        { 61, "1 h 1 min" }, { INT64_MIN, "-153722867280912930 h -8 min" },
        { INT64_MAX, "153722867280912930 h 7 min" } };
    for (const auto& [minutes, expected] : cases) {
        SCOPED_TRACE(minutes);
        EXPECT_EQ(text::duration(minutes, en), expected);
    }
}

TEST(BatteryText, NumRoundsShortestDecimalHalfToEven)
{
    // clang-format off
    const std::vector<std::tuple<double, int, std::string>> cases {
        { 0.25, 1, "0.2" }, { 0.35, 1, "0.4" }, { 2.5, 0, "2" }, { 9.96, 1, "10" }, { -0.0, 2, "0" },
        { -0.04, 1, "0" }, { -1.25, 1, "-1.2" }, { 1e21, 0, "1000000000000000000000" },
        { 1e-7, 10, "0.0000001" }, { 1.5, -3, "2" }, { 0.30000000000000004, 20, "0.30000000000000004" },
        { 0.1, INT_MAX, "0.1" }, { std::nan(""), 1, "NaN" }, { inf, 1, "∞" }, { -inf, 0, "-∞" },
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
    // On power, not charging, at a percent, with a charge limit the user set or none.
    const std::tuple<std::int64_t, std::optional<std::int64_t>, const char*> cases[] = {
        { 69, {}, "on power, not charging" },
        { 70, {}, "optimized charging — holding near 80 %" },
        { 100, {}, "charged, on power" },
        // A charge limit the user set explains a hold at it, and only there.
        { 77, 80, "optimized charging — holding near 80 %" },
        { 78, 80, "holding at the 80 % charge limit" },
        { 100, 80, "charged, on power" },
    };
    for (const auto& [percent, limit, state] : cases) {
        SCOPED_TRACE(percent);
        BatteryReading r;
        r.onAC = true;
        r.percent = percent;
        r.chargeLimitPercent = limit;
        EXPECT_EQ(text::state(r, en), state);
    }
}

TEST(BatteryText, PowerLineShowsSignMagnitudeCurrentAndVoltage)
{
    using I = std::optional<std::int64_t>;
    // clang-format off
    const std::vector<std::tuple<I, I, std::optional<std::string>>> cases {
        { 2930, 12480, "+37 W (2.9 A · 12.5 V)" }, { -1240, 11870, "\u221215 W (1.2 A · 11.9 V)" },
        { -4, 12500, "0 W (0 A · 12.5 V)" }, { 2930, -12480, "\u221237 W (2.9 A · -12.5 V)" },
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

TEST(BatteryText, SummaryListsWhatIsKnownAndRelevant)
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

    // What is unknown or irrelevant is left out.
    r = {};
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

TEST(BatteryText, TimeLineShowsOnlyBelievableEstimates)
{
    using T = BatteryReading::TimeWithheld;
    struct Case
    {
        bool onAC, charging;
        std::int64_t percent;
        std::optional<std::int64_t> limit, minutes;
        bool settling;
        std::optional<T> withheld;
        const char* en;
        const char* ru;
    };
    constexpr auto none = std::nullopt;
    const Case cases[] = {
        // Just unplugged at 90 % of 50 Wh with the driver still at 0.25 W: not 180 h.
        { false, false, 90, none, 10800, false, T::rateTooLow, "calculating time…",
            "время считается…" },
        { false, false, 50, none, 1501, false, T::rateTooLow, "calculating time…",
            "время считается…" },
        { false, false, 50, none, 1500, false, T::moreThanDay, "left more than a day",
            "осталось больше суток" },
        { false, false, 100, none, 1441, false, T::moreThanDay, "left more than a day",
            "осталось больше суток" },
        { false, false, 100, none, 1440, false, none, "left 24 h", "осталось 24 ч" },
        { false, false, 90, none, 200, true, T::settling, "calculating time…", "время считается…" },
        { false, false, 90, none, none, false, T::settling, "calculating time…",
            "время считается…" },
        // Charging at 79 % towards an 80 % limit at 0.1 W: not "80 % in 5 h".
        { true, true, 79, 80, 300, false, T::almostFull, "almost full", "почти заряжен" },
        { true, true, 78, 80, none, true, T::almostFull, "almost full", "почти заряжен" },
        { true, true, 77, 80, 60, false, none, "80 % in 1 h", "до 80 % 1 ч" },
        { true, true, 20, 80, 1800, false, T::moreThanDay, "80 % in more than a day",
            "до 80 % больше суток" },
        { true, true, 98, none, 20, false, T::almostFull, "almost full", "почти заряжен" },
        { true, true, 97, none, 90, false, none, "full in 1 h 30 min", "до полной 1 ч 30 мин" },
        { true, false, 60, none, 90, false, none, "", "" },
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.en);
        BatteryReading r;
        r.onAC = c.onAC;
        r.charging = c.charging;
        r.percent = c.percent;
        r.chargeLimitPercent = c.limit;
        r.minutesLeft = c.minutes;
        r.timeSettling = c.settling;
        const auto estimate = r.timeEstimate();
        EXPECT_EQ(estimate.withheld, c.withheld);
        EXPECT_EQ(estimate.minutes, c.withheld || !*c.en ? std::nullopt : c.minutes);
        EXPECT_EQ(text::timeLine(r, en).value_or(""), c.en);
        EXPECT_EQ(text::timeLine(r, ru).value_or(""), c.ru);
        const auto json = wattlet::readingJson(r);
        EXPECT_EQ(json.find("\"minutesLeft\"") != std::string::npos, !!estimate.minutes);
        EXPECT_EQ(json.find("\"timeWithheld\":\""
                      + std::string(c.withheld ? rawValue(*c.withheld) : "-") + '"')
                != std::string::npos,
            !!c.withheld)
            << json;
    }
}
