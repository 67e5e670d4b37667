#include "ask_async.h"
#include "upower_device_list.h"
#include "upower_names.h"

#include "core/battery_record.h"
#include "platform/battery_record_source.h"

#include <QDBusArgument>
#include <QDBusMessage>

namespace wattlet {

namespace {

    // About one point every ten minutes over two days: finer than the chart needs.
    constexpr unsigned resolution = 300;

    std::vector<RecordPoint> recordPoints(const QDBusMessage& reply)
    {
        std::vector<RecordPoint> points;
        if (reply.type() != QDBusMessage::ReplyMessage || reply.arguments().size() != 1)
            return points;
        const QVariant argument = reply.arguments().first();
        if (argument.metaType() != QMetaType::fromType<QDBusArgument>())
            return points;
        const auto data = argument.value<QDBusArgument>();
        if (data.currentSignature() != QLatin1String("a(udu)"))
            return points;
        data.beginArray();
        while (!data.atEnd()) {
            uint time = 0;
            double value = 0;
            uint state = 0;
            data.beginStructure();
            data >> time >> value >> state;
            data.endStructure();
            points.push_back({ static_cast<double>(time), value, state });
        }
        data.endArray();
        return points;
    }

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
                m_charge = recordPoints(charge);
                if (m_charge.empty()) {
                    finish({});
                    return;
                }
                ask(QStringLiteral("rate"), [this](const QDBusMessage& rate) {
                    finish(recordSamples(std::move(m_charge), recordPoints(rate)));
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
