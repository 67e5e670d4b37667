#include "app_model.h"

#include "app/demo.h"
#include "app/files.h"
#include "platform/battery_io.h"
#include "platform/desktop_notifier.h"
#include "platform/power_settings.h"
#include "platform/power_watcher.h"
#include "platform/wall_clock.h"

#include <QPointer>

namespace wattlet {

namespace {

    constexpr double saveIntervalSeconds = 60;

    // In the fixed warning order, so announcements come out in a stable order.
    std::vector<BatteryReading::Warning> difference(const std::set<BatteryReading::Warning>& from,
        const std::set<BatteryReading::Warning>& minus)
    {
        std::vector<BatteryReading::Warning> result;
        for (const auto warning : allWarnings()) {
            if (from.count(warning) != 0 && minus.count(warning) == 0)
                result.push_back(warning);
        }
        return result;
    }

} // namespace

AppModelDeps AppModelDeps::live()
{
    AppModelDeps deps;
    deps.now = [] { return wallClockSeconds(); };
    deps.read = [] { return BatteryIO::read(); };
    deps.loadHistory = [] { return Files::loadHistory(); };
    deps.saveHistory = [](const BatteryHistory& history) { Files::saveHistory(history); };
    deps.makeWatcher = [](std::function<void()> onChange) -> std::unique_ptr<QObject> {
        return std::make_unique<PowerWatcher>(std::move(onChange));
    };
    deps.powerSettingsAvailable = [] { return PowerSettings::available(); };
    // Made on first use: demo and snapshot models never notify and need no session bus.
    auto notifier = std::make_shared<std::unique_ptr<DesktopNotifier>>();
    const auto desktop = [notifier]() -> DesktopNotifier& {
        if (!*notifier)
            *notifier = std::make_unique<DesktopNotifier>();
        return **notifier;
    };
    deps.announce = [desktop](const std::vector<BatteryReading::Warning>& fresh,
                        const BatteryReading& reading) { desktop().announce(fresh, reading); };
    deps.withdraw = [desktop](const std::vector<BatteryReading::Warning>& cleared) {
        desktop().withdraw(cleared);
    };
    return deps;
}

AppModel::AppModel(std::optional<BatteryReading> demo, AppModelDeps deps, QObject* parent)
    : QObject(parent)
    , m_deps(std::move(deps))
    , m_history(m_deps.loadHistory ? m_deps.loadHistory() : BatteryHistory {})
    , m_prefs(std::make_unique<Prefs>())
    , m_demo(std::move(demo))
{
    if (m_demo)
        setReading(m_demo);
    // The tray item shows or hides the percentage at once; a new language first rebuilds every
    // view of the model, then the tray item's texts.
    connect(m_prefs.get(), &Prefs::showPercentChanged, this, [this] {
        if (onUpdate)
            onUpdate();
    });
    connect(m_prefs.get(), &Prefs::languageChanged, this, [this] {
        Q_EMIT willChange();
        if (onUpdate)
            onUpdate();
    });
}

AppModel::~AppModel() = default;

void AppModel::start()
{
    if (m_deps.makeWatcher) {
        // Every event queues its own refresh; one that arrives after the model is gone is dropped.
        m_watcher = m_deps.makeWatcher([model = QPointer<AppModel>(this)] {
            if (model.isNull())
                return;
            QMetaObject::invokeMethod(
                model.data(),
                [model] {
                    if (!model.isNull())
                        model->refresh(true);
                },
                Qt::QueuedConnection);
        });
    }
    refresh(true);
}

void AppModel::refresh(bool save)
{
    if (!m_demo) {
        const std::optional<BatteryReading> read = m_deps.read();
        setReading(read);
        if (read && save) {
            const double now = m_deps.now();
            Q_EMIT willChange();
            const bool added = m_history.add(*read, now);
            if (added || now - m_lastSaved > saveIntervalSeconds) {
                m_deps.saveHistory(m_history);
                m_lastSaved = now;
            }
            notify(*read);
        }
    }
    if (onUpdate)
        onUpdate();
}

std::vector<double> AppModel::series() const
{
    if (m_demo)
        return Demo::series();
    return m_history.series(24, 96, m_deps.now());
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
}

void AppModel::notify(const BatteryReading& reading)
{
    const auto warnings = reading.warnings();
    const std::set<BatteryReading::Warning> current(warnings.begin(), warnings.end());
    const auto fresh = difference(current, m_shown);
    const auto cleared = difference(m_shown, current);
    m_shown = current;
    // Withdrawn also while notifications are off: one may still be on screen from before.
    if (!cleared.empty() && m_deps.withdraw)
        m_deps.withdraw(cleared);
    if (fresh.empty() || !m_prefs->notify() || !m_deps.announce)
        return;
    m_deps.announce(fresh, reading);
}

} // namespace wattlet
