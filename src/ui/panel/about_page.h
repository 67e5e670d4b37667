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

} // namespace wattlet
