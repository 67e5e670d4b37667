#pragma once

#include <QDBusArgument>
#include <QMetaType>
#include <QVariant>

#include <optional>

namespace wattlet {

/// A D-Bus value as `T` when it has `signature` ("a{sv}", "aa{sv}", …), or nothing. Qt hands
/// over simple arrays (such as "as") already converted, others still marshalled.
template <typename T> std::optional<T> argumentAs(const QVariant& argument, const char* signature)
{
    if (argument.metaType() == QMetaType::fromType<T>())
        return argument.value<T>();
    if (argument.metaType() != QMetaType::fromType<QDBusArgument>())
        return std::nullopt;
    const auto marshalled = argument.value<QDBusArgument>();
    if (marshalled.currentSignature() != QLatin1String(signature))
        return std::nullopt;
    return qdbus_cast<T>(marshalled);
}

} // namespace wattlet
