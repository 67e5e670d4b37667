#pragma once

#include "tray_actions.h"

#include "app/present/status_item_view.h"

#include <QColor>
#include <QObject>

#include <memory>

class QMenu;
class QSystemTrayIcon;

namespace wattlet {

/// The tray item through QSystemTrayIcon, for desktops without a StatusNotifierWatcher. Such
/// trays show no text beside the icon, so a shown percentage is painted into the icon.
class FallbackTrayIcon : public QObject
{
    Q_OBJECT

public:
    explicit FallbackTrayIcon(TrayActions actions, QObject* parent = nullptr);
    ~FallbackTrayIcon() override;

    void show(const StatusItemView& view, const QColor& foreground);
    void setVisible(bool visible);
    [[nodiscard]] bool isVisible() const;

private:
    TrayActions m_actions;
    std::unique_ptr<QMenu> m_menu;
    QSystemTrayIcon* m_icon = nullptr;
};

} // namespace wattlet
