#include "app_model.h"

#include "app/demo.h"
#include "app/demo_controls.h"
#include "app/device_notification.h"
#include "app/files.h"
#include "app/full_reminder_notification.h"
#include "app/local_day.h"
#include "app/warning_notification.h"
#include "core/battery_record.h"
#include "core/battery_text.h"
#include "platform/app_files.h"
#include "platform/battery_io.h"
#include "platform/battery_record_source.h"
#include "platform/desktop_notifier.h"
#include "platform/power_settings.h"
#include "platform/power_watcher.h"
#include "platform/sound_theme.h"
#include "platform/wall_clock.h"

#include <QPointer>
#include <QTimer>

#include <algorithm>
#include <chrono>
#include <climits>
#include <cmath>

namespace wattlet {

namespace {

    constexpr double saveIntervalSeconds = 60;
    // Bounds the cost of a flapping charger; a crash loses at most this much history.
    constexpr double minSaveGapSeconds = 10;
    // The chart: the last 24 hours in 96 steps of 15 minutes.
    constexpr double chartHours = 24;
    constexpr std::int64_t chartPoints = 96;
    constexpr double chartSeconds = chartHours * 3600;
    // Long enough for a slow driver; a hung one delays the start by no more than this.
    constexpr std::chrono::milliseconds firstReadWait { 2000 };

