#include "app/watch_report.h"

#include <QCoreApplication>

#include <gtest/gtest.h>

namespace wattlet {
namespace {

    /// A watcher whose change callback the test fires by hand.
    struct ManualWatcher
    {
        std::function<void()> fire;
        std::function<void(const Peripherals&)> devices;

        WatchReport::MakeWatcher factory()
        {
            return [this](std::function<void()> onChange,
                       std::function<void(const Peripherals&)> onPeripherals) {
                fire = std::move(onChange);
                devices = std::move(onPeripherals);
                return std::make_unique<QObject>();
            };
        }
    };

    BatteryReading reading(std::int64_t percent)
    {
        BatteryReading r;
        r.percent = percent;
        r.minutesLeft = 90;
        return r;
    }

} // namespace

TEST(WatchReport, WritesALineOnStartPerBurstOfEventsAndPerPeripheralChange)
{
    ManualWatcher watcher;
    std::optional<BatteryReading> current = reading(50);
    std::vector<std::string> lines;
    WatchReport report(
        WatchReport::format(false, Language::en), [&] { return current; }, watcher.factory(),
        [&](const std::string& line) { lines.push_back(line); });
    report.start();
    EXPECT_EQ(lines, std::vector<std::string> { "50 % · on battery" });

    // A burst gives one line, read once the event loop runs.
    watcher.fire();
    watcher.fire();
    current = reading(49);
    EXPECT_EQ(lines.size(), 1U);
    QCoreApplication::processEvents();
    // The devices changing writes the last reading again, without reading the battery.
    current = std::nullopt;
    watcher.devices({ { "m", Peripheral::Kind::mouse, "MX", 8, std::nullopt, false } });
    QCoreApplication::processEvents();
    watcher.fire();
    QCoreApplication::processEvents();
    EXPECT_EQ(lines,
        (std::vector<std::string> {
            "50 % · on battery", "49 % · on battery", "49 % · on battery", "No battery" }));
}

} // namespace wattlet
