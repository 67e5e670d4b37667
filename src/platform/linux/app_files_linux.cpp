#include "identity.h"
#include "regular_file.h"

#include "core/settings_text.h"
#include "platform/app_files.h"

#include <cstdlib>
#include <fcntl.h>
#include <filesystem>
#include <unistd.h>

namespace wattlet::AppFiles {

namespace {

    constexpr std::string_view appName = Identity::name;
    constexpr std::size_t maxStateBytes = std::size_t { 1 } << 20;
    constexpr std::size_t maxStatBytes = 4096;

    std::optional<std::string> trayStateFile() { return runtimeFile("wattlet-tray.json"); }

} // namespace

std::string xdgBaseDir(const char* variable, std::string_view fallbackUnderHome)
{
    // A relative value would depend on the folder the program happens to be started from.
    const char* value = std::getenv(variable);
    std::filesystem::path base;
    if (value != nullptr && *value == '/') {
        base = value;
    } else {
        const char* home = std::getenv("HOME");
        base = std::filesystem::path(home != nullptr && *home != '\0' ? home : "/")
            / fallbackUnderHome;
    }
    std::string text = base.lexically_normal().string();
    if (text.size() > 1 && text.back() == '/')
        text.pop_back();
    return text;
}

std::string dataDir()
{
    return xdgBaseDir("XDG_DATA_HOME", ".local/share") + "/" + std::string(appName);
}

std::string healthFile() { return dataDir() + "/health.json"; }

std::string settingsFile()
{
    return xdgBaseDir("XDG_CONFIG_HOME", ".config") + "/" + std::string(appName) + "/"
        + std::string(appName) + ".conf";
}

std::optional<std::string> runtimeFile(std::string_view name)
{
    const char* runtime = std::getenv("XDG_RUNTIME_DIR");
    if (runtime == nullptr || *runtime != '/')
        return std::nullopt;
    return std::string(runtime) + "/" + std::string(name);
}

bool replaceFile(const std::string& path, const std::string& text)
{
    // Plain calls rather than streams: a report starts faster without their locale.
    const std::string aside = path + "." + std::to_string(::getpid());
    const int fd = ::open(aside.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0600);
    if (fd < 0)
        return false;
    const bool written = ::write(fd, text.data(), text.size()) == static_cast<ssize_t>(text.size());
    const bool closed = ::close(fd) == 0;
    if (written && closed && ::rename(aside.c_str(), path.c_str()) == 0)
        return true;
    ::unlink(aside.c_str());
    return false;
}

std::optional<std::int64_t> processStart(std::int64_t pid)
{
    const auto stat = readRegularFile("/proc/" + std::to_string(pid) + "/stat", maxStatBytes);
    // The name in parentheses may hold spaces and parentheses: count fields after the last ')'.
    const auto close = stat ? stat->rfind(')') : std::string::npos;
    if (close == std::string::npos)
        return std::nullopt;
    // The start time is the 22nd field; the 3rd is the first after the name.
    std::string_view rest = std::string_view(*stat).substr(close + 1);
    for (int field = 3; field < 22; ++field) {
        const auto blank = rest.find(' ', 1);
        if (blank == std::string_view::npos)
            return std::nullopt;
        rest = rest.substr(blank);
    }
    rest.remove_prefix(1);
    return wholeNumber(rest.substr(0, rest.find(' ')));
}

void publishTrayState(const std::optional<TrayState>& state)
{
    const auto file = trayStateFile();
    if (!file)
        return;
    std::error_code error;
    if (!state) {
        std::filesystem::remove(*file, error);
        return;
    }
    TrayState stamped = *state;
    stamped.pid = ::getpid();
    stamped.started = processStart(stamped.pid).value_or(0);
    (void)replaceFile(*file, trayStateJson(stamped));
}

std::optional<TrayState> liveTrayState()
{
    const auto file = trayStateFile();
    const auto text = file ? readRegularFile(*file, maxStateBytes) : std::nullopt;
    auto state = text ? trayStateFromJson(*text) : std::nullopt;
    // A tray that crashed left its state; its number may since belong to another process.
    if (!state || state->started == 0 || processStart(state->pid) != state->started)
        return std::nullopt;
    return state;
}

} // namespace wattlet::AppFiles