    void runOnTimer(QObject* context, double seconds, std::function<void()> job)
    {
        const double ms = std::clamp(std::ceil(seconds * 1000), 0.0, double { INT_MAX });
        QTimer::singleShot(static_cast<int>(ms), context, std::move(job));
    }

} // namespace

AppModelDeps AppModelDeps::live()
{
    AppModelDeps deps;
    deps.now = [] { return wallClockSeconds(); };
    deps.read = [] { return BatteryIO::read(); };
    deps.readInBackground = true;
    deps.loadHistory = [] { return Files::loadHistory(); };
    deps.saveHistory = [](const BatteryHistory& history) { Files::saveHistory(history); };
    deps.makeWatcher
        = [](std::function<void()> onChange,
              std::function<void(const Peripherals&)> onPeripherals) -> std::unique_ptr<QObject> {
        PowerWatcher::Options options;
        options.onPeripherals = std::move(onPeripherals);
        return std::make_unique<PowerWatcher>(std::move(onChange), options);
    };
    deps.loadHealth = [] { return Files::loadHealth(); };
    deps.saveHealth = [](const HealthLog& log) { Files::saveHealth(log); };
    deps.fetchRecord = [](QObject* context, std::function<void(std::vector<BatterySample>)> done) {
        fetchBatteryRecord(context, std::move(done));
    };
    deps.powerSettingsAvailable = [] { return PowerSettings::available(); };
    deps.makeChargeLimit = [] { return makeChargeLimitControl(); };
    deps.makePowerProfiles = [] { return wattlet::makePowerProfiles(); };
    deps.publish = [](const std::optional<TrayState>& state) { AppFiles::publishTrayState(state); };
    deps.sounds = chooseSounds(SoundTheme::installed);
    // Made on first use: demo and snapshot models never notify and need no session bus. Only
    // a notification it showed can be clicked, so the click handler waits for it.
    struct Desktop
    {
        std::unique_ptr<DesktopNotifier> notifier;
        std::function<void(const QString&)> onClick;
    };
    const auto desktop = std::make_shared<Desktop>();
    const auto notifier = [desktop]() -> DesktopNotifier& {
        if (!desktop->notifier) {
            desktop->notifier = std::make_unique<DesktopNotifier>();
            QObject::connect(desktop->notifier.get(), &DesktopNotifier::clicked,
                [weak = std::weak_ptr(desktop)](const QString& token) {
                    if (const auto alive = weak.lock(); alive && alive->onClick)
                        alive->onClick(token);
                });
        }
        return *desktop->notifier;
    };
    deps.announce
        = [notifier](const DesktopNotification& notification) { notifier().send(notification); };
    deps.withdraw = [notifier](const std::string& id) { notifier().withdraw(id); };
    deps.watchClicks = [desktop](std::function<void(const QString&)> onClick) {
        desktop->onClick = std::move(onClick);
    };
    return deps;
}

AppModel::AppModel(std::optional<BatteryReading> demo, AppModelDeps deps, QObject* parent)
    : QObject(parent)
    , m_deps(std::move(deps))
    , m_history(m_deps.loadHistory ? m_deps.loadHistory() : BatteryHistory {})
    , m_prefs(std::make_unique<Prefs>())
    , m_demo(std::move(demo))
    , m_queuedRefresh(this, [this] { refresh(true); })
    , m_queuedPublish(this, [this] { publish(); })
{
    if (m_demo) {
        setReading(m_demo);
        m_healthLog = Demo::healthLog(localDay(m_deps.now()));
    } else if (m_deps.loadHealth) {
        m_healthLog = m_deps.loadHealth();
    }
    std::unique_ptr<ChargeLimitControl> limit;
    if (m_demo) {
        limit = Demo::chargeLimit(*m_demo);
        m_powerProfiles = Demo::powerProfiles();
    } else {
        limit = m_deps.makeChargeLimit ? m_deps.makeChargeLimit() : nullptr;
        m_powerProfiles = m_deps.makePowerProfiles ? m_deps.makePowerProfiles() : nullptr;
    }
    m_chargeLimit = std::make_unique<ChargeLimitModel>(std::move(limit));
    // The reading shows the limit too.
    connect(m_chargeLimit.get(), &ChargeLimitModel::applied, this, [this] { refresh(false); });
    connect(m_chargeLimit.get(), &ChargeLimitModel::willChange, this, &AppModel::willChange);
    if (m_powerProfiles) {
        connect(m_powerProfiles.get(), &PowerProfiles::changed, this, &AppModel::willChange);
        // A switch waiting for the daemon's first answer, or for the daemon itself.
        connect(m_powerProfiles.get(), &PowerProfiles::changed, this, &AppModel::followPlug);
    }
    // After the change a willChange() announces: every change of what the reports show.
    if (!m_demo && m_deps.publish)
        connect(this, &AppModel::willChange, this, [this] { m_queuedPublish.queue(); });
    // A new choice for the supply of now applies at once; one for the other waits for its plug.
    connect(m_prefs.get(), &Prefs::plugProfileChanged, this, [this](bool onPower) {
        m_plugSwitchDue = m_plugSwitchDue || m_plugOnAC == onPower;
        followPlug();
    });
    if (!m_demo && m_deps.readInBackground) {
        m_worker = std::make_unique<ReadWorker>(m_deps.read,
            [this](const std::optional<BatteryReading>& reading) { readDone(reading); });
    }
    // The tray item shows or hides the percentage at once; a new language first rebuilds every
    // view of the model, then the tray item's texts.
    const auto update = [this] {
        if (onUpdate)
            onUpdate();
    };
    connect(m_prefs.get(), &Prefs::showPercentChanged, this, update);
    // The levels colour the tray item.
    connect(m_prefs.get(), &Prefs::levelsChanged, this, update);
    connect(m_prefs.get(), &Prefs::languageChanged, this, [this] {
        Q_EMIT willChange();
        if (onUpdate)
            onUpdate();
    });
}

AppModel::~AppModel()
{
    if (!m_demo && m_deps.publish)
        m_deps.publish(std::nullopt);
    if (m_savePending)
        m_deps.saveHistory(m_history);
}

void AppModel::start()
{
    if (m_deps.makeWatcher) {
        // An event that arrives after the model is gone is dropped.
        const QPointer<AppModel> model(this);
        const auto onChange = [model] {
            if (!model.isNull())
                model->m_queuedRefresh.queue();
        };
        const auto onPeripherals = [model](const Peripherals& devices) {
            if (model.isNull())
                return;
            QMetaObject::invokeMethod(
                model.data(),
                [model, devices] {
                    if (!model.isNull())
                        model->setPeripherals(devices);
                },
                Qt::QueuedConnection);
        };
        m_watcher = m_deps.makeWatcher(onChange, onPeripherals);
    }
    if (m_deps.watchClicks) {
        m_deps.watchClicks([model = QPointer<AppModel>(this)](const QString& token) {
            if (!model.isNull())
                Q_EMIT model->notificationClicked(token);
        });
    }
    // Samples past the retention are about to go and cover nothing.
    const double now = m_deps.now();
    const auto kept = m_history.firstKept(now);
    const bool shortHistory = kept == m_history.samples.cend() || kept->t > now - chartSeconds;
    if (!m_demo && shortHistory && m_deps.fetchRecord) {
        m_deps.fetchRecord(
            this, [model = QPointer<AppModel>(this)](std::vector<BatterySample> record) {
                if (!model.isNull())
                    model->mergeRecord(std::move(record));
            });
    }
    refresh(true);
    // Nothing is on screen before the event loop runs: waiting here for the first reading
    // keeps the tray and the panel from showing "no battery" until it arrives.
    if (m_worker)
        m_worker->deliverWithin(firstReadWait);
}

void AppModel::setDemoPeripherals(Peripherals devices)
{
    if (!m_demo)
        return;
    Q_EMIT willChange();
    m_peripherals = std::move(devices);
}

void AppModel::refresh(bool save)
{
    if (m_demo) {
        if (onUpdate)
            onUpdate();
    } else if (!m_worker) {
        apply(m_deps.read(), save);
    } else if (m_worker->start()) {
        m_readSaves = save;
    } else {
        m_nextReadSaves = m_nextReadSaves.value_or(false) || save;
    }
}

void AppModel::readDone(const std::optional<BatteryReading>& reading)
{
    const bool save = m_readSaves;
    if (m_nextReadSaves) {
        m_readSaves = *m_nextReadSaves;
        m_nextReadSaves.reset();
        m_worker->start();
    }
    apply(reading, save);
}

void AppModel::apply(const std::optional<BatteryReading>& reading, bool save)
{
    setReading(reading);
    // A power event may be a charger unplugged, which ends a lift of the limit.
    m_chargeLimit->reload();
    if (reading && save) {
        const double now = m_deps.now();
        record(*reading, now);
        notify(*reading, now);
        scheduleDueWork();
        if (m_healthLog.record(*reading, localDay(now)) && m_deps.saveHealth)
            m_deps.saveHealth(m_healthLog);
    }
    if (onUpdate)
        onUpdate();
}

std::vector<double> AppModel::series() const
{
    if (m_demo)
        return Demo::series();
    return m_history.series(chartHours, chartPoints, m_deps.now());
}

std::optional<std::int64_t> AppModel::delta() const
{
    if (m_demo)
        return -12;
    return m_history.deltaLastHour(m_deps.now());
}

void AppModel::openPowerSettings() { PowerSettings::open(); }

bool AppModel::canOpenPowerSettings() const
{
    return !m_deps.powerSettingsAvailable || m_deps.powerSettingsAvailable();
}

void AppModel::setReading(std::optional<BatteryReading> reading)
{
    Q_EMIT willChange();
    m_reading = std::move(reading);
    followPlug();
}

void AppModel::publish()
{
    // Until the limit is read, a report asks the machine itself.
    if (!m_chargeLimit->ready())
        return;
    TrayState state { 0, 0, m_peripherals,
        { m_chargeLimit->state(),
            m_powerProfiles ? m_powerProfiles->state() : std::optional<PowerProfilesState>() } };
    // Most changes are of the reading, which the reports read themselves.
    if (state == m_published)
        return;
    m_published = state;
    m_deps.publish(state);
}

void AppModel::followPlug()
{
    if (m_demo || !m_reading || !m_powerProfiles)
        return;
    if (m_reading->onAC != m_plugOnAC) {
        m_plugOnAC = m_reading->onAC;
        m_plugSwitchDue = true;
    }
    const auto& state = m_powerProfiles->state();
    if (!m_plugSwitchDue || !state)
        return;
    // Once per plug change: a mode chosen by hand afterwards stays until the next one.
    m_plugSwitchDue = false;
    if (const auto target = plugProfileTarget(*state, m_prefs->plugProfile(m_reading->onAC)))
        m_powerProfiles->choose(*target);
}

void AppModel::record(const BatteryReading& reading, double now)
{
    Q_EMIT willChange();
    const bool added = m_history.add(reading, now);
    if (added || now - m_lastSaved > saveIntervalSeconds)
        m_savePending = true;
    saveIfDue(now);
}

void AppModel::saveIfDue(double now)
{
    const double sinceLast = now - m_lastSaved;
    // A clock that went back does not hold a write off.
    if (!m_savePending || (sinceLast >= 0 && sinceLast < minSaveGapSeconds))
        return;
    m_deps.saveHistory(m_history);
    m_lastSaved = now;
    m_savePending = false;
}

void AppModel::notify(const BatteryReading& reading, double now)
{
    const Language language = m_prefs->textLanguage();
    const auto changes
        = m_alerts.update(reading.warnings(m_prefs->levels()), now, m_prefs->notify());
    withdraw(changes.withdraw);
    for (const auto warning : changes.announce)
        announce(warningNotification(warning, reading, language, m_deps.sounds));
    const auto reminder
        = m_fullReminder.update(reading, m_prefs->fullReminderPercent(), m_prefs->notify());
    if (reminder.withdraw && m_deps.withdraw)
        m_deps.withdraw(fullReminderNotificationId);
    if (reminder.announce)
        announce(fullReminderNotification(reading, language));
}

void AppModel::announce(DesktopNotification notification) const
{
    if (!m_deps.announce)
        return;
    if (!m_prefs->sound())
        notification.sound.clear();
    notification.defaultAction = BatteryText::t("act.panel", m_prefs->textLanguage());
    m_deps.announce(notification);
}

void AppModel::withdraw(const std::vector<BatteryReading::Warning>& warnings) const
{
    if (!m_deps.withdraw)
        return;
    for (const auto warning : warnings)
        m_deps.withdraw(warningNotificationId(warning));
}

void AppModel::runDueWork()
{
    const double now = m_deps.now();
    saveIfDue(now);
    withdraw(m_alerts.due(now));
    scheduleDueWork();
}

void AppModel::scheduleDueWork()
{
    std::optional<double> next = m_alerts.nextDue();
    if (m_savePending) {
        const double saveAt = m_lastSaved + minSaveGapSeconds;
        next = next ? std::min(*next, saveAt) : saveAt;
    }
    // One job waits at a time; when it runs, it schedules whatever is still pending.
    if (!next || (m_wakeAt && *m_wakeAt <= *next))
        return;
    m_wakeAt = next;
    auto job = [model = QPointer<AppModel>(this), at = *next] {
        if (model.isNull() || model->m_wakeAt != at)
            return;
        model->m_wakeAt.reset();
        model->runDueWork();
    };
    const double seconds = std::max(0.0, *next - m_deps.now());
    if (m_deps.runLater)
        m_deps.runLater(seconds, std::move(job));
    else
        runOnTimer(this, seconds, std::move(job));
}

void AppModel::setPeripherals(Peripherals devices)
{
    Q_EMIT willChange();
    m_peripherals = std::move(devices);
    const auto changes = m_deviceAlerts.update(m_peripherals, m_prefs->notify(), m_prefs->levels());
    if (m_deps.withdraw) {
        for (const std::string& id : changes.withdraw)
            m_deps.withdraw(deviceNotificationId(id));
    }
    for (const Peripheral& device : changes.announce)
        announce(deviceNotification(device, m_prefs->textLanguage(), m_deps.sounds));
    // The tooltip lists the devices.
    if (onUpdate)
        onUpdate();
}

void AppModel::mergeRecord(std::vector<BatterySample> record)
{
    const double now = m_deps.now();
    BatteryHistory merged = m_history;
    if (!mergeEarlierRecord(merged, std::move(record), now))
        return;
    Q_EMIT willChange();
    m_history = std::move(merged);
    m_savePending = true;
    saveIfDue(now);
    scheduleDueWork();
}

} // namespace wattlet
