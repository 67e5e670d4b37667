#include "accessible_application.h"

#include "accessible_component.h"
#include "accessible_part.h"

#include <QApplication>
#include <QWidget>

namespace wattlet {

namespace {

    // Qt's list skips popups: they are the ones added here, after Qt's own.
    QList<QAccessibleInterface*> shownPopups()
    {
        QList<QAccessibleInterface*> popups;
        for (QWidget* window : QApplication::topLevelWidgets()) {
            if (window->isVisible() && window->windowType() == Qt::Popup
                && !window->windowTitle().isEmpty())
                popups.push_back(QAccessible::queryAccessibleInterface(window));
        }
        popups.removeAll(nullptr);
        return popups;
    }

    // A window of the panel: a window to assistive technology, not Qt's default client area.
    class AccessibleWindow : public QAccessibleWidget
    {
    public:
        explicit AccessibleWindow(QWidget* window)
            : QAccessibleWidget(window, QAccessible::Window)
        { }
    };

    QAccessibleInterface* factory(const QString& key, QObject* object)
    {
        if (object == qApp && key == QLatin1String("QApplication"))
            return new AccessibleApplication;
        auto* widget = qobject_cast<QWidget*>(object);
        if (widget == nullptr || key != QLatin1String(object->metaObject()->className()))
            return nullptr;
        if (dynamic_cast<AccessiblePart*>(object) != nullptr)
            return new AccessibleComponent(widget);
        if (widget->isWindow() && widget->windowType() != Qt::ToolTip
            && !widget->windowTitle().isEmpty() && key == QLatin1String("wattlet::PanelWindow"))
            return new AccessibleWindow(widget);
        return nullptr;
    }

} // namespace

int AccessibleApplication::childCount() const
{
    return QAccessibleApplication::childCount() + static_cast<int>(shownPopups().size());
}

QAccessibleInterface* AccessibleApplication::child(int index) const
{
    const int own = QAccessibleApplication::childCount();
    if (index < own)
        return QAccessibleApplication::child(index);
    return shownPopups().value(index - own);
}

int AccessibleApplication::indexOfChild(const QAccessibleInterface* child) const
{
    const int own = QAccessibleApplication::indexOfChild(child);
    if (own >= 0)
        return own;
    const auto popup = shownPopups().indexOf(const_cast<QAccessibleInterface*>(child));
    return popup < 0 ? -1 : QAccessibleApplication::childCount() + static_cast<int>(popup);
}

void installAccessibility() { QAccessible::installFactory(factory); }

} // namespace wattlet
