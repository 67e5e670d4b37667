#pragma once

namespace wattlet {

/// The language of the texts the user reads.
enum class Language { ru, en };

/// The language the user chose: follow the user's preferred languages, English or Russian.
enum class LanguageChoice { autoLanguage, en, ru };

/// What the two texts that name the computer call it: "the Mac" on macOS, "the laptop" and
/// "your computer" elsewhere. The platform says which.
enum class MachineName { laptop, mac };

} // namespace wattlet
