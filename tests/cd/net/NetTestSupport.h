#pragma once
// Waiting in the network tests: the event loop runs until the condition holds,
// with a generous limit so that a fault fails the test instead of hanging it.

#include "platform/net/EventWait.h"

#include <functional>

inline bool WaitFor(const std::function<bool()>& done, int limitMs = 10000) {
    return net::WaitForCondition(done, limitMs) == net::WaitEnd::Done;
}
