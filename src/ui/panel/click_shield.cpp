#include "click_shield.h"

#include <QGuiApplication>
#include <QMouseEvent>
#include <QPainter>
#include <QScreen>

namespace wattlet {

ClickShield::ClickShield()
    : QWidget(nullptr,
          Qt::X11BypassWindowManagerHint | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint
              | Qt::WindowDoesNotAcceptFocus)
{
    setAttribute(Qt::WA_TranslucentBackground);
    setAttribute(Qt::WA_ShowWithoutActivating);
}

void ClickShield::raiseAround(QRect hole)
{
    QRect screens;
    for (const QScreen* screen : QGuiApplication::screens())
        screens |= screen->geometry();
    setGeometry(screens);
    setHole(hole);
    show();
    raise();
}

void ClickShield::setHole(QRect hole)
{
    // The mask is the window's shape: where it is cut away, clicks reach the windows beneath.
    setMask(QRegion(rect()) - QRegion(hole.translated(-geometry().topLeft())));
}

void ClickShield::mousePressEvent(QMouseEvent* event)
{
    event->accept();
    Q_EMIT pressed();
}

void ClickShield::paintEvent(QPaintEvent* /*event*/)
{
    QPainter painter(this);
    painter.setCompositionMode(QPainter::CompositionMode_Source);
    painter.fillRect(rect(), Qt::transparent);
}

} // namespace wattlet
