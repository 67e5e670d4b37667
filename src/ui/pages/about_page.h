#pragma once

#include <QWidget>

#include <functional>

namespace wattlet {

/// The about page: the application's icon (QGuiApplication::windowIcon(), 72 × 72 with rounded
/// corners; empty when there is none), name, version, maker, the privacy statement and three
/// links.
class AboutPage : public QWidget
{
    Q_OBJECT

public:
    explicit AboutPage(std::function<void()> back, QWidget* parent = nullptr);
};

/// The application's icon stretched to 72 × 72 and clipped to a rounded rectangle of radius 16
/// with continuous corners; transparent when the application has no icon.
class AppIconView : public QWidget
{
    Q_OBJECT

public:
    explicit AppIconView(QWidget* parent = nullptr);

    static constexpr int side = 72;
    static constexpr qreal radius = 16;

protected:
    void paintEvent(QPaintEvent* event) override;
};

} // namespace wattlet
