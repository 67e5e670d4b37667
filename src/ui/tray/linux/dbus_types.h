#pragma once

#include <QDBusArgument>
#include <QDBusVariant>
#include <QImage>
#include <QList>
#include <QMetaType>
#include <QString>
#include <QStringList>
#include <QVariantMap>

namespace wattlet {

/// One icon of the StatusNotifierItem protocol, D-Bus (iiay): ARGB32 pixels in network byte
/// order, rows top to bottom.
struct DBusImage
{
    int width = 0;
    int height = 0;
    QByteArray pixels;

    bool operator==(const DBusImage&) const = default;
};
using DBusImageList = QList<DBusImage>;

/// The item's tooltip, D-Bus (sa(iiay)ss).
struct DBusToolTip
{
    QString iconName;
    DBusImageList icons;
    QString title;
    QString body;
};

/// A menu item's properties, D-Bus (ia{sv}).
struct DBusMenuItem
{
    int id = 0;
    QVariantMap properties;
};
using DBusMenuItemList = QList<DBusMenuItem>;

/// The names of removed properties of a menu item, D-Bus (ias).
struct DBusMenuItemKeys
{
    int id = 0;
    QStringList properties;
};
using DBusMenuItemKeysList = QList<DBusMenuItemKeys>;

/// A menu item with its children, D-Bus (ia{sv}av); each child travels as a variant.
struct DBusMenuLayoutItem
{
    int id = 0;
    QVariantMap properties;
    QList<DBusMenuLayoutItem> children;
};

/// One event of EventGroup, D-Bus (isvu).
struct DBusMenuEvent
{
    int id = 0;
    QString eventId;
    QDBusVariant data;
    uint timestamp = 0;
};
using DBusMenuEventList = QList<DBusMenuEvent>;

/// `image` converted to the protocol's form (any format in, ARGB32 big-endian out).
[[nodiscard]] DBusImage dbusImage(const QImage& image);

/// Registers the types above with QtDBus; safe to call more than once.
void registerDBusTypes();

QDBusArgument& operator<<(QDBusArgument& argument, const DBusImage& image);
const QDBusArgument& operator>>(const QDBusArgument& argument, DBusImage& image);
QDBusArgument& operator<<(QDBusArgument& argument, const DBusToolTip& toolTip);
const QDBusArgument& operator>>(const QDBusArgument& argument, DBusToolTip& toolTip);
QDBusArgument& operator<<(QDBusArgument& argument, const DBusMenuItem& item);
const QDBusArgument& operator>>(const QDBusArgument& argument, DBusMenuItem& item);
QDBusArgument& operator<<(QDBusArgument& argument, const DBusMenuItemKeys& keys);
const QDBusArgument& operator>>(const QDBusArgument& argument, DBusMenuItemKeys& keys);
QDBusArgument& operator<<(QDBusArgument& argument, const DBusMenuLayoutItem& item);
const QDBusArgument& operator>>(const QDBusArgument& argument, DBusMenuLayoutItem& item);
QDBusArgument& operator<<(QDBusArgument& argument, const DBusMenuEvent& event);
const QDBusArgument& operator>>(const QDBusArgument& argument, DBusMenuEvent& event);

} // namespace wattlet

Q_DECLARE_METATYPE(wattlet::DBusImage)
Q_DECLARE_METATYPE(wattlet::DBusToolTip)
Q_DECLARE_METATYPE(wattlet::DBusMenuItem)
Q_DECLARE_METATYPE(wattlet::DBusMenuItemKeys)
Q_DECLARE_METATYPE(wattlet::DBusMenuLayoutItem)
Q_DECLARE_METATYPE(wattlet::DBusMenuEvent)
