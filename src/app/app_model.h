#pragma once

#include "app/charge_limit_model.h"
#include "app/device_alerts.h"
#include "app/full_reminder.h"
#include "app/notification_sounds.h"
#include "app/prefs.h"
#include "app/queued_job.h"
#include "app/read_worker.h"
#include "app/warning_alerts.h"
#include "core/battery_history.h"
#include "core/battery_reading.h"
#include "core/health_log.h"
#include "core/peripheral.h"
#include "core/tray_state.h"
#include "platform/desktop_notifier.h"
#include "platform/power_profiles.h"

#include <QObject>

#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace wattlet {

/// Where the model gets time, readings, storage and notifications from; tests replace them.
/// now, read and saveHistory are required; the others may be left empty.
struct AppModelDeps
{
    std::function<double()> now;
    std::function<std::optional<BatteryReading>()> read;
    /// Whether `read` runs on a worker thread of the model instead of inside refresh(): a live
    /// read can block in a driver for a long time. `read` must then be safe to call from that
    /// thread while the main thread runs. False: the read is done inside refresh().
    bool readInBackground = false;
    std::function<BatteryHistory()> loadHistory;
    std::function<void(const BatteryHistory&)> saveHistory;
    /// Shows a notification, replacing one with the same id; empty means nothing is shown.
    std::function<void(const DesktopNotification&)> announce;
    /// Withdraws the notification with this id; empty means nothing is done.
    std::function<void(const std::string& id)> withdraw;
    /// Creates the power event source; it calls onChange for every power event of the machine
    /// and onPeripherals with the peripherals after each of their changes, on the main thread.
    /// Empty: no events.
    std::function<std::unique_ptr<QObject>(
        std::function<void()> onChange, std::function<void(const Peripherals&)> onPeripherals)>
        makeWatcher;
    /// The stored health log and its writer; empty: none is kept.
    std::function<HealthLog()> loadHealth;
    std::function<void(const HealthLog&)> saveHealth;
    /// Asks, without waiting, for the power daemon's own record of the battery and calls back on
    /// the main thread with its samples (not after `context` is gone). Empty: never asked.
    std::function<void(QObject* context, std::function<void(std::vector<BatterySample>)> done)>
        fetchRecord;
    /// Runs `job` once on the main thread after `seconds`: a held-back history write, the
    /// withdrawal of a cleared warning. Empty: a Qt single-shot timer.
    std::function<void(double seconds, std::function<void()> job)> runLater;
    /// Whether a power settings tool is installed; empty counts as yes.
    std::function<bool()> powerSettingsAvailable;
    /// The machine's charge limit and power profiles; empty: neither (a demo model makes demo
    /// ones).
    std::function<std::unique_ptr<ChargeLimitControl>()> makeChargeLimit;
    std::function<std::unique_ptr<PowerProfiles>()> makePowerProfiles;
    /// The sounds the notifications play.
    NotificationSounds sounds;
    /// Publishes what the command line's reports would otherwise ask the system bus for (see
    /// TrayState), live, after each change of it once the charge limit is read; nothing when
    /// the model goes. Empty: nothing is published.
    std::function<void(const std::optional<TrayState>& state)> publish;
    /// Installs `onClick`, called on the main thread with the activation token (empty without
    /// one) when the user clicks one of the notifications shown through `announce`. Empty:
    /// clicks are not reported.
    std::function<void(std::function<void(const QString& activationToken)> onClick)> watchClicks;

    /// The live platform: wall clock, BatteryIO, Files, DesktopNotifier, PowerWatcher, the
    /// power daemon's battery record, and the sounds the installed sound themes hold.
    static AppModelDeps live();
};

/// The live state of the program: the latest reading, the history and the preferences.
/// willChange() fires immediately before every assignment of reading or history, also of an
/// equal value, and with every change of the charge limit or the power profiles. Everything runs on
/// the main thread, except a background read.
class AppModel : public QObject
{
    Q_OBJECT

public:
    /// Demo mode when `demo` is given. Loads the stored history and creates the preferences.
    explicit AppModel(std::optional<BatteryReading> demo, AppModelDeps deps = AppModelDeps::live(),
        QObject* parent = nullptr);
    /// Does a history write that is still held back, so quitting loses nothing.
    ~AppModel() override;

    [[nodiscard]] const std::optional<BatteryReading>& reading() const { return m_reading; }
    [[nodiscard]] const BatteryHistory& history() const { return m_history; }
    [[nodiscard]] Prefs& prefs() { return *m_prefs; }
    [[nodiscard]] const Prefs& prefs() const { return *m_prefs; }
    [[nodiscard]] const std::optional<BatteryReading>& demo() const { return m_demo; }
    /// The peripherals' batteries, in the daemon's order.
    [[nodiscard]] const Peripherals& peripherals() const { return m_peripherals; }
    /// The daily health log (a 400-day demo log in demo mode).
    [[nodiscard]] const HealthLog& healthLog() const { return m_healthLog; }
    /// The charge limit; a refresh reads it again, and a change of it refreshes the reading.
    [[nodiscard]] ChargeLimitModel& chargeLimit() { return *m_chargeLimit; }
    [[nodiscard]] const ChargeLimitModel& chargeLimit() const { return *m_chargeLimit; }
    /// The power profiles; null without them. Live, the profile follows the plug as the
    /// preferences ask (Prefs::plugProfile()): at start, once the daemon answers, after every
    /// change of the supply and of that choice; never while another program holds a profile.
    /// A mode chosen by hand in between stays until the next change.
    [[nodiscard]] PowerProfiles* powerProfiles() const { return m_powerProfiles.get(); }
    /// Demo mode only: shows `devices` as the peripherals.
    void setDemoPeripherals(Peripherals devices);

