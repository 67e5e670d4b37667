#pragma once

#include "app/present/menu_view.h"

#include <QDBusConnection>
#include <QDBusContext>
#include <QObject>

#include <functional>
#include <memory>
#include <set>

namespace wattlet {

/// Exports the tray menu over com.canonical.dbusmenu. Rows keep stable ids per action, so a
/// click still finds its row after a rebuild. The rows come from `source` on every
/// AboutToShow and refresh(); a "clicked" event runs the row's action after the D-Bus reply.
/// The rows' shortcuts are left out: a host's menu cannot route them to the program.
class DBusMenu : public QObject, protected QDBusContext
{
    Q_OBJECT

public:
    DBusMenu(std::function<MenuView()> source, std::function<void(MenuAction)> run,
        QObject* parent = nullptr);
    ~DBusMenu() override;

    /// Registers the menu object at `path`; false when the connection refuses.
    bool exportOn(QDBusConnection connection, const QString& path);
    /// Rebuilds the rows. New or removed rows announce LayoutUpdated with a new revision; the
    /// same rows with changed texts or states announce ItemsPropertiesUpdated with just the
    /// changes. Returns whether anything changed.
    bool refresh();
    [[nodiscard]] const MenuView& view() const { return m_view; }
    [[nodiscard]] uint revision() const { return m_revision; }

Q_SIGNALS:
    /// A host asked for the rows (GetLayout).
    void layoutRead();

private:
    class Adaptor;
    friend class Adaptor;

    std::function<MenuView()> m_source;
    std::function<void(MenuAction)> m_run;
    /// Clicked rows whose actions run once the calls that clicked them are answered.
    std::set<MenuAction> m_clicked;
    MenuView m_view;
    uint m_revision = 1;
    Adaptor* m_adaptor = nullptr;
};

} // namespace wattlet
