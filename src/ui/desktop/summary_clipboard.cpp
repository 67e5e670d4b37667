#include "summary_clipboard.h"

#include "core/battery_text.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QString>

namespace wattlet {

void copySummary(const std::optional<BatteryReading>& reading)
{
    if (!reading)
        return;
    if (QClipboard* clipboard = QGuiApplication::clipboard())
        clipboard->setText(QString::fromStdString(BatteryText::summary(*reading)));
}

} // namespace wattlet
