#include "accessible_component.h"

#include "accessible_part.h"

#include <QPointer>
#include <QWidget>

namespace wattlet {

void AccessiblePart::accessibleAction(const QString&, int) { }

QRect AccessiblePart::accessibleChoiceRect(int) const { return {}; }

namespace {

    AccessiblePart* partOf(QObject* object) { return dynamic_cast<AccessiblePart*>(object); }

    // One choice of a component, read out as a radio button. It has no object of its own: the
    // component owns it and removes it from the cache with itself.
    class AccessibleChoice : public QAccessibleInterface, public QAccessibleActionInterface
    {
    public:
        AccessibleChoice(QWidget* owner, int index)
            : m_owner(owner)
            , m_index(index)
        { }

        [[nodiscard]] bool isValid() const override { return part() != nullptr; }
        [[nodiscard]] QObject* object() const override { return nullptr; }
        [[nodiscard]] QWindow* window() const override
        {
            return m_owner ? m_owner->window()->windowHandle() : nullptr;
        }
        [[nodiscard]] QAccessibleInterface* childAt(int, int) const override { return nullptr; }
        [[nodiscard]] QAccessibleInterface* parent() const override
        {
            return QAccessible::queryAccessibleInterface(m_owner.data());
        }
        [[nodiscard]] QAccessibleInterface* child(int) const override { return nullptr; }
        [[nodiscard]] int childCount() const override { return 0; }
        [[nodiscard]] int indexOfChild(const QAccessibleInterface*) const override { return -1; }
        [[nodiscard]] QString text(QAccessible::Text t) const override
        {
            const AccessiblePart* p = part();
            if (p == nullptr || t != QAccessible::Name)
                return {};
            return p->accessibleFace().choices.value(m_index);
        }
        void setText(QAccessible::Text, const QString&) override { }
        [[nodiscard]] QRect rect() const override
        {
            const AccessiblePart* p = part();
            if (p == nullptr)
                return {};
            const QRect local = p->accessibleChoiceRect(m_index);
            return { m_owner->mapToGlobal(local.topLeft()), local.size() };
        }
        [[nodiscard]] QAccessible::Role role() const override { return QAccessible::RadioButton; }
        [[nodiscard]] QAccessible::State state() const override
        {
            QAccessible::State s;
            const AccessiblePart* p = part();
            if (p == nullptr) {
                s.invalid = true;
                return s;
            }
            const bool chosen = p->accessibleFace().chosen == m_index;
            s.checkable = true;
            s.checked = chosen;
            s.focusable = m_owner->focusPolicy() != Qt::NoFocus;
            s.focused = chosen && m_owner->hasFocus();
            s.disabled = !m_owner->isEnabled();
            s.invisible = !m_owner->isVisible();
            return s;
        }
        [[nodiscard]] void* interface_cast(QAccessible::InterfaceType type) override
        {
            return type == QAccessible::ActionInterface
                ? static_cast<QAccessibleActionInterface*>(this)
                : nullptr;
        }
        [[nodiscard]] QStringList actionNames() const override { return { pressAction() }; }
        void doAction(const QString& action) override
        {
            if (AccessiblePart* p = part(); p != nullptr && action == pressAction())
                p->accessibleAction(action, m_index);
        }
        [[nodiscard]] QStringList keyBindingsForAction(const QString&) const override { return {}; }

    private:
        [[nodiscard]] AccessiblePart* part() const { return partOf(m_owner.data()); }

