#include "cd/net/CustomSyncNetSocket.h"

#include "platform/net/EventWait.h"

int TCustomSyncNetSocket::RunAndWait(bool& flag, const std::function<void()>& work) {
    flag = false;
    if (work) work();
    return WaitForFlag(flag);
}

int TCustomSyncNetSocket::WaitForFlag(const bool& flag) {
    return net::WaitForCondition([&flag] { return flag; }, timeLimit_) == net::WaitEnd::Done ? 0 : kWaitFailed;
}
