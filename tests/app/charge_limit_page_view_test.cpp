#include "app/charge_limit_model.h"
#include "app/cli_charge_limit.h"
#include "app/present/charge_limit_page_view.h"
#include "app/present/menu_view.h"

#include <gtest/gtest.h>

namespace wattlet {
namespace {

    using R = ChargeLimitRequest;
    using Control = ChargeLimitPageView::Control;

    // A control whose changes end as the test says, holding `held` afterwards.
    class FakeControl : public ChargeLimitControl
    {
    public:
        explicit FakeControl(ChargeLimitState state)
            : m_state(std::move(state))
        { }
        [[nodiscard]] const ChargeLimitState& state() const override { return m_state; }
        [[nodiscard]] bool ready() const override { return true; }
        void reload() override { }
        void apply(const ChargeLimitRequest&, Done done) override { pending = std::move(done); }
        void lift(Done done) override { pending = std::move(done); }
        void finish(ChargeLimitOutcome outcome, std::optional<ChargeLimitState> held = {})
        {
            if (held)
                m_state = *held;
            std::exchange(pending, nullptr)({ outcome, {} });
        }

        Done pending;

    private:
        ChargeLimitState m_state;
    };

    ChargeLimitState helperState(
        ChargeLimitShape shape, std::optional<std::int64_t> start, std::int64_t end)
    {
        return { shape, start, end, end < 100, false, std::nullopt, ChargeLimitRoute::helper,
            ChargeLimitObstacle::none, {}, false };
    }

    // Choosing the preset, stepping and applying are clicked through in ChargeLimitPage.
    TEST(ChargeLimitPageView, SteppersStopAtTheBoundsAndNothingHeldIsApplied)
    {
        ChargeLimitModel custom(
            std::make_unique<FakeControl>(helperState(ChargeLimitShape::startAndEnd, 0, 100)));
        custom.setDraft(R { 95, 100 });
        ChargeLimitPageView view = chargeLimitPageView(custom, Language::en);
        EXPECT_EQ(view.selected, 2);
        ASSERT_EQ(view.steppers.size(), 2U);
        EXPECT_EQ(view.steppers[0].value, "95 %");
        EXPECT_EQ(view.steppers[0].down, (R { 90, 100 }));
        // The start stays below the end, the end at or below 100.
        EXPECT_FALSE(view.steppers[0].up);
        EXPECT_FALSE(view.steppers[1].up);
        EXPECT_FALSE(view.steppers[1].down);
        EXPECT_EQ(view.apply, (R { 95, 100 }));

        // The end stops at 40: lower, the battery is never charged enough to use.
        const ChargeLimitModel endOnly(
            std::make_unique<FakeControl>(helperState(ChargeLimitShape::endOnly, {}, 40)));
        view = chargeLimitPageView(endOnly, Language::en);
        EXPECT_EQ(view.steppers.size(), 1U);
        EXPECT_FALSE(view.steppers[0].down);
        // Already held: nothing to apply.
        EXPECT_FALSE(view.apply);
    }

    TEST(ChargeLimitPageView, SwitchesForFixedLimitsAndUPowerAndTheReasonWhereNothingCanChange)
    {
        ChargeLimitState fixed = helperState(ChargeLimitShape::fixed, {}, 100);
        fixed.end.reset();
        ChargeLimitPageView view = chargeLimitPageView(
            ChargeLimitModel(std::make_unique<FakeControl>(fixed)), Language::en);
        EXPECT_EQ(view.control, Control::toggle);
        EXPECT_FALSE(view.toggleOn);
        EXPECT_EQ(view.toggleOnRequest, (R { std::nullopt, 80 }));

        ChargeLimitState upower = helperState(ChargeLimitShape::endOnly, 60, 80);
        upower.route = ChargeLimitRoute::upower;
        upower.upowerPair = ChargeLimitRequest { 60, 80 };
        upower.on = false;
        view = chargeLimitPageView(
            ChargeLimitModel(std::make_unique<FakeControl>(upower)), Language::en);
        EXPECT_EQ(view.control, Control::toggle);
        EXPECT_EQ(view.toggleOnRequest, (R { 60, 80 }));

        ChargeLimitState missing = helperState(ChargeLimitShape::startAndEnd, 75, 80);
        missing.route = ChargeLimitRoute::none;
        missing.obstacle = ChargeLimitObstacle::noPkexec;
        view = chargeLimitPageView(
            ChargeLimitModel(std::make_unique<FakeControl>(missing)), Language::ru);
        EXPECT_EQ(view.control, Control::none);
        EXPECT_EQ(view.message, "Чтобы менять предел здесь, установите пакет pkexec.");
    }

