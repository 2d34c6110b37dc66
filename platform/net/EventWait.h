#pragma once
// Waiting for something that the event loop brings about: the calling
// thread's events (network, timers, the user's input) go on being handled in
// a local event loop, which sleeps until there is something to do; it checks
// the condition each time it has handled what came in. Never a busy loop.

#include <functional>

namespace net {

enum class WaitEnd {
    Done,      // the condition holds
    TimedOut,  // the time limit passed first
    Quit,      // the program is quitting (its event loops were told to end)
};

// A time limit of 0 or less waits without one.
WaitEnd WaitForCondition(const std::function<bool()>& done, int timeLimitMs);

// Handles the events that are waiting, once, without sleeping.
void PumpEvents();

}  // namespace net
