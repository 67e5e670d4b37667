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

#include <algorithm>
#include <utility>
#include <vector>

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
    // The plug's choices share one column, so their controls line up; where a label leaves its
    // control too little room (long words), each label stands above its control instead.
    auto* grid = new QGridLayout;
    grid->setHorizontalSpacing(10);
    grid->setVerticalSpacing(6);
    std::vector<std::pair<TextLabel*, SegmentedControl*>> rows;
    int labelWidth = 0;
    int controlWidth = 0;
    for (std::size_t i = 0; i < view.plug.size(); ++i) {
        const PowerProfileView::PlugChoice& plug = view.plug[i];
        const bool onPower = i == 1;
        auto* label = new TextLabel(qText(plug.label), Style::font(13), LabelColor::primary);
        SegmentedControl* choice = choiceControl(segments(plug.labels), plug.selected,
            onPower ? QStringLiteral("profileOnPower") : QStringLiteral("profileOnBattery"),
            qText(plug.label), [choosePlug, onPower, names = plug.profiles](int index) {
                choosePlug(onPower, names.at(static_cast<std::size_t>(index)));
            });
        choice->setFont(Style::font(11));
        labelWidth = std::max(labelWidth, label->sizeHint().width());
        controlWidth = std::max(controlWidth, choice->minimumSizeHint().width());
        rows.emplace_back(label, choice);
    }
    const bool besides
        = labelWidth + grid->horizontalSpacing() + controlWidth <= Style::contentWidth;
    for (std::size_t i = 0; i < rows.size(); ++i) {
        const auto [label, choice] = rows[i];
        const int row = static_cast<int>(i);
        if (besides) {
            label->setMinimumWidth(labelWidth);
            grid->addWidget(label, row, 0);
            grid->addWidget(choice, row, 1);
        } else {
            grid->addWidget(label, 2 * row, 0);
            grid->addWidget(choice, 2 * row + 1, 0);
        }
    }
    grid->setColumnStretch(besides ? 1 : 0, 1);
    return grid;
}

} // namespace wattlet
