#include "upower_charge_threshold.h"

#include "ask_async.h"
#include "upower_device_list.h"
#include "upower_names.h"

#include <QDBusError>
#include <QDBusMessage>
#include <QDBusPendingReply>

namespace wattlet {

namespace {

    // Long enough for a user to answer the password dialog.
    constexpr int answerTimeoutMs = 5 * 60 * 1000;

    std::optional<std::int64_t> percent(const QVariant& value)
    {
        bool ok = false;
        const uint number = value.toUInt(&ok);
        return ok && number <= 100 ? std::optional<std::int64_t>(number) : std::nullopt;
    }

    ChargeLimitResult failure(const QDBusError& error)
    {
        const QString name = error.name();
        const bool denied = name.contains(QLatin1String("NotAuthorized"))
            || name.contains(QLatin1String("Denied"));
        return { denied ? ChargeLimitOutcome::notAuthorized : ChargeLimitOutcome::failed,
            error.message().toStdString() };
    }

} // namespace

std::optional<UPowerThreshold> upowerThreshold(const UPowerDeviceList& devices)
{
    std::optional<UPowerThreshold> threshold;
    for (const QString& path : devices.machineBatteries()) {
        const QVariantMap properties = devices.properties(path);
        if (!properties.value(QStringLiteral("ChargeThresholdSupported")).toBool())
            continue;
        if (!threshold) {
            threshold = UPowerThreshold {};
            threshold->start = percent(properties.value(QStringLiteral("ChargeStartThreshold")));
            threshold->end = percent(properties.value(QStringLiteral("ChargeEndThreshold")));
            threshold->enabled
                = properties.value(QStringLiteral("ChargeThresholdEnabled")).toBool();
        }
        threshold->batteries.push_back(path);
    }
    return threshold;
}

void enableChargeThreshold(const QDBusConnection& bus, const QStringList& batteries, bool on,
    QObject* context, std::function<void(const ChargeLimitResult&)> done)
{
    if (batteries.isEmpty()) {
        done({});
        return;
    }
    auto call = QDBusMessage::createMethodCall(UPowerNames::service, batteries.first(),
        UPowerNames::deviceInterface, QStringLiteral("EnableChargeThreshold"));
    call.setArguments({ on });
    call.setInteractiveAuthorizationAllowed(true);
    askAsync(
        bus, call, context,
        [bus, rest = batteries.mid(1), on, context, done = std::move(done)](
            const QDBusPendingCall& answer) {
            if (answer.isError()) {
                done(failure(answer.error()));
                return;
            }
            enableChargeThreshold(bus, rest, on, context, done);
        },
        answerTimeoutMs);
}

} // namespace wattlet
