#include "status_notifier_item.h"

#include "dbus_menu.h"
#include "identity.h"
#include "tray_host.h"

#include "platform/window_system.h"
#include "ui/tray/click_point.h"
#include "ui/tray/menu_popup.h"
#include "ui/tray/tray_icon.h"

#include <QCoreApplication>
#include <QCursor>
#include <QDBusAbstractAdaptor>
#include <QDBusConnectionInterface>
#include <QDBusObjectPath>
#include <QDBusPendingCallWatcher>
#include <QDBusPendingReply>
#include <QDBusServiceWatcher>
#include <QMenu>
#include <QTimer>

#include <atomic>
#include <utility>

namespace wattlet {

namespace {

    const QString appTitle = QString::fromUtf8(Identity::name);
    // How long a host may take after registering before the label is shown anyway.
    constexpr int labelHoldMs = 2000;

    int nextItemNumber()
    {
        static std::atomic<int> number { 0 };
        return ++number;
    }

} // namespace

/// The org.kde.StatusNotifierItem face of StatusNotifierItem.
class StatusNotifierItem::Adaptor : public QDBusAbstractAdaptor
{
    Q_OBJECT
    Q_CLASSINFO("D-Bus Interface", "org.kde.StatusNotifierItem")
    Q_PROPERTY(QString Category READ category)
    Q_PROPERTY(QString Id READ id)
    Q_PROPERTY(QString Title READ title)
    Q_PROPERTY(QString Status READ status)
    Q_PROPERTY(int WindowId READ windowId)
    Q_PROPERTY(QString IconThemePath READ emptyText)
    Q_PROPERTY(QString IconName READ emptyText)
    Q_PROPERTY(wattlet::DBusImageList IconPixmap READ iconPixmap)
    Q_PROPERTY(QString OverlayIconName READ emptyText)
    Q_PROPERTY(wattlet::DBusImageList OverlayIconPixmap READ noIcons)
    Q_PROPERTY(QString AttentionIconName READ emptyText)
    Q_PROPERTY(wattlet::DBusImageList AttentionIconPixmap READ noIcons)
    Q_PROPERTY(QString AttentionMovieName READ emptyText)
    Q_PROPERTY(wattlet::DBusToolTip ToolTip READ toolTip)
    Q_PROPERTY(bool ItemIsMenu READ itemIsMenu)
    Q_PROPERTY(QDBusObjectPath Menu READ menu)
    Q_PROPERTY(QString XAyatanaLabel READ label)
    Q_PROPERTY(QString XAyatanaLabelGuide READ labelGuide)

public:
    explicit Adaptor(StatusNotifierItem* item)
        : QDBusAbstractAdaptor(item)
        , m_item(item)
    { }

    [[nodiscard]] QString category() const { return QStringLiteral("Hardware"); }
    [[nodiscard]] QString id() const { return appTitle; }
    [[nodiscard]] QString title() const { return appTitle; }
    [[nodiscard]] QString status() const { return QStringLiteral("Active"); }
    [[nodiscard]] int windowId() const { return 0; }
    [[nodiscard]] QString emptyText() const { return {}; }
    [[nodiscard]] DBusImageList iconPixmap() const { return m_item->m_icons; }
    [[nodiscard]] DBusImageList noIcons() const { return {}; }
    [[nodiscard]] DBusToolTip toolTip() const
    {
        return { {}, m_item->m_icons, QString::fromStdString(m_item->m_view.toolTipTitle),
            QString::fromStdString(m_item->m_view.toolTipBody) };
    }
    [[nodiscard]] bool itemIsMenu() const { return false; }
    [[nodiscard]] QDBusObjectPath menu() const
    {
        return QDBusObjectPath(QString::fromLatin1(menuPath));
    }
    [[nodiscard]] QString label() const { return m_item->m_label; }
    [[nodiscard]] QString labelGuide() const
    {
        return label().isEmpty() ? QString() : QStringLiteral("100%");
    }

    void announce(bool icon, bool toolTip, bool label)
    {
        if (icon)
            Q_EMIT NewIcon();
        if (toolTip)
            Q_EMIT NewToolTip();
        if (label)
            Q_EMIT XAyatanaNewLabel(this->label(), labelGuide());
    }

    // NOLINTBEGIN(readability-identifier-naming): the protocol names them.
public Q_SLOTS:
    void Activate(int x, int y) { m_item->activate(x, y); }
    void SecondaryActivate(int x, int y) { m_item->activate(x, y); }
    void ContextMenu(int x, int y) { m_item->popUpMenu(x, y); }
    void ProvideXdgActivationToken(const QString& token) { m_item->m_activationToken = token; }
    void Scroll(int delta, const QString& orientation)
    {
        Q_UNUSED(delta)
        Q_UNUSED(orientation)
    }

Q_SIGNALS:
    void NewTitle();
    void NewIcon();
    void NewAttentionIcon();
    void NewOverlayIcon();
    void NewToolTip();
    void NewStatus(const QString& status);
    void XAyatanaNewLabel(const QString& label, const QString& guide);

