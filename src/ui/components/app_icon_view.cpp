#include "app_icon_view.h"

#include "ui/drawing/continuous_corners.h"

#include <QGuiApplication>
#include <QIcon>
#include <QPainter>

namespace wattlet {

AppIconView::AppIconView(QWidget* parent)
    : QWidget(parent)
{
    setFixedSize(side, side);
}

void AppIconView::paintEvent(QPaintEvent*)
{
    const QIcon icon = QGuiApplication::windowIcon();
    if (icon.isNull())
        return;
    QPainter painter(this);
    painter.setRenderHints(QPainter::Antialiasing | QPainter::SmoothPixmapTransform);
    const QRectF frame(0, 0, side, side);
    painter.setClipPath(continuousRoundedRect(frame, radius));
    // The largest rendition scaled down keeps the icon sharp at every pixel ratio.
    const QPixmap pixmap = icon.pixmap(icon.actualSize(QSize(1024, 1024)));
    painter.drawPixmap(frame, pixmap, QRectF(pixmap.rect()));
}

} // namespace wattlet
