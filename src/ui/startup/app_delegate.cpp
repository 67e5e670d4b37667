#include "app_delegate.h"

#include "app/demo.h"
#include "app/prefs.h"
#include "core/battery_text.h"
#include "platform/wall_clock.h"
#include "ui/desktop/application_icon.h"

#include <QGuiApplication>
#include <QTimer>

namespace wattlet {

AppDelegate::AppDelegate(std::optional<std::string> demoKind, AppModelDeps deps,
    StatusController::PanelFactory panel, QObject* parent)
    : QObject(parent)
    , m_demoKind(std::move(demoKind))
    , m_deps(std::move(deps))
    , m_panel(std::move(panel))
{ }

AppDelegate::~AppDelegate() = default;

bool AppDelegate::launch(SingleInstance& instance)
{
    if (!instance.claim())
        return false;
    // The about page and the notifications show it.
    QGuiApplication::setWindowIcon(applicationIcon());
    std::optional<BatteryReading> demo;
    if (m_demoKind)
        demo = Demo::reading(*m_demoKind, wallClockSeconds());
    // The controller must exist before the first refresh so that it draws its result.
    m_model = std::make_unique<AppModel>(std::move(demo), m_deps);
    if (m_demoKind)
        m_model->setDemoPeripherals(Demo::peripherals(*m_demoKind));
    // Menus and dialogs mirror in a right-to-left language, from the start and on every change.
    const auto followLanguage = [this] {
        const Language language = m_model->prefs().textLanguage();
        QGuiApplication::setLayoutDirection(
            BatteryText::direction(language) == TextDirection::rightToLeft ? Qt::RightToLeft
                                                                           : Qt::LeftToRight);
    };
    followLanguage();
    connect(&m_model->prefs(), &Prefs::languageChanged, this, followLanguage);
    m_status = std::make_unique<StatusController>(*m_model, m_panel);
    m_model->start();
    if (m_demoKind) {
        QTimer::singleShot(demoPanelDelayMs, this, [this] {
            if (m_status)
                m_status->togglePanel();
        });
    }
    return true;
}

} // namespace wattlet
