#pragma once

#include "app/present/settings_page_view.h"
#include "ui/accessibility/accessible_part.h"

#include <QString>
#include <QStringList>
#include <QWidget>

#include <functional>

class QVBoxLayout;

namespace wattlet {

class SegmentedControl;
class Stepper;
class ToggleSwitch;

/// A label and its switch at the right edge; clicking the label flips the switch too. The
/// switch is named `name`, and `changed` (when given) runs with the user's new value.
class SwitchRow : public QWidget
{
    Q_OBJECT

public:
    SwitchRow(const SettingsPageView::Toggle& view, const QString& name,
        std::function<void(bool on)> changed, QWidget* parent = nullptr);

    [[nodiscard]] ToggleSwitch* toggle() const { return m_switch; }

protected:
    void mouseReleaseEvent(QMouseEvent* event) override;

private:
    ToggleSwitch* m_switch;
};

/// A group of the settings pages: `caption` in small secondary text above what is added to it.
[[nodiscard]] QVBoxLayout* captionedGroup(const QString& caption);

/// A segmented control of the settings pages, named `name` and read out as `caption`;
/// `chosen` runs with the index the user picks.
[[nodiscard]] SegmentedControl* choiceControl(const QStringList& segments, int selected,
    const QString& name, const QString& caption, std::function<void(int index)> chosen);

/// A label and its stepper at the right edge, the stepper named `name`. `lower` and `raise` run
/// on a step; an empty one dims its button. `number` is the value as assistive technology reads it.
[[nodiscard]] QWidget* stepperRow(const QString& label, const QString& value,
    AccessibleFace::Number number, const QString& name, std::function<void()> lower,
    std::function<void()> raise);

} // namespace wattlet
