// The user's command. Status bars and scripts run "wattlet --json" or "--summary" every few
// seconds: those it answers itself, from sysfs and what the running tray published, without
// loading Qt. Everything else, and a report while no tray runs, is the tray program's, which
// it starts in its place.

#include "core/health_log.h"
#include "core/preferred_languages.h"
#include "core/reading_json.h"
#include "core/settings_text.h"
#include "platform/app_files.h"
#include "platform/battery_io.h"
#include "platform/linux/regular_file.h"
#include "platform/user_languages.h"

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <unistd.h>

namespace wattlet {
namespace {

    constexpr std::size_t maxSettingsBytes = std::size_t { 1 } << 20;

    struct Report
    {
        bool summary = false;
        bool json = false;
        bool health = false;
    };

    // Only the report options, alone: any other argument may change what they mean.
    std::optional<Report> reportAsked(int argc, char** argv)
    {
        Report report;
        for (int i = 1; i < argc; ++i) {
            const std::string_view argument = argv[i];
            if (argument == "--summary")
                report.summary = true;
            else if (argument == "--json")
                report.json = true;
            else if (argument == "--health")
                report.health = true;
            else
                return std::nullopt;
        }
        if (!report.summary && !report.json && !report.health)
            return std::nullopt;
        return report;
    }

    void print(const std::string& text)
    {
        std::fputs(text.c_str(), stdout);
        std::fflush(stdout);
    }

    // The exit status, or nothing when the tray program must answer.
    std::optional<int> answer(const Report& report)
    {
        if (report.health) {
            const auto text = readRegularFile(
                AppFiles::healthFile(), static_cast<std::size_t>(HealthLog::maxFileBytes));
            print(
                (text ? HealthLog::fromJson(*text) : std::nullopt).value_or(HealthLog {}).toCsv());
            return 0;
        }
        // Without a running tray, the devices and controls are asked of the system bus.
        const auto tray = AppFiles::liveTrayState();
        if (!tray)
            return std::nullopt;
        const std::string settings
            = readRegularFile(AppFiles::settingsFile(), maxSettingsBytes).value_or("");
        const auto stored = [&settings](std::string_view key) {
            const auto value = iniGeneralValue(settings, key);
            return value ? wholeNumber(*value) : std::nullopt;
        };
        const auto choice
            = languageChoiceFromRaw(iniGeneralValue(settings, "language").value_or(""));
        const Language language
            = textLanguage(choice.value_or(LanguageChoice::autoLanguage), userLanguages());
        const auto reading = BatteryIO::readOnce();
        print(reportLine(report.json, reading, tray->devices, tray->controls, language,
                  WarningLevels::stored(
                      stored("lowPercent"), stored("criticalPercent"), stored("deviceLowPercent")))
            + '\n');
        return reading ? 0 : 1;
    }

    // The tray program: beside this one in a build, where the install puts it otherwise.
    std::filesystem::path trayProgram(const std::filesystem::path& self)
    {
        const auto beside = self.parent_path() / "wattlet-tray";
        if (::access(beside.c_str(), X_OK) == 0)
            return beside;
        return self.parent_path() / WATTLET_TRAY_FROM_BINDIR;
    }

} // namespace
} // namespace wattlet

int main(int argc, char** argv)
{
    if (const auto report = wattlet::reportAsked(argc, argv)) {
        if (const auto status = wattlet::answer(*report))
            return *status;
    }
    std::error_code error;
    const auto self = std::filesystem::read_symlink("/proc/self/exe", error);
    // Without its own place it would look for the tray program in the current folder.
    if (error) {
        std::fprintf(stderr, "wattlet: cannot find itself: %s\n", error.message().c_str());
        return 1;
    }
    const auto program = wattlet::trayProgram(self);
    // The autostart entry names this command, not the tray program.
    ::setenv("WATTLET_COMMAND", self.c_str(), 1);
    ::execv(program.c_str(), argv);
    std::fprintf(stderr, "wattlet: cannot start %s: %s\n", program.c_str(), std::strerror(errno));
    return 1;
}
