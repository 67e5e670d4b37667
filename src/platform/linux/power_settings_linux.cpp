#include "platform/power_settings.h"

#include <QElapsedTimer>
#include <QProcess>
#include <QStandardPaths>

#include <array>

namespace wattlet::PowerSettings {

namespace {

    // Long enough for a settings tool to put up its window.
    constexpr qint64 launchGapMs = 3000;

    struct Tool
    {
        QStringList desktops;
        Command command;
    };

    const std::array<Tool, 6>& tools()
    {
        static const std::array<Tool, 6> list { {
            { { QStringLiteral("GNOME"), QStringLiteral("Unity"), QStringLiteral("Budgie") },
                { QStringLiteral("gnome-control-center"), { QStringLiteral("power") } } },
            { { QStringLiteral("X-Cinnamon"), QStringLiteral("Cinnamon") },
                { QStringLiteral("cinnamon-settings"), { QStringLiteral("power") } } },
            { { QStringLiteral("KDE") },
                { QStringLiteral("systemsettings"),
                    { QStringLiteral("kcm_powerdevilprofilesconfig") } } },
            { { QStringLiteral("XFCE") }, { QStringLiteral("xfce4-power-manager-settings"), {} } },
            { { QStringLiteral("MATE") }, { QStringLiteral("mate-power-preferences"), {} } },
            { { QStringLiteral("LXQt") }, { QStringLiteral("lxqt-config-powermanagement"), {} } },
        } };
        return list;
    }

} // namespace

std::optional<Command> commandFor(
    const QString& currentDesktop, const std::function<bool(const QString& program)>& installed)
{
    const QStringList names = currentDesktop.split(QLatin1Char(':'), Qt::SkipEmptyParts);
    for (const QString& name : names) {
        for (const Tool& tool : tools()) {
            if (tool.desktops.contains(name.trimmed(), Qt::CaseInsensitive)
                && installed(tool.command.program))
                return tool.command;
        }
    }
    for (const Tool& tool : tools()) {
        if (installed(tool.command.program))
            return tool.command;
    }
    return std::nullopt;
}

namespace {

    std::optional<Command> commandForThisSession()
    {
        return commandFor(qEnvironmentVariable("XDG_CURRENT_DESKTOP"), [](const QString& program) {
            return !QStandardPaths::findExecutable(program).isEmpty();
        });
    }

} // namespace

bool available() { return commandForThisSession().has_value(); }

bool open()
{
    static QElapsedTimer lastStart;
    if (lastStart.isValid() && !lastStart.hasExpired(launchGapMs))
        return false;
    const auto command = commandForThisSession();
    if (!command || !QProcess::startDetached(command->program, command->arguments))
        return false;
    lastStart.start();
    return true;
}

} // namespace wattlet::PowerSettings
