#include "main_page.h"

#include "chart_section.h"
#include "page_layout.h"
#include "power_profile_section.h"

#include "app/app_model.h"
#include "app/present/main_page_view.h"
#include "app/present/power_profile_view.h"
#include "ui/components/card.h"
#include "ui/components/charge_ring.h"
#include "ui/components/detail_row.h"
#include "ui/components/device_row.h"
#include "ui/components/pill_button.h"
#include "ui/components/symbol_view.h"
#include "ui/components/text_label.h"
#include "ui/components/tile.h"
#include "ui/components/warning_row.h"
#include "ui/desktop/summary_clipboard.h"
#include "ui/drawing/qt_text.h"
#include "ui/theme/palette.h"
#include "ui/theme/style.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QLayoutItem>
#include <QVBoxLayout>

#include <algorithm>
#include <functional>
#include <vector>

namespace wattlet {

namespace {

    using Style::TextWeight;

    constexpr int heroSpacing = 16;
    constexpr int chartHeight = 56;
    constexpr int actionSpacing = 8;

    // Lays a widget out as if it were `overhang` smaller on each side: the hero's ring strokes
    // reach beyond the ring's frame, and the frame, not the strokes, lines up with the page.
    class OverhangItem : public QWidgetItem
    {
    public:
        OverhangItem(QWidget* widget, QMargins overhang)
            : QWidgetItem(widget)
            , m_overhang(overhang)
        { }

        [[nodiscard]] QSize sizeHint() const override
        {
            return QWidgetItem::sizeHint().shrunkBy(m_overhang);
        }
        [[nodiscard]] QSize minimumSize() const override
        {
            return QWidgetItem::minimumSize().shrunkBy(m_overhang);
        }
        [[nodiscard]] int heightForWidth(int width) const override
        {
            const int height
                = QWidgetItem::heightForWidth(width + m_overhang.left() + m_overhang.right());
            return height < 0 ? height : height - m_overhang.top() - m_overhang.bottom();
        }
        void setGeometry(const QRect& rect) override
        {
            m_rect = rect;
            // The ring leads the row: at the right edge in a right-to-left panel.
            QMargins overhang = m_overhang;
            if (widget()->isRightToLeft())
                overhang = { m_overhang.right(), m_overhang.top(), m_overhang.left(),
                    m_overhang.bottom() };
            widget()->setGeometry(rect.marginsAdded(overhang));
        }
        [[nodiscard]] QRect geometry() const override { return m_rect; }

    private:
        QMargins m_overhang;
        QRect m_rect;
    };

    QWidget* hero(const MainPageView::Hero& view, QWidget* parent)
    {
        auto* row = new QWidget(parent);
        auto* layout = new QHBoxLayout(row);
        layout->setContentsMargins(0, 0, 0, 0);
        layout->setSpacing(heroSpacing - ChargeRing::overhang);
        auto* ring = new ChargeRing(view.percent, Palette::color(view.tone));
        ring->setNumberText(qText(view.number), qText(view.percentSign));
        ring->setObjectName(QStringLiteral("ring"));
        ring->setAccessibleName(qText(view.name));
        ring->setAccessibleDescription(qText(view.description));
        layout->addWidget(ring);

        auto* text = new QWidget(row);
        auto* lines = new QVBoxLayout(text);
        lines->setContentsMargins(0, 0, 0, 0);
        lines->setSpacing(5);
        auto* stateLine = new QHBoxLayout;
        stateLine->setSpacing(5);
        if (!view.boltSymbol.empty()) {
            stateLine->addWidget(
                new SymbolView(qText(view.boltSymbol), 13, Palette::color(view.boltTone)));
        }
        auto* state = new TextLabel(qText(view.state), Style::font(15, TextWeight::semibold));
        state->setWraps(true);
        stateLine->addWidget(state, 1);
        lines->addLayout(stateLine);
        if (view.timeLine) {
            auto* time
                = new TextLabel(qText(*view.timeLine), Style::font(13), LabelColor::secondary);
            time->setSymbol(qText(view.timeSymbol));
            lines->addWidget(time);
        }
        layout->addWidget(text, 1, Qt::AlignVCenter);
        return row;
    }

    QLayout* tiles(const MainPageView& view, const std::function<void()>& openHealth)
    {
        auto* grid = new QGridLayout;
        grid->setHorizontalSpacing(8);
        grid->setVerticalSpacing(8);
        for (int i = 0; i < static_cast<int>(view.tiles.size()); ++i) {
            const MainPageView::Tile& tile = view.tiles[static_cast<std::size_t>(i)];
            auto* card = new Tile(qText(tile.symbol), qText(tile.title), qText(tile.value),
                Palette::color(tile.tint));
            if (tile.opensHealth && openHealth)
                card->setAction(openHealth, qText(tile.help));
            grid->addWidget(card, i / 2, i % 2);
        }
        grid->setColumnStretch(0, 1);
        grid->setColumnStretch(1, 1);
        return grid;
    }

