#include "power_profile_section.h"

#include "settings_rows.h"

#include "app/present/power_profile_view.h"
#include "platform/power_profiles.h"
#include "ui/components/segmented_control.h"
#include "ui/components/text_label.h"
#include "ui/drawing/qt_text.h"
#include "ui/theme/style.h"

#include <QGridLayout>
#include <QVBoxLayout>

namespace wattlet {

namespace {

    QStringList segments(const std::vector<std::string>& labels)
    {
        QStringList texts;
        for (const std::string& label : labels)
            texts.push_back(qText(label));
        return texts;
    }

} // namespace

QLayout* powerProfileSection(const PowerProfileView& view, PowerProfiles& profiles)
{
    auto* column = new QVBoxLayout;
    column->setSpacing(6);
    column->addWidget(new TextLabel(
        qText(view.title), Style::font(11, Style::TextWeight::semibold), LabelColor::secondary));
    SegmentedControl* control
        = choiceControl(segments(view.labels), view.selected, QStringLiteral("profile"),
            qText(view.title), [&profiles, names = view.profiles](int index) {
                profiles.choose(names.at(static_cast<std::size_t>(index)));
            });
    control->setFont(Style::font(12));
    column->addWidget(control);
    if (!view.note.empty()) {
        auto* note = new TextLabel(qText(view.note), Style::font(11), LabelColor::secondary);
        note->setWraps(true);
        column->addWidget(note);
    }
    return column;
}

QLayout* plugChoices(const PowerProfileView& view,
    std::function<void(bool onPower, const std::string& profile)> choosePlug)
{
    // The plug's choices share one column, so their controls line up.
    auto* grid = new QGridLayout;
    grid->setHorizontalSpacing(10);
    grid->setVerticalSpacing(6);
    grid->setColumnStretch(1, 1);
    for (std::size_t i = 0; i < view.plug.size(); ++i) {
        const PowerProfileView::PlugChoice& plug = view.plug[i];
        const bool onPower = i == 1;
        const int row = static_cast<int>(i);
        auto* label = new TextLabel(qText(plug.label), Style::font(13), LabelColor::primary);
        label->setMinimumWidth(label->sizeHint().width());
        grid->addWidget(label, row, 0);
        SegmentedControl* choice = choiceControl(segments(plug.labels), plug.selected,
            onPower ? QStringLiteral("profileOnPower") : QStringLiteral("profileOnBattery"),
            qText(plug.label), [choosePlug, onPower, names = plug.profiles](int index) {
                choosePlug(onPower, names.at(static_cast<std::size_t>(index)));
            });
        choice->setFont(Style::font(11));
        grid->addWidget(choice, row, 1);
    }
    return grid;
}

} // namespace wattlet
