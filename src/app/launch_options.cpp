#include "launch_options.h"

#include <string>
#include <type_traits>

namespace wattlet {

namespace {

    // Takes the value of "PREFIXvalue" into `slot` unless an earlier argument did; true when
    // `argument` has the prefix.
    template <typename T>
    bool take(const QString& argument, QLatin1String prefix, std::optional<T>& slot)
    {
        if (!argument.startsWith(prefix))
            return false;
        if (!slot) {
            const QString value = argument.mid(prefix.size());
            if constexpr (std::is_same_v<T, std::string>)
                slot = value.toStdString();
            else
                slot = value;
        }
        return true;
    }

} // namespace

LaunchOptions launchOptions(const QStringList& arguments)
{
    LaunchOptions options;
    for (const QString& argument : arguments) {
        const bool valued = take(argument, QLatin1String("--snapshot="), options.snapshotDir)
            || take(argument, QLatin1String("--snapshot-languages="), options.snapshotLanguages)
            || take(argument, QLatin1String("--snapshot-direction="), options.snapshotDirection)
            || take(argument, QLatin1String("--demo="), options.demoKind)
            || take(argument, QLatin1String("--charge-limit="), options.chargeLimit);
        if (valued)
            continue;
        if (argument == QLatin1String("--help")) {
            options.help = true;
        } else if (argument == QLatin1String("--version")) {
            options.version = true;
        } else if (argument == QLatin1String("--watch")) {
            options.watch = true;
        } else if (argument == QLatin1String("--summary")) {
            options.summary = true;
        } else if (argument == QLatin1String("--json")) {
            options.json = true;
        } else if (argument == QLatin1String("--health")) {
            options.health = true;
        }
    }
    return options;
}

} // namespace wattlet
