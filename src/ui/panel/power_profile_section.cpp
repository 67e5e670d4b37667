#include "power_profile_section.h"

#include "settings_rows.h"

#include "app/present/power_profile_view.h"
#include "platform/power_profiles.h"
#include "ui/components/segmented_control.h"
#include "ui/components/text_label.h"
#include "ui/drawing/qt_text.h"
#include "ui/theme/style.h"

#include <QVBoxLayout>

namespace wattlet {

QLayout* powerProfileSection(const PowerProfileView& view, PowerProfiles& profiles)
{
    auto* column = new QVBoxLayout;
    column->setSpacing(6);
    column->addWidget(new TextLabel(
        qText(view.title), Style::font(11, Style::TextWeight::semibold), LabelColor::secondary));
    QStringList segments;
    for (const std::string& label : view.labels)
        segments.push_back(qText(label));
    SegmentedControl* control = choiceControl(segments, view.selected, QStringLiteral("profile"),
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

} // namespace wattlet
