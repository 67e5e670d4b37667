#pragma once

#include "app/queued_job.h"
#include "core/battery_reading.h"
#include "core/language.h"
#include "core/peripheral.h"
#include "core/warning_levels.h"

#include <QObject>

#include <functional>
#include <memory>
#include <optional>
#include <string>

namespace wattlet {

/// For status bars: writes one line when started, one after every power event (one for a burst
/// of them) and one after every change of the peripherals, until the process ends. It never
/// records history or announces warnings.
class WatchReport : public QObject
{
    Q_OBJECT

public:
    /// One line (without its line feed) for a reading, or for none, and the peripherals.
    using Format
        = std::function<std::string(const std::optional<BatteryReading>&, const Peripherals&)>;
    using Read = std::function<std::optional<BatteryReading>()>;
    using MakeWatcher = std::function<std::unique_ptr<QObject>(
        std::function<void()> onChange, std::function<void(const Peripherals&)> onPeripherals)>;
    using Write = std::function<void(const std::string& line)>;

    WatchReport(
        Format format, Read read, MakeWatcher makeWatcher, Write write, QObject* parent = nullptr);
    ~WatchReport() override;

    /// Writes the first line and starts listening.
    void start();

    /// The first line of the summary, or the "noBattery" text.
    [[nodiscard]] static std::string summaryLine(const std::optional<BatteryReading>& reading,
        const Peripherals& devices, Language language);
    /// The reading with its "devices" as one compact JSON object, or "null"; the warnings at
    /// `levels`.
    [[nodiscard]] static std::string jsonLine(const std::optional<BatteryReading>& reading,
        const Peripherals& devices, Language language, const WarningLevels& levels = {});
    /// summaryLine() or jsonLine() in `language`, at `levels`.
    [[nodiscard]] static Format format(
        bool json, Language language, const WarningLevels& levels = {});

private:
    void report();
    void write();

    Format m_format;
    Read m_read;
    MakeWatcher m_makeWatcher;
    Write m_write;
    QueuedJob m_queuedReport;
    std::unique_ptr<QObject> m_watcher;
    std::optional<BatteryReading> m_reading;
    Peripherals m_devices;
};

} // namespace wattlet
