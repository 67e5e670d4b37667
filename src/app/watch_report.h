#pragma once

#include "app/queued_job.h"
#include "core/battery_reading.h"

#include <QObject>

#include <functional>
#include <memory>
#include <optional>
#include <string>

namespace wattlet {

/// For status bars: writes one line when started and one after every power event (one for a
/// burst of them), until the process ends. It never records history or announces warnings.
class WatchReport : public QObject
{
    Q_OBJECT

public:
    /// One line (without its line feed) for a reading, or for none.
    using Format = std::function<std::string(const std::optional<BatteryReading>&)>;
    using Read = std::function<std::optional<BatteryReading>()>;
    using MakeWatcher = std::function<std::unique_ptr<QObject>(std::function<void()> onChange)>;
    using Write = std::function<void(const std::string& line)>;

    WatchReport(
        Format format, Read read, MakeWatcher makeWatcher, Write write, QObject* parent = nullptr);
    ~WatchReport() override;

    /// Writes the first line and starts listening.
    void start();

    /// The first line of the summary, or the "noBattery" text.
    [[nodiscard]] static std::string summaryLine(const std::optional<BatteryReading>& reading);
    /// The reading as one compact JSON object, or "null".
    [[nodiscard]] static std::string jsonLine(const std::optional<BatteryReading>& reading);

private:
    void report();

    Format m_format;
    Read m_read;
    MakeWatcher m_makeWatcher;
    Write m_write;
    QueuedJob m_queuedReport;
    std::unique_ptr<QObject> m_watcher;
};

} // namespace wattlet
