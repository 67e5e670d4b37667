#pragma once

#include "app/present/settings_page_view.h"
#include "core/language.h"
#include "core/warning_levels.h"

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace wattlet {

/// The notifications page's texts and the values its controls show: the warnings and sound
/// switches, a stepper for each warning level and the charged reminder's choice.
struct NotificationsPageView
{
    /// One level's stepper: the value shown and the levels a step down or up stores.
    struct Level
    {
        std::string label;
        std::string value;
        /// Absent where the level cannot move that way (its range, or the other level).
        std::optional<WarningLevels> lower;
        std::optional<WarningLevels> higher;
        /// The level and the range it moves in, for assistive technology.
        std::int64_t percent = 0;
        std::int64_t least = 0;
        std::int64_t most = 100;
    };

    /// One choice of the reminder control.
    struct Reminder
    {
        std::string label;
        /// 0: off.
        std::int64_t percent = 0;
    };

    std::string title;
    std::string back;
    SettingsPageView::Toggle notify;
    SettingsPageView::Toggle sound;
    std::string levelsLabel;
    Level low;
    Level critical;
    Level deviceLow;
    std::string reminderLabel;
    /// Off, 80, 90 and 100 %, and a stored level other than those in its place.
    std::vector<Reminder> reminders;
    /// Index into reminders of the chosen one; off while a charge limit is set.
    int selected = 0;
    /// False while a charge limit is set: the choice cannot be changed, and the note says why.
    bool reminderEnabled = true;
    /// Empty without a charge limit.
    std::string reminderNote;
};

/// The notifications page for these preference values and the reading's charge limit (absent:
/// none), in `language`. Levels step to the next multiple of stepPercent, within their range and
/// keeping the critical level below the low one.
[[nodiscard]] NotificationsPageView notificationsPageView(bool notify, bool sound,
    const WarningLevels& levels, std::int64_t reminderPercent,
    std::optional<std::int64_t> chargeLimitPercent, Language language);

/// The steppers' step.
inline constexpr std::int64_t stepPercent = 5;

} // namespace wattlet
