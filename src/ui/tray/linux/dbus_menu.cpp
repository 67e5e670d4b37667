#include "dbus_menu.h"

#include "dbus_types.h"

#include "ui/tray/menu_icon.h"

#include <QDBusAbstractAdaptor>
#include <QDBusMessage>
#include <QDBusMetaType>
#include <QTimer>

#include <optional>
#include <utility>

namespace wattlet {

namespace {

    constexpr int rootId = 0;
    constexpr int headerId = 1;
    constexpr int firstSeparatorId = 100;

    int actionId(MenuAction action) { return 1 + static_cast<int>(action); }

    /// Ids by row: the header (no action) 1, actions 2…, separators 100… in order.
    QList<int> rowIds(const MenuView& view)
    {
        QList<int> ids;
        int separators = 0;
        for (const MenuRow& row : view.rows) {
            if (row.separator)
                ids.push_back(firstSeparatorId + separators++);
            else if (row.action == MenuAction::none)
                ids.push_back(headerId);
            else
                ids.push_back(actionId(row.action));
        }
        return ids;
    }

    QVariantMap rowProperties(const MenuRow& row)
    {
        QVariantMap properties;
        if (row.separator) {
            properties.insert(QStringLiteral("type"), QStringLiteral("separator"));
            return properties;
        }
        // An underscore marks an access key in dbusmenu labels; a literal one is doubled.
        properties.insert(QStringLiteral("label"),
            QString::fromStdString(row.title).replace(QLatin1Char('_'), QStringLiteral("__")));
        if (!row.enabled)
            properties.insert(QStringLiteral("enabled"), false);
        if (const QString icon = menuIconName(row.symbol); !icon.isEmpty())
            properties.insert(QStringLiteral("icon-name"), icon);
        if (row.checked) {
            properties.insert(QStringLiteral("toggle-type"), QStringLiteral("radio"));
            properties.insert(QStringLiteral("toggle-state"), *row.checked ? 1 : 0);
        }
        return properties;
    }

    QVariantMap filtered(const QVariantMap& properties, const QStringList& names)
    {
        if (names.isEmpty())
            return properties;
        QVariantMap result;
        for (const QString& name : names) {
            if (const auto it = properties.find(name); it != properties.end())
                result.insert(name, *it);
        }
        return result;
    }

    QVariantMap rootProperties()
    {
        return { { QStringLiteral("children-display"), QStringLiteral("submenu") } };
    }

} // namespace

/// The com.canonical.dbusmenu face of DBusMenu.
class DBusMenu::Adaptor : public QDBusAbstractAdaptor
{
    Q_OBJECT
    Q_CLASSINFO("D-Bus Interface", "com.canonical.dbusmenu")
    Q_PROPERTY(uint Version READ version)
    Q_PROPERTY(QString TextDirection READ textDirection)
    Q_PROPERTY(QString Status READ status)
    Q_PROPERTY(QStringList IconThemePath READ iconThemePath)

public:
    explicit Adaptor(DBusMenu* menu)
        : QDBusAbstractAdaptor(menu)
        , m_menu(menu)
    { }

    [[nodiscard]] uint version() const { return 3; }
    [[nodiscard]] QString textDirection() const { return QStringLiteral("ltr"); }
    [[nodiscard]] QString status() const { return QStringLiteral("normal"); }
    [[nodiscard]] QStringList iconThemePath() const { return {}; }

    void announceLayout(uint revision) { Q_EMIT LayoutUpdated(revision, rootId); }
    void announceProperties(const DBusMenuItemList& updated, const DBusMenuItemKeysList& removed)
    {
        Q_EMIT ItemsPropertiesUpdated(updated, removed);
    }

    // NOLINTBEGIN(readability-identifier-naming): the protocol names them.
public Q_SLOTS:
    uint GetLayout(int parentId, int recursionDepth, const QStringList& propertyNames,
        wattlet::DBusMenuLayoutItem& layout)
    {
        Q_EMIT m_menu->layoutRead();
        if (parentId == rootId) {
            layout.id = rootId;
            layout.properties = filtered(rootProperties(), propertyNames);
            if (recursionDepth != 0) {
                const QList<int> ids = rowIds(m_menu->m_view);
                for (qsizetype i = 0; i < ids.size(); ++i) {
                    layout.children.push_back({ ids[i],
                        filtered(rowProperties(m_menu->m_view.rows[size_t(i)]), propertyNames),
                        {} });
                }
            }
        } else if (const auto row = find(parentId)) {
            layout.id = parentId;
            layout.properties = filtered(rowProperties(*row), propertyNames);
        } else {
            unknownId(parentId);
        }
        return m_menu->m_revision;
    }

    wattlet::DBusMenuItemList GetGroupProperties(
        const QList<int>& ids, const QStringList& propertyNames)
    {
        DBusMenuItemList items;
        for (const int id : ids) {
            if (id == rootId)
                items.push_back({ id, filtered(rootProperties(), propertyNames) });
            else if (const auto row = find(id))
                items.push_back({ id, filtered(rowProperties(*row), propertyNames) });
        }
        return items;
    }

