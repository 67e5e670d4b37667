// wattlet-charge-limit: sets, lifts, removes and re-applies a battery's charge limit. Runs as
// root through pkexec and its unit (at boot, after waking, and started by the udev rule when a
// charger goes); its input is argv alone.
#include "charge_limit/battery_controls.h"
#include "charge_limit/charge_limit_command.h"
#include "charge_limit/choice_store.h"

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <span>
#include <string_view>
#include <sys/stat.h>
#include <syslog.h>
#include <unistd.h>
#include <vector>

namespace wattlet {

namespace {

    int fail(const HelperFailure& failure)
    {
        std::fprintf(stderr, "wattlet-charge-limit: %s\n", failure.reason.c_str());
        return static_cast<int>(failure.exit);
    }

    // Prints what the battery holds after a run, also after a failed write, so the caller shows the
    // truth.
    int report(const BatteryControls& battery, std::optional<HelperFailure> failure)
    {
        const auto held = describeHeld(battery);
        std::printf("%s\n", held.text.c_str());
        std::fflush(stdout);
        if (!failure && !held.complete)
            failure
                = HelperFailure { HelperExit::writeFailed, battery.name + ": cannot read it back" };
        return failure ? fail(*failure) : 0;
    }

    int setLimit(const HelperCommand& command)
    {
        HelperFailure failure;
        const auto battery = openBattery(command.battery, failure);
        if (!battery)
            return fail(failure);
        if (const auto misfit = checkLimitFits(*battery, command.limit))
            return fail(*misfit);
        // The store is read before any write, so a malformed one stops the run with nothing
        // changed.
        auto store = ChoiceStore::open(true, failure);
        if (!store)
            return fail(failure);
        if (const auto written = applyLimit(*battery, command.limit))
            return report(*battery, written);
        const StoredChoice chosen { command.battery, command.limit, false };
        auto* choice = store->find(command.battery);
        if (choice != nullptr && *choice == chosen)
            return report(*battery, std::nullopt);
        if (choice != nullptr)
            *choice = chosen;
        else
            store->choices().push_back(chosen);
        return report(*battery, store->save());
    }

    // off forgets the battery's choice; lift keeps it, marked lifted until the charger goes.
    int chargeToFull(const HelperCommand& command)
    {
        HelperFailure failure;
        const auto battery = openBattery(command.battery, failure);
        if (!battery)
            return fail(failure);
        const auto full = fullChargeLimit(battery->shape);
        if (const auto misfit = checkLimitFits(*battery, full))
            return fail(*misfit);
        auto store = ChoiceStore::open(false, failure);
        if (!store)
            return fail(failure);
        if (const auto written = applyLimit(*battery, full))
            return report(*battery, written);
        auto* choice = store->find(command.battery);
        if (choice == nullptr || (command.verb == HelperVerb::lift && choice->lifted))
            return report(*battery, std::nullopt);
        if (command.verb == HelperVerb::lift)
            choice->lifted = true;
        else
            std::erase_if(store->choices(),
                [&](const StoredChoice& stored) { return stored.battery == command.battery; });
        return report(*battery, store->save());
    }

    // Whether UPower's own charge limit is switched on, as upowerd (1.90.5 and newer) keeps it:
    // upowerd writes its thresholds again at every start while it is. Only root's own regular
    // file counts: one another user could write must not hold the kept limit back.
    bool upowerLimitOn()
    {
        const UniqueFd file(::open("/var/lib/upower/charging-threshold-status",
            O_RDONLY | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC | O_NOCTTY));
        struct stat status = {};
        if (!file || fstat(file.get(), &status) != 0 || !S_ISREG(status.st_mode)
            || status.st_uid != 0 || (status.st_mode & (S_IWGRP | S_IWOTH)) != 0)
            return false;
        char state = 0;
        return ::read(file.get(), &state, 1) == 1 && state == '1';
    }

    // A lift lasts while an external supply stays online; without one the choice comes back.
    // While UPower's own limit is on, the kept choice stands aside rather than fight upowerd.
    int restore()
    {
        if (upowerLimitOn())
            return 0;
        HelperFailure failure;
        auto store = ChoiceStore::open(false, failure);
        if (!store)
            return fail(failure);
        const bool pluggedIn = externalSupplyOnline();
        bool liftEnded = false;
        int status = 0;
        // Every battery is tried; the first failure decides the exit status.
        const auto note = [&](int result) { status = status != 0 ? status : result; };
        for (auto& choice : store->choices()) {
            if (choice.lifted && !pluggedIn) {
                choice.lifted = false;
                liftEnded = true;
            }
            const auto battery = openBattery(choice.battery, failure);
            if (!battery) {
                note(fail(failure));
                continue;
            }
            if (!choice.lifted && choice.limit.end < lowestLimitEnd) {
                note(fail({ HelperExit::refused,
                    choice.battery + ": its kept END is below " + std::to_string(lowestLimitEnd)
                        + ", so it is not applied; set a new limit" }));
                continue;
            }
            const auto limit = choice.lifted ? fullChargeLimit(battery->shape) : choice.limit;
            auto problem = checkLimitFits(*battery, limit);
            if (!problem)
                problem = applyLimit(*battery, limit);
            note(report(*battery, problem));
        }
        if (liftEnded) {
            if (const auto saved = store->save())
                note(fail(*saved));
        }
        return status;
    }

