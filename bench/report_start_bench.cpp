// A one-shot report as status bars run it every few seconds, side by side with cat of a uevent:
// the user's command answering from sysfs and the running tray's published state, and the tray
// program answering by itself (what every report cost before, and still costs while no tray
// runs). Each run is a fresh process. maxRssKiB is the child's peak resident memory as the kernel
// counts it, which takes in this benchmark's own pages before the exec (about 4 MiB): an upper
// bound below that, the program's own above it (/usr/bin/time -v gives the program's own).
//   wattlet_report_bench --benchmark_repetitions=5 --benchmark_report_aggregates_only
#include "core/tray_state.h"
#include "platform/app_files.h"

#include <benchmark/benchmark.h>

#include <algorithm>
#include <cstdlib>
#include <fcntl.h>
#include <filesystem>
#include <fstream>
#include <spawn.h>
#include <string>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>
#include <vector>

extern char** environ;

namespace {

const std::string fixture = WATTLET_TEST_DATA "/power_supply/01-dell-bat0-charge-discharging";

// A runtime folder whose tray state names this process, so it counts as a live tray's.
struct Environment
{
    Environment()
    {
        ::setenv("XDG_RUNTIME_DIR", folder.c_str(), 1);
        ::setenv("HOME", folder.c_str(), 1);
        ::setenv("WATTLET_POWER_SUPPLY_DIR", fixture.c_str(), 1);
        std::filesystem::create_directories(folder);
        wattlet::AppFiles::publishTrayState(wattlet::TrayState {});
    }
    ~Environment() { std::filesystem::remove_all(folder); }

    std::filesystem::path folder = std::filesystem::temp_directory_path()
        / ("wattlet-report-bench-" + std::to_string(::getpid()));
};

void runProgram(benchmark::State& state, std::vector<std::string> arguments)
{
    static const Environment environment;
    std::vector<char*> argv;
    for (std::string& argument : arguments)
        argv.push_back(argument.data());
    argv.push_back(nullptr);
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, STDOUT_FILENO, "/dev/null", O_WRONLY, 0);
    long maxRss = 0;
    for (auto _ : state) {
        pid_t child = 0;
        if (posix_spawn(&child, argv[0], &actions, nullptr, argv.data(), environ) != 0) {
            state.SkipWithError("cannot start the program");
            break;
        }
        int status = 0;
        rusage usage {};
        ::wait4(child, &status, 0, &usage);
        maxRss = std::max(maxRss, usage.ru_maxrss);
    }
    posix_spawn_file_actions_destroy(&actions);
    state.counters["maxRssKiB"] = static_cast<double>(maxRss);
}

void catUevent(benchmark::State& state)
{
    runProgram(state, { "/bin/cat", fixture + "/BAT0/uevent" });
}
BENCHMARK(catUevent)->Unit(benchmark::kMillisecond)->UseRealTime();

void command(benchmark::State& state, const char* option)
{
    runProgram(state, { WATTLET_COMMAND, option });
}
BENCHMARK_CAPTURE(command, json, "--json")->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK_CAPTURE(command, summary, "--summary")->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK_CAPTURE(command, health, "--health")->Unit(benchmark::kMillisecond)->UseRealTime();

void trayProgram(benchmark::State& state, const char* option)
{
    runProgram(state, { WATTLET_TRAY_PROGRAM, option });
}
BENCHMARK_CAPTURE(trayProgram, json, "--json")->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK_CAPTURE(trayProgram, health, "--health")->Unit(benchmark::kMillisecond)->UseRealTime();

} // namespace
