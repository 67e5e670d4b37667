#pragma once

#include "tray_actions.h"
#include "tray_ink.h"

#include "app/present/status_item_view.h"

#include <QObject>

#include <memory>

class QTimer;

namespace wattlet {

class ColorSchemeWatcher;
class FallbackTrayIcon;
class StatusNotifierItem;

/// The program's tray item: a StatusNotifierItem while a StatusNotifierWatcher accepts it,
/// QSystemTrayIcon while none does (no session bus, or no watcher yet or any more). Redraws
/// monochrome symbols when the palette, the desktop's colour-scheme preference or the measured
/// colour of the bar behind the tray changes.
class TrayItem : public QObject
{
    Q_OBJECT

public:
    explicit TrayItem(TrayActions actions, QObject* parent = nullptr);
    ~TrayItem() override;

    void show(const StatusItemView& view);
    [[nodiscard]] const StatusItemView& view() const { return m_view; }
    /// Null when the session bus is not usable.
    [[nodiscard]] StatusNotifierItem* statusNotifierItem() const { return m_item.get(); }
    [[nodiscard]] bool usesFallback() const;
    /// The ink the item is drawn in now.
    [[nodiscard]] TrayInk ink() const;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    /// Wraps the activate action so that a click first measures the bar it came from.
    void measureOnClicks();
    /// Offers the item on the session bus, when that is usable.
    void startStatusNotifierItem();
    void showFallbackUnlessAWatcherIsThere();
    void redraw();
    /// Reads the bar's colour off the screen, where the fallback icon is or else near `at` (or
    /// the bar's band), and redraws when it changed.
    void measurePanel(std::optional<QPoint> at);
    void useFallback(bool on);

    TrayActions m_actions;
    StatusItemView m_view;
    std::unique_ptr<StatusNotifierItem> m_item;
    std::unique_ptr<FallbackTrayIcon> m_fallback;
    QTimer* m_fallbackDelay = nullptr;
    ColorSchemeWatcher* m_colorScheme = nullptr;
    QColor m_measuredPanel;
};

} // namespace wattlet