    // NOLINTEND(readability-identifier-naming)
private:
    StatusNotifierItem* m_item;
};

StatusNotifierItem::StatusNotifierItem(
    QDBusConnection connection, TrayActions actions, QObject* parent)
    : QObject(parent)
    , m_connection(std::move(connection))
    , m_actions(std::move(actions))
{
    registerDBusTypes();
    m_adaptor = new Adaptor(this);
    m_menu = new DBusMenu(m_actions.menu, m_actions.run, this);
    connect(m_menu, &DBusMenu::layoutRead, this, &StatusNotifierItem::releaseLabel);
}

StatusNotifierItem::~StatusNotifierItem()
{
    if (!m_serviceName.isEmpty()) {
        m_connection.unregisterObject(QString::fromLatin1(itemPath));
        m_connection.unregisterObject(QString::fromLatin1(menuPath));
        m_connection.unregisterService(m_serviceName);
    }
}

bool StatusNotifierItem::start()
{
    if (!m_connection.isConnected())
        return false;
    const QString name = QStringLiteral("org.kde.StatusNotifierItem-%1-%2")
                             .arg(QCoreApplication::applicationPid())
                             .arg(nextItemNumber());
    if (!m_connection.registerService(name))
        return false;
    if (!m_connection.registerObject(
            QString::fromLatin1(itemPath), this, QDBusConnection::ExportAdaptors)
        || !m_menu->exportOn(m_connection, QString::fromLatin1(menuPath))) {
        m_connection.unregisterService(name);
        return false;
    }
    m_serviceName = name;

    m_watcher = new QDBusServiceWatcher(QString::fromLatin1(watcherService), m_connection,
        QDBusServiceWatcher::WatchForOwnerChange, this);
    connect(m_watcher, &QDBusServiceWatcher::serviceOwnerChanged, this,
        [this](const QString&, const QString&, const QString& newOwner) {
            if (newOwner.isEmpty())
                setRegistered(false);
            else
                registerWithWatcher();
        });
    if (m_connection.interface()->isServiceRegistered(QString::fromLatin1(watcherService)))
        registerWithWatcher();
    return true;
}

void StatusNotifierItem::registerWithWatcher()
{
    // Hosts differ in whether they draw labels: ask which one runs the watcher, and draw for it
    // before registering. GNOME's extension shows no label it read with the item's properties,
    // only a change signalled once it has set the item up: the label comes when the host has
    // read the menu, which it does last, or a little later.
    m_hostProgram = serviceProgram(m_connection, QString::fromLatin1(watcherService));
    m_labelHeld = true;
    draw();
    QTimer::singleShot(labelHoldMs, this, &StatusNotifierItem::releaseLabel);
    QDBusMessage call = QDBusMessage::createMethodCall(QString::fromLatin1(watcherService),
        QStringLiteral("/StatusNotifierWatcher"), QString::fromLatin1(watcherService),
        QStringLiteral("RegisterStatusNotifierItem"));
    call << m_serviceName;
    auto* pending = new QDBusPendingCallWatcher(m_connection.asyncCall(call), this);
    connect(pending, &QDBusPendingCallWatcher::finished, this, [this](QDBusPendingCallWatcher* w) {
        w->deleteLater();
        setRegistered(!w->isError());
    });
}

void StatusNotifierItem::releaseLabel()
{
    if (std::exchange(m_labelHeld, false))
        draw();
}

void StatusNotifierItem::setRegistered(bool registered)
{
    if (m_registered == registered)
        return;
    m_registered = registered;
    Q_EMIT registeredChanged(registered);
}

void StatusNotifierItem::show(const StatusItemView& view, const TrayInk& ink)
{
    m_view = view;
    m_ink = ink;
    m_menu->refresh();
    draw();
}

void StatusNotifierItem::draw()
{
    const PercentPlacement placement = percentPlacement(m_view, hostDrawsLabels(m_hostProgram));
    DBusImageList icons;
    for (const int size : trayIconSizes()) {
        switch (placement) {
        case PercentPlacement::icon:
            icons.push_back(dbusImage(trayPercentImage(m_view, size, m_ink)));
            break;
        case PercentPlacement::label:
            icons.push_back(dbusImage(trayLabelImage(m_view, size, m_ink)));
            break;
        case PercentPlacement::none:
            icons.push_back(dbusImage(trayIconImage(m_view, size, m_ink)));
            break;
        }
    }
    // The label without the title's leading space: hosts add their own spacing.
    const QString label = placement == PercentPlacement::label && !m_labelHeld
        ? QString::fromStdString(m_view.title).trimmed()
        : QString();
    const bool iconChanged = icons != m_icons;
    const bool toolTipChanged = iconChanged || m_view.toolTipTitle != m_shownToolTip.first
        || m_view.toolTipBody != m_shownToolTip.second;
    const bool labelChanged = label != m_label;
    m_icons = std::move(icons);
    m_label = label;
    m_shownToolTip = { m_view.toolTipTitle, m_view.toolTipBody };
    if (!m_serviceName.isEmpty())
        m_adaptor->announce(iconChanged, toolTipChanged, labelChanged);
}

void StatusNotifierItem::activate(int x, int y)
{
    if (!m_actions.activate)
        return;
    const std::optional<QPoint> at = clickPoint(x, y);
    // The host's token for this click lets the panel take the focus on Wayland.
    const QString token = std::exchange(m_activationToken, QString());
    // Answer the host first; opening the panel may take a moment.
    QTimer::singleShot(0, this, [this, at, token] {
        WindowSystem::useActivationToken(token);
        m_actions.activate(at);
    });
}

void StatusNotifierItem::popUpMenu(int x, int y)
{
    const std::optional<QPoint> at = clickPoint(x, y);
    QTimer::singleShot(0, this, [this, at] {
        // One menu, refilled on every call: a host (or anyone on the bus) may call this often.
        if (!m_popup)
            m_popup = std::make_unique<QMenu>();
        fillMenu(*m_popup, m_actions.menu ? m_actions.menu() : MenuView {}, m_actions.run);
        m_popup->popup(at.value_or(QCursor::pos()));
    });
}

} // namespace wattlet

#include "status_notifier_item.moc"
