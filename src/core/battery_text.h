#pragma once

#include "battery_reading.h"
#include "peripheral.h"

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

/// Every text the user sees, in Russian ("ru") and English ("en"), UTF-8.
namespace wattlet::BatteryText {

/// The current language code. Its first value comes from the preferred languages of the
/// environment ("ru" when the first one starts with "ru" or when there is none, else "en").
/// Reads and writes are thread-safe.
[[nodiscard]] std::string language();
void setLanguage(std::string code);

/// The text for `key` in the current language, else in Russian, else the key itself.
[[nodiscard]] std::string t(std::string_view key);
/// Every key of the table, in table order.
[[nodiscard]] std::vector<std::string_view> keys();

/// "45 min", "2 h", "1 h 5 min" in the current language; no day unit.
[[nodiscard]] std::string duration(std::int64_t minutes);

/// `value` with at most `digits` fraction digits: shortest round-trip decimal, rounded half to
/// even, trailing zeros dropped, "," in Russian and "." otherwise, no grouping. A negative
/// `digits` counts as 0; a value that rounds to zero carries no sign; NaN gives "NaN" and the
/// infinities "∞" and "-∞".
[[nodiscard]] std::string num(double value, int digits);

/// `text` with every "%d" replaced by `number`; unchanged when it has none.
[[nodiscard]] std::string replacingPlaceholder(std::string text, const std::string& number);

[[nodiscard]] std::string state(const BatteryReading& reading);
[[nodiscard]] std::optional<std::string> timeLine(const BatteryReading& reading);
[[nodiscard]] std::optional<std::string> powerLine(const BatteryReading& reading);
/// The warning's sentence with its number in place of "%d": the percent, the temperature rounded
/// half away from zero (saturated to int64; NaN counts as absent), the adapter watts or the
/// health; 0 when the value is absent.
[[nodiscard]] std::string warning(BatteryReading::Warning warning, const BatteryReading& reading);

/// The multi-line copyable summary, lines joined by "\n" without a trailing one.
[[nodiscard]] std::string summary(const BatteryReading& reading);
/// summary() followed by one deviceLine() per device.
[[nodiscard]] std::string summary(const BatteryReading& reading, const Peripherals& devices);

/// The device's model, else the text of its kind.
[[nodiscard]] std::string deviceName(const Peripheral& device);
/// "8 %", or the text of the coarse level when the percentage is unknown.
[[nodiscard]] std::string deviceCharge(const Peripheral& device);
/// "MX Master 3: 8 %", with " · charging" while it charges.
[[nodiscard]] std::string deviceLine(const Peripheral& device);
/// The body of a device's low-battery notification: "MX Master 3: 8 % — time to charge it".
[[nodiscard]] std::string deviceWarning(const Peripheral& device);

} // namespace wattlet::BatteryText
