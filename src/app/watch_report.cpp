#include "watch_report.h"

#include "core/battery_text.h"
#include "core/reading_json.h"

namespace wattlet {

WatchReport::WatchReport(
    Format format, Read read, MakeWatcher makeWatcher, Write write, QObject* parent)
    : QObject(parent)
    , m_format(std::move(format))
    , m_read(std::move(read))
    , m_makeWatcher(std::move(makeWatcher))
    , m_write(std::move(write))
    , m_queuedReport(this, [this] { report(); })
{ }

WatchReport::~WatchReport() = default;

void WatchReport::start()
{
    // Like the tray: a burst of events gives one line, read after the last of them; a change of
    // the peripherals writes the last reading with them.
    m_watcher = m_makeWatcher([this] { m_queuedReport.queue(); },
        [this](const Peripherals& devices) {
            QMetaObject::invokeMethod(
                this,
                [this, devices] {
                    m_devices = devices;
                    write();
                },
                Qt::QueuedConnection);
        });
    report();
}

void WatchReport::report()
{
    m_reading = m_read();
    write();
}

void WatchReport::write() { m_write(m_format(m_reading, m_devices)); }

std::string WatchReport::summaryLine(
    const std::optional<BatteryReading>& reading, const Peripherals&, Language language)
{
    if (!reading)
        return BatteryText::t("noBattery", language);
    const std::string summary = BatteryText::summary(*reading, language);
    return summary.substr(0, summary.find('\n'));
}

std::string WatchReport::jsonLine(const std::optional<BatteryReading>& reading,
    const Peripherals& devices, Language language, const WarningLevels& levels)
{
    return reading ? readingJson(*reading, devices, language, levels) : "null";
}

WatchReport::Format WatchReport::format(bool json, Language language, const WarningLevels& levels)
{
    return [json, language, levels](
               const std::optional<BatteryReading>& reading, const Peripherals& devices) {
        return json ? jsonLine(reading, devices, language, levels)
                    : summaryLine(reading, devices, language);
    };
}

} // namespace wattlet
