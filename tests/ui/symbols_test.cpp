#include "core/battery_reading.h"
#include "core/peripheral.h"
#include "ui/drawing/symbols.h"

#include <QImage>

#include <gtest/gtest.h>

#include <set>
#include <string>

using namespace wattlet;

// The tray item draws these in the panel's ink; the page symbols are seen in the snapshots.
TEST(Symbols, EveryReadingAndDeviceSymbolIsDrawnInItsTintOnly)
{
    std::set<std::string> names;
    BatteryReading reading;
    for (reading.percent = -5; reading.percent <= 105; ++reading.percent) {
        for (const bool onAC : { false, true }) {
            reading.onAC = onAC;
            names.insert({ reading.symbol(), reading.fillSymbol() });
        }
    }
    for (int kind = 0; kind <= static_cast<int>(Peripheral::Kind::other); ++kind) {
        Peripheral device;
        device.kind = static_cast<Peripheral::Kind>(kind);
        names.insert(std::string(device.symbol()));
    }
    const QColor tint(235, 69, 69);
    for (const std::string& name : names) {
        SCOPED_TRACE(name);
        const QImage image = Symbols::pixmap(name, tint, 22, 2).toImage();
        int inked = 0;
        for (int y = 0; y < image.height(); ++y)
            for (int x = 0; x < image.width(); ++x) {
                const QColor c = image.pixelColor(x, y);
                inked += c.alpha() > 128 ? 1 : 0;
                if (c.alpha() < 200)
                    continue;
                ASSERT_NEAR(c.red(), 235, 2);
                ASSERT_NEAR(c.green(), 69, 2);
                ASSERT_NEAR(c.blue(), 69, 2);
            }
        // A drawing covers a real part of its square, not a speck.
        EXPECT_GT(inked, 44 * 44 / 20);
    }
}
