#pragma once

#include "app/present/menu_view.h"

#include <QObject>
#include <QPoint>
#include <QWidget>

#include <functional>
#include <memory>
#include <optional>

namespace wattlet {

class AppModel;
class PanelWindow;
class TrayItem;

/// The program's presence in the tray: draws the item from the model's reading after every
/// refresh, opens and closes the panel on a primary click, and carries out the menu's rows.
class StatusController : public QObject
{
    Q_OBJECT

public:
    /// Builds the panel's content for one opening.
    using PanelFactory = std::function<std::unique_ptr<QWidget>(AppModel&)>;

    /// Installs itself as the model's onUpdate (held weakly) and draws the item once.
    /// `factory` defaults to the panel of the main page.
    explicit StatusController(
        AppModel& model, PanelFactory factory = {}, QObject* parent = nullptr);
    ~StatusController() override;

    /// Redraws the item from the model's reading and the percent preference.
    void update();
    /// Closes the panel when it is open; otherwise refreshes the model (without recording) and
    /// opens a new panel at `at` (the last click position, or the screen's corner, without one).
    void togglePanel(std::optional<QPoint> at = std::nullopt);
    /// Opens the panel unless it is open already.
    void openPanel();
    /// Puts the summary on the clipboard as plain text; nothing without a reading.
    void copySummary();
    /// Carries out a menu row.
    void run(MenuAction action);
    /// The menu rows for the model's reading, in the current language.
    [[nodiscard]] MenuView menu() const;

    [[nodiscard]] bool isPanelOpen() const;
    [[nodiscard]] PanelWindow& panel() { return *m_panel; }
    [[nodiscard]] TrayItem& tray() { return *m_tray; }

private:
    /// A click on the tray item.
    void activate(std::optional<QPoint> at);

    AppModel& m_model;
    PanelFactory m_factory;
    std::unique_ptr<PanelWindow> m_panel;
    std::unique_ptr<TrayItem> m_tray;
    std::optional<QPoint> m_lastClick;
};

} // namespace wattlet
