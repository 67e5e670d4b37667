#include "charge_limit/battery_controls.h"

#include <dirent.h>
#include <fcntl.h>

namespace wattlet {

namespace {

    constexpr const char* supplyClass = "/sys/class/power_supply";
    constexpr std::string_view devicesRoot = "/sys/devices/";
    constexpr const char* startFile = "charge_control_start_threshold";
    constexpr const char* endFile = "charge_control_end_threshold";
    // The ideapad_acpi driver keeps conservation mode on its platform device, not on the battery.
    constexpr const char* ideapadDriver = "/sys/bus/platform/drivers/ideapad_acpi";
    constexpr const char* ideapadDevice = "VPC2004:00";
    constexpr const char* conservationFile = "conservation_mode";

    HelperFailure refusal(const std::string& name, const std::string& why)
    {
        return { HelperExit::refused, name + ": " + why };
    }

    // The ideapad device's folder when it holds a conservation switch; a refusal when something
    // is there but not as the driver makes it.
    std::optional<UniqueFd> openConservation(const std::string& name, HelperFailure& failure)
    {
        const UniqueFd driver(open(ideapadDriver, O_RDONLY | O_DIRECTORY | O_CLOEXEC));
        if (!driver)
            return UniqueFd {};
        auto device = openFolderBelow(driver.get(), ideapadDevice, devicesRoot);
        const auto kind
            = device.fd ? attributeKind(device.fd.get(), conservationFile) : AttributeKind::missing;
        if (device.outside || kind == AttributeKind::unsafe) {
            failure
                = refusal(name, "the ideapad_acpi conservation switch is not a plain sysfs file");
            return std::nullopt;
        }
        return kind == AttributeKind::plain ? std::move(device.fd) : UniqueFd {};
    }

    bool writeValue(const BatteryControls& battery, const char* file, std::string_view value,
        std::optional<HelperFailure>& failure)
    {
        std::string error;
        if (writeAttribute(battery.folder.get(), file, value, error))
            return true;
        failure = HelperFailure { HelperExit::writeFailed,
            battery.name + ": writing " + file + " failed: " + error };
        return false;
    }

    // Writes a threshold unless the battery already holds it: some drivers answer EINVAL to that.
    bool writeThreshold(const BatteryControls& battery, const char* file, int value,
        std::optional<HelperFailure>& failure)
    {
        const auto held = readAttribute(battery.folder.get(), file);
        if (held && parsePercent(*held) == value)
            return true;
        return writeValue(battery, file, std::to_string(value), failure);
    }

