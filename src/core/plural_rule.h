#pragma once

#include <cstdint>
#include <memory>
#include <optional>
#include <string_view>

namespace wattlet {

/// A catalog's plural rule, read from its Plural-Forms header ("nplurals=3; plural=(n%10==1 &&
/// n%100!=11 ? 0 : …);"): which of its forms a number takes. The expression is gettext's C subset:
/// n, decimal numbers, parentheses, ! * / % + - < > <= >= == != && || and ?:, evaluated in
/// unsigned 64-bit arithmetic; division by zero gives 0.
class PluralRule
{
public:
    /// The rule of `header`, or nothing when it is not a rule: a missing or out-of-range nplurals
    /// (1 to 6), a malformed or over-deep expression, text left over.
    [[nodiscard]] static std::optional<PluralRule> parse(std::string_view header);
    /// English's rule: one form for 1, the other for the rest.
    PluralRule();
    ~PluralRule();
    PluralRule(const PluralRule& other);
    PluralRule& operator=(const PluralRule& other);
    PluralRule(PluralRule&&) noexcept;
    PluralRule& operator=(PluralRule&&) noexcept;

    [[nodiscard]] int count() const { return m_count; }
    /// The form `n` takes, 0 to count() − 1 (an expression's value beyond them gives 0).
    [[nodiscard]] int form(std::uint64_t n) const;

    struct Node;

private:
    int m_count = 2;
    std::shared_ptr<const Node> m_root;
};

} // namespace wattlet
