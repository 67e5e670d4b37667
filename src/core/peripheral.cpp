#include "peripheral.h"

namespace wattlet {

bool Peripheral::low(const WarningLevels& levels) const
{
    if (percent)
        return *percent <= levels.deviceLowPercent;
    return level == Level::low || level == Level::critical;
}

std::string_view Peripheral::symbol() const
{
    switch (kind) {
    case Kind::mouse:
        return "computermouse.fill";
    case Kind::keyboard:
        return "keyboard.fill";
    case Kind::headset:
    case Kind::headphones:
        return "headphones";
    case Kind::gamingInput:
        return "gamecontroller.fill";
    case Kind::touchpad:
        return "touchpad.fill";
    case Kind::tablet:
    case Kind::pen:
        return "pencil.tip";
    case Kind::phone:
        return "iphone";
    case Kind::mediaPlayer:
        return "music.note";
    case Kind::other:
        break;
    }
    return "battery.75percent";
}

std::string_view rawValue(Peripheral::Kind kind)
{
    using K = Peripheral::Kind;
    switch (kind) {
    case K::mouse:
        return "mouse";
    case K::keyboard:
        return "keyboard";
    case K::headset:
        return "headset";
    case K::headphones:
        return "headphones";
    case K::gamingInput:
        return "gamingInput";
    case K::touchpad:
        return "touchpad";
    case K::tablet:
        return "tablet";
    case K::pen:
        return "pen";
    case K::phone:
        return "phone";
    case K::mediaPlayer:
        return "mediaPlayer";
    case K::other:
        break;
    }
    return "other";
}

std::string_view rawValue(Peripheral::Level level)
{
    using L = Peripheral::Level;
    switch (level) {
    case L::critical:
        return "critical";
    case L::low:
        return "low";
    case L::normal:
        return "normal";
    case L::high:
        return "high";
    case L::full:
        break;
    }
    return "full";
}

} // namespace wattlet
