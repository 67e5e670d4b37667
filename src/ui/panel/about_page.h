#pragma once

#include "core/language.h"

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
    AboutPage(Language language, std::function<void()> back, QWidget* parent = nullptr);
};

} // namespace wattlet
