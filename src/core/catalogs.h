#pragma once

#include <array>
#include <cstddef>
#include <span>
#include <string_view>

/// The translations of po/LINGUAS, compiled into the program at build time (the definitions are
/// generated from the PO catalogs by wattlet_catalog_compiler), so that nothing has to be
/// installed for the texts to be there.
namespace wattlet::Catalogs {

/// A translated message: its key (the PO context), its English original and the translation,
/// one string per plural form of the language (one for a message without plural forms).
struct Message
{
    std::string_view context;
    std::string_view id;
    std::array<std::string_view, 6> strings;
};

struct Catalog
{
    /// The code of LINGUAS and the file name: "de", "pt_BR".
    std::string_view language;
    /// The catalog's Plural-Forms header, checked when it was compiled.
    std::string_view pluralForms;
    /// Sorted by context; untranslated and fuzzy messages are left out.
    std::span<const Message> messages;
};

/// Every compiled catalog, in LINGUAS order.
[[nodiscard]] std::span<const Catalog> all();

} // namespace wattlet::Catalogs
