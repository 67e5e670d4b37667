#include "plasma_panels.h"
#include "regular_file.h"
#include "xdg_dirs.h"

#include "platform/window_system.h"

#include <QStringList>

#include <array>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <xcb/xcb.h>

namespace wattlet::WindowSystem {

namespace {

    bool isSet(const QProcessEnvironment& environment, const char* name)
    {
        return !environment.value(QLatin1String(name)).isEmpty();
    }

    bool onDesktop(const QProcessEnvironment& environment, const QString& desktop)
    {
        return environment.value(QStringLiteral("XDG_CURRENT_DESKTOP"))
            .split(u':')
            .contains(desktop, Qt::CaseInsensitive);
    }

    /// Desktops whose trays give clicks in screen coordinates and let X11 windows place
    /// themselves.
    bool placesThroughXWayland(const QProcessEnvironment& environment)
    {
        return onDesktop(environment, QStringLiteral("GNOME"))
            || onDesktop(environment, QStringLiteral("KDE"));
    }

    bool underXWayland(const QString& qtPlatform, const QProcessEnvironment& environment)
    {
        return qtPlatform == QLatin1String("xcb") && isSet(environment, "WAYLAND_DISPLAY");
    }

    xcb_atom_t internAtom(xcb_connection_t* connection, const char* name)
    {
        const xcb_intern_atom_cookie_t cookie
            = xcb_intern_atom(connection, 0, static_cast<uint16_t>(std::strlen(name)), name);
        const std::unique_ptr<xcb_intern_atom_reply_t, decltype(&std::free)> reply(
            xcb_intern_atom_reply(connection, cookie, nullptr), &std::free);
        return reply ? reply->atom : xcb_atom_t { XCB_ATOM_NONE };
    }

} // namespace

DisplayChoice chooseDisplay(const QProcessEnvironment& environment)
{
    if (isSet(environment, "QT_QPA_PLATFORM"))
        return {};
    const bool wayland = isSet(environment, "WAYLAND_DISPLAY");
    const bool x11 = isSet(environment, "DISPLAY");
    if (wayland && !(x11 && placesThroughXWayland(environment)))
        return { QByteArrayLiteral("wayland"), std::nullopt };
    if (x11)
        return { QByteArrayLiteral("xcb"), std::nullopt };
    return { {},
        QStringLiteral("wattlet: no display (neither WAYLAND_DISPLAY nor DISPLAY is set); "
                       "--summary and --watch work without one") };
}

PanelKind panelKind(const QString& qtPlatform, const QProcessEnvironment& environment)
{
    if (underXWayland(qtPlatform, environment))
        return PanelKind::shieldedTool;
    if (qtPlatform == QLatin1String("xcb") || qtPlatform == QLatin1String("offscreen")
        || qtPlatform == QLatin1String("minimal"))
        return PanelKind::popup;
    return PanelKind::tool;
}

bool screenReadable(const QString& qtPlatform, const QProcessEnvironment& environment)
{
    return qtPlatform == QLatin1String("xcb") && !underXWayland(qtPlatform, environment);
}

std::vector<ScreenBar> screenBars()
{
    if (!onDesktop(QProcessEnvironment::systemEnvironment(), QStringLiteral("KDE")))
        return {};
    constexpr std::size_t maxBytes = 1 << 20;
    const auto read = [](const char* name) {
        return QString::fromStdString(readRegularFile(
            (XdgDirs::configHome() + u'/' + QLatin1String(name)).toStdString(), maxBytes)
                .value_or(std::string()));
    };
    return plasmaPanels(read("plasma-org.kde.plasma.desktop-appletsrc"), read("plasmashellrc"));
}

void keepOffTaskbar(quintptr windowId)
{
    // A connection of its own: the property is the server's, whoever sets it. The window
    // manager reads it when the window is mapped, so it must be there before Qt maps it.
    const std::unique_ptr<xcb_connection_t, decltype(&xcb_disconnect)> connection(
        xcb_connect(nullptr, nullptr), &xcb_disconnect);
    if (xcb_connection_has_error(connection.get()) != 0)
        return;
    const xcb_atom_t state = internAtom(connection.get(), "_NET_WM_STATE");
    const std::array<xcb_atom_t, 2> skip { internAtom(
                                               connection.get(), "_NET_WM_STATE_SKIP_TASKBAR"),
        internAtom(connection.get(), "_NET_WM_STATE_SKIP_PAGER") };
    if (state == XCB_ATOM_NONE || skip[0] == XCB_ATOM_NONE || skip[1] == XCB_ATOM_NONE)
        return;
    const xcb_void_cookie_t change = xcb_change_property_checked(connection.get(),
        XCB_PROP_MODE_APPEND, static_cast<xcb_window_t>(windowId), state, XCB_ATOM_ATOM, 32,
        static_cast<uint32_t>(skip.size()), skip.data());
    // Waiting for the answer puts the property on the server before Qt's map request.
    std::free(xcb_request_check(connection.get(), change));
}

void useActivationToken(const QString& token)
{
    // Qt's Wayland shell integration activates the next window with this token, once.
    if (!token.isEmpty())
        qputenv("XDG_ACTIVATION_TOKEN", token.toUtf8());
}

} // namespace wattlet::WindowSystem
