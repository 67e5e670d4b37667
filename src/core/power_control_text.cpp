#include "power_control_text.h"

#include "battery_text.h"

namespace wattlet::BatteryText {

namespace {

    // The key's text, or `fallback` where the table has no such key.
    std::string textOr(const std::string& key, const std::string& fallback, Language language)
    {
        std::string text = t(key, language);
        return text == key ? fallback : text;
    }

} // namespace

std::string chargeLimitText(const ChargeLimitRequest& limit, Language language)
{
    if (limit.off())
        return t("limit.off", language);
    if (limit.start && *limit.start > 0)
        return integer(*limit.start, language) + "\u2013" + percent(limit.end, language);
    return percent(limit.end, language);
}

std::string chargeLimitValue(const ChargeLimitState& state, Language language)
{
    if (state.lifted)
        return t("limit.liftedValue", language);
    if (!state.on)
        return t("limit.off", language);
    if (state.shape == ChargeLimitShape::fixed && state.route != ChargeLimitRoute::upower)
        return t("limit.fixedValue", language);
    if (!state.end)
        return dash;
    return chargeLimitText({ state.start, *state.end }, language);
}

std::string chargeLimitLine(const ChargeLimitState& state, Language language)
{
    return t("limit", language) + ": " + chargeLimitValue(state, language) + " \u00b7 "
        + t(state.changeable() ? "limit.changeable" : "limit.notChangeable", language);
}

std::string chargeLimitStatus(const ChargeLimitState& state, Language language)
{
    if (state.lifted && state.kept)
        return replacingPlaceholder(
            t("limit.lifted", language), chargeLimitText(*state.kept, language));
    if (!state.on)
        return t("limit.full", language);
    if (state.shape == ChargeLimitShape::fixed && state.route != ChargeLimitRoute::upower)
        return t("limit.fixedOn", language);
    if (!state.end)
        return {};
    std::string text
        = replacingPlaceholder(t("limit.stops", language), integer(*state.end, language));
    if (state.start && *state.start > 0)
        text
            += replacingPlaceholder(t("limit.restarts", language), integer(*state.start, language));
    text += ".";
    if (state.holdsOtherThanUPower())
        text += " "
            + replacingPlaceholder(
                t("limit.upowerOther", language), chargeLimitText(*state.upowerPair, language));
    return text;
}

std::string chargeLimitObstacle(const ChargeLimitState& state, Language language)
{
    if (state.changeable())
        return {};
    switch (state.obstacle) {
    case ChargeLimitObstacle::noHelper:
        return t("limit.noHelper", language);
    case ChargeLimitObstacle::noPkexec:
        return t("limit.noPkexec", language);
    case ChargeLimitObstacle::noHardware:
    case ChargeLimitObstacle::none:
        break;
    }
    return t("limit.noHardware", language);
}

std::string profileName(const std::string& profile, Language language, bool brief)
{
    return textOr((brief ? "profile.short." : "profile.") + profile, profile, language);
}

std::string profileDegraded(const PowerProfilesState& state, Language language)
{
    if (state.degraded.empty())
        return {};
    return replacingPlaceholder(t("profile.degraded", language),
        textOr("profile.degraded." + state.degraded, state.degraded, language));
}

std::string profileHolds(const PowerProfilesState& state, Language language)
{
    std::string text;
    for (const PowerProfileHold& hold : state.holds) {
        if (hold.profile != state.active)
            continue;
        if (!text.empty())
            text += "\n";
        text += replacingPlaceholder(t("profile.heldBy", language), hold.applicationId);
        if (!hold.reason.empty())
            text += ": " + hold.reason;
    }
    return text;
}

std::string profileNote(const PowerProfilesState& state, Language language)
{
    std::string note;
    for (const std::string& line :
        { profileDegraded(state, language), profileHolds(state, language) }) {
        if (!line.empty())
            note += (note.empty() ? "" : "\n") + line;
    }
    return note;
}

std::string profileLine(const PowerProfilesState& state, Language language)
{
    return t("profile.title", language) + ": " + profileName(state.active, language, false);
}

} // namespace wattlet::BatteryText
