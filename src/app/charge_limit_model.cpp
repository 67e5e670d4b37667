#include "charge_limit_model.h"

#include <QPointer>

namespace wattlet {

ChargeLimitModel::ChargeLimitModel(std::unique_ptr<ChargeLimitControl> control, QObject* parent)
    : QObject(parent)
    , m_control(std::move(control))
{
    if (m_control)
        connect(m_control.get(), &ChargeLimitControl::changed, this, &ChargeLimitModel::willChange);
}

ChargeLimitModel::~ChargeLimitModel() = default;

const ChargeLimitState& ChargeLimitModel::state() const
{
    static const ChargeLimitState none;
    return m_control ? m_control->state() : none;
}

bool ChargeLimitModel::ready() const { return !m_control || m_control->ready(); }

void ChargeLimitModel::setDraft(std::optional<ChargeLimitRequest> draft)
{
    Q_EMIT willChange();
    m_draft = draft;
}

void ChargeLimitModel::apply(const ChargeLimitRequest& request)
{
    if (m_busy || !state().changeable())
        return;
    start(request);
    m_control->apply(request, [self = QPointer(this), request](const ChargeLimitResult& result) {
        if (self)
            self->finish(result, request);
    });
}

void ChargeLimitModel::lift()
{
    if (m_busy || !state().changeable())
        return;
    start(std::nullopt);
    m_control->lift([self = QPointer(this)](const ChargeLimitResult& result) {
        if (self)
            self->finish(result, std::nullopt);
    });
}

void ChargeLimitModel::reload()
{
    if (m_control)
        m_control->reload();
}

void ChargeLimitModel::start(std::optional<ChargeLimitRequest> request)
{
    Q_EMIT willChange();
    m_busy = true;
    m_result.reset();
    m_asked = request;
}

void ChargeLimitModel::finish(
    const ChargeLimitResult& result, std::optional<ChargeLimitRequest> request)
{
    Q_EMIT willChange();
    m_busy = false;
    m_result = result;
    if (request && result.outcome == ChargeLimitOutcome::done
        && holdsChargeLimit(state(), *request))
        m_draft.reset();
    Q_EMIT applied();
}

} // namespace wattlet
