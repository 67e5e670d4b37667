#include "upower_record_points.h"

#include <QDBusArgument>
#include <QDBusMessage>

namespace wattlet {

std::vector<RecordPoint> upowerRecordPoints(const QDBusMessage& reply, std::size_t maxPoints)
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
    // Leaving the array skips the rest of it without reading it.
    while (!data.atEnd() && points.size() < maxPoints) {
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

} // namespace wattlet
