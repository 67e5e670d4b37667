#include "regular_file.h"
#include "sysfs_battery_reader.h"

#include "core/battery_parse.h"
#include "platform/app_files.h"
#include "platform/battery_io.h"
#include "platform/wall_clock.h"

#include <nlohmann/json.hpp>

#include <atomic>
#include <cstdlib>
#include <memory>
#include <mutex>
namespace wattlet::BatteryIO {

namespace {

    constexpr const char* defaultRoot = "/sys/class/power_supply";
    // Recorded dumps are a few kilobytes; the cap only stops a wrong path from filling memory.
    constexpr std::size_t maxRecordedBytes = std::size_t { 1 } << 20;
    constexpr std::size_t maxRateBytes = 4096;

    std::filesystem::path supplyRoot()
    {
        const char* dir = std::getenv("WATTLET_POWER_SUPPLY_DIR");
        return dir != nullptr && *dir != '\0' ? dir : defaultRoot;
    }

    // A missing, unreadable, oversized or malformed file, or a folder, FIFO or device in its
    // place, gives empty dictionaries, so no reading.
    BatteryDictionaries recorded(const char* path)
    {
        const auto text = readRegularFile(path, maxRecordedBytes);
        if (!text)
            return {};
        const auto json = nlohmann::json::parse(*text, nullptr, false);
        if (!json.is_object())
            return {};
        const auto part = [&](const char* key) {
            return json.contains(key) ? propertyDictFromJson(json[key]) : PropertyDict {};
        };
        return { part("power"), part("registry"), part("pack") };
    }

    // One reader per process keeps the smoothed rate; it starts afresh when the folder
    // changes. Callers on several threads take turns.
    struct Shared
    {
        std::mutex mutex;
        std::unique_ptr<SysfsBatteryReader> reader;
        // Set without the lock, which a read blocked in a driver may hold for long.
        std::atomic<bool> restart = false;
    };

    Shared& shared()
    {
        // Never destroyed: a read left blocked in a driver at quit may still be using it while
        // the process exits.
        static Shared& shared = *new Shared;
        return shared;
    }

    // The live dictionaries.
    BatteryDictionaries current()
    {
        if (const char* path = std::getenv("WATTLET_RECORDED"); path != nullptr && *path != '\0')
            return recorded(path);
        Shared& live = shared();
        const std::lock_guard lock(live.mutex);
        if (live.restart.exchange(false) || !live.reader || live.reader->root() != supplyRoot())
            live.reader = std::make_unique<SysfsBatteryReader>(supplyRoot(), wallClockSeconds);
        return live.reader->dictionaries().value_or(BatteryDictionaries {});
    }

} // namespace

PropertyDict powerSource() { return current().power; }

PropertyDict properties(std::string_view name)
{
    if (name == "AppleSmartBattery")
        return current().registry;
    if (name == "AppleSmartBatteryPack")
        return current().pack;
    return {};
}

void restartRate() { shared().restart = true; }

std::optional<BatteryReading> readOnce()
{
    const char* recordedPath = std::getenv("WATTLET_RECORDED");
    const auto file = AppFiles::runtimeFile("wattlet-rate");
    if (!file || (recordedPath != nullptr && *recordedPath != '\0'))
        return read();
    const std::string root = supplyRoot().string();
    SysfsBatteryReader reader(root, wallClockSeconds);
    // The first line names the folder the state belongs to.
    if (const auto text = readRegularFile(*file, maxRateBytes)) {
        const auto end = text->find('\n');
        if (end != std::string::npos && text->compare(0, end, root) == 0)
            reader.smoother().restore(text->substr(end + 1));
    }
    auto reading = reader.read();
    // Replaced whole, so a report running at the same time reads a whole state.
    (void)AppFiles::replaceFile(*file, root + "\n" + reader.smoother().saved());
    return reading;
}

std::optional<BatteryReading> read()
{
    const auto found = current();
    if (found.power.empty())
        return std::nullopt;
    return BatteryParse::reading(found.power, found.registry, found.pack, wallClockSeconds());
}

} // namespace wattlet::BatteryIO
