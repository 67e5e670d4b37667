#pragma once

#include "core/battery_text.h"

#include <string>

namespace wattlet::test {

/// Switches the text language for the life of the object and restores the old one after.
class ScopedLanguage
{
public:
    explicit ScopedLanguage(const std::string& code)
        : m_saved(BatteryText::language())
    {
        BatteryText::setLanguage(code);
    }
    ScopedLanguage(const ScopedLanguage&) = delete;
    ScopedLanguage& operator=(const ScopedLanguage&) = delete;
    ~ScopedLanguage() { BatteryText::setLanguage(m_saved); }

private:
    std::string m_saved;
};

} // namespace wattlet::test
