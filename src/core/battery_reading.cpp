#include "battery_reading.h"

#include "int64_range.h"

#include <algorithm>
#include <cmath>

namespace wattlet {

namespace {

    // On power and held here, not charging is the system's optimized charging, not a fault.
    bool inHoldBand(std::int64_t percent) { return percent >= 70 && percent <= 90; }

} // namespace

std::optional<double> BatteryReading::watts() const
{
    if (!amperageMA || !voltageMV)
        return std::nullopt;
    return static_cast<double>(*amperageMA) * static_cast<double>(*voltageMV) / 1'000'000.0;
}

std::optional<std::int64_t> BatteryReading::health() const
{
    if (!fullCapacity || !designCapacity || *designCapacity < 1)
        return std::nullopt;
    return roundedHealth(capacityPercent(*fullCapacity, *designCapacity));
}

BatteryReading::State BatteryReading::state() const
{
    if (!onAC)
        return State::discharging;
    if (charging)
        return State::charging;
    if (full || percent >= 100)
        return State::full;
    return State::hold;
}

BatteryReading::TimeEstimate BatteryReading::timeEstimate() const
{
    const State now = state();
    if (now != State::charging && now != State::discharging)
        return {};
    // In doubles: a reading may carry any int64.
    const auto level = static_cast<double>(percent);
    const auto stop = static_cast<double>(chargeLimitPercent.value_or(100));
    if (now == State::charging && level >= stop - almostFullPercent)
        return { std::nullopt, TimeWithheld::almostFull };
    if (!minutesLeft || *minutesLeft < 1 || timeSettling)
        return { std::nullopt, TimeWithheld::settling };
    // The charge in the battery where it is known: the percentage is rounded, or absent.
    const double stored = remainingCapacity && fullCapacity && *fullCapacity > 0
        ? static_cast<double>(*remainingCapacity) / static_cast<double>(*fullCapacity) * 100
        : level;
    const double points = now == State::charging ? stop - stored : stored;
    if (points / static_cast<double>(*minutesLeft) * 60 < minRatePercentPerHour)
        return { std::nullopt, TimeWithheld::rateTooLow };
    if (*minutesLeft > maxShownMinutes)
        return { std::nullopt, TimeWithheld::moreThanDay };
    return { minutesLeft, std::nullopt };
}

bool BatteryReading::optimizedHold() const
{
    return onAC && !charging && !full && inHoldBand(percent);
}

bool BatteryReading::heldAtLimit() const
{
    if (state() != State::hold)
        return false;
    return fixedChargeLimit
        || (chargeLimitPercent && percent >= *chargeLimitPercent - chargeLimitSlackPercent);
}

std::string BatteryReading::fillSymbol() const
{
    if (percent <= 12)
        return "battery.0percent";
    if (percent <= 37)
        return "battery.25percent";
    if (percent <= 62)
        return "battery.50percent";
    if (percent <= 87)
        return "battery.75percent";
    return "battery.100percent";
}

std::string BatteryReading::symbol() const
{
    return onAC ? "battery.100percent.bolt" : fillSymbol();
}

std::string BatteryReading::dot(const WarningLevels& levels) const
{
    const auto active = warnings(levels);
    const auto has = [&active](Warning w) {
        return std::find(active.begin(), active.end(), w) != active.end();
    };
    if (has(Warning::hot) || has(Warning::critical))
        return "red";
    if (has(Warning::low) || has(Warning::notCharging) || has(Warning::weakCharger))
        return "yellow";
    if (!onAC)
        return "green";
    return charging ? "blue" : "green";
}

std::vector<BatteryReading::Warning> BatteryReading::warnings(const WarningLevels& levels) const
{
    std::vector<Warning> active;
    if (!onAC) {
        if (percent <= levels.criticalPercent)
            active.push_back(Warning::critical);
        else if (percent <= levels.lowPercent)
            active.push_back(Warning::low);
    }
    if (temperatureC && *temperatureC >= hotC)
        active.push_back(Warning::hot);
    if (onAC) {
        if (adapterWatts && *adapterWatts >= 1 && *adapterWatts < weakAdapterWatts)
            active.push_back(Warning::weakCharger);
        if ((slowChargingReason && *slowChargingReason != 0)
            || (thermallyLimitedSeconds && *thermallyLimitedSeconds >= 1))
            active.push_back(Warning::slowCharging);
        if (!charging && !full && percent <= 99 && !inHoldBand(percent) && notChargingReason
            && *notChargingReason != 0)
            active.push_back(Warning::notCharging);
    }
    if (const auto h = health(); h && *h < healthLowPercent)
        active.push_back(Warning::healthLow);
    return active;
}

double capacityPercent(std::int64_t fullCapacity, std::int64_t designCapacity)
{
    return static_cast<double>(fullCapacity) * 100.0 / static_cast<double>(designCapacity);
}

std::optional<std::int64_t> roundedHealth(double percent)
{
    // A garbage negative capacity can fall below what an int64 holds.
    return saturatedInt64(std::min(std::round(percent), 100.0));
}

std::string_view rawValue(BatteryReading::State state)
{
    using S = BatteryReading::State;
    switch (state) {
    case S::charging:
        return "charging";
    case S::full:
        return "full";
    case S::hold:
        return "hold";
    case S::discharging:
        return "discharging";
    }
    return {};
}

std::string_view rawValue(BatteryReading::Warning warning)
{
    using W = BatteryReading::Warning;
    switch (warning) {
    case W::critical:
        return "critical";
    case W::low:
        return "low";
    case W::hot:
        return "hot";
    case W::weakCharger:
        return "weakCharger";
    case W::slowCharging:
        return "slowCharging";
    case W::notCharging:
        return "notCharging";
    case W::healthLow:
        return "healthLow";
    }
    return {};
}

std::string_view rawValue(BatteryReading::TimeWithheld withheld)
{
    using T = BatteryReading::TimeWithheld;
    switch (withheld) {
    case T::settling:
        return "settling";
    case T::rateTooLow:
        return "rateTooLow";
    case T::moreThanDay:
        return "moreThanDay";
    case T::almostFull:
        return "almostFull";
    }
    return {};
}

} // namespace wattlet
