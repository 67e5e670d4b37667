#include "upower_peripheral.h"

#include "upower_names.h"

#include "core/clean_name.h"

#include <cmath>

namespace wattlet {

namespace {

    // UPower's Type values.
    constexpr unsigned linePower = 1;
    constexpr unsigned battery = 2;
    constexpr unsigned ups = 3;

    // A peripheral's kind from its Type (the machine's own supplies never get here).
    Peripheral::Kind kindOf(unsigned type)
    {
        using K = Peripheral::Kind;
        switch (type) {
        case 5:
            return K::mouse;
        case 6:
            return K::keyboard;
        case 8:
            return K::phone;
        case 9:
            return K::mediaPlayer;
        case 10:
            return K::tablet;
        case 12:
            return K::gamingInput;
        case 13:
            return K::pen;
        case 14:
            return K::touchpad;
        case 17:
            return K::headset;
        case 19:
            return K::headphones;
        default:
            return K::other;
        }
    }

    std::optional<Peripheral::Level> levelOf(unsigned batteryLevel)
    {
        using L = Peripheral::Level;
        switch (batteryLevel) {
        case 3:
            return L::low;
        case 4:
            return L::critical;
        case 6:
            return L::normal;
        case 7:
            return L::high;
        case 8:
            return L::full;
        default:
            return std::nullopt;
        }
    }

    std::optional<unsigned> unsignedOf(const QVariantMap& properties, const char* key)
    {
        const QVariant value = properties.value(QString::fromLatin1(key));
        bool ok = false;
        const unsigned number = value.toUInt(&ok);
        return ok && value.metaType().id() != QMetaType::Bool ? std::optional(number)
                                                              : std::nullopt;
    }

} // namespace

bool isUPowerDevicePath(const QString& path)
{
    const QString& prefix = UPowerNames::devicesPath;
    return path.startsWith(prefix) && path.size() > prefix.size()
        && path != prefix + QStringLiteral("DisplayDevice");
}

bool isMachineSupply(const QVariantMap& properties)
{
    const auto type = unsignedOf(properties, "Type");
    if (type == linePower)
        return true;
    const QVariant supply = properties.value(QStringLiteral("PowerSupply"));
    if (supply.metaType().id() == QMetaType::Bool)
        return supply.toBool();
    return type == battery || type == ups;
}

bool isMachineBattery(const QVariantMap& properties)
{
    const QVariant present = properties.value(QStringLiteral("IsPresent"));
    return unsignedOf(properties, "Type") == battery && isMachineSupply(properties)
        && (!present.isValid() || present.toBool());
}

std::optional<Peripheral> upowerPeripheral(const QString& path, const QVariantMap& properties)
{
    const auto type = unsignedOf(properties, "Type");
    if (!type || isMachineSupply(properties))
        return std::nullopt;
    const QVariant present = properties.value(QStringLiteral("IsPresent"));
    if (present.metaType().id() == QMetaType::Bool && !present.toBool())
        return std::nullopt;

    Peripheral device;
    device.id = path.toStdString();
    device.kind = kindOf(*type);
    // Whatever a Bluetooth device calls itself, passed on by the daemon.
    device.model = cleanName(properties.value(QStringLiteral("Model")).toString().toStdString());
    const auto level = unsignedOf(properties, "BatteryLevel");
    device.level = level ? levelOf(*level) : std::nullopt;
    if (!device.level) {
        bool ok = false;
        const double percent = properties.value(QStringLiteral("Percentage")).toDouble(&ok);
        if (!ok || !std::isfinite(percent))
            return std::nullopt;
        device.percent = std::lround(std::fmin(std::fmax(percent, 0.0), 100.0));
    }
    // Charging, or plugged in and waiting to charge.
    const auto state = unsignedOf(properties, "State");
    device.charging = state == 1u || state == 5u;
    return device;
}

} // namespace wattlet
