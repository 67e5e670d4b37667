#include "demo_controls.h"

namespace wattlet::Demo {

namespace {

    class DemoChargeLimit : public ChargeLimitControl
    {
    public:
        explicit DemoChargeLimit(ChargeLimitState state)
            : m_state(state)
        { }

        [[nodiscard]] const ChargeLimitState& state() const override { return m_state; }
        [[nodiscard]] bool ready() const override { return true; }
        void reload() override { }

        void apply(const ChargeLimitRequest& request, Done done) override
        {
            m_state.on = !request.off();
            m_state.start = request.off() ? 0 : request.start.value_or(0);
            m_state.end = request.end;
            m_state.lifted = false;
            m_state.kept.reset();
            Q_EMIT changed();
            done({});
        }

        void lift(Done done) override
        {
            if (m_state.on)
                m_state.kept = ChargeLimitRequest { m_state.start, m_state.end.value_or(100) };
            m_state.lifted = m_state.on;
            m_state.on = false;
            m_state.start = 0;
            m_state.end = 100;
            Q_EMIT changed();
            done({});
        }

    private:
        ChargeLimitState m_state;
    };

    class DemoPowerProfiles : public PowerProfiles
    {
    public:
        DemoPowerProfiles()
            : m_state(PowerProfilesState {
                  { "power-saver", "balanced", "performance" }, "balanced", {}, {} })
        { }

        [[nodiscard]] const std::optional<PowerProfilesState>& state() const override
        {
            return m_state;
        }

        void choose(const std::string& profile) override
        {
            m_state->active = profile;
            Q_EMIT changed();
        }

    private:
        std::optional<PowerProfilesState> m_state;
    };

} // namespace

std::unique_ptr<ChargeLimitControl> chargeLimit(const BatteryReading& reading)
{
    ChargeLimitState state;
    state.shape = ChargeLimitShape::startAndEnd;
    state.route = ChargeLimitRoute::helper;
    state.obstacle = ChargeLimitObstacle::none;
    const std::int64_t end = reading.chargeLimitPercent.value_or(100);
    state.on = end < 100;
    state.start = state.on ? chargeStartFor(end) : 0;
    state.end = end;
    return std::make_unique<DemoChargeLimit>(state);
}

std::unique_ptr<PowerProfiles> powerProfiles() { return std::make_unique<DemoPowerProfiles>(); }

} // namespace wattlet::Demo
