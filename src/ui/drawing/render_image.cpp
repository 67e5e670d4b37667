#include "render_image.h"

#include <QLayout>
#include <QWidget>

namespace wattlet {

namespace {

    // A widget that is not shown lays its children out only when it gets its resize event,
    // which comes at the next show or render: place them now, from the top down.
    void layOutTree(QWidget& widget)
    {
        if (QLayout* layout = widget.layout())
            layout->setGeometry(widget.contentsRect());
        for (QWidget* child : widget.findChildren<QWidget*>(Qt::FindDirectChildrenOnly))
            if (!child->isWindow())
                layOutTree(*child);
    }

} // namespace

void fitToContent(QWidget& widget)
{
    widget.ensurePolished();
    if (QLayout* layout = widget.layout())
        layout->activate();
    widget.resize(widget.sizeHint());
    layOutTree(widget);
}

QImage renderImage(QWidget& widget, qreal scale)
{
    fitToContent(widget);
    return renderAtCurrentSize(widget, scale);
}

QImage renderAtCurrentSize(QWidget& widget, qreal scale)
{
    widget.ensurePolished();
    layOutTree(widget);
    const QSize size = widget.size();
    if (size.isEmpty())
        return {};
    QImage image(size * scale, QImage::Format_ARGB32_Premultiplied);
    if (image.isNull())
        return {};
    image.setDevicePixelRatio(scale);
    image.fill(Qt::transparent);
    widget.render(&image, QPoint(), QRegion(), QWidget::DrawChildren);
    return image;
}

} // namespace wattlet
