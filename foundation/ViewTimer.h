#pragma once
// A repeating timer as views and controls use it (the drawing surface's
// automatic scroll, the delayed change of the filter slider). They take it
// through this interface so that tests can drive the time themselves.

#include <QtCore/QTimer>

#include <functional>

class TViewTimer {
public:
    virtual ~TViewTimer() = default;
    virtual void Start(int milliseconds) = 0;
    virtual void Stop() = 0;
    virtual bool IsActive() const = 0;

    std::function<void()> OnTimeout;
};

// The timer of the event loop.
class TQtViewTimer : public TViewTimer {
public:
    TQtViewTimer() {
        QObject::connect(&timer_, &QTimer::timeout, [this] {
            if (OnTimeout) OnTimeout();
        });
    }
    void Start(int milliseconds) override { timer_.start(milliseconds); }
    void Stop() override { timer_.stop(); }
    bool IsActive() const override { return timer_.isActive(); }

private:
    QTimer timer_;
};
