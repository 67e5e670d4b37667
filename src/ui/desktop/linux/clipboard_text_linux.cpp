#include "wayland_selection.h"

#include "ui/desktop/clipboard_text.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QString>

namespace wattlet {

void setClipboardText(const QString& text)
{
    // A Wayland compositor takes a selection from a client only with the serial of a recent
    // input event of its own, which a click in the tray host's menu is not; its data-control
    // protocol has no such condition.
    if (QGuiApplication::platformName() == QLatin1String("wayland")
        && WaylandSelection::offer(text.toUtf8()))
        return;
    if (QClipboard* clipboard = QGuiApplication::clipboard())
        clipboard->setText(text);
}

} // namespace wattlet
