#include "treectl/support/McTimer.h"

namespace {

TMcTimerFactory& Factory() {
    static TMcTimerFactory factory;
    return factory;
}

}  // namespace

std::unique_ptr<TViewTimer> NewMcTimer() {
    if (Factory()) return Factory()();
    return std::make_unique<TQtViewTimer>();
}

void SetMcTimerFactory(TMcTimerFactory factory) { Factory() = std::move(factory); }
