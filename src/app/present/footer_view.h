#pragma once

#include "core/language.h"

#include <string>

namespace wattlet {

/// The panel footer: the brand link and its three buttons.
struct FooterView
{
    struct Button
    {
        std::string symbol;
        /// The tooltip.
        std::string help;
    };

    /// "by Morvane · morvane.dev" in every language.
    std::string brand;
    std::string brandURL;
    Button about;
    Button settings;
    Button quit;
};

/// The footer in `language`.
[[nodiscard]] FooterView footerView(Language language);

} // namespace wattlet
