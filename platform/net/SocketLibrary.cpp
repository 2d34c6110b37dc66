#include "platform/net/SocketLibrary.h"

#include <atomic>

namespace net {

namespace {
std::atomic<bool> started = false;
std::atomic<int> starts = 0;
}  // namespace

void EnsureSocketLibrary() {
    if (!started.exchange(true)) ++starts;
}

void UnloadWinsock() { started = false; }

bool SocketLibraryStarted() { return started; }

int SocketLibraryStarts() { return starts; }

}  // namespace net