    QLayout* details(const MainPageView& view)
    {
        auto* column = new QVBoxLayout;
        column->setSpacing(7);
        for (const MainPageView::Detail& row : view.details)
            column->addWidget(new DetailRow(qText(row.k), qText(row.v)));
        return column;
    }

    QWidget* devices(const MainPageView& view)
    {
        auto* card = new Card;
        auto* column = new QVBoxLayout(card);
        column->setContentsMargins(12, 10, 12, 10);
        column->setSpacing(7);
        column->addWidget(new TextLabel(qText(view.devicesTitle),
            Style::font(11, TextWeight::semibold), LabelColor::secondary));
        for (const MainPageView::Device& device : view.devices) {
            const QColor valueColor
                = device.valueTone.empty() ? QColor() : Palette::color(device.valueTone);
            column->addWidget(new DeviceRow(
                qText(device.symbol), qText(device.name), qText(device.value), valueColor));
        }
        return card;
    }

    QLayout* chart(const MainPageView::Chart& view)
    {
        ChartSection section;
        section.title = qText(view.title);
        if (view.delta)
            section.aside = qText(*view.delta);
        section.empty = view.empty;
        section.emptyText = qText(view.emptyText);
        section.values = view.values;
        section.tint = Palette::color(view.tint);
        section.axis = { qText(view.left), qText(view.right) };
        section.height = chartHeight;
        section.description = qText(view.description);
        return chartSection(section);
    }

} // namespace

MainPage::MainPage(AppModel& model, const std::function<void()>& openHealth, QWidget* parent)
    : QWidget(parent)
    , m_model(model)
{
    const MainPageView view
        = mainPageView(model.reading(), model.series(), model.delta(), model.prefs().textLanguage(),
            model.canOpenPowerSettings(), model.peripherals(), model.prefs().levels());
    if (view.notice)
        buildNotice(view);
    else
        buildReading(view, openHealth);
}

void MainPage::buildNotice(const MainPageView& view)
{
    auto* column = new QVBoxLayout(this);
    column->setContentsMargins(40, 40, 40, 40);
    column->setSpacing(10);
    column->addWidget(
        new SymbolView(qText(view.noticeSymbol), 34, LabelColor::secondary), 0, Qt::AlignHCenter);
    auto* notice = new TextLabel(qText(*view.notice), Style::font(15, TextWeight::semibold));
    notice->setAlignment(Qt::AlignHCenter);
    notice->setWraps(true);
    column->addWidget(notice);
}

void MainPage::buildReading(const MainPageView& view, const std::function<void()>& openHealth)
{
    QVBoxLayout* column = pageLayout(this, 14);
    const int o = ChargeRing::overhang;
    column->addItem(new OverhangItem(hero(view.hero, this), QMargins(o, o, 0, o)));
    for (const MainPageView::Warning& warning : view.warnings)
        column->addWidget(new WarningRow(
            qText(warning.symbol), qText(warning.text), Palette::color(warning.tone)));
    column->addLayout(tiles(view, openHealth));
    column->addLayout(details(view));
    if (PowerProfiles* profiles = m_model.powerProfiles()) {
        Prefs& prefs = m_model.prefs();
        if (const auto profile = powerProfileView(profiles->state(), prefs.textLanguage(),
                prefs.plugProfile(false), prefs.plugProfile(true)))
            column->addLayout(powerProfileSection(*profile, *profiles));
    }
    if (!view.devices.empty())
        column->addWidget(devices(view));
    column->addLayout(chart(view.chart));

    std::vector<PillButton*> pills;
    for (const MainPageView::Action& action : view.actions) {
        std::function<void()> run;
        switch (action.kind) {
        case MainPageView::Action::Kind::openPower:
            run = [] { AppModel::openPowerSettings(); };
            break;
        case MainPageView::Action::Kind::copySummary:
            run = [this] { copySummary(); };
            break;
        }
        pills.push_back(new PillButton(qText(action.symbol), qText(action.title), std::move(run)));
    }
    // Side by side while every title fits its share of the row; one above the other otherwise.
    const int share = pills.empty()
        ? 0
        : (Style::contentWidth - actionSpacing * static_cast<int>(pills.size() - 1))
            / static_cast<int>(pills.size());
    const bool sideBySide = std::all_of(pills.begin(), pills.end(),
        [share](const PillButton* pill) { return pill->sizeHint().width() <= share; });
    QBoxLayout* actions = sideBySide ? static_cast<QBoxLayout*>(new QHBoxLayout)
                                     : static_cast<QBoxLayout*>(new QVBoxLayout);
    actions->setSpacing(actionSpacing);
    for (PillButton* pill : pills)
        actions->addWidget(pill, 1);
    column->addLayout(actions);
}

void MainPage::copySummary() const
{
    // The reading of the moment of the click, not the one the page was built from.
    wattlet::copySummary(m_model.reading(), m_model.prefs().textLanguage());
}

} // namespace wattlet
