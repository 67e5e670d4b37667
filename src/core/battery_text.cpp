#include "battery_text.h"

#include "catalogs.h"
#include "int64_range.h"
#include "plural_rule.h"
#include "power_control_text.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <cmath>
#include <unordered_map>

namespace wattlet::BatteryText {

namespace {

    // The English texts, one a line; every other language's come from its catalog (po/), found
    // by the same key. scripts/update-po collects text(key, english) and plural(key, one, other)
    // for the template with xgettext; a comment starting "TRANSLATORS:" goes with the next one.
    struct Source
    {
        std::string_view key;
        std::string_view english;
        std::string_view englishPlural;
    };

    constexpr Source text(std::string_view key, std::string_view english)
    {
        return { key, english, {} };
    }

    constexpr Source plural(std::string_view key, std::string_view one, std::string_view other)
    {
        return { key, one, other };
    }

    // clang-format off
    constexpr auto table = std::to_array<Source>({
        // TRANSLATORS: the language's own name, as the list of languages in Settings shows it.
        text("language.name", "English"),
        // TRANSLATORS: "rtl" for a language written from right to left, else "ltr".
        text("language.direction", "ltr"),
        // TRANSLATORS: the decimal separator: "1.5" or "1,5".
        text("num.decimal", "."),
        // TRANSLATORS: the ten digits 0 to 9 as the language writes numbers.
        text("num.digits", "0123456789"),
        // TRANSLATORS: a percentage, %d standing for the number: "%d %", "%d%", "%%d".
        text("num.percent", "%d %"),
        // TRANSLATORS: hours and minutes of a duration ("1 h 5 min"), %d the number.
        plural("h", "%d h", "%d h"),
        plural("min", "%d min", "%d min"),
        text("W", "W"),
        text("A", "A"),
        text("V", "V"),
        text("mAh", "mAh"),
        text("state.charging", "charging"),
        text("state.full", "charged, on power"),
        text("state.hold", "on power, not charging"),
        text("state.optimized", "optimized charging — holding near 80 %"),
        text("state.battery", "on battery"),
        text("time.full", "full in"),
        text("time.left", "left"),
        text("time.calc", "calculating time…"),
        text("time.day", "more than a day"),
        text("time.almostFull", "almost full"),
        text("warn.critical", "Critical: %d % — plug in"),
        text("warn.low", "Low battery: %d %"),
        text("warn.hot", "Battery is hot: %d °C — let the laptop cool down"),
        text("warn.hot.mac", "Battery is hot: %d °C — let the Mac cool down"),
        text("warn.weak", "Weak charger: %d W — charging is slow or not happening"),
        text("warn.slow", "Charging is slowed (heat or limit)"),
        text("warn.notCharging", "On power but not charging"),
        text("warn.health", "Battery health %d % — time to think about a replacement"),
        text("now", "Now"),
        text("health", "Health"),
        text("day", "Last 24 h"),
        text("power", "Power"),
        text("adapter", "Charger"),
        text("temp", "Temperature"),
        text("mode", "Mode"),
        text("capacity", "Capacity"),
        text("cycles", "Cycles"),
        text("remaining", "In battery"),
        text("noAdapter", "no charger"),
        text("noBattery", "No battery"),
        text("mode.charging", "normal charging"),
        text("mode.optimized", "optimized (holds ~80 %)"),
        text("mode.full", "charged — running on power"),
        text("mode.hold", "not charging"),
        text("act.power", "Power"),
        text("act.power.hint", "System Settings → Battery"),
        text("act.copy", "Copy summary"),
        text("act.quit", "Quit"),
        text("settings", "Settings"),
        text("about", "About"),
        text("back", "Back"),
        text("set.percent", "Percent in menu bar"),
        text("set.notify", "Warnings"),
        text("set.login", "Launch at login"),
        text("set.lang", "Language"),
        text("lang.auto", "Auto"),
        text("tile.power", "Power"),
        text("tile.temp", "Temperature"),
        text("tile.health", "Health"),
        text("tile.cycles", "Cycles"),
        text("of", "of"),
        text("design", "design"),
        text("about.made", "Made by Morvane"),
        text("about.site", "Author's website"),
        text("about.page", "Product page"),
        text("about.privacy", "Privacy policy"),
        text("about.local", "All data stays on your computer. Nothing is sent anywhere."),
        text("about.local.mac", "All data stays on your Mac. Nothing is sent anywhere."),
        text("about.version", "Version"),
        text("brand", "by Morvane · morvane.dev"),
        text("act.panel", "Open panel"),
        text("chart.left", "24 h ago"),
        text("chart.right", "now"),
        text("chart.empty", "History appears in a couple of minutes"),
        text("delta", "last hour"),
        text("ok", "all good"),
        text("attention", "worth a look"),
        text("state.limit", "holding at the %d % charge limit"),
        text("mode.limit", "held at the charge limit"),
        text("limit", "Charge limit"),
        text("devices", "Devices"),
        text("kind.mouse", "Mouse"),
        text("kind.keyboard", "Keyboard"),
        text("kind.headset", "Headset"),
        text("kind.headphones", "Headphones"),
        text("kind.gamingInput", "Game controller"),
        text("kind.touchpad", "Touchpad"),
        text("kind.tablet", "Tablet"),
        text("kind.pen", "Pen"),
        text("kind.phone", "Phone"),
        text("kind.mediaPlayer", "Media player"),
        text("kind.other", "Device battery"),
        text("level.critical", "almost empty"),
        text("level.low", "low"),
        text("level.normal", "normal"),
        text("level.high", "high"),
        text("level.full", "full"),
        text("warn.device", "time to charge it"),
        text("warn.device.title", "Device battery low"),
        text("health.title", "Battery health"),
        text("health.open", "Health over the months"),
        text("health.chart", "Full capacity"),
        text("health.now", "Health now"),
        text("health.perMonth", "Per month"),
        text("health.perCycles", "Per 100 cycles"),
        text("health.days", "Days recorded"),
        text("health.empty", "The curve appears from the second day of records"),
        text("health.wait", "The change shows after 30 days of records (now %d)."),
        text("mon.1", "Jan"),
        text("mon.2", "Feb"),
        text("mon.3", "Mar"),
        text("mon.4", "Apr"),
        text("mon.5", "May"),
        text("mon.6", "Jun"),
        text("mon.7", "Jul"),
        text("mon.8", "Aug"),
        text("mon.9", "Sep"),
        text("mon.10", "Oct"),
        text("mon.11", "Nov"),
        text("mon.12", "Dec"),
        // The charge limit and the power mode.
        text("state.limitFixed", "holding at the firmware's charge limit"),
        text("time.limit", "%d % in"),
        text("limit.about", "A laptop that lives on its charger keeps more of its capacity when charging stops at about 80 %."),
        text("limit.off", "Off"),
        text("limit.custom", "Custom"),
        text("limit.switch", "Limit charging"),
        text("limit.start", "Start charging below"),
        text("limit.end", "Stop charging at"),
        text("limit.apply", "Apply"),
        text("limit.once", "Charge to 100 % once"),
        text("limit.stops", "Charging stops at %d %"),
        text("limit.restarts", " and starts again below %d %"),
        text("limit.full", "The battery charges to 100 %."),
        text("limit.fixedOn", "The firmware stops charging at its own level, usually 60 or 80 %."),
        text("limit.fixedOff", "Switch it on and the firmware stops charging at its own level, usually 60 or 80 %."),
        text("limit.upower", "UPower takes these values from its hardware database."),
        text("limit.lifted", "Charging to 100 % once; the %d limit returns when the charger is unplugged."),
        text("limit.password", "Changing it asks for an administrator's password."),
        text("limit.busy", "Waiting for permission…"),
        text("limit.noHardware", "This battery's driver offers no charge limit that this kernel can set."),
        text("limit.noHelper", "To change it here, install Wattlet from its package: the helper wattlet-charge-limit is missing."),
        text("limit.noPkexec", "To change it here, install the pkexec package."),
        text("limit.fixedValue", "on (the firmware's level)"),
        text("limit.liftedValue", "100 % once"),
        text("limit.changeable", "can be changed here"),
        text("limit.notChangeable", "cannot be changed here"),
        text("limit.err.dismissed", "Not changed: the password dialog was closed"),
        text("limit.err.notAuthorized", "Not changed: not authorized"),
        text("limit.err.refused", "Not changed: the helper refused"),
        text("limit.err.unsupported", "Not changed: the battery cannot take this limit"),
        text("limit.err.failed", "Writing the limit failed"),
        text("limit.err.unavailable", "Not changed: the helper did not start"),
        text("limit.err.timedOut", "The helper did not answer within 2 minutes"),
        text("limit.err.holds", "The battery holds %d"),
        text("limit.err.noStart", "This battery has no start threshold: give the end alone"),
        text("limit.err.upowerValues", "UPower sets this battery's limit to %d: ask for it or for off"),
        text("profile.title", "Power mode"),
        text("profile.power-saver", "Power saver"),
        text("profile.balanced", "Balanced"),
        text("profile.performance", "Performance"),
        text("profile.short.power-saver", "Saver"),
        text("profile.short.balanced", "Balanced"),
        text("profile.short.performance", "Performance"),
        text("profile.degraded", "Performance is reduced: %d"),
        text("profile.degraded.lap-detected", "the laptop is on a lap"),
        text("profile.degraded.high-operating-temperature", "the laptop is too hot"),
        text("profile.heldBy", "Held by %d"),
        text("profile.onBattery", "On battery"),
        text("profile.onPower", "On power"),
        text("profile.keep", "Leave as is"),
        text("profile.plugHeld", "While a mode is held, it does not follow the charger."),
        text("set.notifications", "Notifications"),
        text("set.on", "On"),
        text("set.off", "Off"),
        text("set.sound", "Sound"),
        text("set.levels", "Warn at"),
        text("set.low", "Low battery"),
        text("set.critical", "Critical battery"),
        text("set.reminder", "Remind to unplug at"),
        text("set.reminder.limit", "Not needed while a charge limit is set: charging stops at %d % by itself."),
        text("warn.full", "Charged to %d % — you can unplug the charger"),
        // The program's name and the command line.
        text("app.name", "Wattlet"),
        text("cli.help", "Usage: wattlet [OPTION]…\n"
            "Battery and power supply in the tray.\n"
            "\n"
            "  --demo=KIND        run on a demo reading (charging, battery, low, devices); the panel opens\n"
            "                     by itself\n"
            "  --snapshot=DIR     render the panel pictures into DIR and exit; with\n"
            "                     --snapshot-languages=CODES only those languages (de,ja,ar), with\n"
            "                     --snapshot-direction=rtl (or ltr) every picture in that direction\n"
            "  --summary          print the battery summary and exit (status 1 without a battery);\n"
            "                     with --demo=KIND, the demo reading's\n"
            "  --json             print the battery reading as one JSON line and exit; with --demo=KIND,\n"
            "                     the demo reading's; both list the batteries of mice, keyboards, headsets\n"
            "                     and other devices after the laptop's\n"
            "  --health           print the daily battery health log as CSV (date, full, design, cycles,\n"
            "                     health) and exit\n"
            "  --watch            print the summary's first line now and after every power event, until\n"
            "                     killed; with --json one JSON line each time\n"
            "  --charge-limit=LIMIT\n"
            "                     set the battery's charge limit and exit: END (80), START-END (75-80)\n"
            "                     or off; asks for an administrator's password; status 0 only when the\n"
            "                     battery then holds it\n"
            "  --help             show this help and exit\n"
            "  --version          show the version and exit\n"),
        // TRANSLATORS: %d stands for the display settings: "platform xcb, WAYLAND_DISPLAY=, DISPLAY=:0".
        text("cli.displayFailed", "cannot open the display (%d); --summary and --watch work without one"),
        text("cli.noDisplay", "no display (neither WAYLAND_DISPLAY nor DISPLAY is set); --summary and --watch work without one"),
        text("cli.limitSyntax", "--charge-limit takes END, START-END or off, whole percentages such as 80 or 75-80, END 40 or more"),
        // What a screen reader says for the ring, and the chart's range: "Last 24 h: from 62 % to 48 %".
        text("a11y.charge", "Charge"),
        // TRANSLATORS: %d stands for a percentage, as "num.percent" writes it.
        text("a11y.from", "from %d"),
        // TRANSLATORS: %d stands for a percentage, as "num.percent" writes it.
        text("a11y.to", "to %d"),
        // TRANSLATORS: %d stands for UPower's own charge limit, such as "75–80 %".
        text("limit.upowerOther", "These are the battery's values, not UPower's %d limit."),
    });
    // clang-format on

