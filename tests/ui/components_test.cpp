#include "ui/components/area_chart.h"
#include "ui/components/pill_button.h"
#include "ui/drawing/render_image.h"
#include "ui/theme/palette.h"
#include "ui/theme/scheme.h"

#include <QImage>
#include <QTest>

#include <gtest/gtest.h>

#include <limits>
#include <vector>

using namespace wattlet;

namespace {

// The off-screen recipe of the snapshot export, at twice the resolution.
QImage render(QWidget& widget) { return renderAtCurrentSize(widget, 2); }

// The colour at a point in widget coordinates.
QColor at(const QImage& image, qreal x, qreal y)
{
    return image.pixelColor(static_cast<int>(x * 2), static_cast<int>(y * 2));
}

} // namespace

TEST(AreaChart, PointsSpanTheWidthOnAFixedScale)
{
    // Out of range and missing values lie on the edges of the scale.
    const double nan = std::numeric_limits<double>::quiet_NaN();
    EXPECT_EQ(AreaChart::points({ 150, -5, nan, 50, 25 }, QSizeF(200, 56)),
        (std::vector<QPointF> { { 0, 0 }, { 50, 56 }, { 100, 56 }, { 150, 28 }, { 200, 42 } }));
    EXPECT_EQ(AreaChart::points({ 60 }, QSizeF(200, 56)).at(0).x(), 0);
}

TEST(AreaChart, PaintsTheAreaUnderALineOfTwoOrMoreValues)
{
    AreaChart chart({ 0, 100 }, Palette::blue());
    chart.resize(200, 56);
    const QImage image = render(chart);
    // On the line: the tint itself.
    const QColor line = at(image, 100, 28);
    EXPECT_NEAR(line.alpha(), 255, 30);
    EXPECT_NEAR(line.blue(), 245, 30);
    // Under the line the area, above it nothing.
    EXPECT_GT(at(image, 190, 8).alpha(), 60);
    EXPECT_EQ(at(image, 20, 40).alpha(), 0);

    for (const std::vector<double>& values :
        { std::vector<double> {}, std::vector<double> { 60 } }) {
        AreaChart flat(values, Palette::red());
        flat.resize(200, 56);
        const QImage empty = render(flat);
        for (int y = 0; y < empty.height(); ++y)
            for (int x = 0; x < empty.width(); ++x)
                ASSERT_EQ(qAlpha(empty.pixel(x, y)), 0) << x << "," << y;
    }
}

TEST(PillButton, RunsItsActionOnAClickAnywhereOnIt)
{
    int clicks = 0;
    PillButton pill(QStringLiteral("doc.on.doc"), QStringLiteral("Copy"), [&] { ++clicks; });
    pill.resize(152, pill.sizeHint().height());
    QTest::mouseClick(&pill, Qt::LeftButton, {}, QPoint(4, 4));
    QTest::mouseClick(&pill, Qt::LeftButton, {}, QPoint(148, pill.height() - 2));
    EXPECT_EQ(clicks, 2);
    // Pressing and letting go elsewhere is no click.
    QTest::mousePress(&pill, Qt::LeftButton, {}, QPoint(10, 10));
    QTest::mouseRelease(&pill, Qt::LeftButton, {}, QPoint(400, 10));
    EXPECT_EQ(clicks, 2);
}

TEST(Scheme, ImposedSchemeReachesDescendantsAddedLater)
{
    QWidget root;
    auto* middle = new QWidget(&root);
    Scheme::impose(&root, ColorScheme::dark);
    auto* late = new QWidget(middle);
    EXPECT_TRUE(Scheme::of(late).isDark());
    EXPECT_EQ(late->palette().color(QPalette::Window).rgba(), qRgb(32, 32, 32));
    Scheme::impose(middle, ColorScheme::light);
    EXPECT_FALSE(Scheme::of(late).isDark());
    EXPECT_TRUE(Scheme::of(&root).isDark());
}
