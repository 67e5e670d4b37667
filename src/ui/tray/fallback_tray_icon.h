#pragma once

#include "tray_actions.h"
#include "tray_ink.h"

#include "app/present/status_item_view.h"

#include <QColor>
#include <QObject>
#include <QRect>

#include <memory>
#include <optional>

class QMenu;
class QSystemTrayIcon;

namespace wattlet {

/// The tray item through QSystemTrayIcon, for desktops without a StatusNotifierWatcher. Such
/// trays show no text beside the icon, so a shown percentage is always painted into the icon,
/// and the tooltip is one text: the title's line above the body.
class FallbackTrayIcon : public QObject
{
    Q_OBJECT

public:
    explicit FallbackTrayIcon(TrayActions actions, QObject* parent = nullptr);
    ~FallbackTrayIcon() override;

    void show(const StatusItemView& view, const TrayInk& ink);
    void setVisible(bool visible);
    [[nodiscard]] bool isVisible() const;
    /// Where the tray shows the icon, on the screen; nothing while it has not placed it.
    [[nodiscard]] std::optional<QRect> geometry() const;

private:
    TrayActions m_actions;
    std::unique_ptr<QMenu> m_menu;
    QSystemTrayIcon* m_icon = nullptr;
};

} // namespace wattlet
