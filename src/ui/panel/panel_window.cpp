#include "panel_window.h"

#include "click_shield.h"
#include "identity.h"
#include "panel_geometry.h"

#include "platform/color_scheme.h"
#include "ui/theme/scheme.h"

#include <QGuiApplication>
#include <QKeyEvent>
#include <QProcessEnvironment>
#include <QScreen>
#include <QVBoxLayout>

namespace wattlet {

WindowSystem::PanelKind PanelWindow::kindHere()
{
    return WindowSystem::panelKind(
        QGuiApplication::platformName(), QProcessEnvironment::systemEnvironment());
}

PanelWindow::PanelWindow(WindowSystem::PanelKind kind, QWidget* parent)
    : QWidget(parent,
          kind == WindowSystem::PanelKind::popup
              ? Qt::Popup | Qt::FramelessWindowHint
              : Qt::Tool | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint)
    , m_kind(kind)
{
    setWindowTitle(QString::fromUtf8(Identity::name));
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    // The window follows the content's size as pages change.
    layout->setSizeConstraint(QLayout::SetFixedSize);
    if (m_kind == WindowSystem::PanelKind::shieldedTool) {
        m_shield = std::make_unique<ClickShield>();
        connect(m_shield.get(), &ClickShield::pressed, this, &QWidget::close);
    }
    m_colorScheme = new ColorSchemeWatcher(this);
    connect(m_colorScheme, &ColorSchemeWatcher::changed, this, &PanelWindow::setSchemePreference);
}

PanelWindow::~PanelWindow() = default;

void PanelWindow::open(std::unique_ptr<QWidget> content, std::optional<QPoint> anchor)
{
    delete m_content;
    m_content = content.release();
    layout()->addWidget(m_content);
    m_anchor = anchor;
    layout()->activate();
    adjustSize();
    place();
    if (m_shield)
        WindowSystem::keepOffTaskbar(winId());
    show();
    raise();
    activateWindow();
    if (m_shield)
        m_shield->raiseAround(geometry());
    m_content->setFocus(Qt::PopupFocusReason);
}

bool PanelWindow::closedWithin(int ms) const
{
    return m_closed.isValid() && !m_closed.hasExpired(ms);
}

void PanelWindow::setSchemePreference(SchemePreference preference)
{
    switch (preference) {
    case SchemePreference::dark:
        Scheme::impose(this, ColorScheme::dark);
        break;
    case SchemePreference::light:
        Scheme::impose(this, ColorScheme::light);
        break;
    case SchemePreference::none:
        Scheme::release(this);
        break;
    }
}

bool PanelWindow::event(QEvent* event)
{
    switch (event->type()) {
    case QEvent::WindowDeactivate:
        if (m_kind != WindowSystem::PanelKind::popup)
            close();
        break;
    case QEvent::LayoutRequest:
    case QEvent::Resize: {
        const bool handled = QWidget::event(event);
        if (isVisible())
            place();
        return handled;
    }
    default:
        break;
    }
    return QWidget::event(event);
}

void PanelWindow::keyPressEvent(QKeyEvent* event)
{
    if (event->key() == Qt::Key_Escape && event->modifiers() == Qt::NoModifier) {
        close();
        return;
    }
    QWidget::keyPressEvent(event);
}

void PanelWindow::hideEvent(QHideEvent* event)
{
    m_closed.start();
    if (m_shield)
        m_shield->hide();
    // A closed panel need not follow the model; the next opening builds a new one.
    if (m_content) {
        m_content->deleteLater();
        m_content = nullptr;
    }
    QWidget::hideEvent(event);
}

void PanelWindow::place()
{
    QScreen* screen = m_anchor ? QGuiApplication::screenAt(*m_anchor) : nullptr;
    if (!screen)
        screen = QGuiApplication::primaryScreen();
    if (!screen)
        return;
    // A floating bar reaches past the work area, and under XWayland there is none.
    const QRect available
        = freeOfBars(screen->geometry(), screen->availableGeometry(), WindowSystem::screenBars());
    const QRect target = panelGeometry(size(), m_anchor, screen->geometry(), available);
    if (target.topLeft() != pos())
        move(target.topLeft());
    if (m_shield && m_shield->isVisible())
        m_shield->setHole(geometry());
}

} // namespace wattlet
