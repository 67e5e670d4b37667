#include "summary_clipboard.h"

#include "core/battery_text.h"
#include "ui/desktop/clipboard_text.h"

#include <QString>

namespace wattlet {

void copySummary(const std::optional<BatteryReading>& reading, Language language)
{
    if (!reading)
        return;
    setClipboardText(QString::fromStdString(BatteryText::summary(*reading, language)));
}

} // namespace wattlet
