#pragma once

#include "charge_limit/attribute_file.h"
#include "charge_limit/charge_limit_command.h"

#include <optional>
#include <string_view>
#include <vector>

namespace wattlet {

/// The chosen limits, kept in /var/lib/wattlet/charge-limit (see parseStoredChoices). The folder
/// stays locked while the store is open, so a resume, an unplug and a click never interleave.
class ChoiceStore
{
public:
    /// Opens and locks the folder, creating it when `create`, and reads the file. Absent with the
    /// reason in `failure` when the folder is not root's alone or the file is malformed; without
    /// `create` a missing folder is an empty store.
    static std::optional<ChoiceStore> open(bool create, HelperFailure& failure);

    std::vector<StoredChoice>& choices() { return m_choices; }
    StoredChoice* find(std::string_view battery);

    /// Replaces the file atomically (a new file renamed over it), or removes it when no choice
    /// is left.
    std::optional<HelperFailure> save() const;

private:
    UniqueFd m_folder;
    std::vector<StoredChoice> m_choices;
};

} // namespace wattlet
