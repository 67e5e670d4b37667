#include "preferred_languages.h"

namespace wattlet {

Language preferredLanguage(const std::vector<std::string>& preferredLanguages)
{
    // Only the first entry counts: de-DE before ru-RU gives English.
    if (!preferredLanguages.empty() && preferredLanguages.front().starts_with("ru"))
        return Language::ru;
    return Language::en;
}

} // namespace wattlet