    // A caller that closed a standard descriptor would otherwise see a sysfs file opened in its
    // place and the output written into it.
    void keepStandardDescriptors()
    {
        for (int fd = 0; fd <= 2; ++fd) {
            if (fcntl(fd, F_GETFD) == -1 && open("/dev/null", fd == 0 ? O_RDONLY : O_WRONLY) != fd)
                std::_Exit(static_cast<int>(HelperExit::writeFailed));
        }
    }

    // A run holds about eight descriptors at once. Making sure there are enough before anything
    // is read keeps a low limit (ulimit -n) from stopping a run halfway or passing for a missing
    // file.
    std::optional<HelperFailure> reserveDescriptors()
    {
        constexpr int needed = 16;
        std::vector<UniqueFd> reserved;
        for (int count = 0; count < needed; ++count) {
            reserved.emplace_back(fcntl(STDERR_FILENO, F_DUPFD_CLOEXEC, STDERR_FILENO + 1));
            if (!reserved.back())
                return HelperFailure { HelperExit::writeFailed,
                    "cannot open the " + std::to_string(needed)
                        + " files a run may need: " + std::strerror(errno) };
        }
        return std::nullopt;
    }

    // Who ran what, for the administrator: read before the environment is cleared. pkexec names
    // its caller in PKEXEC_UID; under the unit JOURNAL_STREAM names the journal as standard error,
    // elsewhere the line goes to syslog.
    struct Caller
    {
        std::string who = "root";
        bool journalOnStderr = false;
    };

    Caller findCaller()
    {
        Caller caller;
        const char* uid = std::getenv("PKEXEC_UID");
        if (uid != nullptr) {
            const std::string_view text = uid;
            const bool number = !text.empty() && text.size() <= 10
                && text.find_first_not_of("0123456789") == std::string_view::npos;
            caller.who = "uid " + (number ? std::string(text) : std::string("?"));
        }
        const char* stream = std::getenv("JOURNAL_STREAM");
        struct stat status = {};
        caller.journalOnStderr = stream != nullptr && fstat(STDERR_FILENO, &status) == 0
            && stream == std::to_string(status.st_dev) + ':' + std::to_string(status.st_ino);
        return caller;
    }

    // The arguments were all validated: names and numbers only.
    void logRun(const Caller& caller, std::span<const std::string_view> arguments, int status)
    {
        std::string line;
        for (const auto argument : arguments)
            line += std::string(argument) + ' ';
        line += "by " + caller.who + ": exit " + std::to_string(status);
        if (caller.journalOnStderr) {
            std::fprintf(stderr, "wattlet-charge-limit: %s\n", line.c_str());
            return;
        }
        openlog("wattlet-charge-limit", LOG_PID, LOG_AUTHPRIV);
        syslog(LOG_NOTICE, "%s", line.c_str());
        closelog();
    }

    int run(const HelperCommand& command)
    {
        if (const auto failure = reserveDescriptors())
            return fail(*failure);
        switch (command.verb) {
        case HelperVerb::set:
            return setLimit(command);
        case HelperVerb::off:
        case HelperVerb::lift:
            return chargeToFull(command);
        case HelperVerb::restore:
            return restore();
        }
        return static_cast<int>(HelperExit::refused);
    }

} // namespace

} // namespace wattlet

int main(int argc, char** argv)
{
    using namespace wattlet;
    const Caller caller = findCaller();
    clearenv();
    umask(022);
    keepStandardDescriptors();
    const std::vector<std::string_view> arguments(argv + (argc > 0 ? 1 : 0), argv + argc);
    std::string refusal;
    const auto command = parseHelperCommand(arguments, refusal);
    if (!command)
        return fail({ HelperExit::refused, refusal });
    if (geteuid() != 0)
        return fail({ HelperExit::notRoot, "must run as root, through pkexec" });
    const int status = run(*command);
    logRun(caller, arguments, status);
    return status;
}
