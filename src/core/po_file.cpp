#include "po_file.h"

#include <set>
#include <utility>

namespace wattlet {

namespace {

    bool isUtf8(std::string_view text)
    {
        for (std::size_t at = 0; at < text.size();) {
            const auto lead = static_cast<unsigned char>(text[at]);
            const std::size_t length = lead < 0x80 ? 1
                : (lead >> 5) == 0x6               ? 2
                : (lead >> 4) == 0xE               ? 3
                : (lead >> 3) == 0x1E              ? 4
                                                   : 0;
            if (length == 0 || at + length > text.size())
                return false;
            for (std::size_t i = 1; i < length; ++i)
                if ((static_cast<unsigned char>(text[at + i]) >> 6) != 0x2)
                    return false;
            at += length;
        }
        return true;
    }

    // A quoted PO string at the start of `text` (after spaces), unescaped into `out`; false when
    // it is malformed or followed by anything but spaces.
    bool unquote(std::string_view text, std::string& out)
    {
        const auto open = text.find_first_not_of(" \t");
        if (open == std::string_view::npos || text[open] != '"')
            return false;
        std::size_t at = open + 1;
        for (; at < text.size() && text[at] != '"'; ++at) {
            if (text[at] != '\\') {
                out += text[at];
                continue;
            }
            if (++at == text.size())
                return false;
            switch (text[at]) {
            case 'n':
                out += '\n';
                break;
            case 't':
                out += '\t';
                break;
            case '"':
            case '\\':
                out += text[at];
                break;
            default:
                return false;
            }
        }
        return at < text.size()
            && text.find_first_not_of(" \t\r", at + 1) == std::string_view::npos;
    }

    class Reader
    {
    public:
        PoParse read(std::string_view text)
        {
            if (!isUtf8(text))
                return fail(0, "not UTF-8");
            int number = 0;
            for (std::size_t start = 0; start <= text.size();) {
                const auto end = std::min(text.find('\n', start), text.size());
                std::string_view line = text.substr(start, end - start);
                ++number;
                start = end + 1;
                if (!readLine(line, number))
                    return fail(number, m_error);
                if (end == text.size())
                    break;
            }
            if (!finish())
                return fail(number, m_error);
            return { std::move(m_file), {} };
        }

    private:
        bool readLine(std::string_view line, int number)
        {
            if (!line.empty() && line.back() == '\r')
                line.remove_suffix(1);
            const auto first = line.find_first_not_of(" \t");
            if (first == std::string_view::npos)
                return true;
            line.remove_prefix(first);
            if (line.starts_with("#~"))
                return true;
            if (line.starts_with("#,")) {
                if (!finishIfComplete())
                    return false;
                m_fuzzy = m_fuzzy || line.find("fuzzy") != std::string_view::npos;
                return true;
            }
            if (line.starts_with("#"))
                return finishIfComplete();
            if (line.starts_with("\"")) {
                if (m_target == nullptr)
                    return error("a string continues no keyword");
                return unquote(line, *m_target) || error("malformed string");
            }
            const auto space = line.find_first_of(" \t");
            const std::string_view keyword = line.substr(0, space);
            const std::string_view rest
                = space == std::string_view::npos ? std::string_view {} : line.substr(space);
            return keywordLine(keyword, rest, number);
        }

        bool keywordLine(std::string_view keyword, std::string_view rest, int number)
        {
            if (keyword == "msgctxt" || (keyword == "msgid" && !m_inContext)) {
                if (!finishIfComplete())
                    return false;
                if (m_open)
                    return error("msgid without msgstr");
                m_open = true;
                m_entry.line = number;
                m_entry.fuzzy = std::exchange(m_fuzzy, false);
            }
            if (keyword == "msgctxt") {
                m_inContext = true;
                m_entry.context.emplace();
                m_target = &*m_entry.context;
            } else if (keyword == "msgid") {
                m_inContext = false;
                m_seenId = true;
                m_target = &m_entry.id;
            } else if (keyword == "msgid_plural") {
                if (!m_seenId || !m_entry.strings.empty())
                    return error("msgid_plural out of place");
                m_target = &m_entry.idPlural;
                m_plural = true;
            } else if (keyword.starts_with("msgstr")) {
                if (!m_seenId)
                    return error("msgstr without msgid");
                const std::string expected = m_plural
                    ? "msgstr[" + std::to_string(m_entry.strings.size()) + "]"
                    : m_entry.strings.empty() ? "msgstr"
                                              : "";
                if (keyword != expected)
                    return error("unexpected " + std::string(keyword));
                m_target = &m_entry.strings.emplace_back();
            } else {
                return error("unknown keyword " + std::string(keyword));
            }
            m_target->clear();
            return unquote(rest, *m_target) || error("malformed string");
        }

        bool finishIfComplete() { return m_entry.strings.empty() || finish(); }

        bool finish()
        {
            if (!m_open)
                return true;
            if (m_entry.strings.empty())
                return error("msgid without msgstr");
            const auto key = std::make_pair(m_entry.context.value_or("\x04"), m_entry.id);
            if (!m_seen.insert(key).second)
                return error("message given twice");
            if (m_entry.id.empty() && !m_entry.context)
                m_file.header = m_entry.strings.front();
            else
                m_file.entries.push_back(std::move(m_entry));
            m_entry = {};
            m_open = m_seenId = m_plural = m_inContext = false;
            m_target = nullptr;
            return true;
        }

        bool error(std::string what)
        {
            m_error = std::move(what);
            return false;
        }

        static PoParse fail(int line, const std::string& what)
        {
            return { std::nullopt, "line " + std::to_string(line) + ": " + what };
        }

        PoFile m_file;
        PoEntry m_entry;
        std::string* m_target = nullptr;
        std::set<std::pair<std::string, std::string>> m_seen;
        std::string m_error;
        bool m_open = false;
        bool m_seenId = false;
        bool m_plural = false;
        bool m_inContext = false;
        bool m_fuzzy = false;
    };

} // namespace

PoParse parsePo(std::string_view text) { return Reader().read(text); }

std::string poHeaderField(const PoFile& file, std::string_view name)
{
    const std::string prefix = std::string(name) + ":";
    std::string_view header = file.header;
    while (!header.empty()) {
        const auto end = std::min(header.find('\n'), header.size());
        std::string_view line = header.substr(0, end);
        header.remove_prefix(std::min(end + 1, header.size()));
        if (!line.starts_with(prefix))
            continue;
        line.remove_prefix(prefix.size());
        const auto first = line.find_first_not_of(' ');
        return first == std::string_view::npos
            ? std::string {}
            : std::string(line.substr(first, line.find_last_not_of(' ') - first + 1));
    }
    return {};
}

int placeholderCount(std::string_view text)
{
    int count = 0;
    for (auto at = text.find("%d"); at != std::string_view::npos; at = text.find("%d", at + 2))
        ++count;
    return count;
}

} // namespace wattlet