    const Source* find(std::string_view key)
    {
        static const auto index = [] {
            std::unordered_map<std::string_view, const Source*> map;
            for (const Source& source : table)
                map.emplace(source.key, &source);
            return map;
        }();
        const auto found = index.find(key);
        return found == index.end() ? nullptr : found->second;
    }

    struct LoadedCatalog
    {
        const Catalogs::Catalog* catalog = nullptr;
        PluralRule rule;
    };

    const LoadedCatalog* catalogOf(Language language)
    {
        static const auto loaded = [] {
            std::vector<LoadedCatalog> catalogs;
            // The compiler checked every Plural-Forms header: English's rule never stands in.
            for (const Catalogs::Catalog& catalog : Catalogs::all())
                catalogs.push_back(
                    { &catalog, PluralRule::parse(catalog.pluralForms).value_or(PluralRule()) });
            return catalogs;
        }();
        const auto found = std::find_if(loaded.begin(), loaded.end(),
            [language](const LoadedCatalog& c) { return c.catalog->language == language.code(); });
        return found == loaded.end() ? nullptr : &*found;
    }

    // The text of `source` in `language`, in the plural form `count` takes when it is given;
    // English where the catalog has no translation of today's English text.
    std::string_view translated(
        const Source& source, std::optional<std::uint64_t> count, Language language)
    {
        if (const LoadedCatalog* loaded = catalogOf(language)) {
            const auto messages = loaded->catalog->messages;
            const auto found = std::lower_bound(messages.begin(), messages.end(), source.key,
                [](const Catalogs::Message& m, std::string_view key) { return m.context < key; });
            const auto form = static_cast<std::size_t>(count ? loaded->rule.form(*count) : 0);
            if (found != messages.end() && found->context == source.key
                && found->id == source.english && !found->strings[form].empty())
                return found->strings[form];
        }
        const bool other = count && *count != 1 && !source.englishPlural.empty();
        return other ? source.englishPlural : source.english;
    }

