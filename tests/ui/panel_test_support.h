#pragma once

#include "app/app_model.h"
#include "support/temp_env.h"

#include <QString>

#include <functional>
#include <memory>
#include <optional>
#include <ostream>

/// Readable QStrings in test failures.
inline void PrintTo(const QString& text, std::ostream* out) { *out << text.toStdString(); }

namespace wattlet::test {

/// A model on a reading the test sets, recording nothing anywhere and without power events.
struct FakeSource
{
    std::optional<BatteryReading> reading;
    int reads = 0;
    int saves = 0;

    AppModelDeps deps()
    {
        AppModelDeps d;
        d.now = [] { return 1'700'000'000.0; };
        d.read = [this] {
            ++reads;
            return reading;
        };
        d.loadHistory = [] { return BatteryHistory {}; };
        d.saveHistory = [this](const BatteryHistory&) { ++saves; };
        d.announce = [](const DesktopNotification&) { };
        d.makeWatcher = [](std::function<void()>, std::function<void(const Peripherals&)>) {
            return std::make_unique<QObject>();
        };
        return d;
    }
};

/// A model that touches nothing outside the test, its preferences in a temporary home and on
/// `language`, whatever the environment prefers. A live refresh reads `source.reading`.
struct QuietModel
{
    explicit QuietModel(std::optional<BatteryReading> demo = std::nullopt,
        LanguageChoice language = LanguageChoice::en)
        : model(std::make_unique<AppModel>(demo, source.deps()))
    {
        model->prefs().setLanguage(language);
    }

    TempHome home;
    FakeSource source;
    std::unique_ptr<AppModel> model;
};

} // namespace wattlet::test
