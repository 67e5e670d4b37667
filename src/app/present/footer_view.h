#pragma once

#include <string>

namespace wattlet {

/// The panel footer: the brand link and the help texts of its three buttons.
struct FooterView
{
    /// "by Morvane · morvane.dev" in every language.
    std::string brand;
    std::string brandURL;
    std::string aboutHelp;
    std::string settingsHelp;
    std::string quitHelp;
};

/// The footer in the current text language.
[[nodiscard]] FooterView footerView();

} // namespace wattlet
