#include "launch_options.h"

namespace wattlet {

LaunchOptions launchOptions(const QStringList& arguments)
{
    const QString snapshotPrefix = QStringLiteral("--snapshot=");
    const QString demoPrefix = QStringLiteral("--demo=");
    const QString limitPrefix = QStringLiteral("--charge-limit=");
    LaunchOptions options;
    for (const QString& argument : arguments) {
        if (argument.startsWith(snapshotPrefix)) {
            if (!options.snapshotDir)
                options.snapshotDir = argument.mid(snapshotPrefix.size());
        } else if (argument.startsWith(demoPrefix)) {
            if (!options.demoKind)
                options.demoKind = argument.mid(demoPrefix.size()).toStdString();
        } else if (argument.startsWith(limitPrefix)) {
            if (!options.chargeLimit)
                options.chargeLimit = argument.mid(limitPrefix.size()).toStdString();
        } else if (argument == QLatin1String("--help")) {
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