    // The language's ten digits, or nothing when its catalog does not give exactly ten.
    std::optional<std::array<std::string, 10>> digitsOf(Language language)
    {
        const std::string digits = t("num.digits", language);
        if (digits == "0123456789")
            return std::nullopt;
        std::array<std::string, 10> result;
        std::size_t count = 0;
        for (const char c : digits) {
            const bool continuation = (static_cast<unsigned char>(c) & 0xC0) == 0x80;
            if (!continuation && ++count > result.size())
                return std::nullopt;
            if (count == 0)
                return std::nullopt;
            result[count - 1] += c;
        }
        return count == result.size() ? std::optional(result) : std::nullopt;
    }

    // Half away from zero; NaN has no integer and counts as absent, beyond int64 saturates.
    std::optional<std::int64_t> roundedToInt64(double value)
    {
        return saturatedInt64(std::round(value));
    }

    std::string integerOrZero(std::optional<std::int64_t> value, Language language)
    {
        return integer(value.value_or(0), language);
    }

    // The significant digits of |value| and the position of the decimal point among them, from
    // the shortest text that reads back as the same double: 12.34 gives "1234" and 2.
    struct Decimal
    {
        std::string digits;
        std::int64_t point = 0;
    };

    Decimal shortestDecimal(double magnitude)
    {
        std::array<char, 64> buffer {};
        const auto written = std::to_chars(
            buffer.data(), buffer.data() + buffer.size(), magnitude, std::chars_format::scientific);
        const std::string_view text(buffer.data(), written.ptr);
        const auto e = text.find('e');

        Decimal decimal;
        for (const char c : text.substr(0, e))
            if (c != '.')
                decimal.digits += c;
        const std::string_view exponentText = text.substr(e + 2);
        int exponent = 0;
        std::from_chars(exponentText.data(), exponentText.data() + exponentText.size(), exponent);
        decimal.point = (text[e + 1] == '-' ? -exponent : exponent) + 1;
        return decimal;
    }

