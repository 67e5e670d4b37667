#pragma once

#include <QAccessible>
#include <QHash>
#include <QRect>
#include <QString>
#include <QStringList>

#include <optional>

namespace wattlet {

/// What a custom-painted component tells assistive technology: its role, what is read out and,
/// for a value, its number and range; for a choice, its choices (read out as radio buttons) and
/// the chosen one. A name or description set on the widget itself wins over the face's.
struct AccessibleFace
{
    struct Number
    {
        double value = 0;
        double minimum = 0;
        double maximum = 100;
    };

    QAccessible::Role role = QAccessible::StaticText;
    QString name;
    QString description;
    std::optional<Number> number;
    QStringList choices;
    int chosen = -1;
};

/// A widget that paints itself and describes itself through accessibleFace(). The accessibility
/// factory (installAccessibility) gives every such widget one interface of the same kind.
class AccessiblePart
{
public:
    virtual ~AccessiblePart() = default;

    [[nodiscard]] virtual AccessibleFace accessibleFace() const = 0;
    /// Runs an action assistive technology asks for (QAccessibleActionInterface names: press,
    /// increase, decrease) on the whole (`choice` -1) or on one choice.
    virtual void accessibleAction(const QString& action, int choice);
    /// Where choice `choice` is, in widget coordinates; empty without choices.
    [[nodiscard]] virtual QRect accessibleChoiceRect(int choice) const;
};

/// Tells assistive technology that `widget`'s chosen choice moved from `previous` (-1: none) to
/// `chosen` (nothing when they are the same), and, while it has the focus, that the focus is on
/// `chosen`.
void announceChoice(QObject* widget, int previous, int chosen);

/// What the parts under `root` that have an object name say now.
using SpokenParts = QHash<QString, AccessibleFace>;
[[nodiscard]] SpokenParts spokenParts(const QWidget* root);
/// Tells assistive technology what changed between `before` and the parts under `root` now, part
/// by part of the same object name: a panel built anew is heard as the same controls changing.
void announceChanges(const SpokenParts& before, const QWidget* root);

} // namespace wattlet
