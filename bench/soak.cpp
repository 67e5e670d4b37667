// A simulated week of the running program, minute by minute on an injected clock: the model,
// the tray controller, the live power watcher, history and health files and notifications,
// against a fake UPower and logind on private buses. Charge and discharge cycles, an hour of a
// flapping charger every day, a suspend every eight hours, UPower restarting daily, a peripheral
// appearing or disappearing every minute, the panel opened and closed every hour. Prints the
// resident memory, the heap in use, the open file descriptors and the live Qt objects after the
// first simulated hour and at the end; fails when memory grew by more than 1 MiB or a descriptor
// was left open.
//   build/ci/bench/wattlet_soak

#include "app/app_model.h"
#include "support/dbus_test_bus.h"
#include "support/fake_peer.h"
#include "support/fake_upower.h"
#include "support/wait_until.h"
#include "ui/panel/panel_factory.h"
#include "ui/tray/status_controller.h"

#include <QApplication>
#include <QDir>
#include <QTemporaryDir>

#include <atomic>
#include <cstdio>
#include <malloc.h>
#include <map>
#include <mutex>
#include <unistd.h>

// Qt's object hooks (the ones debugging tools use): called for every QObject made and destroyed.
extern quintptr qtHookData[];

namespace wattlet {
namespace {

    using test::FakeUPower;

    constexpr int minutesPerWeek = 7 * 24 * 60;
    constexpr long long allowedGrowthBytes = 1024 * 1024;

    std::atomic<long long> liveObjects { 0 };

    void countObjects()
    {
        // Indices 3 and 4 of the hook table: an object added, an object removed.
        qtHookData[3] = reinterpret_cast<quintptr>(+[](QObject*) { ++liveObjects; });
        qtHookData[4] = reinterpret_cast<quintptr>(+[](QObject*) { --liveObjects; });
    }

    struct Figures
    {
        long long residentBytes = 0;
        long long heapBytes = 0;
        long long openFiles = 0;
        long long objects = 0;
    };

    Figures measure()
    {
        Figures figures;
        long long pages = 0;
        long long resident = 0;
        if (std::FILE* statm = std::fopen("/proc/self/statm", "r")) {
            if (std::fscanf(statm, "%lld %lld", &pages, &resident) != 2)
                resident = 0;
            std::fclose(statm);
        }
        figures.residentBytes = resident * sysconf(_SC_PAGESIZE);
        const struct mallinfo2 heap = mallinfo2();
        figures.heapBytes = static_cast<long long>(heap.uordblks + heap.hblkhd);
        figures.openFiles = QDir(QStringLiteral("/proc/self/fd")).entryList(QDir::Files).size();
        figures.objects = liveObjects;
        return figures;
    }

    /// The laptop's battery on the simulated clock: discharging 1 % in three minutes to 20 %,
    /// then charging 1 % a minute to 100 %; the charger flaps every minute from 10:00 to 11:00.
    /// Read on the model's worker thread, advanced on the main thread.
    class SimulatedBattery
    {
    public:
        void advance(int minute)
        {
            const std::lock_guard lock(m_mutex);
            if (m_charging ? m_percent >= 100 : m_percent <= 20)
                m_charging = !m_charging;
            if (m_charging)
                ++m_percent;
            else if (minute % 3 == 0)
                --m_percent;
            const bool flapping = minute % (24 * 60) / 60 == 10;
            m_onAC = flapping ? minute % 2 == 0 : m_charging;
        }

        std::optional<BatteryReading> read()
        {
            const std::lock_guard lock(m_mutex);
            ++m_reads;
            BatteryReading r;
            r.percent = m_percent;
            r.onAC = m_onAC;
            r.charging = m_onAC && m_charging;
            r.amperageMA = r.charging ? 2900 : -1200;
            r.voltageMV = 12400;
            r.fullCapacity = 4600 - m_reads / 500;
            r.designCapacity = 5000;
            r.cycles = 212 + m_reads / 1000;
            return r;
        }

        [[nodiscard]] std::int64_t percent()
        {
            const std::lock_guard lock(m_mutex);
            return m_percent;
        }

    private:
        std::mutex m_mutex;
        std::int64_t m_percent = 80;
        bool m_charging = false;
        bool m_onAC = false;
        std::int64_t m_reads = 0;
    };