    /// Called at the end of every refresh and after the percentage, the language or the warning
    /// levels changed (the language after willChange()).
    std::function<void()> onUpdate;

    /// Creates the power watcher and refreshes once. A power event queues a refresh unless one
    /// is already queued, so a burst of events reads the battery once, after the last of them;
    /// a change of the peripherals only updates them and their notifications (see DeviceAlerts).
    /// When the history covers less than the last 24 hours, the power daemon's record is asked
    /// for once, and what lies before the first sample is merged into the history and written.
    /// With a background read, waits up to 2 s for the first reading, so it is there on return
    /// unless the read hangs.
    void start();
    /// Live mode: reads the battery into reading (absent when the read fails). With a reading
    /// and `save`, adds a sample to the history and announces or withdraws warnings at the
    /// preferred levels (see WarningAlerts) and the charged reminder (see FullReminder);
    /// announcements only when prefs().notify(), silent without prefs().sound(), each with
    /// "Open panel" as what a click does. The history is written when a
    /// sample was appended or more than 60 s have passed since the last write, but at most once
    /// in 10 s: a write that comes sooner is held back until then. The first such refresh of a
    /// calendar day records the capacities in the health log and writes it. Calls onUpdate last,
    /// in demo mode too, where nothing else happens.
    /// With a background read (see AppModelDeps), refresh() only starts the read and returns;
    /// the rest runs on the main thread when the result arrives, results in the order of the
    /// reads. A refresh asked for while a read is in flight is merged with any others into one
    /// read after it, which saves when any of them asked to.
    void refresh(bool save);
    /// 96 chart values for the last 24 hours (the demo chart in demo mode).
    [[nodiscard]] std::vector<double> series() const;
    /// Percentage-point change over the last hour (−12 in demo mode).
    [[nodiscard]] std::optional<std::int64_t> delta() const;
    /// Opens the desktop's power settings, detached; nothing when none is installed.
    static void openPowerSettings();
    /// Whether there is a power settings tool to open: the menu and the main page offer the
    /// command only then, rather than a button that does nothing.
    [[nodiscard]] bool canOpenPowerSettings() const;

Q_SIGNALS:
    void willChange();
    /// The user clicked one of the notifications; the server's activation token, or empty.
    void notificationClicked(const QString& activationToken);

private:
    void apply(const std::optional<BatteryReading>& reading, bool save);
    void readDone(const std::optional<BatteryReading>& reading);
    void setReading(std::optional<BatteryReading> reading);
    void followPlug();
    void publish();
    void record(const BatteryReading& reading, double now);
    void saveIfDue(double now);
    void notify(const BatteryReading& reading, double now);
    void withdraw(const std::vector<BatteryReading::Warning>& warnings) const;
    void announce(DesktopNotification notification) const;
    void runDueWork();
    void setPeripherals(Peripherals devices);
    void mergeRecord(std::vector<BatterySample> record);
    void scheduleDueWork();

    AppModelDeps m_deps;
    std::optional<BatteryReading> m_reading;
    BatteryHistory m_history;
    std::unique_ptr<Prefs> m_prefs;
    std::optional<BatteryReading> m_demo;
    WarningAlerts m_alerts;
    Peripherals m_peripherals;
    DeviceAlerts m_deviceAlerts;
    FullReminder m_fullReminder;
    HealthLog m_healthLog;
    double m_lastSaved = 0;
    bool m_savePending = false;
    /// When the job given to runLater is due; absent when none is waiting.
    std::optional<double> m_wakeAt;
    QueuedJob m_queuedRefresh;
    QueuedJob m_queuedPublish;
    std::optional<TrayState> m_published;
    std::unique_ptr<QObject> m_watcher;
    std::unique_ptr<ChargeLimitModel> m_chargeLimit;
    std::unique_ptr<PowerProfiles> m_powerProfiles;
    /// The supply the power mode last followed; whether a switch for it is still to be made.
    std::optional<bool> m_plugOnAC;
    bool m_plugSwitchDue = false;
    /// Whether the read in flight saves; whether a read follows it and whether that one saves.
    bool m_readSaves = false;
    std::optional<bool> m_nextReadSaves;
    // Last, so it stops first, while the members its results go into still exist.
    std::unique_ptr<ReadWorker> m_worker;
};

} // namespace wattlet
