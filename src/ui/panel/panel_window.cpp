#include "panel_window.h"

#include <QGuiApplication>
#include <QKeyEvent>
#include <QScreen>
#include <QVBoxLayout>

#include <algorithm>

namespace wattlet {

namespace {

    // Space between the click and the panel's edge.
    constexpr int gap = 4;

    /// A popup grabs the pointer, so an outside click closes it wherever it lands; that needs
    /// X11 (or no real display). Elsewhere, Wayland above all, a parentless popup cannot be
    /// placed, so a frameless tool window closes when it loses the focus instead.
    bool popupsWork()
    {
        const QString platform = QGuiApplication::platformName();
        return platform == QLatin1String("xcb") || platform == QLatin1String("offscreen")
            || platform == QLatin1String("minimal");
    }

} // namespace

QRect panelGeometry(QSize size, std::optional<QPoint> anchor, QRect available)
{
    // A point far off the screen places like one just off it; the sums below stay in range.
    if (anchor) {
        const QRect reach
            = available.adjusted(-size.width(), -size.height(), size.width(), size.height());
        anchor = QPoint(std::clamp(anchor->x(), reach.left(), reach.right()),
            std::clamp(anchor->y(), reach.top(), reach.bottom()));
    }
    QRect rect(QPoint(0, 0), size);
    if (!anchor) {
        rect.moveTopRight(available.topRight());
        return rect;
    }
    rect.moveTop(anchor->y() + gap);
    if (rect.bottom() > available.bottom())
        rect.moveBottom(anchor->y() - gap);
    rect.moveLeft(anchor->x() - size.width() / 2);
    // Keep it on the screen; a panel larger than the screen shows its top-left part.
    rect.moveLeft(
        std::max(available.left(), std::min(rect.left(), available.right() - size.width() + 1)));
    rect.moveTop(
        std::max(available.top(), std::min(rect.top(), available.bottom() - size.height() + 1)));
    return rect;
}

PanelWindow::PanelWindow(QWidget* parent)
    : QWidget(parent,
        popupsWork() ? Qt::Popup | Qt::FramelessWindowHint
                     : Qt::Tool | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint)
{
    setWindowTitle(QStringLiteral("Wattlet"));
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    // The window follows the content's size as pages change.
    layout->setSizeConstraint(QLayout::SetFixedSize);
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
    show();
    raise();
    activateWindow();
    m_content->setFocus(Qt::PopupFocusReason);
}

bool PanelWindow::closedWithin(int ms) const
{
    return m_closed.isValid() && !m_closed.hasExpired(ms);
}

bool PanelWindow::event(QEvent* event)
{
    switch (event->type()) {
    case QEvent::WindowDeactivate:
        if (!(windowFlags() & Qt::Popup))
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
    const QRect target = panelGeometry(size(), m_anchor, screen->availableGeometry());
    if (target.topLeft() != pos())
        move(target.topLeft());
}

} // namespace wattlet
