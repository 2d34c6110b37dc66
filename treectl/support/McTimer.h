#pragma once
// The timers of the tree control (click to edit, line hints, scrolling and
// expanding while dragging, the search time-out, the delayed focus
// notification). They come from one factory, which tests replace with
// timers they fire themselves.

#include "foundation/ViewTimer.h"

#include <functional>
#include <memory>

using TMcTimerFactory = std::function<std::unique_ptr<TViewTimer>()>;

// A timer of the event loop, or one of the installed factory.
std::unique_ptr<TViewTimer> NewMcTimer();
// Installs a factory; an empty one brings back the event loop's timers.
void SetMcTimerFactory(TMcTimerFactory factory);
