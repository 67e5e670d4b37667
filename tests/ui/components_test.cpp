#include "ui/components/area_chart.h"
#include "ui/components/detail_row.h"
#include "ui/components/segmented_control.h"
#include "ui/components/stepper.h"
#include "ui/components/text_label.h"
#include "ui/components/toggle_switch.h"
#include "ui/drawing/render_image.h"
#include "ui/drawing/text_block.h"
#include "ui/drawing/text_fit_watch.h"
#include "ui/theme/style.h"

#include <QSignalSpy>
#include <QTest>

#include <gtest/gtest.h>

#include <limits>
#include <vector>

using namespace wattlet;

TEST(AreaChart, PointsSpanTheWidthOnAFixedScale)
{
    // Out of range and missing values lie on the edges of the scale.
    const double nan = std::numeric_limits<double>::quiet_NaN();
    EXPECT_EQ(AreaChart::points({ 150, -5, nan, 50, 25 }, QSizeF(200, 56)),
        (std::vector<QPointF> { { 0, 0 }, { 50, 56 }, { 100, 56 }, { 150, 28 }, { 200, 42 } }));
    EXPECT_EQ(AreaChart::points({ 60 }, QSizeF(200, 56)).at(0).x(), 0);
}

TEST(ParagraphDirection, ArabicLettersReadRightToLeftInARightToLeftPanel)
{
    const QString named = QString::fromUtf8("Logitech MX \u0645\u062a\u0635\u0644");
    EXPECT_EQ(paragraphDirection(named, Qt::RightToLeft), Qt::RightToLeft);
    EXPECT_EQ(paragraphDirection(named, Qt::LeftToRight), Qt::LeftToRight);
    EXPECT_EQ(paragraphDirection(QStringLiteral("+75 W"), Qt::RightToLeft), Qt::LeftToRight);
    EXPECT_EQ(paragraphDirection(QStringLiteral("Battery low."), Qt::RightToLeft), Qt::LeftToRight);
}

// Inside Arabic text "+75 W" once read "W 75+" and "46 °C" read "C° 46".
TEST(ParagraphDirection, MeasuresWithSignsOrLatinUnitsAreIsolated)
{
    const auto isolated = [](const char* measure) {
        return QChar(0x2066) + QString::fromUtf8(measure) + QChar(0x2069);
    };
    const QString hot = QString::fromUtf8("ساخنة: ");
    EXPECT_EQ(isolateMeasures(hot + QString::fromUtf8("46 °C, +75 W, 9 %, 8393 / 8579 mAh")),
        hot + isolated("46 °C") + QStringLiteral(", ") + isolated("+75 W")
            + QStringLiteral(", 9 %, ") + isolated("8393 / 8579 mAh"));
    EXPECT_EQ(isolateMeasures(QString::fromUtf8("−12 % ") + hot),
        isolated("−12 %") + QStringLiteral(" ") + hot);
    const QString arabicDigits = QString::fromUtf8("+٧٥ واط، −١٢٪");
    EXPECT_EQ(isolateMeasures(arabicDigits), arabicDigits);
}

TEST(RightToLeft, ControlsStartAtTheRightAndArrowsMoveTheWayTheyPoint)
{
    QWidget panel;
    panel.setLayoutDirection(Qt::RightToLeft);
    SegmentedControl choice(
        { QStringLiteral("a"), QStringLiteral("b"), QStringLiteral("c") }, 0, &panel);
    choice.resize(300, Style::controlHeight);
    EXPECT_EQ(choice.segmentRect(0), QRect(200, 0, 100, Style::controlHeight));
    QTest::keyClick(&choice, Qt::Key_Left);
    EXPECT_EQ(choice.selected(), 1);

    Stepper stepper(QStringLiteral("50 %"), true, true, &panel);
    stepper.resize(stepper.sizeHint());
    EXPECT_EQ(stepper.decreaseRect().right(), stepper.width() - 1);
    EXPECT_EQ(stepper.increaseRect().left(), 0);
    QSignalSpy raised(&stepper, &Stepper::increased);
    QTest::keyClick(&stepper, Qt::Key_Left);
    EXPECT_EQ(raised.count(), 1);

    // On: the white knob at the left; the chart's newest value at the left edge.
    ToggleSwitch toggle(&panel);
    toggle.setChecked(true);
    const QImage knob = renderImage(toggle, 1);
    EXPECT_EQ(knob.pixelColor(9, 9), QColor(Qt::white));
    AreaChart chart({ 0, 100 }, Qt::red, &panel);
    chart.resize(200, 56);
    const QImage line = renderAtCurrentSize(chart, 1);
    EXPECT_EQ(line.pixelColor(2, 2).red(), 255);
    EXPECT_EQ(line.pixelColor(197, 2).alpha(), 0);
}

// Long compound words as German writes them, in rows too narrow for them.
TEST(TextFitWatch, HearsOfCutTextsAndBrokenWords)
{
    const QString word = QStringLiteral("Energiesparmodusvoreinstellungen");
    TextLabel oneLine(word, Style::font(13));
    oneLine.resize(120, 20);
    TextLabel wrapping(QStringLiteral("Akku ") + word, Style::font(13));
    wrapping.setWraps(true);
    wrapping.resize(120, 60);
    DetailRow row(QStringLiteral("Ladeger\u00e4t"), word + QStringLiteral(" ") + word);
    row.resize(200, 40);
    TextLabel fitting(QStringLiteral("Akku"), Style::font(13));
    fitting.resize(120, 20);

    std::vector<QString> heard;
    for (QWidget* widget : std::vector<QWidget*> { &oneLine, &wrapping, &row, &fitting }) {
        const TextFitWatch watch;
        EXPECT_FALSE(renderAtCurrentSize(*widget, 1).isNull());
        for (const TextMiss& miss : watch.misses())
            heard.push_back(miss.text);
    }
    EXPECT_EQ(heard, (std::vector<QString> { word, word, word + QStringLiteral(" ") + word }));
}
