#pragma once

#include <QByteArray>
#include <QProcessEnvironment>
#include <QString>

#include <optional>

namespace wattlet {

/// How the program reaches the display, decided from the environment before QApplication.
struct DisplayChoice
{
    /// The Qt platform to start on; empty leaves Qt's own choice (QT_QPA_PLATFORM is set).
    QByteArray platform;
    /// Why nothing can be shown, as one line; set when there is no display at all.
    std::optional<QString> error;
};

/// QT_QPA_PLATFORM wins when set. A GNOME Wayland session that also offers XWayland runs
/// through it ("xcb"): GNOME's tray extension gives the click in screen coordinates, so the
/// panel opens there, while a native window goes where the shell puts it and, denied the focus,
/// never closes on its loss. Other Wayland sessions run natively ("wayland"): their bars (waybar)
/// give clicks relative to the icon, XWayland sees no click outside its own windows and is
/// blurred on scaled outputs, and their window rules can put the panel at the pointer. X11 alone
/// runs on "xcb". Neither WAYLAND_DISPLAY nor DISPLAY is an error.
[[nodiscard]] DisplayChoice chooseDisplay(const QProcessEnvironment& environment);

/// Brackets QApplication's construction: starts Qt on the chosen platform without passing it on
/// to the programs this one launches, and turns Qt's fatal "cannot open the display" into one
/// line on stderr and exit status 1 instead of an abort. The platform's warnings said while
/// trying are held back and shown once the display is open.
class DisplayStartGuard
{
public:
    explicit DisplayStartGuard(const DisplayChoice& choice);
    ~DisplayStartGuard();
    DisplayStartGuard(const DisplayStartGuard&) = delete;
    DisplayStartGuard& operator=(const DisplayStartGuard&) = delete;

    /// The display is open: restores the environment and Qt's message output.
    void finish();

private:
    bool m_active = true;
    bool m_platformSet = false;
};

} // namespace wattlet
