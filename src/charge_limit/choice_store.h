#pragma once

#include "charge_limit/attribute_file.h"
#include "charge_limit/charge_limit_command.h"

#include <optional>
#include <string_view>
#include <vector>

namespace wattlet {

/// The chosen limits, kept in /var/lib/wattlet/charge-limit (see parseStoredChoices). The store
/// stays locked (by /var/lib/wattlet/.lock, which only root can open) while it is open, so a
/// resume, an unplug and a click never interleave.
class ChoiceStore
{
public:
    /// Opens and locks the folder, creating it when `create`, and reads the file. Absent with the
    /// reason in `failure` when the folder, the lock or the file is not root's alone, the file is
    /// malformed (refused), or the system fails or the lock stays held for 10 s (write failed);
    /// without `create` a missing folder is an empty store.
    static std::optional<ChoiceStore> open(bool create, HelperFailure& failure);

    std::vector<StoredChoice>& choices() { return m_choices; }
    StoredChoice* find(std::string_view battery);

    /// Replaces the file atomically (a new file renamed over it), or removes it when no choice
    /// is left.
    std::optional<HelperFailure> save() const;

private:
    UniqueFd m_folder;
    UniqueFd m_lock;
    std::vector<StoredChoice> m_choices;
};

} // namespace wattlet
