#pragma once

#include <QObject>

#include <memory>

namespace wattlet {

/// The desktop's light or dark preference.
enum class SchemePreference { none, dark, light };

/// Follows the desktop's light or dark preference (on Linux the settings portal's colour-scheme
/// setting on the session bus). It starts as none, is read once in the background, and signals
/// every change after that; without a source it stays none.
class ColorSchemeWatcher : public QObject
{
    Q_OBJECT

public:
    explicit ColorSchemeWatcher(QObject* parent = nullptr);
    ~ColorSchemeWatcher() override;

    [[nodiscard]] SchemePreference scheme() const;

Q_SIGNALS:
    /// The preference differs from the one before.
    void changed(wattlet::SchemePreference scheme);

private:
    struct Impl;
    std::unique_ptr<Impl> m_impl;
};

} // namespace wattlet
