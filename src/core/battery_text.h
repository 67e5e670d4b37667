#pragma once

#include "battery_reading.h"
#include "language.h"
#include "peripheral.h"
#include "power_controls.h"

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

/// Every text the user sees, UTF-8: English from the table in battery_text.cpp, every other
/// language from its catalog (po/). Each function writes in the language it is given.
namespace wattlet::BatteryText {

/// Shown in place of an absent value.
inline constexpr char dash[] = "\u2014";
/// The typographic minus of negative values and changes.
inline constexpr char minus[] = "\u2212";

/// The text for `key` in `language`, else the key itself.
[[nodiscard]] std::string t(std::string_view key, Language language);
/// The text for `key` in the plural form `count` takes in `language` (a negative count counts as
/// 0), with "%d" replaced by integer() of `count`; else the key itself.
[[nodiscard]] std::string tn(std::string_view key, std::int64_t count, Language language);
/// The text of a key that names the computer: its Mac wording (the key with ".mac") on a Mac.
[[nodiscard]] std::string machineText(std::string_view key, Language language, MachineName machine);
/// Every key of the table, in table order.
[[nodiscard]] std::vector<std::string_view> keys();

/// `text` with the ASCII digits written as `language` writes them (Arabic-Indic digits in Arabic).
[[nodiscard]] std::string localDigits(std::string text, Language language);
/// A whole number in the language's digits, without grouping.
[[nodiscard]] std::string integer(std::int64_t value, Language language);
/// A percentage as the language writes it: "48 %", "48%", "%48", "٤٨٪".
[[nodiscard]] std::string percent(std::int64_t value, Language language);
/// percent() of a number already written out ("+1,5", "٤٨").
[[nodiscard]] std::string percentOf(const std::string& number, Language language);
/// Which way the language's lines run.
[[nodiscard]] TextDirection direction(Language language);
/// English, then every language with a compiled catalog in po/LINGUAS order.
[[nodiscard]] std::vector<Language> languages();

/// "45 min", "2 h", "1 h 5 min"; no day unit.
[[nodiscard]] std::string duration(std::int64_t minutes, Language language);

/// `value` with at most `digits` fraction digits: shortest round-trip decimal, rounded half to
/// even, trailing zeros dropped, the language's decimal separator and digits, no grouping. A
/// negative `digits` counts as 0; a value that rounds to zero carries no sign; NaN gives "NaN" and
/// the infinities "∞" and "-∞".
[[nodiscard]] std::string num(double value, int digits, Language language);

/// `text` with every "%d" replaced by `number`; unchanged when it has none.
[[nodiscard]] std::string replacingPlaceholder(std::string text, const std::string& number);

/// A power's magnitude in W without a sign: one fraction digit under 10 W, none from 10 W on
/// ("37 W", "8.4 W", "0 W").
[[nodiscard]] std::string unsignedWatts(double watts, Language language);
/// unsignedWatts() after "+" above 0.05 W or the minus sign below −0.05 W, no sign between
/// ("+37 W", "−8.4 W", "0 W"): the sign tells the direction of the flow.
[[nodiscard]] std::string watts(double watts, Language language);

[[nodiscard]] std::string state(const BatteryReading& reading, Language language);
/// The reading's timeEstimate() as a line: "left 3 h", "80 % in 40 min", "full in more than a
/// day", "almost full", "calculating time…" while settling or at an implausible rate; absent
/// while the charge does not move.
[[nodiscard]] std::optional<std::string> timeLine(const BatteryReading& reading, Language language);
/// watts() with the current and the voltage: "+37 W (2.9 A · 12.5 V)"; absent without current
/// or voltage.
[[nodiscard]] std::optional<std::string> powerLine(
    const BatteryReading& reading, Language language);
/// The warning's sentence with its number in place of "%d": the percent, the temperature rounded
/// half away from zero (saturated to int64; NaN counts as absent), the adapter watts or the
/// health; 0 when the value is absent. The hot battery's sentence names the machine.
[[nodiscard]] std::string warning(BatteryReading::Warning warning, const BatteryReading& reading,
    Language language, MachineName machine);

/// The multi-line copyable summary, lines joined by "\n" without a trailing one.
[[nodiscard]] std::string summary(const BatteryReading& reading, Language language);
/// summary() followed by one deviceLine() per device.
[[nodiscard]] std::string summary(
    const BatteryReading& reading, const Peripherals& devices, Language language);
/// summary() with the charge limit's line from `controls` (chargeLimitLine(): what it holds and
/// whether it can be changed here) in place of the reading's, and the power mode after it, then
/// the devices.
[[nodiscard]] std::string summary(const BatteryReading& reading, const Peripherals& devices,
    const PowerControls& controls, Language language);

/// The device's model, else the text of its kind.
[[nodiscard]] std::string deviceName(const Peripheral& device, Language language);
/// "8 %", or the text of the coarse level when the percentage is unknown, else the dash.
[[nodiscard]] std::string deviceCharge(const Peripheral& device, Language language);
/// "MX Master 3: 8 %", with " · charging" while it charges.
[[nodiscard]] std::string deviceLine(const Peripheral& device, Language language);
/// The body of a device's low-battery notification: "MX Master 3: 8 % — time to charge it".
[[nodiscard]] std::string deviceWarning(const Peripheral& device, Language language);

} // namespace wattlet::BatteryText
