// BatteryIO::read() on recorded power_supply trees and on a tree of 500 supplies, against the bare
// cost of reading the files it reads, and the two ways of reading a supply (one uevent, or one
// file per attribute).
//   wattlet_platform_bench --benchmark_repetitions=9 --benchmark_report_aggregates_only
#include "synthetic_supply_tree.h"

#include "platform/battery_io.h"
#include "platform/linux/sysfs_power_supply.h"

#include <benchmark/benchmark.h>

#include <array>
#include <cstdlib>
#include <dirent.h>
#include <fcntl.h>
#include <filesystem>
#include <string>
#include <unistd.h>
#include <vector>

namespace {

// The largest recorded tree, and a single smart battery.
const std::string dual = "32-thinkpad-t470-dual-battery-bat0-unknown-bat1-full";
const std::string smart = "04-chromebook-hana-sbs-discharging";
// A fixture name of this value stands for the synthetic tree.
const std::string many = "500 supplies";

std::string tree(const std::string& fixture)
{
    if (fixture == many) {
        static const wattlet::bench::SyntheticSupplyTree synthetic(500);
        return synthetic.root().string();
    }
    return wattlet::bench::fixtureTree(fixture.c_str()).string();
}

std::size_t readFile(const std::string& path)
{
    const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0)
        return 0;
    std::array<char, 4096> buffer {};
    std::size_t total = 0;
    for (ssize_t count = 0; (count = ::read(fd, buffer.data(), buffer.size())) > 0;)
        total += static_cast<std::size_t>(count);
    ::close(fd);
    return total;
}

std::vector<std::string> supplyFolders(const std::string& root)
{
    std::vector<std::string> folders;
    DIR* dir = ::opendir(root.c_str());
    if (dir == nullptr)
        return folders;
    while (const dirent* entry = ::readdir(dir)) {
        const std::string name = entry->d_name;
        if (name != "." && name != ".." && std::filesystem::is_directory(root + "/" + name))
            folders.push_back(root + "/" + name);
    }
    ::closedir(dir);
    return folders;
}

// The floor: list the folder, read every supply's uevent and try the attribute files that are
// not in it, with nothing parsed or mapped.
void rawUevents(benchmark::State& state, const std::string& fixture)
{
    const auto root = tree(fixture);
    const std::array extras
        = { "/type", "/charge_control_start_threshold", "/charge_control_end_threshold",
              "/charge_start_threshold", "/charge_stop_threshold", "/charge_behaviour" };
    for (auto _ : state) {
        std::size_t bytes = 0;
        for (const auto& folder : supplyFolders(root)) {
            bytes += readFile(folder + "/uevent");
            for (const char* extra : extras)
                bytes += readFile(folder + extra);
        }
        benchmark::DoNotOptimize(bytes);
    }
}

// The same floor for one file per attribute: every regular file of every supply.
void rawAttributeFiles(benchmark::State& state, const std::string& fixture)
{
    const auto root = tree(fixture);
    for (auto _ : state) {
        std::size_t bytes = 0;
        for (const auto& folder : supplyFolders(root)) {
            for (const auto& entry : std::filesystem::directory_iterator(folder)) {
                if (entry.path().filename() != "uevent")
                    bytes += readFile(entry.path().string());
            }
        }
        benchmark::DoNotOptimize(bytes);
    }
}

void batteryIORead(benchmark::State& state, const std::string& fixture)
{
    ::setenv("WATTLET_POWER_SUPPLY_DIR", tree(fixture).c_str(), 1);
    ::unsetenv("WATTLET_RECORDED");
    for (auto _ : state)
        benchmark::DoNotOptimize(wattlet::BatteryIO::read());
}

void readSupplies(benchmark::State& state, const std::string& fixture, wattlet::SysfsReadMode mode)
{
    const auto root = tree(fixture);
    for (auto _ : state)
        benchmark::DoNotOptimize(wattlet::readPowerSupplies(root, mode));
}

} // namespace

BENCHMARK_CAPTURE(rawUevents, dual, dual);
BENCHMARK_CAPTURE(batteryIORead, dual, dual);
BENCHMARK_CAPTURE(rawUevents, smart, smart);
BENCHMARK_CAPTURE(batteryIORead, smart, smart);
BENCHMARK_CAPTURE(readSupplies, ueventDual, dual, wattlet::SysfsReadMode::uevent);
BENCHMARK_CAPTURE(readSupplies, attributeFilesDual, dual, wattlet::SysfsReadMode::attributeFiles);
BENCHMARK_CAPTURE(rawAttributeFiles, dual, dual);
BENCHMARK_CAPTURE(readSupplies, ueventSmart, smart, wattlet::SysfsReadMode::uevent);
BENCHMARK_CAPTURE(readSupplies, attributeFilesSmart, smart, wattlet::SysfsReadMode::attributeFiles);
BENCHMARK_CAPTURE(rawAttributeFiles, smart, smart);
BENCHMARK_CAPTURE(rawUevents, many, many)->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(batteryIORead, many, many)->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(readSupplies, ueventMany, many, wattlet::SysfsReadMode::uevent)
    ->Unit(benchmark::kMicrosecond);
