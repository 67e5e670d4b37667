#pragma once

#include "core/battery_reading.h"
#include "core/language.h"
#include "core/peripheral.h"
#include "core/warning_levels.h"

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace wattlet {

/// Everything the main page shows for one reading, as texts, symbol names, tone names and flags.
/// Tones stay colour names ("blue", "red", "gold", "malachite", "yellow") until Palette turns them
/// into colours.
struct MainPageView
{
    /// The ring, the state line and the time line.
    struct Hero
    {
        std::int64_t percent = 0;
        /// The percentage in the language's digits and its percent sign, as the ring shows them.
        std::string number;
        std::string percentSign;
        std::string tone;
        std::string state;
        /// The power-connected bolt before the state line; empty without power.
        std::string boltSymbol;
        std::string boltTone;
        /// Absent when the reading has no time line; then the clock is not shown either.
        std::optional<std::string> timeLine;
        std::string timeSymbol;
        /// What the ring is read out as ("Charge") and the state and time lines after it.
        std::string name;
        std::string description;
    };

    struct Warning
    {
        std::string symbol;
        std::string text;
        /// "red" for a critical charge or a hot battery, else "yellow".
        std::string tone;
    };

    struct Tile
    {
        std::string symbol;
        std::string title;
        std::string value;
        std::string tint;
        /// The health tile opens the health page; `help` describes that.
        bool opensHealth = false;
        std::string help;
    };

    struct Detail
    {
        std::string k;
        std::string v;
    };

    struct Chart
    {
        /// "Last 24 h" in upper case.
        std::string title;
        /// Absent without at least two values or without a last-hour change.
        std::optional<std::string> delta;
        /// Fewer than two values: the empty text replaces the chart and its axis labels.
        bool empty = true;
        std::string emptyText;
        std::vector<double> values;
        std::string tint;
        std::string left;
        std::string right;
        /// The chart read out: the title, the first and last values and the last hour's change.
        std::string description;
    };

    /// One row of the devices card.
    struct Device
    {
        std::string symbol;
        std::string name;
        std::string value;
        /// "red" at or below the peripherals' low level; empty: the text colour.
        std::string valueTone;
    };

    struct Action
    {
        enum class Kind { openPower, copySummary };
        Kind kind = Kind::copySummary;
        std::string symbol;
        std::string title;
    };

    /// The "no battery" notice; when present the page shows only the notice and its symbol, and
    /// every other member is left empty.
    std::optional<std::string> notice;
    std::string noticeSymbol;

    Hero hero;
    std::vector<Warning> warnings;
    std::array<Tile, 4> tiles;
    std::vector<Detail> details;
    /// "Devices" in upper case; empty together with devices.
    std::string devicesTitle;
    /// The peripherals' batteries; empty hides the card.
    std::vector<Device> devices;
    Chart chart;
    /// The buttons below the chart, left to right.
    std::vector<Action> actions;
};

/// The main page for `reading` (absent: no battery), the chart values of the last 24 hours
/// (oldest first), the change over the last hour and the peripherals, in `language`, with the
/// warnings and tones at `levels`; the power action only with `powerSettings`.
[[nodiscard]] MainPageView mainPageView(const std::optional<BatteryReading>& reading,
    const std::vector<double>& series, std::optional<std::int64_t> delta, Language language,
    bool powerSettings = true, const Peripherals& devices = {}, const WarningLevels& levels = {});

/// The accent colour name of a reading: "red", "yellow" or "blue" after its status dot at
/// `levels`, else "malachite".
[[nodiscard]] std::string toneName(const BatteryReading& reading, const WarningLevels& levels = {});

/// The power tile's text: BatteryText::unsignedWatts() of the reading's power after "+" while
/// charging, else the minus sign below −0.05 W; the dash without current or voltage.
[[nodiscard]] std::string powerTileText(const BatteryReading& reading, Language language);

} // namespace wattlet
