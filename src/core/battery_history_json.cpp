#include "battery_history.h"
#include "int64_range.h"

#include <nlohmann/json.hpp>

#include <array>
#include <charconv>
#include <cmath>
#include <limits>
#include <string_view>
#include <vector>

namespace wattlet {

namespace {

    using Json = nlohmann::json;

    // Reads the history straight from the parser's events: a two-day file holds some 3 000
    // samples, and building a document tree of them first costs more than the reading itself.
    class HistoryReader
    {
    public:
        std::optional<BatteryHistory> result(bool parsed) const
        {
            if (!parsed || !m_sawSamples)
                return std::nullopt;
            return m_history;
        }

        bool null()
        {
            return scalar([this] { return nullValue(); });
        }
        bool boolean(bool value)
        {
            return scalar([&] { return booleanValue(value); });
        }
        // NOLINTBEGIN(readability-identifier-naming): the JSON library names them.
        bool number_integer(Json::number_integer_t value)
        {
            return scalar([&] { return numberValue(static_cast<double>(value), value); });
        }
        bool number_unsigned(Json::number_unsigned_t value)
        {
            return scalar([&] {
                const auto integral = value <= static_cast<std::uint64_t>(INT64_MAX)
                    ? std::optional(static_cast<std::int64_t>(value))
                    : std::nullopt;
                return numberValue(static_cast<double>(value), integral);
            });
        }
        bool number_float(Json::number_float_t value, const Json::string_t&)
        {
            return scalar([&] { return numberValue(value, integralPart(value)); });
        }
        bool string(Json::string_t&)
        {
            return scalar([] { return false; });
        }
        bool binary(Json::binary_t&)
        {
            return scalar([] { return false; });
        }

        bool start_object(std::size_t)
        {
            if (m_skipping > 0 || startsIgnoredValue()) {
                ++m_skipping;
                return true;
            }
            switch (m_level) {
            case Level::outside:
                m_level = Level::root;
                return true;
            case Level::samples:
                m_level = Level::sample;
                m_sample = {};
                return true;
            default:
                return false;
            }
        }

        bool end_object()
        {
            if (m_skipping > 0) {
                --m_skipping;
                return true;
            }
            if (m_level == Level::root) {
                m_level = Level::outside;
                return true;
            }
            m_level = Level::samples;
            if (!m_sample.t || !m_sample.p || !m_sample.ac)
                return false;
            m_history.samples.push_back({ *m_sample.t, *m_sample.p, m_sample.w, *m_sample.ac });
            return true;
        }

        bool start_array(std::size_t)
        {
            if (m_skipping > 0 || startsIgnoredValue()) {
                ++m_skipping;
                return true;
            }
            if (m_level != Level::root || m_field != Field::samples)
                return false;
            // With a repeated key the last value counts, as for any JSON object.
            m_history.samples.clear();
            m_sawSamples = true;
            m_level = Level::samples;
            return true;
        }

        bool end_array()
        {
            if (m_skipping > 0) {
                --m_skipping;
                return true;
            }
            m_level = Level::root;
            return true;
        }

        bool key(Json::string_t& name)
        {
            if (m_skipping > 0)
                return true;
            if (m_level == Level::root)
                m_field = name == "samples" ? Field::samples : Field::other;
            else if (name == "t")
                m_field = Field::t;
            else if (name == "p")
                m_field = Field::p;
            else if (name == "w")
                m_field = Field::w;
            else if (name == "ac")
                m_field = Field::ac;
            else
                m_field = Field::other;
            return true;
        }

        bool parse_error(std::size_t, const std::string&, const nlohmann::detail::exception&)
        {
            return false;
        }

        // NOLINTEND(readability-identifier-naming)
    private:
        enum class Level { outside, root, samples, sample };
        enum class Field { samples, t, p, w, ac, other };

        struct PartialSample
        {
            std::optional<double> t;
            std::optional<std::int64_t> p;
            std::optional<double> w;
            std::optional<bool> ac;
        };

