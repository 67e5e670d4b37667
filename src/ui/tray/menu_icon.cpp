#include "menu_icon.h"

#include <array>
#include <utility>

namespace wattlet {

QString menuIconName(std::string_view symbol)
{
    // Standard freedesktop icon names, so every theme has them.
    static constexpr std::array<std::pair<std::string_view, const char*>, 4> names { {
        { "battery.100percent", "battery" },
        { "gearshape", "preferences-system" },
        { "doc.on.doc", "edit-copy" },
        { "safari", "web-browser" },
    } };
    for (const auto& [name, icon] : names) {
        if (name == symbol)
            return QString::fromLatin1(icon);
    }
    return {};
}

} // namespace wattlet