    int soak()
    {
        FakeUPower upower;
        const QString battery = QStringLiteral("battery_BAT0");
        upower.add(battery, FakeUPower::machineBattery());
        upower.add(QStringLiteral("line_power_AC"), { { QStringLiteral("Type"), 1u } });
        upower.start();
        test::FakePeer logind;

        double now = 1'800'000'000;
        SimulatedBattery simulated;
        std::multimap<double, std::function<void()>> timers;
        AppModelDeps deps = AppModelDeps::live();
        deps.now = [&now] { return now; };
        deps.read = [&simulated] { return simulated.read(); };
        deps.runLater = [&](double seconds, std::function<void()> job) {
            timers.emplace(now + seconds, std::move(job));
        };
        AppModel model(std::nullopt, deps);
        StatusController controller(model, makePanel);
        model.start();

        Figures first;
        Figures settled;
        int late = 0;
        for (int minute = 1; minute <= minutesPerWeek; ++minute) {
            now += 60;
            // Eight hours in, the lid closes for three quarters of an hour.
            if (minute % (8 * 60) == 0) {
                now += 45 * 60;
                logind.emitPrepareForSleep(false);
            }
            while (!timers.empty() && timers.begin()->first <= now) {
                auto due = timers.extract(timers.begin());
                due.mapped()();
            }
            simulated.advance(minute);
            upower.change(battery,
                { { QStringLiteral("Percentage"), static_cast<double>(simulated.percent()) } });
            // A Bluetooth mouse connects and disconnects; a hundred of them take turns.
            const QString mouse = QStringLiteral("mouse_dev_%1").arg(minute / 2 % 100);
            if (minute % 2 == 0)
                upower.add(mouse, FakeUPower::peripheral(5, minute % 30, QStringLiteral("MX")));
            else
                upower.remove(mouse);
            if (minute % (24 * 60) == 0) {
                upower.stop();
                test::serveEventsFor(5);
                upower.start();
            }
            const auto wanted = static_cast<std::size_t>(minute % 2 == 0 ? 1 : 0);
            if (!test::waitUntil([&] { return model.peripherals().size() == wanted; }, 2000))
                ++late;
            if (minute % 60 == 0) {
                controller.togglePanel();
                test::serveEventsFor(5);
                controller.togglePanel();
            }
            test::serveEventsFor(1);
            if (minute == 60)
                first = measure();
            // Two days in, the history holds all it keeps.
            if (minute == 2 * 24 * 60)
                settled = measure();
        }
        test::serveEventsFor(200);
        const Figures last = measure();
        std::printf("%-20s %14s %14s %14s\n", "", "after 1 hour", "after 2 days", "after 1 week");
        const auto row = [](const char* name, long long Figures::* figure, const Figures& a,
                             const Figures& b, const Figures& c) {
            std::printf("%-20s %14lld %14lld %14lld\n", name, a.*figure, b.*figure, c.*figure);
        };
        row("resident bytes", &Figures::residentBytes, first, settled, last);
        row("heap bytes in use", &Figures::heapBytes, first, settled, last);
        row("open descriptors", &Figures::openFiles, first, settled, last);
        row("live Qt objects", &Figures::objects, first, settled, last);
        std::printf("history samples %zu, health entries %zu, late peripheral updates %d\n",
            model.history().samples.size(), model.healthLog().entries.size(), late);
        const bool held = last.residentBytes - settled.residentBytes <= allowedGrowthBytes
            && last.openFiles <= first.openFiles;
        std::printf("%s\n",
            held ? "held: within 1 MiB from the second day on, no descriptor left open"
                 : "FAILED: memory grew past 1 MiB or descriptors were left");
        return held ? 0 : 1;
    }

} // namespace
} // namespace wattlet

int main(int argc, char** argv)
{
    wattlet::countObjects();
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QTemporaryDir home;
    qputenv("XDG_DATA_HOME", (home.path() + QStringLiteral("/data")).toUtf8());
    qputenv("XDG_CONFIG_HOME", (home.path() + QStringLiteral("/config")).toUtf8());
    // The buses first: libdbus reads their addresses on its first connection.
    wattlet::test::DBusTestBus::system();
    QApplication app(argc, argv);
    return wattlet::soak();
}
