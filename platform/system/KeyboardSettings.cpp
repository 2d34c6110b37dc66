#include "platform/system/KeyboardSettings.h"

#include <QtGui/QGuiApplication>
#include <QtGui/QStyleHints>

#include <algorithm>

namespace sys {

// The desktop does not tell its delay; the usual half second.
int32_t KeyboardDelaySetting() { return 1; }

// The speed setting s repeats about every 1000 / (s + 1) ms; the desktop
// gives its rate in repeats a second.
int32_t KeyboardSpeedSetting() {
    const int rate = qGuiApp ? QGuiApplication::styleHints()->keyboardAutoRepeatRate() : 30;
    return std::clamp(rate - 1, 0, 31);
}

}  // namespace sys