        QPointer<QWidget> m_owner;
        int m_index;
    };

} // namespace

AccessibleComponent::AccessibleComponent(QWidget* widget)
    : QAccessibleWidget(widget)
{ }

AccessibleComponent::~AccessibleComponent()
{
    for (const QAccessible::Id id : m_choices)
        QAccessible::deleteAccessibleInterface(id);
}

AccessiblePart* AccessibleComponent::part() const { return partOf(object()); }

QAccessible::Role AccessibleComponent::role() const
{
    if (const AccessiblePart* p = part())
        return p->accessibleFace().role;
    // The panel's window, also where it is a frameless popup.
    if (widget()->isWindow() && !widget()->windowTitle().isEmpty())
        return QAccessible::Window;
    return QAccessibleWidget::role();
}

QString AccessibleComponent::text(QAccessible::Text t) const
{
    const QString own = QAccessibleWidget::text(t);
    const AccessiblePart* p = part();
    if (!own.isEmpty() || p == nullptr)
        return own;
    const AccessibleFace face = p->accessibleFace();
    switch (t) {
    case QAccessible::Name:
        return face.name;
    case QAccessible::Description:
        return face.description;
    case QAccessible::Value:
        return face.number ? QString::number(face.number->value) : QString();
    default:
        return {};
    }
}

QAccessible::State AccessibleComponent::state() const
{
    QAccessible::State s = QAccessibleWidget::state();
    if (const AccessiblePart* p = part()) {
        const AccessibleFace face = p->accessibleFace();
        if (face.number)
            s.readOnly = face.role != QAccessible::SpinBox;
    }
    return s;
}

int AccessibleComponent::childCount() const
{
    const AccessiblePart* p = part();
    const auto choices = p ? static_cast<int>(p->accessibleFace().choices.size()) : 0;
    return QAccessibleWidget::childCount() + choices;
}

QAccessibleInterface* AccessibleComponent::child(int index) const
{
    const int widgets = QAccessibleWidget::childCount();
    if (index < widgets)
        return QAccessibleWidget::child(index);
    const int choice = index - widgets;
    if (choice >= childCount() - widgets)
        return nullptr;
    if (m_choices.size() <= static_cast<std::size_t>(choice))
        m_choices.resize(static_cast<std::size_t>(choice) + 1, 0);
    QAccessible::Id& id = m_choices[static_cast<std::size_t>(choice)];
    if (id == 0)
        id = QAccessible::registerAccessibleInterface(new AccessibleChoice(widget(), choice));
    return QAccessible::accessibleInterface(id);
}

int AccessibleComponent::indexOfChild(const QAccessibleInterface* child) const
{
    for (std::size_t i = 0; i < m_choices.size(); ++i) {
        if (m_choices[i] != 0 && QAccessible::accessibleInterface(m_choices[i]) == child)
            return QAccessibleWidget::childCount() + static_cast<int>(i);
    }
    return QAccessibleWidget::indexOfChild(child);
}

QAccessibleInterface* AccessibleComponent::focusChild() const
{
    const AccessiblePart* p = part();
    if (p != nullptr && widget()->hasFocus() && p->accessibleFace().chosen >= 0)
        return child(QAccessibleWidget::childCount() + p->accessibleFace().chosen);
    return QAccessibleWidget::focusChild();
}

void* AccessibleComponent::interface_cast(QAccessible::InterfaceType type)
{
    if (type == QAccessible::ValueInterface && number())
        return static_cast<QAccessibleValueInterface*>(this);
    return QAccessibleWidget::interface_cast(type);
}

QStringList AccessibleComponent::actionNames() const
{
    QStringList names = QAccessibleWidget::actionNames();
    const AccessiblePart* p = part();
    if (p == nullptr || !widget()->isEnabled())
        return names;
    const AccessibleFace face = p->accessibleFace();
    if (face.role == QAccessible::Button)
        names.prepend(pressAction());
    else if (face.role == QAccessible::SpinBox)
        names << increaseAction() << decreaseAction();
    return names;
}

void AccessibleComponent::doAction(const QString& action)
{
    AccessiblePart* p = part();
    if (p != nullptr && action != setFocusAction() && actionNames().contains(action))
        p->accessibleAction(action, -1);
    else
        QAccessibleWidget::doAction(action);
}

std::optional<AccessibleFace::Number> AccessibleComponent::number() const
{
    const AccessiblePart* p = part();
    return p ? p->accessibleFace().number : std::nullopt;
}

QVariant AccessibleComponent::currentValue() const
{
    const auto n = number();
    return n ? QVariant(n->value) : QVariant();
}

void AccessibleComponent::setCurrentValue(const QVariant& value)
{
    // A stepper moves one step at a time towards the value asked for.
    const QVariant current = currentValue();
    if (current.isValid() && value.toDouble() != current.toDouble())
        doAction(value.toDouble() > current.toDouble() ? increaseAction() : decreaseAction());
}

QVariant AccessibleComponent::maximumValue() const
{
    const auto n = number();
    return n ? QVariant(n->maximum) : QVariant();
}

QVariant AccessibleComponent::minimumValue() const
{
    const auto n = number();
    return n ? QVariant(n->minimum) : QVariant();
}

QVariant AccessibleComponent::minimumStepSize() const { return {}; }

void announceChoice(QObject* widget, int previous, int chosen)
{
    if (!QAccessible::isActive())
        return;
    QAccessible::State checked;
    checked.checked = true;
    QAccessibleInterface* iface = QAccessible::queryAccessibleInterface(widget);
    const AccessiblePart* part = partOf(widget);
    if (iface == nullptr || part == nullptr)
        return;
    const int first = iface->childCount() - static_cast<int>(part->accessibleFace().choices.size());
    for (const int choice : { previous, chosen }) {
        if (choice < 0 || previous == chosen)
            continue;
        QAccessibleStateChangeEvent event(widget, checked);
        event.setChild(first + choice);
        QAccessible::updateAccessibility(&event);
    }
    if (auto* w = qobject_cast<QWidget*>(widget); w != nullptr && w->hasFocus()) {
        QAccessibleEvent focus(widget, QAccessible::Focus);
        focus.setChild(first + chosen);
        QAccessible::updateAccessibility(&focus);
    }
}

SpokenParts spokenParts(const QWidget* root)
{
    SpokenParts parts;
    for (QWidget* widget : root->findChildren<QWidget*>()) {
        if (const AccessiblePart* part = partOf(widget);
            part != nullptr && !widget->objectName().isEmpty())
            parts.insert(widget->objectName(), part->accessibleFace());
    }
    return parts;
}

void announceChanges(const SpokenParts& before, const QWidget* root)
{
    if (!QAccessible::isActive())
        return;
    for (QWidget* widget : root->findChildren<QWidget*>()) {
        const AccessiblePart* part = partOf(widget);
        const auto old = before.find(widget->objectName());
        if (part == nullptr || widget->objectName().isEmpty() || old == before.end())
            continue;
        const AccessibleFace now = part->accessibleFace();
        if (now.number && old->number && now.number->value != old->number->value) {
            QAccessibleValueChangeEvent event(widget, now.number->value);
            QAccessible::updateAccessibility(&event);
        }
        if (now.name != old->name) {
            QAccessibleEvent event(widget, QAccessible::NameChanged);
            QAccessible::updateAccessibility(&event);
        }
        if (now.chosen != old->chosen)
            announceChoice(widget, old->chosen, now.chosen);
    }
}

} // namespace wattlet
