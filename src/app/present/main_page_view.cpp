#include "main_page_view.h"

#include "page_parts.h"

#include "core/battery_text.h"
#include "platform/machine_name.h"

#include <cmath>

namespace wattlet {

namespace {

    using BatteryText::dash;
    using BatteryText::minus;
    using PageParts::Texts;
    using PageParts::upper;

    // The magnitude of a signed change without overflowing at the most negative value.
    std::string magnitude(std::int64_t value)
    {
        const auto u = static_cast<std::uint64_t>(value);
        return std::to_string(value < 0 ? ~u + 1 : u);
    }

    MainPageView::Hero hero(const BatteryReading& r, Language language, const WarningLevels& levels)
    {
        MainPageView::Hero h;
        h.percent = r.percent;
        h.number = BatteryText::integer(r.percent, language);
        h.percentSign = BatteryText::percentOf("", language);
        std::erase(h.percentSign, ' ');
        h.tone = toneName(r, levels);
        h.state = BatteryText::state(r, language);
        if (r.onAC) {
            h.boltSymbol = "bolt.fill";
            h.boltTone = "gold";
        }
        h.timeLine = BatteryText::timeLine(r, language);
        h.timeSymbol = r.onAC && r.charging ? "clock.arrow.circlepath" : "clock";
        h.name = BatteryText::t("a11y.charge", language);
        h.description = h.state + (h.timeLine ? ", " + *h.timeLine : std::string());
        return h;
    }

    std::vector<MainPageView::Warning> warnings(
        const BatteryReading& r, Language language, const WarningLevels& levels)
    {
        using W = BatteryReading::Warning;
        std::vector<MainPageView::Warning> rows;
        for (const W w : r.warnings(levels)) {
            rows.push_back({ "exclamationmark.triangle.fill",
                BatteryText::warning(w, r, language, machineName()),
                w == W::critical || w == W::hot ? "red" : "yellow" });
        }
        return rows;
    }

    std::array<MainPageView::Tile, 4> tiles(const BatteryReading& r, const Texts& t)
    {
        const auto temp = r.temperatureC;
        const auto health = r.health();
        return { {
            { "bolt.horizontal.fill", t("tile.power"), powerTileText(r, t.language), "blue", false,
                {} },
            { "thermometer.medium", t("tile.temp"),
                temp ? BatteryText::num(*temp, 0, t.language) + " \u00b0C" : dash,
                temp && *temp >= BatteryReading::hotC ? "red" : "gold", false, {} },
            { "heart.fill", t("tile.health"),
                health ? BatteryText::percent(*health, t.language) : dash,
                PageParts::healthTint(health), true, t("health.open") },
            { "arrow.triangle.2.circlepath", t("tile.cycles"),
                r.cycles ? BatteryText::integer(*r.cycles, t.language) : dash, "malachite", false,
                {} },
        } };
    }

    // On power only, where the state is charging, full or hold.
    std::string modeKey(const BatteryReading& r)
    {
        switch (r.state()) {
        case BatteryReading::State::charging:
            return "mode.charging";
        case BatteryReading::State::full:
            return "mode.full";
        default:
            if (r.heldAtLimit())
                return "mode.limit";
            return r.optimizedHold() ? "mode.optimized" : "mode.hold";
        }
    }

    std::vector<MainPageView::Detail> details(const BatteryReading& r, const Texts& t)
    {
        std::vector<MainPageView::Detail> rows;
        if (r.onAC) {
            std::string adapter = r.adapterWatts
                ? BatteryText::integer(*r.adapterWatts, t.language) + " " + t("W")
                : dash;
            if (r.adapterName)
                adapter += " \u00b7 " + *r.adapterName;
            rows.push_back({ t("adapter"), adapter });
            rows.push_back({ t("mode"), t(modeKey(r)) });
        } else {
            rows.push_back({ t("adapter"), t("noAdapter") });
        }
        if (r.fullCapacity && r.designCapacity)
            rows.push_back({ t("capacity"),
                BatteryText::integer(*r.fullCapacity, t.language) + " / "
                    + BatteryText::integer(*r.designCapacity, t.language) + " " + t("mAh") });
        if (r.remainingCapacity)
            rows.push_back({ t("remaining"),
                BatteryText::integer(*r.remainingCapacity, t.language) + " " + t("mAh") });
        if (r.chargeLimitPercent)
            rows.push_back({ t("limit"), BatteryText::percent(*r.chargeLimitPercent, t.language) });
        return rows;
    }

