#pragma once

#include "platform/window_system.h"

#include <QElapsedTimer>
#include <QPoint>
#include <QWidget>

#include <memory>
#include <optional>

namespace wattlet {

class ClickShield;
class ColorSchemeWatcher;
enum class SchemePreference;

/// The frameless window that carries the panel, placed by panelGeometry. It closes on a click
/// outside it, when it loses the focus, and on Escape, in the way its kind allows; it takes the
/// keyboard focus when it opens. Its colours follow the desktop's dark or light preference, else
/// the palette.
class PanelWindow : public QWidget
{
    Q_OBJECT

public:
    /// A window of `kind`, by default the one the window system the program runs on needs.
    explicit PanelWindow(WindowSystem::PanelKind kind = kindHere(), QWidget* parent = nullptr);
    ~PanelWindow() override;

    /// Shows `content` in place of the previous one, placed by panelGeometry on the screen of
    /// `anchor` (the primary screen without one).
    void open(std::unique_ptr<QWidget> content, std::optional<QPoint> anchor);
    [[nodiscard]] bool isOpen() const { return isVisible(); }
    [[nodiscard]] QWidget* content() const { return m_content; }
    /// The invisible window that takes the click outside the panel, for the shielded kind;
    /// null for the others.
    [[nodiscard]] ClickShield* shield() const { return m_shield.get(); }
    /// Whether the panel closed less than `ms` ago, for instance because the click on the tray
    /// icon that is now asking to toggle it was a click outside it.
    [[nodiscard]] bool closedWithin(int ms) const;
    /// Imposes the scheme a dark or light preference names on the window and its content;
    /// with none the content follows the palette again.
    void setSchemePreference(SchemePreference preference);

protected:
    bool event(QEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void hideEvent(QHideEvent* event) override;

private:
    [[nodiscard]] static WindowSystem::PanelKind kindHere();
    void place();

    QWidget* m_content = nullptr;
    std::optional<QPoint> m_anchor;
    QElapsedTimer m_closed;
    WindowSystem::PanelKind m_kind;
    std::unique_ptr<ClickShield> m_shield;
    ColorSchemeWatcher* m_colorScheme = nullptr;
};

} // namespace wattlet
