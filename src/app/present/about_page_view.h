#pragma once

#include "core/language.h"

#include <array>
#include <string>

namespace wattlet {

/// The about page's texts and links.
struct AboutPageView
{
    struct Link
    {
        std::string symbol;
        std::string title;
        std::string url;
    };

    std::string title;
    /// The back button's text.
    std::string back;
    /// "Ваттлет" in Russian, "Wattlet" otherwise.
    std::string name;
    /// "Version" and the program's version.
    std::string version;
    std::string made;
    std::string local;
    /// The author's site, the product page, the privacy policy in the page's language.
    std::array<Link, 3> links;
};

/// The about page in `language`.
[[nodiscard]] AboutPageView aboutPageView(Language language);

} // namespace wattlet
