#include "ui/components/area_chart.h"
#include "ui/components/charge_ring.h"
#include "ui/components/detail_row.h"
#include "ui/components/footer_button.h"
#include "ui/components/link_row.h"
#include "ui/components/pill_button.h"
#include "ui/components/sub_header.h"
#include "ui/components/tile.h"
#include "ui/components/warning_row.h"
#include "ui/drawing/render_image.h"
#include "ui/theme/palette.h"
#include "ui/theme/scheme.h"

#include <QDesktopServices>
#include <QImage>
#include <QTest>

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <limits>
#include <vector>

using namespace wattlet;

namespace {

// The off-screen recipe of the snapshot export, at twice the resolution. The widget keeps the
// size it was given, or takes its size hint when it has none.
QImage render(QWidget& widget)
{
    return widget.testAttribute(Qt::WA_Resized) ? renderAtCurrentSize(widget, 2)
                                                : renderImage(widget, 2);
}

// The colour at a point in widget coordinates.
QColor at(const QImage& image, qreal x, qreal y)
{
    return image.pixelColor(static_cast<int>(x * 2), static_cast<int>(y * 2));
}

void expectColor(const QColor& actual, int r, int g, int b, int alpha, int tolerance = 6)
{
    EXPECT_NEAR(actual.alpha(), alpha, tolerance);
    if (actual.alpha() == 0)
        return;
    EXPECT_NEAR(actual.red(), r, tolerance);
    EXPECT_NEAR(actual.green(), g, tolerance);
    EXPECT_NEAR(actual.blue(), b, tolerance);
}

// Rows (in device pixels) holding text ink: dark, mostly opaque pixels on a light card.
std::vector<int> inkRows(const QImage& image, int fromX)
{
    std::vector<int> rows;
    for (int y = 0; y < image.height(); ++y)
        for (int x = fromX; x < image.width(); ++x) {
            const QColor c = image.pixelColor(x, y);
            if (c.alpha() > 150 && c.lightness() < 90) {
                rows.push_back(y);
                break;
            }
        }
    return rows;
}

} // namespace

TEST(ChargeRing, ArcRunsClockwiseFromTwelveOverTheTrack)
{
    // The circle has radius 43 around (48, 48): top, right, bottom, left; the arc is opaque,
    // the track at 18 %.
    const QPointF points[] = { { 48, 5 }, { 91, 48 }, { 48, 91 }, { 5, 48 } };
    struct Case
    {
        int percent;
        QColor tint;
        std::array<int, 4> alphas;
    };
    const QColor green(18, 158, 110);
    const QColor red(235, 69, 69);
    const QColor blue(66, 133, 245);
    const Case cases[] = { { 25, green, { 255, 255, 46, 46 } }, { 0, red, { 46, 46, 46, 46 } },
        { 100, red, { 255, 255, 255, 255 } }, { 140, blue, { 255, 255, 255, 255 } },
        { -3, blue, { 46, 46, 46, 46 } } };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.percent);
        ChargeRing ring(c.percent, c.tint);
        const QImage image = render(ring);
        for (std::size_t i = 0; i < 4; ++i) {
            const QPointF p = points[i] + (c.percent >= 100 ? QPointF(0.5, 0.5) : QPointF());
            expectColor(
                at(image, p.x(), p.y()), c.tint.red(), c.tint.green(), c.tint.blue(), c.alphas[i]);
        }
    }
    // Nothing is clipped: the outer half of the stroke still lies inside the widget.
    ChargeRing quarter(25, green);
    expectColor(at(render(quarter), 48, 1.0), 18, 158, 110, 255, 40);
    ChargeRing full(100, red);
    expectColor(at(render(full), 18.5, 18.5), 235, 69, 69, 255);
}

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
    expectColor(at(image, 100, 28), 66, 133, 245, 255, 30);
    // Under the line: the gradient, stronger near the top than near the bottom.
    const QColor high = at(image, 190, 8);
    const QColor low = at(image, 190, 50);
    EXPECT_GT(high.alpha(), 60);
    EXPECT_LT(low.alpha(), 25);
    EXPECT_GT(high.alpha(), low.alpha());
    // Above the line: nothing.
    EXPECT_EQ(at(image, 20, 40).alpha(), 0);
    EXPECT_EQ(at(image, 100, 10).alpha(), 0);

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

