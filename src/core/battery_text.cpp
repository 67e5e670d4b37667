#include "battery_text.h"

#include "int64_range.h"
#include "power_control_text.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <cmath>
#include <unordered_map>

namespace wattlet::BatteryText {

namespace {

    struct Entry
    {
        std::string_view key;
        std::string_view ru;
        std::string_view en;
    };

    // clang-format off
    constexpr std::array<Entry, 178> table { {
        { "h", "ч", "h" },
        { "min", "мин", "min" },
        { "W", "Вт", "W" },
        { "A", "А", "A" },
        { "V", "В", "V" },
        { "mAh", "мА·ч", "mAh" },
        { "state.charging", "заряжается", "charging" },
        { "state.full", "заряжен, от сети", "charged, on power" },
        { "state.hold", "от сети, не заряжает", "on power, not charging" },
        { "state.optimized", "оптимизированная зарядка — держит около 80 %",
            "optimized charging — holding near 80 %" },
        { "state.battery", "на батарее", "on battery" },
        { "time.full", "до полной", "full in" },
        { "time.left", "осталось", "left" },
        { "time.calc", "время считается…", "calculating time…" },
        { "time.day", "больше суток", "more than a day" },
        { "time.almostFull", "почти заряжен", "almost full" },
        { "warn.critical", "Критично: %d % — подключи зарядку", "Critical: %d % — plug in" },
        { "warn.low", "Мало заряда: %d %", "Low battery: %d %" },
        { "warn.hot", "Батарея горячая: %d °C — дай ноутбуку остыть",
            "Battery is hot: %d °C — let the laptop cool down" },
        { "warn.hot.mac", "Батарея горячая: %d °C — дай Маку остыть",
            "Battery is hot: %d °C — let the Mac cool down" },
        { "warn.weak", "Слабый зарядник: %d Вт — заряд идёт медленно или не идёт",
            "Weak charger: %d W — charging is slow or not happening" },
        { "warn.slow", "Зарядка замедлена (нагрев или ограничение)",
            "Charging is slowed (heat or limit)" },
        { "warn.notCharging", "От сети, но не заряжает", "On power but not charging" },
        { "warn.health", "Здоровье батареи %d % — пора думать о замене",
            "Battery health %d % — time to think about a replacement" },
        { "now", "Сейчас", "Now" },
        { "health", "Здоровье", "Health" },
        { "day", "За сутки", "Last 24 h" },
        { "power", "Мощность", "Power" },
        { "adapter", "Зарядник", "Charger" },
        { "temp", "Температура", "Temperature" },
        { "mode", "Режим", "Mode" },
        { "capacity", "Ёмкость", "Capacity" },
        { "cycles", "Циклы", "Cycles" },
        { "remaining", "В батарее", "In battery" },
        { "noAdapter", "без зарядника", "no charger" },
        { "noBattery", "Батареи нет", "No battery" },
        { "mode.charging", "обычная зарядка", "normal charging" },
        { "mode.optimized", "оптимизированная (держит ~80 %)", "optimized (holds ~80 %)" },
        { "mode.full", "заряжен — питание от сети", "charged — running on power" },
        { "mode.hold", "не заряжает", "not charging" },
        { "act.power", "Питание", "Power" },
        { "act.power.hint", "Системные настройки → Аккумулятор", "System Settings → Battery" },
        { "act.copy", "Скопировать сводку", "Copy summary" },
        { "act.quit", "Выйти", "Quit" },
        { "settings", "Настройки", "Settings" },
        { "about", "О программе", "About" },
        { "back", "Назад", "Back" },
        { "set.percent", "Процент в строке меню", "Percent in menu bar" },
        { "set.notify", "Предупреждения", "Warnings" },
        { "set.login", "Запускать при входе", "Launch at login" },
        { "set.lang", "Язык", "Language" },
        { "lang.auto", "Авто", "Auto" },
        { "tile.power", "Мощность", "Power" },
        { "tile.temp", "Температура", "Temperature" },
        { "tile.health", "Здоровье", "Health" },
        { "tile.cycles", "Циклы", "Cycles" },
        { "of", "из", "of" },
        { "design", "заводская", "design" },
        { "about.made", "Сделано Morvane", "Made by Morvane" },
        { "about.site", "Сайт автора", "Author's website" },
        { "about.page", "Страница программы", "Product page" },
        { "about.privacy", "Политика конфиденциальности", "Privacy policy" },
        { "about.local", "Все данные остаются на вашем компьютере. Ничего не отправляется.",
            "All data stays on your computer. Nothing is sent anywhere." },
        { "about.local.mac", "Все данные остаются на вашем Маке. Ничего не отправляется.",
            "All data stays on your Mac. Nothing is sent anywhere." },
        { "about.version", "Версия", "Version" },
        { "brand", "by Morvane · morvane.dev", "by Morvane · morvane.dev" },
        { "act.panel", "Открыть панель", "Open panel" },
        { "chart.left", "сутки назад", "24 h ago" },
        { "chart.right", "сейчас", "now" },
        { "chart.empty", "История появится через пару минут",
            "History appears in a couple of minutes" },
        { "delta", "за час", "last hour" },
        { "ok", "всё в порядке", "all good" },
        { "attention", "есть на что посмотреть", "worth a look" },
        { "state.limit", "держит предел заряда %d %", "holding at the %d % charge limit" },
        { "mode.limit", "держит предел заряда", "held at the charge limit" },
        { "limit", "Предел заряда", "Charge limit" },
        { "devices", "Устройства", "Devices" },
        { "kind.mouse", "Мышь", "Mouse" },
        { "kind.keyboard", "Клавиатура", "Keyboard" },
        { "kind.headset", "Гарнитура", "Headset" },
        { "kind.headphones", "Наушники", "Headphones" },
        { "kind.gamingInput", "Геймпад", "Game controller" },
        { "kind.touchpad", "Тачпад", "Touchpad" },
        { "kind.tablet", "Планшет", "Tablet" },
        { "kind.pen", "Стилус", "Pen" },
        { "kind.phone", "Телефон", "Phone" },
        { "kind.mediaPlayer", "Плеер", "Media player" },
        { "kind.other", "Батарея устройства", "Device battery" },
        { "level.critical", "почти пусто", "almost empty" },
        { "level.low", "мало", "low" },
        { "level.normal", "норма", "normal" },
        { "level.high", "много", "high" },
        { "level.full", "полная", "full" },
        { "warn.device", "пора зарядить", "time to charge it" },
        { "warn.device.title", "Устройство разряжается", "Device battery low" },
        { "health.title", "Здоровье батареи", "Battery health" },
        { "health.open", "Здоровье по месяцам", "Health over the months" },
        { "health.chart", "Полная ёмкость", "Full capacity" },
        { "health.now", "Здоровье сейчас", "Health now" },
        { "health.perMonth", "За месяц", "Per month" },
        { "health.perCycles", "За 100 циклов", "Per 100 cycles" },
        { "health.days", "Записей", "Days recorded" },
        { "health.empty", "Кривая появится со второго дня записей", "The curve appears from the second day of records" },
        { "health.wait", "Изменение станет видно после 30 дней записей (сейчас %d).", "The change shows after 30 days of records (now %d)." },
        { "mon.1", "янв", "Jan" },
        { "mon.2", "фев", "Feb" },
        { "mon.3", "мар", "Mar" },
        { "mon.4", "апр", "Apr" },
        { "mon.5", "май", "May" },
        { "mon.6", "июн", "Jun" },
        { "mon.7", "июл", "Jul" },
        { "mon.8", "авг", "Aug" },
        { "mon.9", "сен", "Sep" },
        { "mon.10", "окт", "Oct" },
        { "mon.11", "ноя", "Nov" },
        { "mon.12", "дек", "Dec" },
        // The charge limit and the power mode.
        { "state.limitFixed", "держит предел заряда прошивки", "holding at the firmware's charge limit" },
        { "time.limit", "до %d %", "%d % in" },
        { "limit.about", "Ноутбук, который живёт на зарядке, дольше сохраняет ёмкость, если заряд останавливается около 80 %.",
            "A laptop that lives on its charger keeps more of its capacity when charging stops at about 80 %." },
        { "limit.off", "Выкл.", "Off" },
        { "limit.custom", "Своё", "Custom" },
        { "limit.switch", "Ограничить заряд", "Limit charging" },
        { "limit.start", "Заряжать, если ниже", "Start charging below" },
        { "limit.end", "Остановить на", "Stop charging at" },
        { "limit.apply", "Применить", "Apply" },
        { "limit.once", "Зарядить до 100 % один раз", "Charge to 100 % once" },
        { "limit.stops", "Заряд останавливается на %d %", "Charging stops at %d %" },
        { "limit.restarts", " и снова начинается ниже %d %", " and starts again below %d %" },
        { "limit.full", "Батарея заряжается до 100 %.", "The battery charges to 100 %." },
        { "limit.fixedOn", "Прошивка останавливает заряд на своём уровне, обычно 60 или 80 %.",
            "The firmware stops charging at its own level, usually 60 or 80 %." },
        { "limit.fixedOff", "Включите, чтобы прошивка останавливала заряд на своём уровне, обычно 60 или 80 %.",
            "Switch it on and the firmware stops charging at its own level, usually 60 or 80 %." },
        { "limit.upower", "Значения берёт UPower из своей базы оборудования.",
            "UPower takes these values from its hardware database." },
        { "limit.lifted", "Заряжается до 100 % один раз; предел %d вернётся, когда зарядку отключат.",
            "Charging to 100 % once; the %d limit returns when the charger is unplugged." },
        { "limit.password", "Изменение спросит пароль администратора.",
            "Changing it asks for an administrator's password." },
        { "limit.busy", "Ждёт разрешения…", "Waiting for permission…" },
        { "limit.noHardware", "Драйвер этой батареи не даёт задать предел заряда с этим ядром.",
            "This battery's driver offers no charge limit that this kernel can set." },
        { "limit.noHelper", "Чтобы менять предел здесь, установите Wattlet из пакета: нет помощника wattlet-charge-limit.",
            "To change it here, install Wattlet from its package: the helper wattlet-charge-limit is missing." },
        { "limit.noPkexec", "Чтобы менять предел здесь, установите пакет pkexec.",
            "To change it here, install the pkexec package." },
        { "limit.fixedValue", "вкл. (уровень прошивки)", "on (the firmware's level)" },
        { "limit.liftedValue", "до 100 % один раз", "100 % once" },
        { "limit.changeable", "можно изменить здесь", "can be changed here" },
        { "limit.notChangeable", "здесь не изменить", "cannot be changed here" },
        { "limit.err.dismissed", "Не изменён: запрос пароля закрыт", "Not changed: the password dialog was closed" },
        { "limit.err.notAuthorized", "Не изменён: нет разрешения", "Not changed: not authorized" },
        { "limit.err.refused", "Не изменён: помощник отказался", "Not changed: the helper refused" },
        { "limit.err.unsupported", "Не изменён: батарея не принимает такой предел",
            "Not changed: the battery cannot take this limit" },
        { "limit.err.failed", "Не удалось записать предел", "Writing the limit failed" },
        { "limit.err.unavailable", "Не изменён: помощник не запустился", "Not changed: the helper did not start" },
        { "limit.err.timedOut", "Помощник не ответил за 2 минуты", "The helper did not answer within 2 minutes" },
        { "limit.err.holds", "Батарея держит %d", "The battery holds %d" },
        { "limit.err.noStart", "У этой батареи нет нижнего порога: укажите только верхний",
            "This battery has no start threshold: give the end alone" },
        { "limit.err.upowerValues", "UPower задаёт этой батарее предел %d: укажите его или off",
            "UPower sets this battery's limit to %d: ask for it or for off" },
        { "profile.title", "Режим питания", "Power mode" },
        { "profile.power-saver", "Энергосбережение", "Power saver" },
        { "profile.balanced", "Баланс", "Balanced" },
        { "profile.performance", "Производительность", "Performance" },
        { "profile.short.power-saver", "Экономия", "Saver" },
        { "profile.short.balanced", "Баланс", "Balanced" },
        { "profile.short.performance", "Максимум", "Performance" },
        { "profile.degraded", "Производительность снижена: %d", "Performance is reduced: %d" },
        { "profile.degraded.lap-detected", "ноутбук на коленях", "the laptop is on a lap" },
        { "profile.degraded.high-operating-temperature", "ноутбук перегрет", "the laptop is too hot" },
        { "profile.heldBy", "Режим удерживает %d", "Held by %d" },
        { "profile.onBattery", "На батарее", "On battery" },
        { "profile.onPower", "От сети", "On power" },
        { "profile.keep", "Не менять", "Leave as is" },
        { "profile.plugHeld", "Пока режим удерживают, он не меняется вслед за зарядкой.",
            "While a mode is held, it does not follow the charger." },
        { "set.notifications", "Уведомления", "Notifications" },
        { "set.on", "Вкл.", "On" },
        { "set.off", "Выкл.", "Off" },
        { "set.sound", "Звук", "Sound" },
        { "set.levels", "Предупреждать при заряде", "Warn at" },
        { "set.low", "Мало заряда", "Low battery" },
        { "set.critical", "Критичный заряд", "Critical battery" },
        { "set.reminder", "Напомнить отключить зарядку при", "Remind to unplug at" },
        { "set.reminder.limit", "Не нужно, пока задан предел заряда: зарядка сама остановится на %d %.",
            "Not needed while a charge limit is set: charging stops at %d % by itself." },
        { "warn.full", "Заряжено до %d % — можно отключить зарядку",
            "Charged to %d % — you can unplug the charger" },
        { "limit.upowerOther", "Это значения батареи, не предел UPower %d.",
            "These are the battery's values, not UPower's %d limit." },
    } };
    // clang-format on

