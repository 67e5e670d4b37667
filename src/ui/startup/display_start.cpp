#include "display_start.h"

#include "app/prefs.h"
#include "core/battery_text.h"

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
    // Made before Qt starts: the handler must not read settings while Qt aborts.
    QString failureText;

    void holdOrLeave(QtMsgType type, const QMessageLogContext& context, const QString& text)
    {
        if (type != QtFatalMsg) {
            held.push_back({ type, QByteArray(context.category), text });
            return;
        }
        // Qt aborts after a fatal message; a missing display is no crash.
        const QString settings
            = QStringLiteral("platform %1, WAYLAND_DISPLAY=%2, DISPLAY=%3")
                  .arg(qEnvironmentVariable("QT_QPA_PLATFORM"),
                      qEnvironmentVariable("WAYLAND_DISPLAY"), qEnvironmentVariable("DISPLAY"));
        QString line = failureText;
        line.replace(QStringLiteral("%d"), settings);
        line = QStringLiteral("wattlet: ") + line + QLatin1Char('\n');
        std::fputs(line.toLocal8Bit().constData(), stderr);
        std::fflush(stderr);
        std::_Exit(1);
    }

} // namespace

DisplayStartGuard::DisplayStartGuard(const DisplayChoice& choice)
{
    if (!choice.platform.isEmpty()) {
        qputenv("QT_QPA_PLATFORM", choice.platform);
        m_platformSet = true;
    }
    held.clear();
    failureText = QString::fromStdString(
        BatteryText::t("cli.displayFailed", textLanguage(Prefs::storedLanguage())));
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
