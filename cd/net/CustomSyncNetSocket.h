#pragma once
// The socket that can wait: RunAndWait starts something and then handles the
// thread's events until a flag that an event handler sets becomes true, the
// time limit passes or the program quits. The wait sleeps in a local event
// loop between events.

#include "cd/net/CustomLineNetSocket.h"

class TCustomSyncNetSocket : public TCustomLineNetSocket {
public:
    // What WaitForFlag answers when the flag never came.
    static constexpr int kWaitFailed = 12001;

    // Clears the flag, runs the work (when given) and waits for the flag.
    virtual int RunAndWait(bool& flag, const std::function<void()>& work);
    // 0 once the flag is true; 12001 at the time limit or when the program quits.
    virtual int WaitForFlag(const bool& flag);

    // Milliseconds; 0 waits without a limit.
    int32_t TimeLimit() const { return timeLimit_; }
    void SetTimeLimit(int32_t milliseconds) { timeLimit_ = milliseconds; }

private:
    int32_t timeLimit_ = 0;
};
