#include "charge_limit_helper.h"

#include <QProcess>
#include <QTimer>

#include <memory>
#include <utility>

namespace wattlet {

namespace {

    constexpr int dismissedStatus = 126;
    constexpr int notAuthorizedStatus = 127;
    constexpr int refusedStatus = 2;
    constexpr int unsupportedStatus = 3;
    constexpr qsizetype maxReasonBytes = 4096;

    QString number(std::int64_t value) { return QString::number(value); }

    // The helper's first line of standard error, without its name.
    std::string reason(QProcess& process)
    {
        QString text = QString::fromUtf8(process.readAllStandardError().left(maxReasonBytes));
        text = text.section(QLatin1Char('\n'), 0, 0).trimmed();
        const QString prefix = QStringLiteral("wattlet-charge-limit: ");
        if (text.startsWith(prefix))
            text = text.mid(prefix.size());
        return text.toStdString();
    }

} // namespace

std::vector<QStringList> helperCommands(
    const std::vector<LimitBattery>& batteries, const ChargeLimitRequest& request)
{
    std::vector<QStringList> commands;
    for (const LimitBattery& battery : batteries) {
        const QString name = QString::fromStdString(battery.name);
        if (battery.shape == ChargeLimitShape::none)
            continue;
        if (request.off()) {
            commands.push_back({ QStringLiteral("off"), name });
        } else if (battery.shape == ChargeLimitShape::startAndEnd) {
            const std::int64_t start = request.start.value_or(chargeStartFor(request.end));
            commands.push_back({ QStringLiteral("set"), name, number(start), number(request.end) });
        } else {
            commands.push_back({ QStringLiteral("set"), name, number(request.end) });
        }
    }
    return commands;
}

std::vector<QStringList> liftCommands(const std::vector<LimitBattery>& batteries)
{
    std::vector<QStringList> commands;
    for (const LimitBattery& battery : batteries) {
        if (battery.shape != ChargeLimitShape::none)
            commands.push_back({ QStringLiteral("lift"), QString::fromStdString(battery.name) });
    }
    return commands;
}

ChargeLimitOutcome helperOutcome(int exitStatus)
{
    switch (exitStatus) {
    case 0:
        return ChargeLimitOutcome::done;
    case dismissedStatus:
        return ChargeLimitOutcome::dismissed;
    case notAuthorizedStatus:
        return ChargeLimitOutcome::notAuthorized;
    case refusedStatus:
        return ChargeLimitOutcome::refused;
    case unsupportedStatus:
        return ChargeLimitOutcome::unsupported;
    default:
        return ChargeLimitOutcome::failed;
    }
}

void runHelper(const QString& pkexec, const QString& helper, std::vector<QStringList> commands,
    int timeoutMs, QObject* context, std::function<void(const ChargeLimitResult&)> done)
{
    if (commands.empty()) {
        done({});
        return;
    }
    auto* process = new QProcess(context);
    process->setProgram(pkexec);
    process->setArguments(QStringList { helper } + commands.front());
    process->setStandardInputFile(QProcess::nullDevice());
    commands.erase(commands.begin());
    // Finished and failed to start are each the end of this run: `done` is called once.
    auto finish = std::make_shared<std::function<void(const ChargeLimitResult&)>>(std::move(done));
    QObject::connect(process, &QProcess::errorOccurred, context,
        [process, finish](QProcess::ProcessError error) {
            if (error != QProcess::FailedToStart || !*finish)
                return;
            process->deleteLater();
            std::exchange(*finish, nullptr)(
                { ChargeLimitOutcome::unavailable, process->errorString().toStdString() });
        });
    // pkexec can be stopped while it waits for the password; once it runs the helper as root it
    // cannot, and the helper, which waits at most 10 s for its lock, ends on its own. The process
    // is kept until then: destroying a running QProcess waits for it.
    auto* timer = new QTimer(process);
    timer->setSingleShot(true);
    QObject::connect(timer, &QTimer::timeout, context, [process, finish] {
        if (!*finish)
            return;
        process->kill();
        std::exchange(*finish, nullptr)({ ChargeLimitOutcome::timedOut, {} });
    });
    timer->start(timeoutMs);
    QObject::connect(process, &QProcess::finished, context,
        [process, finish, pkexec, helper, timeoutMs, commands = std::move(commands), context](
            int exitCode, QProcess::ExitStatus status) mutable {
            process->deleteLater();
            if (!*finish)
                return;
            auto callback = std::exchange(*finish, nullptr);
            const auto outcome = status == QProcess::NormalExit ? helperOutcome(exitCode)
                                                                : ChargeLimitOutcome::failed;
            if (outcome != ChargeLimitOutcome::done) {
                callback({ outcome, reason(*process) });
                return;
            }
            runHelper(pkexec, helper, std::move(commands), timeoutMs, context, std::move(callback));
        });
    process->start();
}

} // namespace wattlet