    const Entry* find(std::string_view key)
    {
        static const auto index = [] {
            std::unordered_map<std::string_view, const Entry*> map;
            for (const Entry& entry : table)
                map.emplace(entry.key, &entry);
            return map;
        }();
        const auto found = index.find(key);
        return found == index.end() ? nullptr : found->second;
    }

    // Half away from zero; NaN has no integer and counts as absent, beyond int64 saturates.
    std::optional<std::int64_t> roundedToInt64(double value)
    {
        return saturatedInt64(std::round(value));
    }

    std::string integer(std::optional<std::int64_t> value)
    {
        return std::to_string(value.value_or(0));
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
    const Entry* entry = find(key);
    if (entry == nullptr)
        return std::string(key);
    return std::string(language == Language::en ? entry->en : entry->ru);
}

std::string machineText(std::string_view key, Language language, MachineName machine)
{
    return machine == MachineName::mac ? t(std::string(key) + ".mac", language) : t(key, language);
}

std::vector<std::string_view> keys()
{
    std::vector<std::string_view> result;
    result.reserve(table.size());
    for (const Entry& entry : table)
        result.push_back(entry.key);
    return result;
}

std::string duration(std::int64_t minutes, Language language)
{
    const std::int64_t hours = minutes / 60;
    const std::int64_t rest = minutes % 60;
    const std::string h = " " + t("h", language);
    const std::string min = " " + t("min", language);
    if (hours == 0)
        return std::to_string(rest) + min;
    if (rest == 0)
        return std::to_string(hours) + h;
    return std::to_string(hours) + h + " " + std::to_string(rest) + min;
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
        text += language == Language::ru ? ',' : '.';
        text += fraction;
    }
    return text;
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
            t("state.limit", language), integer(reading.chargeLimitPercent));
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
        : reading.chargeLimitPercent
        ? replacingPlaceholder(t("time.limit", language), integer(reading.chargeLimitPercent))
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
        return replacingPlaceholder(t("warn.critical", language), integer(reading.percent));
    case W::low:
        return replacingPlaceholder(t("warn.low", language), integer(reading.percent));
    case W::hot: {
        const auto celsius
            = reading.temperatureC ? roundedToInt64(*reading.temperatureC) : std::nullopt;
        return replacingPlaceholder(machineText("warn.hot", language, machine), integer(celsius));
    }
    case W::weakCharger:
        return replacingPlaceholder(t("warn.weak", language), integer(reading.adapterWatts));
    case W::slowCharging:
        return t("warn.slow", language);
    case W::notCharging:
        return t("warn.notCharging", language);
    case W::healthLow:
        return replacingPlaceholder(t("warn.health", language), integer(reading.health()));
    }
    return {};
}

