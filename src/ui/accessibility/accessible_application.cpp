#include "accessible_application.h"

#include "accessible_component.h"

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

    QAccessibleInterface* factory(const QString& key, QObject* object)
    {
        if (object == qApp && key == QLatin1String("QApplication"))
            return new AccessibleApplication;
        // Every widget Qt would read as a plain one: Qt may ask while the QWidget part is being
        // built (Qt 6.8 does), before the widget is anything more, and keeps the answer, so the
        // interface looks at what the widget is each time it is asked.
        auto* widget = qobject_cast<QWidget*>(object);
        if (widget == nullptr || key != QLatin1String("QWidget"))
            return nullptr;
        return new AccessibleComponent(widget);
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
