#include "cli_charge_limit.h"

#include "charge_limit/charge_limit_command.h"

#include "core/battery_text.h"
#include "core/power_control_text.h"
#include "platform/charge_limit_control.h"

#include <QEventLoop>
#include <QTimer>

#include <string>

namespace wattlet {

namespace {

    enum Status { held = 0, notHeld = 1, badValue = 2, cannot = 3 };

    int fail(std::FILE* err, const std::string& message, int status)
    {
        std::fprintf(err, "wattlet: %s\n", message.c_str());
        return status;
    }

} // namespace

std::optional<ChargeLimitRequest> parseChargeLimitRequest(std::string_view text)
{
    if (text == "off")
        return ChargeLimitRequest {};
    const auto dash = text.find('-');
    ChargeLimitRequest request;
    if (dash != std::string_view::npos) {
        const auto start = parsePercent(text.substr(0, dash));
        if (!start)
            return std::nullopt;
        request.start = *start;
        text.remove_prefix(dash + 1);
    }
    const auto end = parsePercent(text);
    if (!end || *end <= request.start.value_or(0) || *end < lowestLimitEnd)
        return std::nullopt;
    request.end = *end;
    return request;
}

void waitUntilReady(ChargeLimitControl& control, int timeoutMs)
{
    if (control.ready())
        return;
    QEventLoop loop;
    QObject::connect(&control, &ChargeLimitControl::changed, &loop, [&] {
        if (control.ready())
            loop.quit();
    });
    QTimer::singleShot(timeoutMs, &loop, &QEventLoop::quit);
    loop.exec();
}

int runChargeLimit(std::string_view value, ChargeLimitControl& control, Language language,
    std::FILE* out, std::FILE* err, int readyTimeoutMs)
{
    const auto t = [language](std::string_view key) { return BatteryText::t(key, language); };
    const auto request = parseChargeLimitRequest(value);
    if (!request)
        return fail(err, t("cli.limitSyntax"), badValue);
    waitUntilReady(control, readyTimeoutMs);
    const ChargeLimitState before = control.state();
    if (!before.changeable())
        return fail(err, BatteryText::chargeLimitObstacle(before, language), cannot);
    std::string problem;
    const auto fitted = fittedChargeLimit(before, *request, problem);
    if (!fitted) {
        const ChargeLimitRequest upowers { before.start, before.end.value_or(100) };
        return fail(err,
            BatteryText::replacingPlaceholder(
                t(problem), BatteryText::chargeLimitText(upowers, language)),
            badValue);
    }
    std::optional<ChargeLimitResult> result;
    QEventLoop loop;
    control.apply(*fitted, [&](const ChargeLimitResult& finished) {
        result = finished;
        loop.quit();
    });
    if (!result)
        loop.exec();
    if (result->outcome != ChargeLimitOutcome::done) {
        std::string message = t("limit.err." + std::string(rawValue(result->outcome)));
        if (!result->detail.empty())
            message += " (" + result->detail + ")";
        return fail(err, message, notHeld);
    }
    const std::string holds = BatteryText::chargeLimitValue(control.state(), language);
    if (!holdsChargeLimit(control.state(), *fitted))
        return fail(err, BatteryText::replacingPlaceholder(t("limit.err.holds"), holds), notHeld);
    std::fprintf(out, "%s: %s\n", t("limit").c_str(), holds.c_str());
    std::fflush(out);
    return held;
}

} // namespace wattlet