namespace {

    std::string summaryOf(
        const BatteryReading& reading, const PowerControls& controls, Language language)
    {
        const auto tr = [language](std::string_view key) { return t(key, language); };
        std::string text = std::to_string(reading.percent) + " % · " + state(reading, language);
        const auto addLine = [&text](const std::string& line) { text += "\n" + line; };

        if (const auto time = timeLine(reading, language))
            addLine(*time);
        if (const auto power = powerLine(reading, language))
            addLine(tr("power") + ": " + *power);
        if (reading.onAC && reading.adapterWatts) {
            std::string line
                = tr("adapter") + ": " + std::to_string(*reading.adapterWatts) + " " + tr("W");
            if (reading.adapterName)
                line += " · " + *reading.adapterName;
            addLine(line);
        }
        if (reading.temperatureC)
            addLine(tr("temp") + ": " + num(*reading.temperatureC, 0, language) + " °C");
        if (const auto health = reading.health();
            health && reading.fullCapacity && reading.designCapacity)
            addLine(tr("health") + ": " + std::to_string(*health) + " % ("
                + std::to_string(*reading.fullCapacity) + " " + tr("mAh") + " / "
                + std::to_string(*reading.designCapacity) + ")");
        if (reading.cycles)
            addLine(tr("cycles") + ": " + std::to_string(*reading.cycles));
        if (controls.chargeLimit)
            addLine(chargeLimitLine(*controls.chargeLimit, language));
        else if (reading.chargeLimitPercent)
            addLine(tr("limit") + ": " + std::to_string(*reading.chargeLimitPercent) + " %");
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
        return std::to_string(*device.percent) + " %";
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
