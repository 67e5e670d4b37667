#include "charge_limit_helper.h"
#include "regular_file.h"
#include "sysfs_charge_limit.h"
#include "upower_charge_threshold.h"
#include "upower_device_list.h"
#include "upower_monitor.h"

#include "platform/charge_limit_control.h"

#include <QCoreApplication>
#include <QDBusConnection>
#include <QFileInfo>
#include <QPointer>
#include <QStandardPaths>
#include <QThreadPool>

#include <vector>

namespace wattlet {

namespace {

    constexpr std::size_t maxStoreBytes = 4096;

    // What the machine shows anyone, read off the main thread: a driver may take its time.
    struct SysfsSnapshot
    {
        std::vector<LimitBattery> batteries;
        ChargeLimitState state;
    };

    SysfsSnapshot readSysfs(const ChargeLimitPaths& paths)
    {
        SysfsSnapshot snapshot;
        snapshot.batteries = limitBatteries(paths.supplyRoot);
        snapshot.state = limitState(snapshot.batteries, conservationMode(paths.supplyRoot),
            readRegularFile(paths.store, maxStoreBytes));
        return snapshot;
    }

    // The installed helper, found from this program as the install puts them:
    // libexec/wattlet/wattlet-tray and libexec/wattlet/wattlet-charge-limit under one prefix.
    QString installedHelper()
    {
        const QFileInfo helper(QCoreApplication::applicationDirPath() + QLatin1Char('/')
            + QStringLiteral(WATTLET_CHARGE_LIMIT_HELPER_FROM_TRAY));
        return helper.isExecutable() ? helper.canonicalFilePath() : QString();
    }

    class LinuxChargeLimitControl : public ChargeLimitControl
    {
    public:
        LinuxChargeLimitControl(const ChargeLimitPaths& paths, QObject* parent)
            : ChargeLimitControl(parent)
            , m_paths(paths)
            , m_bus(QDBusConnection::systemBus())
            , m_upower(new UPowerMonitor(m_bus, this))
            , m_helper(
                  paths.helper.empty() ? installedHelper() : QString::fromStdString(paths.helper))
            , m_pkexec(paths.pkexec.empty()
                      ? QStandardPaths::findExecutable(QStringLiteral("pkexec"))
                      : QString::fromStdString(paths.pkexec))
        {
            // UPower's switch writes sysfs: what the battery holds is read again after it moves.
            connect(
                m_upower, &UPowerMonitor::deviceChanged, this, &LinuxChargeLimitControl::reload);
            connect(&m_upower->devices(), &UPowerDeviceList::loaded, this,
                &LinuxChargeLimitControl::combine);
            connect(
                m_upower, &UPowerMonitor::presenceChanged, this, &LinuxChargeLimitControl::combine);
            reload();
        }

        [[nodiscard]] const ChargeLimitState& state() const override { return m_state; }

        [[nodiscard]] bool ready() const override
        {
            return m_sysfsRead && (!m_upower->isPresent() || m_upower->devices().isLoaded());
        }

        void reload() override
        {
            read([] { });
        }

        void apply(const ChargeLimitRequest& request, Done done) override
        {
            const auto threshold = upowerThreshold(m_upower->devices());
            const bool helperClears = request.off() && m_state.holdsOtherThanUPower();
            if (threshold
                && (!m_state.helperForOthers || (m_state.isUPowerPair(request) && !helperClears))) {
                switchUPower(*threshold, !request.off(), std::move(done));
                return;
            }
            auto commands = helperCommands(m_sysfs.batteries, request);
            if (!threshold || !threshold->enabled) {
                run(std::move(commands), std::move(done));
                return;
            }
            // Its switch goes off first: upowerd writes its pair again at every start while on.
            switchUPower(*threshold, false,
                [this, commands = std::move(commands), done = std::move(done)](
                    const ChargeLimitResult& result) mutable {
                    if (result.outcome != ChargeLimitOutcome::done)
                        done(result);
                    else
                        run(std::move(commands), std::move(done));
                });
        }

        void lift(Done done) override
        {
            if (m_state.route != ChargeLimitRoute::helper) {
                done({ ChargeLimitOutcome::unsupported, {} });
                return;
            }
            run(liftCommands(m_sysfs.batteries), std::move(done));
        }

