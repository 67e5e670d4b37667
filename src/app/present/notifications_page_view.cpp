#include "notifications_page_view.h"

#include "page_parts.h"

#include <algorithm>
#include <array>

namespace wattlet {

namespace {

    using PageParts::Texts;

    // The next multiple of the step below or above `value`, kept within [floor, ceiling];
    // absent when that does not move it.
    std::optional<std::int64_t> stepped(
        std::int64_t value, bool up, std::int64_t floor, std::int64_t ceiling)
    {
        const std::int64_t next = up ? (value / stepPercent + 1) * stepPercent
                                     : (value - 1) / stepPercent * stepPercent;
        const std::int64_t kept = std::clamp(next, floor, std::max(floor, ceiling));
        if (up ? kept <= value : kept >= value)
            return std::nullopt;
        return kept;
    }

    NotificationsPageView::Level level(const WarningLevels& levels,
        std::int64_t WarningLevels::* member, std::int64_t floor, std::int64_t ceiling,
        std::string label, Language language)
    {
        NotificationsPageView::Level view { std::move(label),
            BatteryText::percent(levels.*member, language), {}, {}, levels.*member, floor,
            std::max(floor, ceiling) };
        for (const bool up : { false, true }) {
            if (const auto next = stepped(levels.*member, up, floor, ceiling)) {
                WarningLevels changed = levels;
                changed.*member = *next;
                (up ? view.higher : view.lower) = changed;
            }
        }
        return view;
    }

} // namespace

NotificationsPageView notificationsPageView(bool notify, bool sound, const WarningLevels& levels,
    std::int64_t reminderPercent, std::optional<std::int64_t> chargeLimitPercent, Language language)
{
    const Texts t { language };
    constexpr auto min = WarningLevels::minPercent;
    constexpr auto max = WarningLevels::maxPercent;
    NotificationsPageView view;
    view.title = t("set.notifications");
    view.back = t("settings");
    view.notify = { t("set.notify"), notify };
    view.sound = { t("set.sound"), sound };
    view.levelsLabel = t("set.levels");
    view.low = level(levels, &WarningLevels::lowPercent, levels.criticalPercent + 1, max,
        t("set.low"), language);
    view.critical = level(levels, &WarningLevels::criticalPercent, min, levels.lowPercent - 1,
        t("set.critical"), language);
    view.deviceLow
        = level(levels, &WarningLevels::deviceLowPercent, min, max, t("devices"), language);

    view.reminderLabel = t("set.reminder");
    std::vector<std::int64_t> choices { 0, 80, 90, 100 };
    if (std::find(choices.begin(), choices.end(), reminderPercent) == choices.end())
        choices.insert(
            std::upper_bound(choices.begin(), choices.end(), reminderPercent), reminderPercent);
    for (const std::int64_t percent : choices)
        view.reminders.push_back(
            { percent == 0 ? t("set.off") : BatteryText::percent(percent, t.language), percent });
    view.reminderEnabled = !chargeLimitPercent;
    const std::int64_t shown = view.reminderEnabled ? reminderPercent : 0;
    view.selected
        = static_cast<int>(std::find(choices.begin(), choices.end(), shown) - choices.begin());
    if (chargeLimitPercent)
        view.reminderNote = BatteryText::replacingPlaceholder(
            t("set.reminder.limit"), BatteryText::integer(*chargeLimitPercent, t.language));
    return view;
}

} // namespace wattlet
