#pragma once

#include "dbus_types.h"

#include "app/present/status_item_view.h"
#include "ui/tray/tray_actions.h"
#include "ui/tray/tray_ink.h"

#include <QColor>
#include <QDBusConnection>
#include <QObject>
#include <QString>

#include <memory>
#include <string>
#include <utility>

class QDBusServiceWatcher;
class QMenu;

namespace wattlet {

class DBusMenu;

/// The tray item as a StatusNotifierItem on the session bus, with its menu exported over
/// com.canonical.dbusmenu. A host's activation token (ProvideXdgActivationToken, sent before
/// Activate) goes with the activation that follows. It registers with org.kde.StatusNotifierWatcher
/// whenever a watcher appears (also after a restart of the watcher) and tells the host only about
/// what changed.
class StatusNotifierItem : public QObject
{
    Q_OBJECT

public:
    static constexpr const char* watcherService = "org.kde.StatusNotifierWatcher";
    static constexpr const char* itemPath = "/StatusNotifierItem";
    static constexpr const char* menuPath = "/MenuBar";

    StatusNotifierItem(QDBusConnection connection, TrayActions actions, QObject* parent = nullptr);
    ~StatusNotifierItem() override;

    /// Takes a service name, exports the item and the menu, and registers when a watcher is
    /// present. False when the connection is not usable.
    bool start();
    /// Draws `view` in `ink`, with a shown percentage as the label where the host draws labels
    /// and in the icon elsewhere, and signals the changed parts.
    void show(const StatusItemView& view, const TrayInk& ink);
    /// Whether the current watcher accepted the item.
    [[nodiscard]] bool isRegistered() const { return m_registered; }
    /// The bus name the item registered with, "org.kde.StatusNotifierItem-<pid>-<n>".
    [[nodiscard]] QString serviceName() const { return m_serviceName; }
    [[nodiscard]] DBusMenu& menu() { return *m_menu; }
    /// The program of the watcher that accepted the item ("gnome-shell", "xfce4-panel"); empty
    /// before that or when the bus does not tell.
    [[nodiscard]] QString hostProgram() const { return m_hostProgram; }

Q_SIGNALS:
    /// The watcher accepted the item, or went away.
    void registeredChanged(bool registered);

private:
    class Adaptor;
    friend class Adaptor;

    void registerWithWatcher();
    void setRegistered(bool registered);
    void draw();
    void releaseLabel();
    void activate(int x, int y);
    void popUpMenu(int x, int y);

    QDBusConnection m_connection;
    TrayActions m_actions;
    QString m_serviceName;
    bool m_registered = false;
    /// Registered, and the host has not read the menu since: the label waits.
    bool m_labelHeld = false;
    /// The host's activation token for the click it is about to report.
    QString m_activationToken;
    QString m_hostProgram;
    StatusItemView m_view;
    TrayInk m_ink;
    DBusImageList m_icons;
    QString m_label;
    std::pair<std::string, std::string> m_shownToolTip;
    Adaptor* m_adaptor = nullptr;
    DBusMenu* m_menu = nullptr;
    QDBusServiceWatcher* m_watcher = nullptr;
    std::unique_ptr<QMenu> m_popup;
};

} // namespace wattlet
