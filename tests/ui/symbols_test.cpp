#include "core/battery_reading.h"
#include "core/peripheral.h"
#include "ui/drawing/continuous_corners.h"
#include "ui/drawing/symbols.h"

#include <QImage>
#include <QPainter>

#include <gtest/gtest.h>

#include <string_view>
#include <vector>

using namespace wattlet;

namespace {

// Every symbol name the panel, the tray item and the menu ask for.
const std::vector<std::string_view> usedNames = { "arrow.triangle.2.circlepath", "arrow.up.right",
    "battery.0percent", "battery.100percent", "battery.100percent.bolt", "battery.25percent",
    "battery.50percent", "battery.75percent", "bolt.fill", "bolt.horizontal.fill", "chevron.left",
    "chevron.right", "clock", "clock.arrow.circlepath", "computermouse.fill", "doc.on.doc",
    "exclamationmark.triangle.fill", "gamecontroller.fill", "gearshape", "gearshape.fill",
    "hand.raised.fill", "headphones", "heart.fill", "info.circle", "iphone", "keyboard.fill",
    "music.note", "pencil.tip", "person.fill", "power", "safari", "thermometer.medium",
    "touchpad.fill" };

QImage render(std::string_view name, const QColor& color, int size, qreal dpr,
    Symbols::Weight weight = Symbols::Weight::regular)
{
    return Symbols::pixmap(name, color, size, dpr, weight).toImage();
}

int inkedPixels(const QImage& image, int row = -1)
{
    int count = 0;
    const int first = row < 0 ? 0 : row;
    const int last = row < 0 ? image.height() : row + 1;
    for (int y = first; y < last; ++y)
        for (int x = 0; x < image.width(); ++x)
            count += qAlpha(image.pixel(x, y)) > 128 ? 1 : 0;
    return count;
}

} // namespace

TEST(Symbols, EveryUsedNameHasADrawingInItsTintOnly)
{
    const QColor tint(235, 69, 69);
    for (std::string_view name : usedNames) {
        SCOPED_TRACE(std::string(name));
        EXPECT_TRUE(Symbols::has(name));
        const QImage image = render(name, tint, 22, 2);
        // A drawing covers a real part of its square, not a speck.
        EXPECT_GT(inkedPixels(image), 44 * 44 / 20);
        for (int y = 0; y < image.height(); ++y)
            for (int x = 0; x < image.width(); ++x) {
                const QColor c = image.pixelColor(x, y);
                if (c.alpha() < 200)
                    continue;
                ASSERT_NEAR(c.red(), 235, 2);
                ASSERT_NEAR(c.green(), 69, 2);
                ASSERT_NEAR(c.blue(), 69, 2);
            }
    }
}

TEST(Symbols, EveryReadingAndDeviceAsksForADrawnSymbol)
{
    BatteryReading reading;
    for (reading.percent = -5; reading.percent <= 105; ++reading.percent) {
        for (const bool onAC : { false, true }) {
            reading.onAC = onAC;
            SCOPED_TRACE(reading.symbol());
            EXPECT_TRUE(Symbols::has(reading.symbol()));
            EXPECT_TRUE(Symbols::has(reading.fillSymbol()));
        }
    }
    for (int kind = 0; kind <= static_cast<int>(Peripheral::Kind::other); ++kind) {
        Peripheral device;
        device.kind = static_cast<Peripheral::Kind>(kind);
        SCOPED_TRACE(std::string(rawValue(device.kind)));
        EXPECT_TRUE(Symbols::has(device.symbol()));
    }
}

TEST(Symbols, UnknownNamesDrawNothing)
{
    EXPECT_FALSE(Symbols::has("battery.60percent"));
    EXPECT_TRUE(Symbols::size("battery.60percent", 13).isEmpty());
    EXPECT_TRUE(Symbols::path("battery.60percent", QRectF(0, 0, 20, 20)).isEmpty());
    EXPECT_EQ(inkedPixels(render("battery.60percent", Qt::black, 22, 1)), 0);
}

TEST(Symbols, PixmapsFollowSizeScaleAndWeight)
{
    const QPixmap pixmap = Symbols::pixmap("battery.50percent", Qt::black, 22, 2);
    EXPECT_EQ(pixmap.size(), QSize(44, 44));
    EXPECT_EQ(pixmap.devicePixelRatio(), 2.0);
    EXPECT_EQ(Symbols::pixmap("power", Qt::black, 16, 1.5).size(), QSize(24, 24));
    const int regular
        = inkedPixels(render("gearshape", Qt::black, 48, 2, Symbols::Weight::regular));
    const int semibold
        = inkedPixels(render("gearshape", Qt::black, 48, 2, Symbols::Weight::semibold));
    EXPECT_GT(semibold, regular * 11 / 10);
}

TEST(Symbols, BatteryFillGrowsWithTheChargeAndTheBoltRisesAboveTheBody)
{
    // Across the middle of the battery, more charge means more inked pixels.
    const std::vector<std::string_view> buckets = { "battery.0percent", "battery.25percent",
        "battery.50percent", "battery.75percent", "battery.100percent" };
    int previous = -1;
    for (std::string_view name : buckets) {
        SCOPED_TRACE(std::string(name));
        const int inked = inkedPixels(render(name, Qt::black, 100, 1), 50);
        EXPECT_GT(inked, previous + 10);
        previous = inked;
    }
    // The empty battery is only its outline and terminal.
    EXPECT_LT(inkedPixels(render("battery.0percent", Qt::black, 100, 1), 50), 20);
    // At 200 points a battery is 200 × 106 from row 47; its body starts 8 rows lower and the
    // bolt rises above it.
    auto inkAboveBody = [](std::string_view name) {
        const QImage image = render(name, Qt::black, 200, 1);
        int count = 0;
        for (int row = 0; row <= 54; ++row)
            count += inkedPixels(image, row);
        return count;
    };
    EXPECT_EQ(inkAboveBody("battery.100percent"), 0);
    EXPECT_GT(inkAboveBody("battery.100percent.bolt"), 0);
}

TEST(ContinuousCorners, EaseIntoStraightEdgesInsideTheRectangle)
{
    const QRectF rect(0, 0, 1000, 400);
    const QPainterPath card = continuousRoundedRect(rect, 100);
    EXPECT_EQ(card.boundingRect(), rect);
    EXPECT_TRUE(card.contains(QPointF(500, 200)));
    EXPECT_FALSE(card.contains(QPointF(5, 5)));
    // Where a circular corner of the same radius already meets the edge, the continuous one is
    // still easing in, so it leaves out a point just below the edge.
    QPainterPath circular;
    circular.addRoundedRect(rect, 100, 100);
    EXPECT_TRUE(circular.contains(QPointF(80, 2.6)));
    EXPECT_FALSE(card.contains(QPointF(80, 2.6)));
    // Beyond 1.6 radii from the corner the edge is straight.
    EXPECT_TRUE(card.contains(QPointF(165, 0.2)));
    EXPECT_TRUE(card.contains(QPointF(0.2, 165)));
    // A radius beyond half the height still yields a pill inside the rectangle.
    const QPainterPath pill = continuousRoundedRect(QRectF(0, 0, 60, 20), 30);
    EXPECT_EQ(pill.boundingRect(), QRectF(0, 0, 60, 20));
    EXPECT_TRUE(pill.contains(QPointF(30, 10)));
    EXPECT_TRUE(continuousRoundedRect(QRectF(0, 0, 0, 10), 5).isEmpty());
    EXPECT_EQ(continuousRoundedRect(QRectF(0, 0, 10, 10), 0).boundingRect(), QRectF(0, 0, 10, 10));
}
