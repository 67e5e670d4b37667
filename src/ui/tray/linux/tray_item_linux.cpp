#include "status_notifier_item.h"

#include "ui/desktop/linux/color_scheme_portal.h"
#include "ui/tray/fallback_tray_icon.h"
#include "ui/tray/tray_icon.h"
#include "ui/tray/tray_item.h"

#include <QDBusConnection>
#include <QDBusConnectionInterface>
#include <QEvent>
#include <QGuiApplication>
#include <QTimer>

namespace wattlet {

namespace {

    // A watcher that goes away usually comes back at once (a panel restart); only a longer
    // absence brings up the fallback icon.
    constexpr int fallbackDelayMs = 3000;

} // namespace

TrayItem::TrayItem(TrayActions actions, QObject* parent)
    : QObject(parent)
    , m_actions(std::move(actions))
    , m_fallbackDelay(new QTimer(this))
    , m_colorScheme(new ColorSchemePortal(QDBusConnection::sessionBus(), this))
{
    connect(m_colorScheme, &ColorSchemePortal::changed, this, &TrayItem::redraw);
    m_fallbackDelay->setSingleShot(true);
    m_fallbackDelay->setInterval(fallbackDelayMs);
    connect(m_fallbackDelay, &QTimer::timeout, this, [this] { useFallback(true); });

    auto item = std::make_unique<StatusNotifierItem>(QDBusConnection::sessionBus(), m_actions);
    if (item->start()) {
        m_item = std::move(item);
        connect(
            m_item.get(), &StatusNotifierItem::registeredChanged, this, [this](bool registered) {
                if (registered) {
                    m_fallbackDelay->stop();
                    useFallback(false);
                } else {
                    m_fallbackDelay->start();
                }
            });
    }
    // Without a watcher right now there is nothing to wait for: show the fallback at once. A
    // watcher that answers later replaces it; one that never accepts the item is given up on.
    const bool watcherPresent = m_item
        && QDBusConnection::sessionBus().interface()->isServiceRegistered(
            QString::fromLatin1(StatusNotifierItem::watcherService));
    if (watcherPresent)
        m_fallbackDelay->start();
    else
        useFallback(true);
    qApp->installEventFilter(this);
}

TrayItem::~TrayItem() = default;

void TrayItem::show(const StatusItemView& view)
{
    m_view = view;
    redraw();
}

bool TrayItem::usesFallback() const { return m_fallback && m_fallback->isVisible(); }

bool TrayItem::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == qApp && event->type() == QEvent::ApplicationPaletteChange)
        redraw();
    return QObject::eventFilter(watched, event);
}

QColor TrayItem::foreground() const
{
    const QPalette palette = QGuiApplication::palette();
    return trayForeground(trayPanelIsDark(qEnvironmentVariable("XDG_CURRENT_DESKTOP"),
                              m_colorScheme->scheme(), qEnvironmentVariable("GTK_THEME"),
                              palette.color(QPalette::Active, QPalette::Window).lightness()),
        palette);
}

void TrayItem::redraw()
{
    const QColor color = foreground();
    if (m_item)
        m_item->show(m_view, color);
    if (m_fallback)
        m_fallback->show(m_view, color);
}

void TrayItem::useFallback(bool on)
{
    if (on && !m_fallback) {
        m_fallback = std::make_unique<FallbackTrayIcon>(m_actions);
        m_fallback->show(m_view, foreground());
    }
    if (m_fallback)
        m_fallback->setVisible(on);
}

} // namespace wattlet
