#pragma once
// The desktop's keyboard repeat: how long a held key waits before it
// repeats, and how fast it repeats then. Controls that repeat on a held
// mouse button (scroll bar arrows) follow the same timing.

#include <cstdint>

namespace sys {

// The repeat delay as a setting from 0 (250 ms) to 3 (1 second), in steps of 250 ms.
int32_t KeyboardDelaySetting();
// The repeat speed as a setting from 0 (about 2.5 repeats a second) to 31
// (about 30 a second).
int32_t KeyboardSpeedSetting();

}  // namespace sys
