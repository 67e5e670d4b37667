#include "ask_async.h"
#include "upower_device_list.h"
#include "upower_names.h"
#include "upower_record_points.h"

#include "core/battery_record.h"
#include "platform/battery_record_source.h"

#include <QDBusMessage>

namespace wattlet {

namespace {

    // About one point every ten minutes over two days: finer than the chart needs.
    constexpr unsigned resolution = 300;

    // UPower answers with at most `resolution` points; room for a daemon that gives a few more.
    constexpr std::size_t maxPoints = std::size_t { 4 } * resolution;

    /// One question to the daemon: its battery, then the charge record, then the rate record.
    class RecordRequest : public QObject
    {
    public:
        RecordRequest(QObject* context, std::function<void(std::vector<BatterySample>)> done)
            : QObject(context)
            , m_bus(QDBusConnection::systemBus())
            , m_devices(new UPowerDeviceList(m_bus, this))
            , m_done(std::move(done))
        {
            connect(m_devices, &UPowerDeviceList::loaded, this, &RecordRequest::onLoaded);
            m_devices->reload();
        }

    private:
        void onLoaded()
        {
            const QStringList batteries = m_devices->machineBatteries();
            // Several packs have one record each, none of them the machine's total.
            if (batteries.size() != 1) {
                finish({});
                return;
            }
            m_battery = batteries.first();
            ask(QStringLiteral("charge"), [this](const QDBusMessage& charge) {
                m_charge = upowerRecordPoints(charge, maxPoints);
                if (m_charge.empty()) {
                    finish({});
                    return;
                }
                ask(QStringLiteral("rate"), [this](const QDBusMessage& rate) {
                    finish(recordSamples(std::move(m_charge), upowerRecordPoints(rate, maxPoints)));
                });
            });
        }

        void ask(const QString& type, std::function<void(const QDBusMessage&)> then)
        {
            auto call = QDBusMessage::createMethodCall(UPowerNames::service, m_battery,
                UPowerNames::deviceInterface, QStringLiteral("GetHistory"));
            call.setArguments({ type, static_cast<uint>(BatteryHistory::keepSeconds), resolution });
            askAsync(m_bus, call, this,
                [then = std::move(then)](const QDBusPendingCall& answer) { then(answer.reply()); });
        }

        void finish(std::vector<BatterySample> samples)
        {
            const auto done = std::move(m_done);
            m_done = nullptr;
            deleteLater();
            if (done)
                done(std::move(samples));
        }

        QDBusConnection m_bus;
        UPowerDeviceList* m_devices;
        std::function<void(std::vector<BatterySample>)> m_done;
        QString m_battery;
        std::vector<RecordPoint> m_charge;
    };

} // namespace

void fetchBatteryRecord(QObject* context, std::function<void(std::vector<BatterySample>)> done)
{
    new RecordRequest(context, std::move(done));
}

} // namespace wattlet