    QDBusVariant GetProperty(int id, const QString& name)
    {
        const std::optional<MenuRow> row = find(id);
        if (!row && id != rootId) {
            unknownId(id);
            return {};
        }
        const QVariantMap properties = row ? rowProperties(*row) : rootProperties();
        const QVariant value = properties.value(name);
        // An empty variant cannot travel: the caller would wait for an answer that never comes.
        if (!value.isValid() && m_menu->calledFromDBus()) {
            m_menu->sendErrorReply(QDBusError::InvalidArgs,
                QStringLiteral("Menu item %1 has no %2").arg(id).arg(name));
        }
        return QDBusVariant(value);
    }

    void Event(int id, const QString& eventId, const QDBusVariant& data, uint timestamp)
    {
        Q_UNUSED(data)
        Q_UNUSED(timestamp)
        if (!handle(id, eventId))
            unknownId(id);
    }

    QList<int> EventGroup(const wattlet::DBusMenuEventList& events)
    {
        QList<int> idErrors;
        for (const DBusMenuEvent& event : events) {
            if (!handle(event.id, event.eventId))
                idErrors.push_back(event.id);
        }
        return idErrors;
    }

    bool AboutToShow(int id)
    {
        if (id != rootId)
            return false;
        return m_menu->refresh();
    }

    QList<int> AboutToShowGroup(const QList<int>& ids, QList<int>& idErrors)
    {
        QList<int> updatesNeeded;
        for (const int id : ids) {
            if (id == rootId) {
                if (m_menu->refresh())
                    updatesNeeded.push_back(id);
            } else if (!find(id)) {
                idErrors.push_back(id);
            }
        }
        return updatesNeeded;
    }

Q_SIGNALS:
    void ItemsPropertiesUpdated(const wattlet::DBusMenuItemList& updatedProps,
        const wattlet::DBusMenuItemKeysList& removedProps);
    void LayoutUpdated(uint revision, int parent);
    void ItemActivationRequested(int id, uint timestamp);

    // NOLINTEND(readability-identifier-naming)
private:
    [[nodiscard]] std::optional<MenuRow> find(int id) const
    {
        const QList<int> ids = rowIds(m_menu->m_view);
        const qsizetype index = ids.indexOf(id);
        if (index < 0)
            return std::nullopt;
        return m_menu->m_view.rows[size_t(index)];
    }

    /// Runs the action of a clicked row once this call has been answered; false for an
    /// unknown id. Other events (hovered, opened, closed) need nothing.
    bool handle(int id, const QString& eventId)
    {
        if (id == rootId)
            return true;
        const std::optional<MenuRow> row = find(id);
        if (!row)
            return false;
        if (eventId == QLatin1String("clicked") && row->enabled
            && row->action != MenuAction::none) {
            // However many clicks a call (or a flood of calls) holds, each action runs once.
            const bool first = m_menu->m_clicked.empty();
            m_menu->m_clicked.insert(row->action);
            if (first) {
                QTimer::singleShot(0, m_menu, [menu = m_menu] {
                    for (const MenuAction action : std::exchange(menu->m_clicked, {})) {
                        if (menu->m_run)
                            menu->m_run(action);
                    }
                });
            }
        }
        return true;
    }

    void unknownId(int id)
    {
        // QtDBus keeps the call's context on the adapted object.
        if (m_menu->calledFromDBus()) {
            m_menu->sendErrorReply(
                QDBusError::InvalidArgs, QStringLiteral("No menu item with id %1").arg(id));
        }
    }

    DBusMenu* m_menu;
};

DBusMenu::DBusMenu(
    std::function<MenuView()> source, std::function<void(MenuAction)> run, QObject* parent)
    : QObject(parent)
    , m_source(std::move(source))
    , m_run(std::move(run))
{
    registerDBusTypes();
    qDBusRegisterMetaType<QList<QStringList>>();
    m_adaptor = new Adaptor(this);
    if (m_source)
        m_view = m_source();
}

DBusMenu::~DBusMenu() = default;

bool DBusMenu::exportOn(QDBusConnection connection, const QString& path)
{
    return connection.registerObject(path, this, QDBusConnection::ExportAdaptors);
}

bool DBusMenu::refresh()
{
    if (!m_source)
        return false;
    MenuView view = m_source();
    if (view == m_view)
        return false;
    const QList<int> ids = rowIds(view);
    if (ids != rowIds(m_view)) {
        m_view = std::move(view);
        ++m_revision;
        m_adaptor->announceLayout(m_revision);
        return true;
    }
    // The same rows with new texts or states (a new reading, another language): only the
    // properties that changed travel.
    DBusMenuItemList updated;
    DBusMenuItemKeysList removed;
    for (qsizetype i = 0; i < ids.size(); ++i) {
        const QVariantMap before = rowProperties(m_view.rows[size_t(i)]);
        const QVariantMap after = rowProperties(view.rows[size_t(i)]);
        DBusMenuItem changed { ids[i], {} };
        for (auto it = after.begin(); it != after.end(); ++it) {
            if (before.value(it.key()) != it.value())
                changed.properties.insert(it.key(), it.value());
        }
        DBusMenuItemKeys gone { ids[i], {} };
        for (auto it = before.begin(); it != before.end(); ++it) {
            if (!after.contains(it.key()))
                gone.properties.push_back(it.key());
        }
        if (!changed.properties.isEmpty())
            updated.push_back(std::move(changed));
        if (!gone.properties.isEmpty())
            removed.push_back(std::move(gone));
    }
    m_view = std::move(view);
    m_adaptor->announceProperties(updated, removed);
    return true;
}

} // namespace wattlet

#include "dbus_menu.moc"
