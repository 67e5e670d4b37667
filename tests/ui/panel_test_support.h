#pragma once

#include "app/app_model.h"
#include "support/temp_env.h"

#include <QColor>
#include <QImage>
#include <QString>

#include <memory>
#include <optional>
#include <ostream>

/// Readable QStrings in test failures.
inline void PrintTo(const QString& text, std::ostream* out) { *out << text.toStdString(); }

namespace wattlet::test {

/// A model that touches nothing outside the test: a fixed clock, a reading the test sets, an
/// empty history that is never written, no notifications and no power events. Preferences live
/// in a temporary home and start on `language`, whatever the environment prefers.
struct QuietModel
{
    explicit QuietModel(std::optional<BatteryReading> demo = std::nullopt,
        LanguageChoice language = LanguageChoice::en)
        : model(std::make_unique<AppModel>(demo, deps()))
    {
        model->prefs().setLanguage(language);
    }

    AppModelDeps deps()
    {
        AppModelDeps d;
        d.now = [] { return 1'700'000'000.0; };
        d.read = [this] { return live; };
        d.loadHistory = [] { return BatteryHistory {}; };
        d.saveHistory = [](const BatteryHistory&) {};
        return d;
    }

    TempHome home;
    /// What a live refresh reads.
    std::optional<BatteryReading> live;
    std::unique_ptr<AppModel> model;
};

/// Pixels of `image` that differ clearly from `background`.
inline int pixelsUnlike(const QImage& image, const QColor& background)
{
    int count = 0;
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            const QColor c = image.pixelColor(x, y);
            if (std::abs(c.red() - background.red()) + std::abs(c.green() - background.green())
                    + std::abs(c.blue() - background.blue())
                > 60)
                ++count;
        }
    }
    return count;
}

} // namespace wattlet::test