    // Rounds half to even so that at most `fractionDigits` digits follow the point.
    void roundHalfToEven(Decimal& decimal, std::int64_t fractionDigits)
    {
        const std::int64_t keep = decimal.point + fractionDigits;
        if (keep >= static_cast<std::int64_t>(decimal.digits.size()))
            return;
        if (keep < 0) {
            decimal.digits.clear();
            return;
        }
        const auto kept = static_cast<std::size_t>(keep);
        const char next = decimal.digits[kept];
        const bool restNonZero
            = decimal.digits.find_first_not_of('0', kept + 1) != std::string::npos;
        const bool lastOdd = kept > 0 && (decimal.digits[kept - 1] - '0') % 2 == 1;
        decimal.digits.resize(kept);
        if (next < '5' || (next == '5' && !restNonZero && !lastOdd))
            return;
        auto digit = decimal.digits.rbegin();
        for (; digit != decimal.digits.rend() && *digit == '9'; ++digit)
            *digit = '0';
        if (digit != decimal.digits.rend()) {
            ++*digit;
        } else {
            decimal.digits.insert(decimal.digits.begin(), '1');
            ++decimal.point;
        }
    }

} // namespace

std::string t(std::string_view key, Language language)
{
    const Source* source = find(key);
    return source == nullptr ? std::string(key) : std::string(translated(*source, {}, language));
}

std::string tn(std::string_view key, std::int64_t count, Language language)
{
    const Source* source = find(key);
    if (source == nullptr)
        return std::string(key);
    const auto magnitude = static_cast<std::uint64_t>(std::max<std::int64_t>(count, 0));
    return replacingPlaceholder(
        std::string(translated(*source, magnitude, language)), integer(count, language));
}

std::string localDigits(std::string text, Language language)
{
    const auto digits = digitsOf(language);
    if (!digits)
        return text;
    std::string result;
    for (const char c : text)
        if (c >= '0' && c <= '9')
            result += (*digits)[static_cast<std::size_t>(c - '0')];
        else
            result += c;
    return result;
}

std::string integer(std::int64_t value, Language language)
{
    return localDigits(std::to_string(value), language);
}

std::string percent(std::int64_t value, Language language)
{
    return percentOf(integer(value, language), language);
}

std::string percentOf(const std::string& number, Language language)
{
    return replacingPlaceholder(t("num.percent", language), number);
}

TextDirection direction(Language language)
{
    return t("language.direction", language) == "rtl" ? TextDirection::rightToLeft
                                                      : TextDirection::leftToRight;
}

std::vector<Language> languages()
{
    std::vector<Language> result { Language::en };
    for (const Catalogs::Catalog& catalog : Catalogs::all())
        result.emplace_back(catalog.language);
    return result;
}

std::string machineText(std::string_view key, Language language, MachineName machine)
{
    return machine == MachineName::mac ? t(std::string(key) + ".mac", language) : t(key, language);
}

std::vector<std::string_view> keys()
{
    std::vector<std::string_view> result;
    result.reserve(table.size());
    for (const Source& entry : table)
        result.push_back(entry.key);
    return result;
}

std::string duration(std::int64_t minutes, Language language)
{
    const std::int64_t hours = minutes / 60;
    const std::int64_t rest = minutes % 60;
    if (hours == 0)
        return tn("min", rest, language);
    if (rest == 0)
        return tn("h", hours, language);
    return tn("h", hours, language) + " " + tn("min", rest, language);
}

std::string num(double value, int digits, Language language)
{
    if (std::isnan(value))
        return "NaN";
    if (std::isinf(value))
        return value < 0 ? "-∞" : "∞";

    Decimal decimal = shortestDecimal(std::fabs(value));
    roundHalfToEven(decimal, std::max(digits, 0));
    const auto size = static_cast<std::int64_t>(decimal.digits.size());

    std::string whole;
    std::string fraction;
    if (decimal.point <= 0) {
        whole = "0";
        fraction = std::string(static_cast<std::size_t>(-decimal.point), '0') + decimal.digits;
    } else if (decimal.point >= size) {
        whole = decimal.digits + std::string(static_cast<std::size_t>(decimal.point - size), '0');
    } else {
        whole = decimal.digits.substr(0, static_cast<std::size_t>(decimal.point));
        fraction = decimal.digits.substr(static_cast<std::size_t>(decimal.point));
    }
    fraction.erase(fraction.find_last_not_of('0') + 1);
    if (whole.empty())
        whole = "0";

    // Rounding may leave nothing but zeros: "-0" would only puzzle.
    const bool zero = decimal.digits.find_first_not_of('0') == std::string::npos;
    std::string text = value < 0 && !zero ? "-" : "";
    text += whole;
    if (!fraction.empty()) {
        text += t("num.decimal", language);
        text += fraction;
    }
    return localDigits(std::move(text), language);
}

std::string replacingPlaceholder(std::string text, const std::string& number)
{
    constexpr std::string_view placeholder = "%d";
    for (auto at = text.find(placeholder); at != std::string::npos;
        at = text.find(placeholder, at + number.size()))
        text.replace(at, placeholder.size(), number);
    return text;
}

std::string unsignedWatts(double watts, Language language)
{
    const double magnitude = std::fabs(watts);
    return num(magnitude, magnitude < 10 ? 1 : 0, language) + " " + t("W", language);
}

std::string watts(double watts, Language language)
{
    const char* sign = watts > 0.05 ? "+" : watts < -0.05 ? minus : "";
    return sign + unsignedWatts(watts, language);
}

std::string state(const BatteryReading& reading, Language language)
{
    switch (reading.state()) {
    case BatteryReading::State::discharging:
        return t("state.battery", language);
    case BatteryReading::State::charging:
        return t("state.charging", language);
    case BatteryReading::State::full:
        return t("state.full", language);
    case BatteryReading::State::hold:
        break;
    }
    if (reading.heldAtLimit() && reading.chargeLimitPercent)
        return replacingPlaceholder(
            t("state.limit", language), integerOrZero(reading.chargeLimitPercent, language));
    if (reading.heldAtLimit())
        return t("state.limitFixed", language);
    return t(reading.optimizedHold() ? "state.optimized" : "state.hold", language);
}

std::optional<std::string> timeLine(const BatteryReading& reading, Language language)
{
    using T = BatteryReading::TimeWithheld;
    const auto estimate = reading.timeEstimate();
    if (!estimate.minutes && !estimate.withheld)
        return std::nullopt;
    if (estimate.withheld == T::almostFull)
        return t("time.almostFull", language);
    if (estimate.withheld == T::settling || estimate.withheld == T::rateTooLow)
        return t("time.calc", language);
    // Charging stops at the limit: the time is the time to reach it.
    const std::string lead = reading.state() != BatteryReading::State::charging
        ? t("time.left", language)
        : reading.chargeLimitPercent ? replacingPlaceholder(t("time.limit", language),
                                           integerOrZero(reading.chargeLimitPercent, language))
                                     : t("time.full", language);
    return lead + " "
        + (estimate.minutes ? duration(*estimate.minutes, language) : t("time.day", language));
}

std::optional<std::string> powerLine(const BatteryReading& reading, Language language)
{
    const auto power = reading.watts();
    if (!power || !reading.amperageMA || !reading.voltageMV)
        return std::nullopt;
    const double amperes = std::fabs(static_cast<double>(*reading.amperageMA)) / 1000;
    const double volts = static_cast<double>(*reading.voltageMV) / 1000;
    return watts(*power, language) + " (" + num(amperes, 1, language) + " " + t("A", language)
        + " · " + num(volts, 1, language) + " " + t("V", language) + ")";
}

std::string warning(BatteryReading::Warning warning, const BatteryReading& reading,
    Language language, MachineName machine)
{
    using W = BatteryReading::Warning;
    switch (warning) {
    case W::critical:
        return replacingPlaceholder(
            t("warn.critical", language), integerOrZero(reading.percent, language));
    case W::low:
        return replacingPlaceholder(
            t("warn.low", language), integerOrZero(reading.percent, language));
    case W::hot: {
        const auto celsius
            = reading.temperatureC ? roundedToInt64(*reading.temperatureC) : std::nullopt;
        return replacingPlaceholder(
            machineText("warn.hot", language, machine), integerOrZero(celsius, language));
    }
    case W::weakCharger:
        return replacingPlaceholder(
            t("warn.weak", language), integerOrZero(reading.adapterWatts, language));
    case W::slowCharging:
        return t("warn.slow", language);
    case W::notCharging:
        return t("warn.notCharging", language);
    case W::healthLow:
        return replacingPlaceholder(
            t("warn.health", language), integerOrZero(reading.health(), language));
    }
    return {};
}

namespace {

