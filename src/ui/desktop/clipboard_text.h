#pragma once

class QString;

namespace wattlet {

/// Puts `text` on the desktop's clipboard. It must work from the tray menu too, where the
/// program has neither focus nor a recent input event.
void setClipboardText(const QString& text);

} // namespace wattlet