    TEST(ChargeLimitPageView, AChangeUnderWayThenItsFailureOrWhatTheBatteryHoldsInstead)
    {
        auto control
            = std::make_unique<FakeControl>(helperState(ChargeLimitShape::endOnly, {}, 100));
        FakeControl& fake = *control;
        ChargeLimitModel model(std::move(control));
        model.apply({ std::nullopt, 75 });
        ChargeLimitPageView view = chargeLimitPageView(model, Language::en);
        EXPECT_FALSE(view.enabled);
        EXPECT_EQ(view.message, "Waiting for permission…");
        // One change at a time.
        fake.finish(ChargeLimitOutcome::dismissed);
        EXPECT_EQ(chargeLimitPageView(model, Language::en).message,
            "Not changed: the password dialog was closed");

        model.setDraft(R { std::nullopt, 75 });
        model.apply({ std::nullopt, 75 });
        // The driver rounds to 80: done, but not what was asked; the draft stays.
        fake.finish(ChargeLimitOutcome::done, helperState(ChargeLimitShape::endOnly, {}, 80));
        view = chargeLimitPageView(model, Language::en);
        EXPECT_TRUE(view.enabled);
        EXPECT_EQ(view.message, "The battery holds 80 %");
        EXPECT_EQ(view.messageTone, "yellow");
        EXPECT_TRUE(model.draft());
    }

    TEST(ChargeLimitRequestText, TheCommandLinesFormsAndWhatTheyAskOfEachBattery)
    {
        const std::pair<const char*, std::optional<R>> cases[] = { { "off", R {} },
            { "80", R { std::nullopt, 80 } }, { "75-80", R { 75, 80 } }, { "0-100", R { 0, 100 } },
            { "100", R {} }, { "80-80", std::nullopt }, { "80-75", std::nullopt },
            { "0", std::nullopt }, { "080", std::nullopt }, { "75-", std::nullopt },
            { "40", R { std::nullopt, 40 } }, { "0-39", std::nullopt }, { "39", std::nullopt },
            { "101", std::nullopt }, { "", std::nullopt }, { "Off", std::nullopt } };
        for (const auto& [text, request] : cases) {
            SCOPED_TRACE(text);
            EXPECT_EQ(parseChargeLimitRequest(text), request);
        }
        std::string problem;
        const ChargeLimitState asus = helperState(ChargeLimitShape::endOnly, {}, 100);
        EXPECT_FALSE(fittedChargeLimit(asus, { 75, 80 }, problem));
        EXPECT_EQ(problem, "limit.err.noStart");
        ChargeLimitState upower = helperState(ChargeLimitShape::startAndEnd, 60, 80);
        upower.route = ChargeLimitRoute::upower;
        upower.upowerPair = ChargeLimitRequest { 60, 80 };
        EXPECT_TRUE(fittedChargeLimit(upower, { 60, 80 }, problem));
        EXPECT_FALSE(fittedChargeLimit(upower, { std::nullopt, 90 }, problem));
        EXPECT_EQ(problem, "limit.err.upowerValues");
    }

    TEST(MenuView, PowerModesAreChoicesWithTheReasonPerformanceIsReduced)
    {
        const PowerProfilesState profiles { { "power-saver", "balanced" }, "balanced",
            "high-operating-temperature", { { "balanced", "", "org.example.Tool" } } };
        const MenuView menu = menuView(std::nullopt, Language::en, false, profiles);
        std::vector<std::string> rows;
        for (const MenuRow& row : menu.rows) {
            if (row.checked || row.action == MenuAction::profileNote)
                rows.push_back(row.title + (row.checked ? (*row.checked ? " (x)" : " ( )") : ""));
        }
        EXPECT_EQ(rows,
            (std::vector<std::string> { "Power saver ( )", "Balanced (x)",
                "Performance is reduced: the laptop is too hot; Held by org.example.Tool" }));
        EXPECT_EQ(menuProfile(MenuAction::profileBalanced), "balanced");
    }

} // namespace
} // namespace wattlet
