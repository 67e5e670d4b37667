// wattlet-charge-limit: sets, lifts, removes and re-applies a battery's charge limit. Runs as
// root through pkexec, the boot unit, the sleep hook and the udev rule; its input is argv alone.
#include "charge_limit/battery_controls.h"
#include "charge_limit/charge_limit_command.h"
#include "charge_limit/choice_store.h"

#include <cstdio>
#include <cstdlib>
#include <fcntl.h>
#include <string_view>
#include <sys/stat.h>
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

    // A lift lasts while an external supply stays online; without one the choice comes back.
    int restore()
    {
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

} // namespace

} // namespace wattlet

int main(int argc, char** argv)
{
    using namespace wattlet;
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
    switch (command->verb) {
    case HelperVerb::set:
        return setLimit(*command);
    case HelperVerb::off:
    case HelperVerb::lift:
        return chargeToFull(*command);
    case HelperVerb::restore:
        return restore();
    }
    return static_cast<int>(HelperExit::refused);
}