    std::string summaryOf(
        const BatteryReading& reading, const PowerControls& controls, Language language)
    {
        const auto tr = [language](std::string_view key) { return t(key, language); };
        std::string text = percent(reading.percent, language) + " · " + state(reading, language);
        const auto addLine = [&text](const std::string& line) { text += "\n" + line; };

        if (const auto time = timeLine(reading, language))
            addLine(*time);
        if (const auto power = powerLine(reading, language))
            addLine(tr("power") + ": " + *power);
        if (reading.onAC && reading.adapterWatts) {
            std::string line
                = tr("adapter") + ": " + integer(*reading.adapterWatts, language) + " " + tr("W");
            if (reading.adapterName)
                line += " · " + *reading.adapterName;
            addLine(line);
        }
        if (reading.temperatureC)
            addLine(tr("temp") + ": " + num(*reading.temperatureC, 0, language) + " °C");
        if (const auto health = reading.health();
            health && reading.fullCapacity && reading.designCapacity)
            addLine(tr("health") + ": " + percent(*health, language) + " ("
                + integer(*reading.fullCapacity, language) + " " + tr("mAh") + " / "
                + integer(*reading.designCapacity, language) + ")");
        if (reading.cycles)
            addLine(tr("cycles") + ": " + integer(*reading.cycles, language));
        if (controls.chargeLimit)
            addLine(chargeLimitLine(*controls.chargeLimit, language));
        else if (reading.chargeLimitPercent)
            addLine(tr("limit") + ": " + percent(*reading.chargeLimitPercent, language));
        else if (reading.fixedChargeLimit)
            addLine(tr("limit") + ": " + tr("limit.fixedValue"));
        if (controls.profiles)
            addLine(profileLine(*controls.profiles, language));
        return text;
    }

} // namespace

std::string summary(const BatteryReading& reading, Language language)
{
    return summaryOf(reading, {}, language);
}

std::string summary(const BatteryReading& reading, const Peripherals& devices, Language language)
{
    return summary(reading, devices, {}, language);
}

std::string summary(const BatteryReading& reading, const Peripherals& devices,
    const PowerControls& controls, Language language)
{
    std::string text = summaryOf(reading, controls, language);
    for (const Peripheral& device : devices)
        text += "\n" + deviceLine(device, language);
    return text;
}

std::string deviceName(const Peripheral& device, Language language)
{
    if (!device.model.empty())
        return device.model;
    return t("kind." + std::string(rawValue(device.kind)), language);
}

std::string deviceCharge(const Peripheral& device, Language language)
{
    if (device.percent)
        return percent(*device.percent, language);
    if (device.level)
        return t("level." + std::string(rawValue(*device.level)), language);
    return dash;
}

std::string deviceLine(const Peripheral& device, Language language)
{
    std::string line = deviceName(device, language) + ": " + deviceCharge(device, language);
    if (device.charging)
        line += " · " + t("state.charging", language);
    return line;
}

std::string deviceWarning(const Peripheral& device, Language language)
{
    return deviceName(device, language) + ": " + deviceCharge(device, language) + " — "
        + t("warn.device", language);
}

} // namespace wattlet::BatteryText
