#include "display_start.h"

#include <QtGlobal>

#include <cstdio>
#include <cstdlib>
#include <vector>

namespace wattlet {

namespace {

    struct HeldMessage
    {
        QtMsgType type;
        QByteArray category;
        QString text;
    };

    QtMessageHandler previousHandler = nullptr;
    std::vector<HeldMessage> held;

    constexpr const char* withoutDisplay = "--summary and --watch work without one";

    void holdOrLeave(QtMsgType type, const QMessageLogContext& context, const QString& text)
    {
        if (type != QtFatalMsg) {
            held.push_back({ type, QByteArray(context.category), text });
            return;
        }
        // Qt aborts after a fatal message; a missing display is no crash.
        const QString line
            = QStringLiteral("wattlet: cannot open the display (platform %1, "
                             "WAYLAND_DISPLAY=%2, DISPLAY=%3); %4\n")
                  .arg(qEnvironmentVariable("QT_QPA_PLATFORM"),
                      qEnvironmentVariable("WAYLAND_DISPLAY"), qEnvironmentVariable("DISPLAY"),
                      QLatin1String(withoutDisplay));
        std::fputs(line.toLocal8Bit().constData(), stderr);
        std::fflush(stderr);
        std::_Exit(1);
    }

} // namespace

DisplayChoice chooseDisplay(const QProcessEnvironment& environment)
{
    const auto isSet
        = [&](const char* name) { return !environment.value(QLatin1String(name)).isEmpty(); };
    if (isSet("QT_QPA_PLATFORM"))
        return {};
    const bool wayland = isSet("WAYLAND_DISPLAY");
    const bool x11 = isSet("DISPLAY");
    const bool gnome = environment.value(QStringLiteral("XDG_CURRENT_DESKTOP"))
                           .split(u':')
                           .contains(QStringLiteral("GNOME"), Qt::CaseInsensitive);
    if (wayland && !(x11 && gnome))
        return { QByteArrayLiteral("wayland"), std::nullopt };
    if (x11)
        return { QByteArrayLiteral("xcb"), std::nullopt };
    return { {},
        QStringLiteral("wattlet: no display (neither WAYLAND_DISPLAY nor DISPLAY is set); ")
            + QLatin1String(withoutDisplay) };
}

DisplayStartGuard::DisplayStartGuard(const DisplayChoice& choice)
{
    if (!choice.platform.isEmpty()) {
        qputenv("QT_QPA_PLATFORM", choice.platform);
        m_platformSet = true;
    }
    held.clear();
    previousHandler = qInstallMessageHandler(holdOrLeave);
}

DisplayStartGuard::~DisplayStartGuard() { finish(); }

void DisplayStartGuard::finish()
{
    if (!m_active)
        return;
    m_active = false;
    qInstallMessageHandler(previousHandler);
    // Programs started from here choose their own platform.
    if (m_platformSet)
        qunsetenv("QT_QPA_PLATFORM");
    for (const HeldMessage& message : held) {
        const QMessageLogContext context(nullptr, 0, nullptr, message.category.constData());
        if (previousHandler)
            previousHandler(message.type, context, message.text);
    }
    held.clear();
}

} // namespace wattlet
