#pragma once

#include "core/charge_limit_state.h"
#include "core/language.h"

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace wattlet {

class ChargeLimitModel;

/// The settings page's row that opens the charge limit's page: its label and what the battery
/// holds ("75–80 %", "Off").
struct ChargeLimitRow
{
    std::string label;
    std::string value;
};

[[nodiscard]] ChargeLimitRow chargeLimitRow(const ChargeLimitState& state, Language language);

/// The charge limit's page: what the battery holds, the control that fits its hardware and the
/// way the limit is changed, what a change is doing or came to, and why nothing can be changed
/// where that is so. Every control carries the limit it asks for.
struct ChargeLimitPageView
{
    /// `choice`: Off, the preset, Custom with steppers (thresholds the helper sets); `toggle`:
    /// on or off (a fixed limit, UPower's thresholds); `none`: nothing to change here.
    enum class Control { none, choice, toggle };

    struct Choice
    {
        std::string label;
        /// What choosing it sets; absent for Custom, which opens the steppers on `draft`.
        std::optional<ChargeLimitRequest> request;
        ChargeLimitRequest draft;
    };

    /// One threshold of the custom limit: its label, value and the draft after a step down or up
    /// (absent at the end of its range).
    struct Stepper
    {
        std::string label;
        std::string value;
        std::optional<ChargeLimitRequest> down;
        std::optional<ChargeLimitRequest> up;
        /// The percentage and the range it moves in, for assistive technology.
        std::int64_t percent = 0;
        std::int64_t least = 0;
        std::int64_t most = 100;
    };

    std::string title;
    std::string back;
    std::string about;
    Control control = Control::none;
    /// Whether the controls take clicks: not while a change is under way.
    bool enabled = false;

    std::vector<Choice> choices;
    int selected = 0;
    /// While Custom is chosen: the start (with both thresholds) and the end, and Apply with the
    /// draft it sets.
    std::vector<Stepper> steppers;
    std::string applyTitle;
    std::optional<ChargeLimitRequest> apply;

    std::string toggleLabel;
    bool toggleOn = false;
    ChargeLimitRequest toggleOnRequest;

    /// What the battery does now.
    std::string status;
    /// How the limit is changed, or what the switch does; empty for none.
    std::string note;
    /// "Charge to 100 % once", while a limit the helper set holds.
    std::optional<std::string> once;
    /// A change under way, its failure, or why nothing can be changed here, in `messageTone`
    /// ("secondary", "red", "yellow"); empty for none.
    std::string message;
    std::string messageTone;
};

/// The page for the model's state, draft and last change, in `language`.
[[nodiscard]] ChargeLimitPageView chargeLimitPageView(
    const ChargeLimitModel& model, Language language);

} // namespace wattlet
