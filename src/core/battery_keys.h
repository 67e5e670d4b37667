#pragma once

#include <cstdint>

/// The key names of the three battery property dictionaries: what the platform writes and
/// BatteryParse reads, spelled once. The power-source description's keys have spaces, the
/// registry's are in CamelCase.
namespace wattlet::BatteryKeys {

// The power-source description.
inline constexpr char type[] = "Type";
inline constexpr char currentCapacity[] = "Current Capacity";
inline constexpr char maxCapacity[] = "Max Capacity";
inline constexpr char isCharging[] = "Is Charging";
inline constexpr char isCharged[] = "Is Charged";
inline constexpr char powerSourceState[] = "Power Source State";
inline constexpr char timeToEmpty[] = "Time to Empty";
inline constexpr char timeToFullCharge[] = "Time to Full Charge";
/// The value of either time while the platform is still computing it.
inline constexpr std::int64_t stillComputingMinutes = 65535;
/// The values of type and powerSourceState.
inline constexpr char internalBattery[] = "InternalBattery";
inline constexpr char acPower[] = "AC Power";
inline constexpr char batteryPower[] = "Battery Power";

// The battery's registry entry and its nested dictionaries.
inline constexpr char registryCurrentCapacity[] = "CurrentCapacity";
inline constexpr char registryMaxCapacity[] = "MaxCapacity";
inline constexpr char registryIsCharging[] = "IsCharging";
inline constexpr char externalConnected[] = "ExternalConnected";
inline constexpr char fullyCharged[] = "FullyCharged";
inline constexpr char avgTimeToEmpty[] = "AvgTimeToEmpty";
inline constexpr char avgTimeToFull[] = "AvgTimeToFull";
inline constexpr char instantAmperage[] = "InstantAmperage";
inline constexpr char amperage[] = "Amperage";
inline constexpr char voltage[] = "Voltage";
inline constexpr char rawBatteryVoltage[] = "AppleRawBatteryVoltage";
inline constexpr char designCapacity[] = "DesignCapacity";
inline constexpr char rawMaxCapacity[] = "AppleRawMaxCapacity";
inline constexpr char rawCurrentCapacity[] = "AppleRawCurrentCapacity";
inline constexpr char nominalChargeCapacity[] = "NominalChargeCapacity";
inline constexpr char cycleCount[] = "CycleCount";
inline constexpr char temperature[] = "Temperature";
inline constexpr char virtualTemperature[] = "VirtualTemperature";
inline constexpr char chargeLimit[] = "ChargeLimit";
/// Linux only: the firmware's fixed charge limit (IdeaPad conservation mode) is on.
inline constexpr char chargeLimitFixed[] = "ChargeLimitFixed";
inline constexpr char batteryData[] = "BatteryData";
inline constexpr char fullChargeCapacity[] = "FullChargeCapacity";
inline constexpr char remainingCapacity[] = "RemainingCapacity";
inline constexpr char batteryPowerMW[] = "BatteryPower";
inline constexpr char adapterDetails[] = "AdapterDetails";
inline constexpr char watts[] = "Watts";
inline constexpr char name[] = "Name";
inline constexpr char description[] = "Description";
inline constexpr char chargerData[] = "ChargerData";
inline constexpr char notChargingReason[] = "NotChargingReason";
inline constexpr char slowChargingReason[] = "SlowChargingReason";
inline constexpr char timeChargingThermallyLimited[] = "TimeChargingThermallyLimited";

} // namespace wattlet::BatteryKeys
