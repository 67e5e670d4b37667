#include "preferred_languages.h"

#include "battery_text.h"

#include <algorithm>

namespace wattlet {

namespace {

    std::optional<Language> catalogLanguage(std::string_view code)
    {
        const auto all = BatteryText::languages();
        const auto found
            = std::find_if(all.begin(), all.end(), [code](Language l) { return l.code() == code; });
        return found == all.end() ? std::nullopt : std::optional(*found);
    }

} // namespace

Language preferredLanguage(const std::vector<std::string>& preferredLanguages)
{
    for (const std::string& entry : preferredLanguages) {
        std::string name = entry.substr(0, entry.find_first_of(".@"));
        std::replace(name.begin(), name.end(), '-', '_');
        if (const auto language = catalogLanguage(name))
            return *language;
        if (const auto territory = name.find('_'); territory != std::string::npos)
            if (const auto language = catalogLanguage(std::string_view(name).substr(0, territory)))
                return *language;
    }
    return Language::en;
}

std::string rawValue(LanguageChoice choice)
{
    return choice.language ? std::string(choice.language->code()) : "auto";
}

std::optional<LanguageChoice> languageChoiceFromRaw(std::string_view raw)
{
    if (raw == "auto")
        return LanguageChoice::autoLanguage;
    if (const auto language = catalogLanguage(raw))
        return LanguageChoice { *language };
    return std::nullopt;
}

Language textLanguage(LanguageChoice choice, const std::vector<std::string>& preferredLanguages)
{
    return choice.language.value_or(preferredLanguage(preferredLanguages));
}

} // namespace wattlet
