#pragma once

#include <QByteArray>
#include <QProcessEnvironment>
#include <QString>
#include <QtGlobal>

#include <optional>
#include <vector>

/// What the program must know of the display server it runs on, and the few requests it makes
/// of it beyond what Qt offers. Decided from the environment and the Qt platform's name.
namespace wattlet::WindowSystem {

/// How the program reaches the display, decided from the environment before QApplication.
struct DisplayChoice
{
    /// The Qt platform to start on; empty leaves Qt's own choice (QT_QPA_PLATFORM is set).
    QByteArray platform;
    /// Why nothing can be shown, as one line; set when there is no display at all.
    std::optional<QString> error;
};

/// QT_QPA_PLATFORM wins when set. A GNOME or KDE Wayland session that also offers XWayland runs
/// through it ("xcb"): their trays give the click in screen coordinates, and an X11 window goes
/// exactly there, off the task bar, while a native window goes where the compositor puts it
/// (centred, or at the top left) with a task-bar entry. Other Wayland sessions run natively
/// ("wayland"): their bars (waybar) give clicks relative to the icon and their window rules can
/// put the panel at the pointer. X11 alone runs on "xcb". Neither WAYLAND_DISPLAY nor DISPLAY is
/// an error.
[[nodiscard]] DisplayChoice chooseDisplay(const QProcessEnvironment& environment);

/// How the panel's window closes when the user is done with it.
enum class PanelKind {
    /// A popup: it grabs the pointer, so a click anywhere else closes it (X11, and windowless
    /// platforms).
    popup,
    /// A frameless tool window that closes when it loses the focus, under an invisible shield
    /// over the screens that takes a click outside it: XWayland's popups see no click outside
    /// the program's own windows, and the desktop behind takes no focus on GNOME.
    shieldedTool,
    /// A frameless tool window that closes when it loses the focus (native Wayland, where
    /// nothing can be grabbed).
    tool,
};

/// The panel's kind on the Qt platform `qtPlatform` ("xcb", "wayland", "offscreen", …), under
/// XWayland when `environment` names a Wayland display besides.
[[nodiscard]] PanelKind panelKind(
    const QString& qtPlatform, const QProcessEnvironment& environment);

/// Whether the screen's pixels can be read back: on X11 only, not under XWayland, whose root
/// window shows nothing of the Wayland surfaces.
[[nodiscard]] bool screenReadable(
    const QString& qtPlatform, const QProcessEnvironment& environment);

/// A desktop bar along a screen's edge, as the desktop's own settings describe it: the band it
/// takes, `thickness` pixels from the edge, whatever the work area says (a floating bar drawn
/// off the edge reaches past it, and under XWayland there is none).
struct ScreenBar
{
    enum class Edge { top, bottom, left, right };
    Edge edge = Edge::bottom;
    int thickness = 0;
};

/// The bars the desktop's settings describe (Plasma's panels, under KDE); none elsewhere or when
/// they cannot be read. Read anew on every call: the user may move a bar at any time.
[[nodiscard]] std::vector<ScreenBar> screenBars();

/// Marks the X11 window `windowId` (not yet shown) to be left out of task bars and window
/// switchers, as a panel beside the tray should be. Does nothing where that is not X11.
void keepOffTaskbar(quintptr windowId);

/// Hands Qt the activation token a tray host gave with a click, so that the next window the
/// program activates is let take the focus (Wayland's xdg-activation).
void useActivationToken(const QString& token);

} // namespace wattlet::WindowSystem
