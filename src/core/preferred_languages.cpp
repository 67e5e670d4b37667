#include "preferred_languages.h"

namespace wattlet {

Language preferredLanguage(const std::vector<std::string>& preferredLanguages)
{
    // Only the first entry counts: de-DE before ru-RU gives English.
    if (!preferredLanguages.empty() && preferredLanguages.front().starts_with("ru"))
        return Language::ru;
    return Language::en;
}

std::string_view rawValue(LanguageChoice choice)
{
    switch (choice) {
    case LanguageChoice::en:
        return "en";
    case LanguageChoice::ru:
        return "ru";
    case LanguageChoice::autoLanguage:
        break;
    }
    return "auto";
}

std::optional<LanguageChoice> languageChoiceFromRaw(std::string_view raw)
{
    for (const LanguageChoice choice :
        { LanguageChoice::autoLanguage, LanguageChoice::en, LanguageChoice::ru }) {
        if (rawValue(choice) == raw)
            return choice;
    }
    return std::nullopt;
}

Language textLanguage(LanguageChoice choice, const std::vector<std::string>& preferredLanguages)
{
    switch (choice) {
    case LanguageChoice::en:
        return Language::en;
    case LanguageChoice::ru:
        return Language::ru;
    case LanguageChoice::autoLanguage:
        break;
    }
    return preferredLanguage(preferredLanguages);
}

} // namespace wattlet
