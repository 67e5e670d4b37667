#include "charge_limit_page_view.h"

#include "charge_limit/charge_limit_command.h"
#include "page_parts.h"

#include "app/charge_limit_model.h"
#include "core/power_control_text.h"

#include <algorithm>

namespace wattlet {

namespace {

    constexpr std::int64_t step = 5;
    constexpr int customIndex = 2;

    // The limit the battery keeps: the held one, or during a lift the one that comes back.
    std::optional<ChargeLimitRequest> keptLimit(const ChargeLimitState& state)
    {
        if (state.lifted)
            return state.kept;
        if (!state.on || !state.end)
            return std::nullopt;
        return ChargeLimitRequest { state.start, *state.end };
    }

    // `value` moved by `delta` within [least, most]; nothing when it cannot move.
    std::optional<std::int64_t> stepped(
        std::int64_t value, std::int64_t delta, std::int64_t least, std::int64_t most)
    {
        const std::int64_t next = std::clamp(value + delta, least, most);
        if (next == value || least > most)
            return std::nullopt;
        return next;
    }

    std::vector<ChargeLimitPageView::Stepper> steppers(
        const ChargeLimitState& state, const ChargeLimitRequest& draft, const PageParts::Texts& t)
    {
        std::vector<ChargeLimitPageView::Stepper> result;
        const std::int64_t start = draft.start.value_or(0);
        const auto with
            = [&](std::optional<std::int64_t> newStart,
                  std::optional<std::int64_t> end) -> std::optional<ChargeLimitRequest> {
            if (!end)
                return std::nullopt;
            return ChargeLimitRequest { newStart, *end };
        };
        if (state.shape == ChargeLimitShape::startAndEnd) {
            ChargeLimitPageView::Stepper stepper { t("limit.start"),
                BatteryText::percent(start, t.language), {}, {}, start, 0, draft.end - step };
            const auto moved = [&](std::int64_t delta) -> std::optional<ChargeLimitRequest> {
                const auto next = stepped(start, delta, 0, draft.end - step);
                return next ? with(next, draft.end) : std::nullopt;
            };
            stepper.down = moved(-step);
            stepper.up = moved(step);
            result.push_back(std::move(stepper));
        }
        const std::optional<std::int64_t> keptStart
            = state.shape == ChargeLimitShape::startAndEnd ? std::optional(start) : std::nullopt;
        const std::int64_t least = std::max<std::int64_t>(lowestLimitEnd, start + step);
        ChargeLimitPageView::Stepper end { t("limit.end"),
            BatteryText::percent(draft.end, t.language), {}, {}, draft.end, least, 100 };
        end.down = with(keptStart, stepped(draft.end, -step, least, 100));
        end.up = with(keptStart, stepped(draft.end, step, least, 100));
        result.push_back(std::move(end));
        return result;
    }

    void fillChoice(
        ChargeLimitPageView& view, const ChargeLimitModel& model, const PageParts::Texts& t)
    {
        const ChargeLimitState& state = model.state();
        const ChargeLimitRequest preset = presetChargeLimit(state.shape);
        view.control = ChargeLimitPageView::Control::choice;
        const auto kept = keptLimit(state);
        view.choices = { { t("limit.off"), ChargeLimitRequest {}, {} },
            { BatteryText::chargeLimitText(preset, t.language), preset, {} },
            { t("limit.custom"), std::nullopt, kept.value_or(preset) } };
        const bool isPreset = kept && kept->end == preset.end
            && (state.shape != ChargeLimitShape::startAndEnd || kept->start == preset.start);
        view.selected = model.draft() || (kept && !isPreset) ? customIndex : kept ? 1 : 0;
        if (view.selected == customIndex) {
            const ChargeLimitRequest draft = model.draft() ? *model.draft() : kept.value_or(preset);
            view.steppers = steppers(state, draft, t);
            view.applyTitle = t("limit.apply");
            if (state.lifted || !holdsChargeLimit(state, draft))
                view.apply = draft;
        }
        view.note = t("limit.password");
        if (state.on && state.route == ChargeLimitRoute::helper)
            view.once = t("limit.once");
    }

    void fillToggle(
        ChargeLimitPageView& view, const ChargeLimitState& state, const PageParts::Texts& t)
    {
        view.control = ChargeLimitPageView::Control::toggle;
        view.toggleLabel = t("limit.switch");
        view.toggleOn = state.on;
        if (state.route == ChargeLimitRoute::upower) {
            view.toggleOnRequest = state.upowerPair.value_or(
                ChargeLimitRequest { state.start, state.end.value_or(100) });
            view.note = t("limit.upower");
        } else {
            view.toggleOnRequest = presetChargeLimit(state.shape);
            if (!state.on)
                view.note = t("limit.fixedOff");
        }
    }

} // namespace

ChargeLimitRow chargeLimitRow(const ChargeLimitState& state, Language language)
{
    return { BatteryText::t("limit", language), BatteryText::chargeLimitValue(state, language) };
}

ChargeLimitPageView chargeLimitPageView(const ChargeLimitModel& model, Language language)
{
    const PageParts::Texts t { language };
    const ChargeLimitState& state = model.state();
    ChargeLimitPageView view;
    view.title = t("limit");
    view.back = t("settings");
    view.about = t("limit.about");
    view.status = BatteryText::chargeLimitStatus(state, language);
    view.enabled = state.changeable() && !model.busy();
    if (!state.changeable()) {
        view.message = BatteryText::chargeLimitObstacle(state, language);
        view.messageTone = "secondary";
        return view;
    }
    if (state.switchOnly())
        fillToggle(view, state, t);
    else
        fillChoice(view, model, t);
    if (model.busy()) {
        view.message = t("limit.busy");
        view.messageTone = "secondary";
    } else if (const auto& result = model.result();
        result && result->outcome != ChargeLimitOutcome::done) {
        view.message = t("limit.err." + std::string(rawValue(result->outcome)));
        view.messageTone = "red";
    } else if (result && model.asked() && !holdsChargeLimit(state, *model.asked())) {
        view.message = BatteryText::replacingPlaceholder(
            t("limit.err.holds"), BatteryText::chargeLimitValue(state, language));
        view.messageTone = "yellow";
    }
    return view;
}

} // namespace wattlet
