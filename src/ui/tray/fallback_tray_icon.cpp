#include "fallback_tray_icon.h"

#include "menu_popup.h"
#include "tray_icon.h"

#include <QIcon>
#include <QMenu>
#include <QPixmap>
#include <QSystemTrayIcon>

namespace wattlet {

FallbackTrayIcon::FallbackTrayIcon(TrayActions actions, QObject* parent)
    : QObject(parent)
    , m_actions(std::move(actions))
    , m_menu(std::make_unique<QMenu>())
    , m_icon(new QSystemTrayIcon(this))
{
    // The rows follow the reading and the language, so they are built as the menu opens.
    connect(m_menu.get(), &QMenu::aboutToShow, this, [this] {
        fillMenu(*m_menu, m_actions.menu ? m_actions.menu() : MenuView {}, m_actions.run);
    });
    m_icon->setContextMenu(m_menu.get());
    connect(m_icon, &QSystemTrayIcon::activated, this,
        [this](QSystemTrayIcon::ActivationReason reason) {
            if ((reason == QSystemTrayIcon::Trigger || reason == QSystemTrayIcon::MiddleClick)
                && m_actions.activate) {
                const std::optional<QRect> icon = geometry();
                m_actions.activate(icon
                        ? std::optional<QPoint>(QPoint(icon->center().x(), icon->bottom()))
                        : std::nullopt);
            }
        });
}

FallbackTrayIcon::~FallbackTrayIcon()
{
    // The icon refers to the menu, which goes first otherwise.
    delete m_icon;
}

void FallbackTrayIcon::show(const StatusItemView& view, const TrayInk& ink)
{
    QIcon icon;
    for (const int size : trayIconSizes())
        icon.addPixmap(QPixmap::fromImage(trayPercentImage(view, size, ink)));
    m_icon->setIcon(icon);
    m_icon->setToolTip(QString::fromStdString(view.toolTip));
}

void FallbackTrayIcon::setVisible(bool visible) { m_icon->setVisible(visible); }

bool FallbackTrayIcon::isVisible() const { return m_icon->isVisible(); }

std::optional<QRect> FallbackTrayIcon::geometry() const
{
    const QRect geometry = m_icon->geometry();
    return geometry.isValid() ? std::optional(geometry) : std::nullopt;
}

} // namespace wattlet
