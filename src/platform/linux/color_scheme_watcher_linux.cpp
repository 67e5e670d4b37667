#include "color_scheme_portal.h"

#include "platform/color_scheme.h"

namespace wattlet {

struct ColorSchemeWatcher::Impl
{
    ColorSchemePortal portal { QDBusConnection::sessionBus() };
};

ColorSchemeWatcher::ColorSchemeWatcher(QObject* parent)
    : QObject(parent)
    , m_impl(std::make_unique<Impl>())
{
    connect(&m_impl->portal, &ColorSchemePortal::changed, this, &ColorSchemeWatcher::changed);
}

ColorSchemeWatcher::~ColorSchemeWatcher() = default;

SchemePreference ColorSchemeWatcher::scheme() const { return m_impl->portal.scheme(); }

} // namespace wattlet
