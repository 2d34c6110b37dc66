#pragma once
// Time as the tests tell it: the timers it hands out (TViewTimer) fire when
// Advance passes their moment, never on their own. The clock must outlive
// its timers.

#include "foundation/ViewTimer.h"

#include <memory>
#include <vector>

class TestClock {
public:
    class Timer : public TViewTimer {
    public:
        explicit Timer(TestClock& clock) : clock_(clock) { clock_.timers_.push_back(this); }
        ~Timer() override { std::erase(clock_.timers_, this); }
        void Start(int milliseconds) override {
            interval_ = milliseconds;
            due_ = clock_.now_ + milliseconds;
            active_ = true;
        }
        void Stop() override { active_ = false; }
        bool IsActive() const override { return active_; }
        void Check() {
            if (!active_ || clock_.now_ < due_) return;
            due_ = clock_.now_ + interval_;
            if (OnTimeout) OnTimeout();
        }

    private:
        TestClock& clock_;
        int interval_ = 0;
        int due_ = 0;
        bool active_ = false;
    };

    std::unique_ptr<TViewTimer> NewTimer() { return std::make_unique<Timer>(*this); }
    void Advance(int milliseconds) {
        for (int i = 0; i < milliseconds; ++i) {
            ++now_;
            for (Timer* timer : std::vector<Timer*>(timers_)) timer->Check();
        }
    }

private:
    int now_ = 0;
    std::vector<Timer*> timers_;
};
