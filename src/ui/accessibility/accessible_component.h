#pragma once

#include "accessible_part.h"

#include <QAccessibleWidget>

#include <optional>
#include <vector>

namespace wattlet {

/// The interface of every plain widget: Qt's, a window for a titled top-level one, and for an
/// AccessiblePart widget role, texts, states and actions from the widget's face, the value
/// interface for a face with a number, and a radio button child for each of its choices (the
/// chosen one checked, and focused while the widget has the focus).
class AccessibleComponent : public QAccessibleWidget, public QAccessibleValueInterface
{
public:
    explicit AccessibleComponent(QWidget* widget);
    ~AccessibleComponent() override;
    AccessibleComponent(const AccessibleComponent&) = delete;
    AccessibleComponent& operator=(const AccessibleComponent&) = delete;

    [[nodiscard]] QAccessible::Role role() const override;
    [[nodiscard]] QString text(QAccessible::Text t) const override;
    [[nodiscard]] QAccessible::State state() const override;
    [[nodiscard]] int childCount() const override;
    [[nodiscard]] QAccessibleInterface* child(int index) const override;
    [[nodiscard]] int indexOfChild(const QAccessibleInterface* child) const override;
    [[nodiscard]] QAccessibleInterface* focusChild() const override;
    [[nodiscard]] void* interface_cast(QAccessible::InterfaceType type) override;

    [[nodiscard]] QStringList actionNames() const override;
    void doAction(const QString& action) override;

    [[nodiscard]] QVariant currentValue() const override;
    void setCurrentValue(const QVariant& value) override;
    [[nodiscard]] QVariant maximumValue() const override;
    [[nodiscard]] QVariant minimumValue() const override;
    [[nodiscard]] QVariant minimumStepSize() const override;

private:
    /// Null once the widget is being destroyed.
    [[nodiscard]] AccessiblePart* part() const;
    /// The face's number, if the widget has one.
    [[nodiscard]] std::optional<AccessibleFace::Number> number() const;

    mutable std::vector<QAccessible::Id> m_choices;
};

} // namespace wattlet