        static std::optional<std::int64_t> integralPart(double value)
        {
            if (std::trunc(value) != value)
                return std::nullopt;
            return truncatedInt64(value);
        }

        // A value under a key this reader does not know, at either level, is passed over whole.
        bool startsIgnoredValue() const
        {
            return (m_level == Level::root || m_level == Level::sample) && m_field == Field::other;
        }

        template <typename Check> bool scalar(Check check)
        {
            if (m_skipping > 0 || startsIgnoredValue())
                return true;
            return m_level == Level::sample && check();
        }

        bool nullValue()
        {
            if (m_field != Field::w)
                return false;
            m_sample.w.reset();
            return true;
        }

        bool booleanValue(bool value)
        {
            if (m_field != Field::ac)
                return false;
            m_sample.ac = value;
            return true;
        }

        // A number too large for a double parses as infinity; it cannot be written back, so it
        // counts as broken like any other bad value.
        bool numberValue(double value, std::optional<std::int64_t> integral)
        {
            switch (m_field) {
            case Field::t:
                m_sample.t = value;
                return std::isfinite(value);
            case Field::w:
                m_sample.w = value;
                return std::isfinite(value);
            case Field::p:
                m_sample.p = integral;
                return integral.has_value();
            default:
                return false;
            }
        }

        BatteryHistory m_history;
        PartialSample m_sample;
        Level m_level = Level::outside;
        Field m_field = Field::other;
        std::size_t m_skipping = 0;
        bool m_sawSamples = false;
    };

    // A double as the shortest text that reads back as the same double; integral values keep a
    // ".0" so that they read as what they are.
    void appendNumber(std::string& out, double value)
    {
        std::array<char, 32> buffer {};
        const auto written = std::to_chars(buffer.data(), buffer.data() + buffer.size(), value);
        const std::string_view text(buffer.data(), written.ptr);
        out += text;
        if (text.find_first_of(".e") == std::string_view::npos)
            out += ".0";
    }

    // Written by hand rather than through a document tree: a save near the size limit holds
    // hundreds of thousands of samples. Keys in sorted order, like the library writes them.
    void appendSample(std::string& out, const BatterySample& sample)
    {
        out += R"({"ac":)";
        out += sample.ac ? "true" : "false";
        out += R"(,"p":)";
        out += std::to_string(sample.p);
        out += R"(,"t":)";
        appendNumber(out, sample.t);
        if (sample.w && std::isfinite(*sample.w)) {
            out += R"(,"w":)";
            appendNumber(out, *sample.w);
        }
        out += '}';
    }

} // namespace

std::string BatteryHistory::toJson() const
{
    return toJson(std::numeric_limits<std::size_t>::max());
}

std::string BatteryHistory::toJson(std::size_t maxBytes) const
{
    constexpr std::string_view head = R"({"samples":[)";
    constexpr std::string_view tail = "]}";
    std::string list;
    std::vector<std::size_t> starts;
    starts.reserve(samples.size());
    for (const BatterySample& sample : samples) {
        // JSON has no NaN or infinity: a timeless sample is dropped rather than making the whole
        // file unreadable, and a non-finite power is stored as no power.
        if (!std::isfinite(sample.t))
            continue;
        if (!starts.empty())
            list += ',';
        starts.push_back(list.size());
        appendSample(list, sample);
    }
    // The oldest samples make room first.
    const std::size_t frame = head.size() + tail.size();
    std::size_t first = 0;
    while (first < starts.size() && frame + list.size() - starts[first] > maxBytes)
        ++first;
    std::string json;
    json.reserve(frame + (first < starts.size() ? list.size() - starts[first] : 0));
    json += head;
    if (first < starts.size())
        json.append(list, starts[first]);
    json += tail;
    return json;
}

std::optional<BatteryHistory> BatteryHistory::fromJson(std::string_view json)
{
    // The parser takes a NUL byte for the end of the input and would ignore what follows.
    if (json.find('\0') != std::string_view::npos)
        return std::nullopt;
    HistoryReader reader;
    const bool parsed = Json::sax_parse(json, &reader);
    return reader.result(parsed);
}

} // namespace wattlet
