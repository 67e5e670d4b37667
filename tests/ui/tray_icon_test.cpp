#include "ui/tray/panel_backdrop.h"
#include "ui/tray/tray_icon.h"

#include <QPainter>

#include <gtest/gtest.h>

#include <string>

namespace wattlet {
namespace {

    StatusItemView showing(std::int64_t percent, bool onPower)
    {
        StatusItemView view;
        view.symbol = onPower ? "battery.100percent.bolt" : "battery.50percent";
        view.onPower = onPower;
        view.percent = percent;
        return view;
    }

    bool columnIsClear(const QImage& image, int x)
    {
        for (int y = 0; y < image.height(); ++y) {
            if (qAlpha(image.pixel(x, y)) != 0)
                return false;
        }
        return true;
    }

} // namespace

TEST(TrayIcon, PercentFitsEverySizeClearOfTheEdges)
{
    const TrayInk ink { Qt::white, {} };
    for (const int size : trayIconSizes()) {
        for (const std::int64_t percent : { 5, 47, 100 }) {
            SCOPED_TRACE(std::to_string(size) + " px, " + std::to_string(percent) + " %");
            const QImage onBattery = trayPercentImage(showing(percent, false), size, ink);
            ASSERT_EQ(onBattery.size(), QSize(size, size));
            // Three digits too stay clear of the edges the panel may clip.
            EXPECT_TRUE(columnIsClear(onBattery, 0));
            EXPECT_TRUE(columnIsClear(onBattery, size - 1));
            EXPECT_NE(trayPercentImage(showing(percent, true), size, ink), onBattery);
            EXPECT_NE(trayPercentImage(showing(percent - 1, false), size, ink), onBattery);
        }
    }
    StatusItemView plain = showing(47, true);
    plain.percent.reset();
    EXPECT_EQ(trayPercentImage(plain, 22, ink), trayIconImage(plain, 22, ink));
}

TEST(PanelBackdrop, BandIsTheReservedBarOfTheClick)
{
    const QRect screen(0, 0, 1920, 1080);
    EXPECT_EQ(reservedBand(screen, QRect(0, 28, 1920, 1052), std::nullopt), QRect(0, 0, 1920, 28));
    EXPECT_EQ(
        reservedBand(screen, QRect(0, 0, 1920, 1040), QPoint(900, 1060)), QRect(0, 1040, 1920, 40));
    EXPECT_EQ(reservedBand(screen, QRect(48, 0, 1872, 1080), std::nullopt), QRect(0, 0, 48, 1080));
    // A click outside every band, or no band at all.
    EXPECT_EQ(reservedBand(screen, QRect(0, 28, 1920, 1052), QPoint(900, 500)), std::nullopt);
    EXPECT_EQ(reservedBand(screen, screen, std::nullopt), std::nullopt);
}

TEST(PanelBackdrop, ColourIsTheBarsOwnBesideItsIcons)
{
    // A dark bar with a few white icons on it is dark.
    QImage bar(400, 28, QImage::Format_RGB32);
    bar.fill(QColor(40, 40, 40));
    QPainter(&bar).fillRect(QRect(300, 4, 100, 20), Qt::white);
    EXPECT_EQ(backdropColor(bar).lightness(), 40);
    EXPECT_FALSE(backdropColor(QImage()).isValid());
}

} // namespace wattlet