TEST(WarningRow, LongTextWrapsIntoATallerRow)
{
    const QString sentence
        = QStringLiteral("Battery is hot: 47 °C — let the laptop cool down before it "
                         "charges again, and keep the vents free of blankets");
    const QString symbol = QStringLiteral("exclamationmark.triangle.fill");
    WarningRow shortRow(symbol, QStringLiteral("Charger is weak"), Palette::yellow());
    WarningRow longRow(symbol, sentence, Palette::red());
    EXPECT_TRUE(longRow.hasHeightForWidth());
    const int oneLine = shortRow.heightForWidth(312);
    const int wrapped = longRow.heightForWidth(312);
    EXPECT_GT(wrapped, oneLine + 20);
    EXPECT_GT(longRow.heightForWidth(200), wrapped);
    // A layout does not make a wrapping row taller than its text needs.
    EXPECT_LE(longRow.minimumSizeHint().height(), oneLine);

    longRow.resize(312, wrapped);
    const QImage image = render(longRow);
    const std::vector<int> rows = inkRows(image, 60);
    ASSERT_FALSE(rows.empty());
    // The last line's ink ends above the bottom padding of 10 points, and below the middle.
    EXPECT_GT(rows.back(), image.height() / 2);
    EXPECT_LT(rows.back(), image.height() - 2 * 10 + 4);
}

TEST(DetailRow, LongValueWrapsIntoTwoLinesClearOfTheLabel)
{
    DetailRow row(QStringLiteral("Adapter"),
        QStringLiteral(
            "65 W · A very long adapter name from a maker that goes on and on and on forever"));
    const int oneLine = row.heightForWidth(2000);
    const int twoLines = row.heightForWidth(312);
    EXPECT_EQ(oneLine,
        DetailRow(QStringLiteral("Mode"), QStringLiteral("charging")).heightForWidth(2000));
    EXPECT_GT(twoLines, oneLine * 3 / 2);
    EXPECT_LE(twoLines, oneLine * 2 + 1);
    EXPECT_EQ(row.heightForWidth(150), twoLines);

    row.resize(312, twoLines);
    const QImage image = render(row);
    // The widest run of empty columns lies between label and value: at least 12 points.
    std::vector<bool> inked(static_cast<std::size_t>(image.width()), false);
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            if (qAlpha(image.pixel(x, y)) > 60)
                inked[static_cast<std::size_t>(x)] = true;
    int widestGap = 0;
    int run = 0;
    bool seenInk = false;
    for (const bool ink : inked) {
        run = ink ? 0 : run + 1;
        seenInk = seenInk || ink;
        if (seenInk)
            widestGap = std::max(widestGap, run);
    }
    EXPECT_GE(widestGap, 2 * 12);
}

class UrlCatcher : public QObject
{
    Q_OBJECT

public:
    QList<QUrl> opened;

public Q_SLOTS:
    void open(const QUrl& url) { opened.append(url); }
};

TEST(Buttons, RunTheirActionOnAClickAnywhereOnThem)
{
    int clicks = 0;
    FooterButton footer(QStringLiteral("gearshape"), QStringLiteral("Settings"), [&] { ++clicks; });
    QTest::mouseClick(&footer, Qt::LeftButton, {}, QPoint(1, 25));
    EXPECT_EQ(clicks, 1);

    PillButton pill(QStringLiteral("doc.on.doc"), QStringLiteral("Copy"), [&] { ++clicks; });
    pill.resize(152, pill.sizeHint().height());
    QTest::mouseClick(&pill, Qt::LeftButton, {}, QPoint(4, 4));
    QTest::mouseClick(&pill, Qt::LeftButton, {}, QPoint(148, pill.height() - 2));
    EXPECT_EQ(clicks, 3);
    // Pressing and letting go elsewhere is no click.
    QTest::mousePress(&pill, Qt::LeftButton, {}, QPoint(10, 10));
    QTest::mouseRelease(&pill, Qt::LeftButton, {}, QPoint(400, 10));
    EXPECT_EQ(clicks, 3);

    UrlCatcher catcher;
    QDesktopServices::setUrlHandler(QStringLiteral("https"), &catcher, "open");
    const QUrl url(QStringLiteral("https://wattlet.morvane.dev/privacy/"));
    LinkRow row(QStringLiteral("hand.raised.fill"), QStringLiteral("Privacy policy"), url);
    row.resize(312, row.sizeHint().height());
    QTest::mouseClick(&row, Qt::LeftButton, {}, QPoint(300, 4));
    QDesktopServices::unsetUrlHandler(QStringLiteral("https"));
    EXPECT_EQ(catcher.opened, QList<QUrl> { url });
}

TEST(SubHeader, TitleStaysCentredBesideTheBackButton)
{
    for (const char* back : { "Back", "Назад" }) {
        SCOPED_TRACE(back);
        int backs = 0;
        SubHeader header(QStringLiteral("Settings"), QString::fromUtf8(back), [&] { ++backs; });
        header.resize(312, header.sizeHint().height());
        const QRectF title = header.titleRect();
        // The visible back button carries a chevron the invisible copy lacks, so the title
        // sits a little right of the middle, never more than half the chevron and its spacing.
        EXPECT_GE(title.center().x(), 156.0);
        EXPECT_LE(title.center().x(), 156.0 + 10);
        EXPECT_LE(header.backButton()->geometry().right(), title.left());
        QTest::mouseClick(header.backButton(), Qt::LeftButton);
        EXPECT_EQ(backs, 1);
    }
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

#include "components_test.moc"
