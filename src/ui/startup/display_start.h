#pragma once

#include "platform/window_system.h"

namespace wattlet {

// The start-up asks the window system where to show itself.
using WindowSystem::chooseDisplay;
using WindowSystem::DisplayChoice;

/// Brackets QApplication's construction: starts Qt on the chosen platform without passing it on
/// to the programs this one launches, and turns Qt's fatal "cannot open the display" into one
/// line on stderr and exit status 1 instead of an abort. The platform's warnings said while
/// trying are held back and shown once the display is open.
class DisplayStartGuard
{
public:
    explicit DisplayStartGuard(const DisplayChoice& choice);
    ~DisplayStartGuard();
    DisplayStartGuard(const DisplayStartGuard&) = delete;
    DisplayStartGuard& operator=(const DisplayStartGuard&) = delete;

    /// The display is open: restores the environment and Qt's message output.
    void finish();

private:
    bool m_active = true;
    bool m_platformSet = false;
};

} // namespace wattlet
