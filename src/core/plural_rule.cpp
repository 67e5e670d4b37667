#include "plural_rule.h"

#include <array>
#include <cctype>
#include <charconv>

namespace wattlet {

struct PluralRule::Node
{
    std::string_view op; // "n", "#" (a number), a unary "!", a binary operator or "?"
    std::uint64_t value = 0;
    std::shared_ptr<const Node> a, b, c;
};

namespace {

    using NodePtr = std::shared_ptr<const PluralRule::Node>;

    // A recursive-descent parser over gettext's grammar, lowest precedence first; depth is
    // bounded so that a hostile header cannot exhaust the stack.
    class Parser
    {
    public:
        explicit Parser(std::string_view text)
            : m_text(text)
        { }

        NodePtr expression()
        {
            if (++m_depth > 64)
                return nullptr;
            NodePtr condition = binary(0);
            if (condition && take("?")) {
                NodePtr yes = expression();
                NodePtr no = yes && take(":") ? expression() : nullptr;
                condition = no ? make("?", condition, yes, no) : nullptr;
            }
            --m_depth;
            return condition;
        }

        bool atEnd()
        {
            skipSpace();
            return m_at == m_text.size();
        }

    private:
        static constexpr std::array<std::array<std::string_view, 4>, 6> levels { {
            { "||" },
            { "&&" },
            { "==", "!=" },
            { "<=", ">=", "<", ">" },
            { "+", "-" },
            { "*", "/", "%" },
        } };

        NodePtr binary(std::size_t level)
        {
            if (level == levels.size())
                return unary();
            NodePtr left = binary(level + 1);
            while (left) {
                const auto op = takeAny(levels[level]);
                if (op.empty())
                    break;
                NodePtr right = binary(level + 1);
                left = right ? make(op, left, right) : nullptr;
            }
            return left;
        }

        NodePtr unary()
        {
            if (take("!")) {
                if (++m_depth > 64)
                    return nullptr;
                NodePtr operand = unary();
                --m_depth;
                return operand ? make("!", operand) : nullptr;
            }
            if (take("(")) {
                NodePtr inner = expression();
                return inner && take(")") ? inner : nullptr;
            }
            if (take("n"))
                return make("n");
            skipSpace();
            std::uint64_t value = 0;
            const char* begin = m_text.data() + m_at;
            const auto [end, error] = std::from_chars(begin, m_text.data() + m_text.size(), value);
            if (error != std::errc {})
                return nullptr;
            m_at += static_cast<std::size_t>(end - begin);
            auto node = std::make_shared<PluralRule::Node>();
            node->op = "#";
            node->value = value;
            return node;
        }

        static NodePtr make(
            std::string_view op, NodePtr a = nullptr, NodePtr b = nullptr, NodePtr c = nullptr)
        {
            auto node = std::make_shared<PluralRule::Node>();
            node->op = op;
            node->a = std::move(a);
            node->b = std::move(b);
            node->c = std::move(c);
            return node;
        }

        void skipSpace()
        {
            while (m_at < m_text.size() && std::isspace(static_cast<unsigned char>(m_text[m_at])))
                ++m_at;
        }

        bool take(std::string_view token)
        {
            skipSpace();
            if (!m_text.substr(m_at).starts_with(token))
                return false;
            // "!" must not eat the start of "!=", nor "<" that of "<=".
            if (token.size() == 1 && m_at + 1 < m_text.size() && m_text[m_at + 1] == '='
                && (token == "!" || token == "<" || token == ">" || token == "="))
                return false;
            m_at += token.size();
            return true;
        }

        std::string_view takeAny(const std::array<std::string_view, 4>& tokens)
        {
            for (const std::string_view token : tokens)
                if (!token.empty() && take(token))
                    return token;
            return {};
        }

        std::string_view m_text;
        std::size_t m_at = 0;
        int m_depth = 0;
    };

    std::uint64_t evaluate(const PluralRule::Node& node, std::uint64_t n)
    {
        const auto& op = node.op;
        if (op == "n")
            return n;
        if (op == "#")
            return node.value;
        if (op == "!")
            return evaluate(*node.a, n) == 0 ? 1 : 0;
        if (op == "?")
            return evaluate(*node.a, n) != 0 ? evaluate(*node.b, n) : evaluate(*node.c, n);
        const std::uint64_t a = evaluate(*node.a, n);
        if (op == "&&")
            return a != 0 && evaluate(*node.b, n) != 0 ? 1 : 0;
        if (op == "||")
            return a != 0 || evaluate(*node.b, n) != 0 ? 1 : 0;
        const std::uint64_t b = evaluate(*node.b, n);
        if (op == "==")
            return a == b ? 1 : 0;
        if (op == "!=")
            return a != b ? 1 : 0;
        if (op == "<")
            return a < b ? 1 : 0;
        if (op == ">")
            return a > b ? 1 : 0;
        if (op == "<=")
            return a <= b ? 1 : 0;
        if (op == ">=")
            return a >= b ? 1 : 0;
        if (op == "+")
            return a + b;
        if (op == "-")
            return a - b;
        if (op == "*")
            return a * b;
        if (op == "/")
            return b == 0 ? 0 : a / b;
        return b == 0 ? 0 : a % b;
    }

    // The text after "name=" up to the next ";" (or the end), else nothing.
    std::optional<std::string_view> field(std::string_view header, std::string_view name)
    {
        for (std::size_t at = header.find(name); at != std::string_view::npos;
            at = header.find(name, at + 1)) {
            const bool wordStart = at == 0
                || !(std::isalnum(static_cast<unsigned char>(header[at - 1]))
                    || header[at - 1] == '_');
            std::size_t value = at + name.size();
            while (value < header.size() && header[value] == ' ')
                ++value;
            if (!wordStart || value >= header.size() || header[value] != '=')
                continue;
            const std::string_view rest = header.substr(value + 1);
            return rest.substr(0, rest.find(';'));
        }
        return std::nullopt;
    }

} // namespace

PluralRule::PluralRule()
    : m_root(Parser("n != 1").expression())
{ }

PluralRule::~PluralRule() = default;
PluralRule::PluralRule(const PluralRule& other) = default;
PluralRule& PluralRule::operator=(const PluralRule& other) = default;
PluralRule::PluralRule(PluralRule&&) noexcept = default;
PluralRule& PluralRule::operator=(PluralRule&&) noexcept = default;

std::optional<PluralRule> PluralRule::parse(std::string_view header)
{
    const auto count = field(header, "nplurals");
    const auto expression = field(header, "plural");
    if (!count || !expression)
        return std::nullopt;
    std::string countText(*count);
    countText.erase(0, countText.find_first_not_of(' '));
    countText.erase(countText.find_last_not_of(' ') + 1);
    int nplurals = 0;
    const auto [end, error]
        = std::from_chars(countText.data(), countText.data() + countText.size(), nplurals);
    if (error != std::errc {} || end != countText.data() + countText.size() || nplurals < 1
        || nplurals > 6)
        return std::nullopt;

    Parser parser(*expression);
    NodePtr root = parser.expression();
    if (!root || !parser.atEnd())
        return std::nullopt;
    PluralRule rule;
    rule.m_count = nplurals;
    rule.m_root = std::move(root);
    return rule;
}

int PluralRule::form(std::uint64_t n) const
{
    const std::uint64_t index = evaluate(*m_root, n);
    return index < static_cast<std::uint64_t>(m_count) ? static_cast<int>(index) : 0;
}

} // namespace wattlet
