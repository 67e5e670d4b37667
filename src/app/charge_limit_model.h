#pragma once

#include "core/charge_limit_state.h"
#include "platform/charge_limit_control.h"

#include <QObject>

#include <memory>
#include <optional>

namespace wattlet {

/// The charge limit as the panel works with it: the control's state, whether a change is under
/// way (one at a time), the result of the last change, and the custom limit being edited before
/// it is applied, which outlives the page's rebuilds. willChange() fires before each of these
/// changes; applied() after a change has run, once the state was read again.
class ChargeLimitModel : public QObject
{
    Q_OBJECT

public:
    /// Without a control: no limit and none to set.
    explicit ChargeLimitModel(
        std::unique_ptr<ChargeLimitControl> control, QObject* parent = nullptr);
    ~ChargeLimitModel() override;

    [[nodiscard]] const ChargeLimitState& state() const;
    /// Whether the first read is complete; always without a control.
    [[nodiscard]] bool ready() const;
    [[nodiscard]] bool busy() const { return m_busy; }
    /// The last change's result, until the next one starts; absent before any.
    [[nodiscard]] const std::optional<ChargeLimitResult>& result() const { return m_result; }
    /// The limit the last change asked for; absent for a lift.
    [[nodiscard]] const std::optional<ChargeLimitRequest>& asked() const { return m_asked; }
    /// The custom limit being edited; absent while none is.
    [[nodiscard]] const std::optional<ChargeLimitRequest>& draft() const { return m_draft; }
    void setDraft(std::optional<ChargeLimitRequest> draft);

    /// Sets `request` (ignored while busy or where the limit cannot be changed); the draft ends
    /// when the battery then holds it.
    void apply(const ChargeLimitRequest& request);
    /// Charging to 100 % once.
    void lift();
    /// Reads the state again.
    void reload();

Q_SIGNALS:
    void willChange();
    void applied();

private:
    void start(std::optional<ChargeLimitRequest> request);
    void finish(const ChargeLimitResult& result, std::optional<ChargeLimitRequest> request);

    std::unique_ptr<ChargeLimitControl> m_control;
    bool m_busy = false;
    std::optional<ChargeLimitResult> m_result;
    std::optional<ChargeLimitRequest> m_asked;
    std::optional<ChargeLimitRequest> m_draft;
};

} // namespace wattlet
