#pragma once

#include <QElapsedTimer>
#include <QPoint>
#include <QRect>
#include <QSize>
#include <QWidget>

#include <memory>
#include <optional>

namespace wattlet {

class ColorSchemePortal;
enum class SchemePreference;

/// Where a panel of `size` goes on a screen of geometry `screen` whose work area (what bars
/// leave free) is `available`. An `anchor` (a click, moved onto the screen first) near a screen
/// edge is a click in a bar there: the panel opens beside that bar (below a top bar, above a
/// bottom one, right of a left one, left of a right one), centred on the click along it, and
/// never over it, even where the work area does not exclude the bar: a bar reaches at least
/// twice as far from the edge as the click. An anchor farther in puts the panel below it, above
/// when it does not fit. Without an anchor it goes to the work area's corner at the edge the
/// work area reserves most (top-right, bottom-right, bottom-left, bottom-right for top, bottom,
/// left, right), or below an assumed top bar when nothing is reserved. It stays inside the work
/// area; a panel larger than that shows its top-left part.
[[nodiscard]] QRect panelGeometry(
    QSize size, std::optional<QPoint> anchor, QRect screen, QRect available);

/// The frameless popup that carries the panel. It closes on a click outside it, when it loses
/// the focus, and on Escape; it takes the keyboard focus when it opens. Its colours follow the
/// desktop's dark or light preference from the settings portal, else the palette.
class PanelWindow : public QWidget
{
    Q_OBJECT

public:
    explicit PanelWindow(QWidget* parent = nullptr);
    ~PanelWindow() override;

    /// Shows `content` in place of the previous one, placed by panelGeometry on the screen of
    /// `anchor` (the primary screen without one).
    void open(std::unique_ptr<QWidget> content, std::optional<QPoint> anchor);
    [[nodiscard]] bool isOpen() const { return isVisible(); }
    [[nodiscard]] QWidget* content() const { return m_content; }
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
    void place();

    QWidget* m_content = nullptr;
    std::optional<QPoint> m_anchor;
    QElapsedTimer m_closed;
    ColorSchemePortal* m_colorScheme = nullptr;
};

} // namespace wattlet