    std::vector<MainPageView::Device> devices(
        const Peripherals& peripherals, Language language, const WarningLevels& levels)
    {
        std::vector<MainPageView::Device> rows;
        for (const Peripheral& device : peripherals)
            rows.push_back(
                { std::string(device.symbol()), BatteryText::deviceName(device, language),
                    BatteryText::deviceCharge(device, language), device.low(levels) ? "red" : "" });
        return rows;
    }

    MainPageView::Chart chart(const BatteryReading& r, const std::vector<double>& series,
        std::optional<std::int64_t> delta, const Texts& t, const WarningLevels& levels)
    {
        MainPageView::Chart c;
        c.title = upper(t("day"));
        c.empty = series.size() < 2;
        if (c.empty) {
            c.emptyText = t("chart.empty");
            return c;
        }
        if (delta)
            c.delta = (*delta < 0 ? minus : "+")
                + BatteryText::percentOf(
                    BatteryText::localDigits(magnitude(*delta), t.language), t.language)
                + " " + t("delta");
        c.values = series;
        c.tint = toneName(r, levels);
        c.left = t("chart.left");
        c.right = t("chart.right");
        const auto percent = [&](const char* key, double value) {
            return BatteryText::replacingPlaceholder(
                t(key), BatteryText::percent(std::lround(value), t.language));
        };
        c.description = t("day") + ": " + percent("a11y.from", series.front()) + " "
            + percent("a11y.to", series.back()) + (c.delta ? ", " + *c.delta : "");
        return c;
    }

} // namespace

std::string toneName(const BatteryReading& reading, const WarningLevels& levels)
{
    std::string dot = reading.dot(levels);
    if (dot == "red" || dot == "yellow" || dot == "blue")
        return dot;
    return "malachite";
}

std::string powerTileText(const BatteryReading& reading, Language language)
{
    const auto watts = reading.watts();
    if (!watts)
        return dash;
    // The tile says what the battery is doing, beside the charging state: "+" for as long as it
    // charges, also while a brief load draws more than the charger gives. The tooltip's line
    // (BatteryText::watts) reports the measured flow instead.
    const std::string sign = reading.charging ? "+" : *watts < -0.05 ? minus : "";
    return sign + BatteryText::unsignedWatts(*watts, language);
}

MainPageView mainPageView(const std::optional<BatteryReading>& reading,
    const std::vector<double>& series, std::optional<std::int64_t> delta, Language language,
    bool powerSettings, const Peripherals& peripherals, const WarningLevels& levels)
{
    const Texts t { language };
    MainPageView view;
    if (!reading) {
        view.notice = t("noBattery");
        view.noticeSymbol = "battery.0percent";
        return view;
    }
    const BatteryReading& r = *reading;
    view.hero = hero(r, language, levels);
    view.warnings = warnings(r, language, levels);
    view.tiles = tiles(r, t);
    view.details = details(r, t);
    view.devices = devices(peripherals, language, levels);
    if (!view.devices.empty())
        view.devicesTitle = upper(t("devices"));
    view.chart = chart(r, series, delta, t, levels);
    using Kind = MainPageView::Action::Kind;
    if (powerSettings)
        view.actions.push_back({ Kind::openPower, "gearshape.fill", t("act.power") });
    view.actions.push_back({ Kind::copySummary, "doc.on.doc", t("act.copy") });
    return view;
}

} // namespace wattlet