    private:
        void switchUPower(const UPowerThreshold& threshold, bool on, Done done)
        {
            enableChargeThreshold(m_bus, threshold.batteries, on, this,
                [this, done = std::move(done)](
                    const ChargeLimitResult& result) { read([done, result] { done(result); }); });
        }

        void run(std::vector<QStringList> commands, Done done)
        {
            if (m_state.route != ChargeLimitRoute::helper && !m_state.helperForOthers) {
                done({ ChargeLimitOutcome::unavailable, {} });
                return;
            }
            runHelper(m_pkexec, m_helper, std::move(commands), m_paths.helperTimeoutMs, this,
                [this, done = std::move(done)](
                    const ChargeLimitResult& result) { read([done, result] { done(result); }); });
        }

        // Reads sysfs on a pool thread and calls `then` on this object's thread once the new
        // state is in place. Reads do not overlap: one asked for during a read follows it.
        void read(std::function<void()> then)
        {
            m_waiting.push_back(std::move(then));
            if (m_reading) {
                m_readAgain = true;
                return;
            }
            m_reading = true;
            QThreadPool::globalInstance()->start(
                [paths = m_paths, self = QPointer<LinuxChargeLimitControl>(this)] {
                    SysfsSnapshot snapshot = readSysfs(paths);
                    QMetaObject::invokeMethod(
                        QCoreApplication::instance(),
                        [self, snapshot = std::move(snapshot)]() mutable {
                            if (self)
                                self->readDone(std::move(snapshot));
                        },
                        Qt::QueuedConnection);
                });
        }

        void readDone(SysfsSnapshot snapshot)
        {
            m_reading = false;
            if (m_readAgain) {
                m_readAgain = false;
                read([] { });
                return;
            }
            m_sysfs = std::move(snapshot);
            m_sysfsRead = true;
            combine();
            for (const auto& then : std::exchange(m_waiting, {}))
                then();
        }

        // sysfs, UPower and what is installed, as one state.
        void combine()
        {
            ChargeLimitState state = m_sysfs.state;
            if (const auto threshold = upowerThreshold(m_upower->devices())) {
                state.helperForOthers = !m_helper.isEmpty() && !m_pkexec.isEmpty()
                    && state.shape != ChargeLimitShape::none
                    && state.shape != ChargeLimitShape::fixed;
                if (state.shape == ChargeLimitShape::none)
                    state.shape = threshold->start ? ChargeLimitShape::startAndEnd
                                                   : ChargeLimitShape::endOnly;
                state.upowerPair
                    = ChargeLimitRequest { threshold->start, threshold->end.value_or(100) };
                // UPower names its pair whatever the battery holds: the battery's own values
                // count whenever it holds a limit.
                if (!m_sysfs.state.on || !m_sysfs.state.end) {
                    state.start = threshold->start;
                    state.end = threshold->end;
                }
                state.on = threshold->enabled || m_sysfs.state.on;
                state.lifted = false;
                state.kept.reset();
                state.route = ChargeLimitRoute::upower;
            } else if (state.shape == ChargeLimitShape::none) {
                state.obstacle = ChargeLimitObstacle::noHardware;
            } else if (m_helper.isEmpty()) {
                state.obstacle = ChargeLimitObstacle::noHelper;
            } else if (m_pkexec.isEmpty()) {
                state.obstacle = ChargeLimitObstacle::noPkexec;
            } else {
                state.route = ChargeLimitRoute::helper;
            }
            if (state.changeable())
                state.obstacle = ChargeLimitObstacle::none;
            if (state == m_state && ready() == m_announcedReady)
                return;
            m_state = state;
            m_announcedReady = ready();
            Q_EMIT changed();
        }

        ChargeLimitPaths m_paths;
        QDBusConnection m_bus;
        UPowerMonitor* m_upower;
        QString m_helper;
        QString m_pkexec;
        SysfsSnapshot m_sysfs;
        ChargeLimitState m_state;
        bool m_sysfsRead = false;
        bool m_announcedReady = false;
        bool m_reading = false;
        bool m_readAgain = false;
        std::vector<std::function<void()>> m_waiting;
    };

} // namespace

std::unique_ptr<ChargeLimitControl> makeChargeLimitControl(
    const ChargeLimitPaths& paths, QObject* parent)
{
    return std::make_unique<LinuxChargeLimitControl>(paths, parent);
}

} // namespace wattlet
