#include "text_fit_watch.h"

#include <utility>

namespace wattlet {

namespace {

    TextFitWatch* current = nullptr;

} // namespace

TextFitWatch::TextFitWatch()
    : m_outer(current)
{
    current = this;
}

TextFitWatch::~TextFitWatch() { current = m_outer; }

void TextFitWatch::report(TextMiss miss)
{
    if (current)
        current->m_misses.push_back(std::move(miss));
}

} // namespace wattlet
