#include "settings_rows.h"

#include "ui/components/segmented_control.h"
#include "ui/components/stepper.h"
#include "ui/components/text_label.h"
#include "ui/components/toggle_switch.h"
#include "ui/drawing/qt_text.h"
#include "ui/theme/style.h"

#include <QHBoxLayout>
#include <QMouseEvent>
#include <QVBoxLayout>

namespace wattlet {

namespace {

    QFont controlFont() { return Style::font(13); }

} // namespace

SwitchRow::SwitchRow(const SettingsPageView::Toggle& view, const QString& name,
    std::function<void(bool on)> changed, QWidget* parent)
    : QWidget(parent)
    , m_switch(new ToggleSwitch(this))
{
    auto* row = new QHBoxLayout(this);
    row->setContentsMargins(0, 0, 0, 0);
    row->setSpacing(Style::defaultSpacing);
    auto* label = new TextLabel(qText(view.label), controlFont());
    label->setWraps(true);
    row->addWidget(label, 1);
    row->addWidget(m_switch, 0, Qt::AlignVCenter);
    m_switch->setObjectName(name);
    m_switch->setChecked(view.on);
    m_switch->setAccessibleName(qText(view.label));
    if (changed)
        connect(m_switch, &ToggleSwitch::clicked, this, std::move(changed));
}

void SwitchRow::mouseReleaseEvent(QMouseEvent* event)
{
    if (event->button() == Qt::LeftButton && rect().contains(event->position().toPoint()))
        m_switch->click();
}

QVBoxLayout* captionedGroup(const QString& caption)
{
    auto* group = new QVBoxLayout;
    group->setSpacing(6);
    group->addWidget(new TextLabel(caption, Style::font(12), LabelColor::secondary));
    return group;
}

SegmentedControl* choiceControl(const QStringList& segments, int selected, const QString& name,
    const QString& caption, std::function<void(int index)> chosen)
{
    auto* control = new SegmentedControl(segments, selected);
    control->setObjectName(name);
    control->setFont(controlFont());
    control->setAccessibleName(caption);
    QObject::connect(control, &SegmentedControl::activated, control, std::move(chosen));
    return control;
}

QWidget* stepperRow(const QString& label, const QString& value, AccessibleFace::Number number,
    const QString& name, std::function<void()> lower, std::function<void()> raise)
{
    auto* row = new QWidget;
    auto* layout = new QHBoxLayout(row);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(Style::defaultSpacing);
    // One line, cut when too long, so it can sit centred beside the taller stepper.
    layout->addWidget(new TextLabel(label, controlFont()), 1, Qt::AlignVCenter);
    auto* stepper = new Stepper(value, bool(lower), bool(raise));
    stepper->setObjectName(name);
    stepper->setFont(controlFont());
    stepper->setAccessibleName(label);
    stepper->setAccessibleDescription(value);
    stepper->setNumber(number);
    if (lower)
        QObject::connect(stepper, &Stepper::decreased, stepper, std::move(lower));
    if (raise)
        QObject::connect(stepper, &Stepper::increased, stepper, std::move(raise));
    layout->addWidget(stepper, 0, Qt::AlignVCenter);
    return row;
}

} // namespace wattlet