    std::string heldValue(const BatteryControls& battery, const char* file, bool& complete)
    {
        const auto held = readAttribute(battery.folder.get(), file);
        if (held && parsePercent(*held))
            return *held;
        complete = false;
        return "?";
    }

} // namespace

std::optional<BatteryControls> openBattery(const std::string& name, HelperFailure& failure)
{
    const UniqueFd supplies(open(supplyClass, O_RDONLY | O_DIRECTORY | O_CLOEXEC));
    auto folder
        = supplies ? openFolderBelow(supplies.get(), name.c_str(), devicesRoot) : OpenedFolder {};
    if (folder.outside) {
        failure = refusal(name, "its folder does not resolve inside /sys/devices");
        return std::nullopt;
    }
    if (!folder.fd) {
        failure = refusal(name, "no such power supply");
        return std::nullopt;
    }
    if (readAttribute(folder.fd.get(), "type") != "Battery") {
        failure = refusal(name, "not a battery");
        return std::nullopt;
    }
    if (readAttribute(folder.fd.get(), "scope") == "Device") {
        failure = refusal(name, "the battery of a device, not of the computer");
        return std::nullopt;
    }
    const auto start = attributeKind(folder.fd.get(), startFile);
    const auto end = attributeKind(folder.fd.get(), endFile);
    if (start == AttributeKind::unsafe || end == AttributeKind::unsafe) {
        failure = refusal(name, "a charge threshold is not a plain sysfs file");
        return std::nullopt;
    }
    BatteryControls battery { name, LimitShape::none, std::move(folder.fd) };
    if (end == AttributeKind::plain) {
        battery.shape
            = start == AttributeKind::plain ? LimitShape::startAndEnd : LimitShape::endOnly;
        return battery;
    }
    auto conservation = openConservation(name, failure);
    if (!conservation)
        return std::nullopt;
    if (*conservation) {
        battery.shape = LimitShape::fixed;
        battery.folder = std::move(*conservation);
    }
    return battery;
}

std::optional<HelperFailure> checkLimitFits(
    const BatteryControls& battery, const ChargeLimit& limit)
{
    const auto cannot = [&](const char* why) {
        return HelperFailure { HelperExit::hardwareCannot, battery.name + ": " + why };
    };
    switch (battery.shape) {
    case LimitShape::none:
        return cannot("no charge limit that this kernel can set");
    case LimitShape::startAndEnd:
        if (!limit.start)
            return cannot("has start and end thresholds: give START and END");
        break;
    case LimitShape::endOnly:
        if (limit.start)
            return cannot("has an end threshold only: give END alone");
        break;
    case LimitShape::fixed:
        if (limit.start)
            return cannot("has a fixed limit, only on or off: give END alone, below 100 for on");
        break;
    }
    return std::nullopt;
}

ChargeLimit fullChargeLimit(LimitShape shape)
{
    return { shape == LimitShape::startAndEnd ? std::optional(0) : std::nullopt, 100 };
}

std::optional<HelperFailure> applyLimit(const BatteryControls& battery, const ChargeLimit& limit)
{
    std::optional<HelperFailure> failure;
    if (battery.shape == LimitShape::fixed) {
        const std::string_view wanted = limit.end < 100 ? "1" : "0";
        if (readAttribute(battery.folder.get(), conservationFile) != wanted)
            writeValue(battery, conservationFile, wanted, failure);
        return failure;
    }
    if (!limit.start) {
        writeThreshold(battery, endFile, limit.end, failure);
        return failure;
    }
    // Firmware refuses a start at or above the end even for a moment.
    const auto heldEnd = readAttribute(battery.folder.get(), endFile);
    const auto end = heldEnd ? parsePercent(*heldEnd) : std::nullopt;
    if (!end || limit.end >= *end) {
        if (writeThreshold(battery, endFile, limit.end, failure))
            writeThreshold(battery, startFile, *limit.start, failure);
    } else if (writeThreshold(battery, startFile, *limit.start, failure)) {
        writeThreshold(battery, endFile, limit.end, failure);
    }
    return failure;
}

HeldLine describeHeld(const BatteryControls& battery)
{
    HeldLine line { battery.name, true };
    switch (battery.shape) {
    case LimitShape::fixed: {
        const auto held = readAttribute(battery.folder.get(), conservationFile);
        line.complete = held == "0" || held == "1";
        line.text += !line.complete ? " fixed ?" : held == "1" ? " fixed on" : " fixed off";
        break;
    }
    case LimitShape::startAndEnd:
        line.text += ' ' + heldValue(battery, startFile, line.complete);
        line.text += ' ' + heldValue(battery, endFile, line.complete);
        break;
    case LimitShape::endOnly:
        line.text += " - " + heldValue(battery, endFile, line.complete);
        break;
    case LimitShape::none:
        line.text += " - -";
        break;
    }
    return line;
}

bool externalSupplyOnline()
{
    DIR* listing = opendir(supplyClass);
    if (listing == nullptr)
        return false;
    bool online = false;
    const dirent* entry = nullptr;
    while (!online && (entry = readdir(listing)) != nullptr) {
        const std::string_view name = entry->d_name;
        if (name == "." || name == "..")
            continue;
        const auto folder = openFolderBelow(dirfd(listing), entry->d_name, devicesRoot);
        if (!folder.fd)
            continue;
        const auto type = readAttribute(folder.fd.get(), "type");
        online = (type == "Mains" || type == "USB" || type == "Wireless")
            && readAttribute(folder.fd.get(), "scope") != "Device"
            && readAttribute(folder.fd.get(), "online") == "1";
    }
    closedir(listing);
    return online;
}

} // namespace wattlet
