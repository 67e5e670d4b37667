#include "app/app_model.h"
#include "app/brand.h"
#include "app/cli_charge_limit.h"
#include "app/cli_report.h"
#include "app/launch_options.h"
#include "app/prefs.h"
#include "app/watch_report.h"
#include "core/battery_text.h"
#include "platform/charge_limit_control.h"
#include "platform/single_instance.h"
#include "ui/accessibility/accessible_application.h"
#include "ui/startup/app_delegate.h"
#include "ui/startup/display_start.h"
#include "ui/startup/snapshot_export.h"

#include <QApplication>
#include <QCoreApplication>
#include <QProcessEnvironment>

#include <cstdio>

namespace {

void writeLine(const std::string& line)
{
    std::fputs(line.c_str(), stdout);
    std::fputc('\n', stdout);
    // Status bars read a pipe: each line must arrive when it is written.
    std::fflush(stdout);
}

int runWatch(int argc, char** argv, bool json)
{
    QCoreApplication app(argc, argv);
    const wattlet::AppModelDeps deps = wattlet::AppModelDeps::live();
    // The stored language and warning levels apply here too.
    wattlet::WatchReport report(
        wattlet::WatchReport::format(json, wattlet::textLanguage(wattlet::Prefs::storedLanguage()),
            wattlet::Prefs::storedLevels()),
        deps.read, deps.makeWatcher, writeLine);
    report.start();
    return QCoreApplication::exec();
}

// The tray program: a display, the application's identity, then one copy only.
int runTray(int argc, char** argv, const wattlet::LaunchOptions& options)
{
    const wattlet::DisplayChoice display
        = wattlet::chooseDisplay(QProcessEnvironment::systemEnvironment());
    if (display.error) {
        const auto language = wattlet::textLanguage(wattlet::Prefs::storedLanguage());
        std::fprintf(
            stderr, "wattlet: %s\n", wattlet::BatteryText::t("cli.noDisplay", language).c_str());
        return 1;
    }
    wattlet::DisplayStartGuard guard(display);
    QApplication app(argc, argv);
    wattlet::installAccessibility();
    guard.finish();
    QApplication::setApplicationName(wattlet::Brand::appId());
    QApplication::setApplicationDisplayName(wattlet::Brand::name(wattlet::Language::en));
    QApplication::setApplicationVersion(wattlet::Brand::version());
    QApplication::setDesktopFileName(wattlet::Brand::appId());
    // The tray item is the program's only lasting presence; closing the panel must not quit.
    QApplication::setQuitOnLastWindowClosed(false);

    wattlet::SingleInstance instance;
    wattlet::AppDelegate delegate(options.demoKind);
    // A second copy leaves at once and shows nothing.
    if (!delegate.launch(instance))
        return 0;
    return QApplication::exec();
}

} // namespace

int main(int argc, char** argv)
{
    QStringList arguments;
    for (int i = 0; i < argc; ++i)
        arguments.push_back(QString::fromLocal8Bit(argv[i]));
    const wattlet::LaunchOptions options = wattlet::launchOptions(arguments);

    // The snapshot option wins over every other one, wherever it stands.
    if (options.snapshotDir)
        return wattlet::runSnapshotExport(argc, argv,
            { *options.snapshotDir, options.snapshotLanguages, options.snapshotDirection });
    if (options.help) {
        const auto language = wattlet::textLanguage(wattlet::Prefs::storedLanguage());
        std::fputs(wattlet::BatteryText::t("cli.help", language).c_str(), stdout);
        return 0;
    }
    if (options.version) {
        std::printf("wattlet %s\n", qPrintable(wattlet::Brand::version()));
        return 0;
    }
    if (options.chargeLimit) {
        const QCoreApplication app(argc, argv);
        const auto control = wattlet::makeChargeLimitControl();
        return wattlet::runChargeLimit(*options.chargeLimit, *control,
            wattlet::textLanguage(wattlet::Prefs::storedLanguage()));
    }
    if (options.watch)
        return runWatch(argc, argv, options.json);
    if (options.asksReport()) {
        // The peripherals are asked of the system bus, which wants an application object.
        const QCoreApplication reportApp(argc, argv);
        return wattlet::runCliReport(options).value_or(0);
    }
    return runTray(argc, argv, options);
}
