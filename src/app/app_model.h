#pragma once

#include "app/prefs.h"
#include "core/battery_history.h"
#include "core/battery_reading.h"

#include <QObject>

#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <set>
#include <vector>

namespace wattlet {

class PowerWatcher;
class DesktopNotifier;

/// Where the model gets time, readings, storage and notifications from; tests replace them.
struct AppModelDeps
{
    std::function<double()> now;
    std::function<std::optional<BatteryReading>()> read;
    std::function<BatteryHistory()> loadHistory;
    std::function<void(const BatteryHistory&)> saveHistory;
    /// Announces new warnings of a reading; nullptr means the desktop notification service.
    std::function<void(const std::vector<BatteryReading::Warning>&, const BatteryReading&)>
        announce;
    /// Creates the power event source.
    std::function<std::unique_ptr<QObject>(std::function<void()> onChange)> makeWatcher;

    /// The live platform: wall clock, BatteryIO, Files, DesktopNotifier, PowerWatcher.
    static AppModelDeps live();
};

/// The live state of the program: the latest reading, the history and the preferences.
/// willChange() fires immediately before every assignment of reading or history, also of an
/// equal value. Everything runs on the main thread.
class AppModel : public QObject
{
    Q_OBJECT

public:
    /// Demo mode when `demo` is given. Loads the stored history and creates the preferences.
    explicit AppModel(std::optional<BatteryReading> demo, AppModelDeps deps = AppModelDeps::live(),
        QObject* parent = nullptr);
    ~AppModel() override;

    [[nodiscard]] const std::optional<BatteryReading>& reading() const { return m_reading; }
    [[nodiscard]] const BatteryHistory& history() const { return m_history; }
    [[nodiscard]] Prefs& prefs() { return *m_prefs; }
    [[nodiscard]] const std::optional<BatteryReading>& demo() const { return m_demo; }

    /// Called at the end of every refresh and by the settings page after a preference change.
    std::function<void()> onUpdate;

    /// Creates the power watcher (each event queues its own refresh) and refreshes once.
    void start();
    /// Reads, records (when `save`), saves at its cadence, announces new warnings, calls onUpdate.
    void refresh(bool save);
    /// 96 chart values for the last 24 hours (the demo chart in demo mode).
    [[nodiscard]] std::vector<double> series() const;
    /// Percentage-point change over the last hour (−12 in demo mode).
    [[nodiscard]] std::optional<std::int64_t> delta() const;
    /// Sends willChange() without assigning anything, so observers rebuild (language change).
    void sendWillChange();
    /// Opens the desktop's power settings, detached; nothing when none is installed.
    static void openPowerSettings();

Q_SIGNALS:
    void willChange();

private:
    void setReading(std::optional<BatteryReading> reading);
    void notify(const BatteryReading& reading);

    AppModelDeps m_deps;
    std::optional<BatteryReading> m_reading;
    BatteryHistory m_history;
    std::unique_ptr<Prefs> m_prefs;
    std::optional<BatteryReading> m_demo;
    std::set<BatteryReading::Warning> m_shown;
    double m_lastSaved = 0;
    std::unique_ptr<QObject> m_watcher;
};

} // namespace wattlet
