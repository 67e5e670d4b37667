#pragma once

#include <algorithm>
#include <array>
#include <cstddef>
#include <optional>
#include <string_view>

namespace wattlet {

/// The language of the texts the user reads: a catalog's language code such as "de", "pt_BR" or
/// "zh_CN" ("en" is the language of the sources). A code longer than 15 bytes is cut there; the
/// texts of a language without a catalog are English.
class Language
{
public:
    static const Language en;
    static const Language ru;

    constexpr Language() = default;
    constexpr explicit Language(std::string_view code)
    {
        std::copy_n(code.begin(), std::min(code.size(), m_code.size() - 1), m_code.begin());
    }

    [[nodiscard]] constexpr std::string_view code() const { return m_code.data(); }
    friend constexpr bool operator==(const Language&, const Language&) = default;

private:
    std::array<char, 16> m_code { 'e', 'n' };
};

inline constexpr Language Language::en { "en" };
inline constexpr Language Language::ru { "ru" };

/// The language the user chose: a language, or automatic (follow the user's preferred languages).
struct LanguageChoice
{
    static const LanguageChoice autoLanguage;
    static const LanguageChoice en;
    static const LanguageChoice ru;

    /// Absent for automatic.
    std::optional<Language> language;

    friend constexpr bool operator==(const LanguageChoice&, const LanguageChoice&) = default;
};

inline constexpr LanguageChoice LanguageChoice::autoLanguage {};
inline constexpr LanguageChoice LanguageChoice::en { Language::en };
inline constexpr LanguageChoice LanguageChoice::ru { Language::ru };

/// Which way the language's lines run.
enum class TextDirection { leftToRight, rightToLeft };

/// What the two texts that name the computer call it: "the Mac" on macOS, "the laptop" and
/// "your computer" elsewhere. The platform says which.
enum class MachineName { laptop, mac };

} // namespace wattlet
