#pragma once

#include <QWidget>

#include <functional>

namespace wattlet {

class Prefs;

/// The language page, opened from the settings page: "Auto", then every language by its own
/// name, the chosen one checked (rows named "language.auto", "language.<code>"). A click writes
/// the choice at once; the panel then rebuilds in that language.
class LanguagePage : public QWidget
{
    Q_OBJECT

public:
    LanguagePage(Prefs& prefs, std::function<void()> back, QWidget* parent = nullptr);
};

} // namespace wattlet
