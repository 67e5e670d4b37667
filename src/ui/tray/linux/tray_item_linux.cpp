#include "status_notifier_item.h"

#include "platform/color_scheme.h"
#include "ui/tray/fallback_tray_icon.h"
#include "ui/tray/panel_backdrop.h"
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
    // A host that has just taken the item may not have painted its bar yet.
    constexpr int measureDelayMs = 1000;

    /// Desktops whose Qt integration hands programs the palette their panels are drawn with.
    bool paletteFromDesktop(const QString& desktop)
    {
        const QStringList names = desktop.split(QLatin1Char(':'));
        return names.contains(QStringLiteral("KDE"), Qt::CaseInsensitive)
            || names.contains(QStringLiteral("LXQt"), Qt::CaseInsensitive)
            || qEnvironmentVariableIsSet("QT_QPA_PLATFORMTHEME");
    }

} // namespace

TrayItem::TrayItem(TrayActions actions, QObject* parent)
    : QObject(parent)
    , m_actions(std::move(actions))
    , m_fallbackDelay(new QTimer(this))
    , m_colorScheme(new ColorSchemeWatcher(this))
{
    connect(m_colorScheme, &ColorSchemeWatcher::changed, this, &TrayItem::redraw);
    m_fallbackDelay->setSingleShot(true);
    m_fallbackDelay->setInterval(fallbackDelayMs);
    connect(m_fallbackDelay, &QTimer::timeout, this, [this] { useFallback(true); });
    measureOnClicks();
    startStatusNotifierItem();
    showFallbackUnlessAWatcherIsThere();
    qApp->installEventFilter(this);
}

void TrayItem::measureOnClicks()
{
    // A click tells where the tray is: the bar there is what the icon must stand out on.
    m_actions.activate
        = [this, activate = std::move(m_actions.activate)](std::optional<QPoint> at) {
              if (at)
                  measurePanel(at);
              if (activate)
                  activate(at);
          };
}

void TrayItem::startStatusNotifierItem()
{
    auto item = std::make_unique<StatusNotifierItem>(QDBusConnection::sessionBus(), m_actions);
    if (!item->start())
        return;
    m_item = std::move(item);
    connect(m_item.get(), &StatusNotifierItem::registeredChanged, this, [this](bool registered) {
        if (registered) {
            m_fallbackDelay->stop();
            useFallback(false);
        } else {
            m_fallbackDelay->start();
        }
    });
}

void TrayItem::showFallbackUnlessAWatcherIsThere()
{
    // Without a watcher right now there is nothing to wait for: show the fallback at once. A
    // watcher that answers later replaces it; one that never accepts the item is given up on.
    const bool watcherPresent = m_item
        && QDBusConnection::sessionBus().interface()->isServiceRegistered(
            QString::fromLatin1(StatusNotifierItem::watcherService));
    if (watcherPresent)
        m_fallbackDelay->start();
    else
        useFallback(true);
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

TrayInk TrayItem::ink() const
{
    const QPalette palette = QGuiApplication::palette();
    TrayPanelHints hints;
    hints.measured = m_measuredPanel;
    hints.scheme = m_colorScheme->scheme();
    hints.desktop = qEnvironmentVariable("XDG_CURRENT_DESKTOP");
    hints.gtkTheme = qEnvironmentVariable("GTK_THEME");
    if (paletteFromDesktop(hints.desktop))
        hints.desktopPaletteLightness
            = palette.color(QPalette::Active, QPalette::Window).lightness();
    return trayInk(trayPanelShade(hints), palette);
}

void TrayItem::measurePanel(std::optional<QPoint> at)
{
    // An XEmbed tray shows the icon on its own background, which may be all of the tray there
    // is (one sized to its icons, beside the bare desktop): the icon's own place tells best.
    const auto icon = usesFallback() ? m_fallback->geometry() : std::nullopt;
    const QColor measured = icon ? screenBackdropColor(*icon) : measuredPanelColor(at);
    // Nothing could be read (Wayland, or neither a band nor a point): keep what is known.
    if (!measured.isValid() || measured == m_measuredPanel)
        return;
    m_measuredPanel = measured;
    redraw();
}

void TrayItem::redraw()
{
    const TrayInk current = ink();
    if (m_item)
        m_item->show(m_view, current);
    if (m_fallback)
        m_fallback->show(m_view, current);
}

void TrayItem::useFallback(bool on)
{
    // Either kind of host has just taken the item and is about to paint its bar.
    QTimer::singleShot(measureDelayMs, this, [this] { measurePanel(std::nullopt); });
    if (on && !m_fallback) {
        m_fallback = std::make_unique<FallbackTrayIcon>(m_actions);
        m_fallback->show(m_view, ink());
    }
    if (m_fallback)
        m_fallback->setVisible(on);
}

} // namespace wattlet
