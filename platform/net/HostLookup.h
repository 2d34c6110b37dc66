#pragma once
// Host look-ups that never block their caller: each runs on a thread of its
// own and reports on the thread that started it, from its event loop. One
// look-up at a time per object; a new start or Cancel forgets the running one
// (its thread ends on its own, its result is dropped), and so does the
// object's end.

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

namespace net {

class HostLookup {
public:
    // The task the result belongs to, 0 or a lookup code, and the dotted
    // addresses (forward) or the one name (reverse).
    using Done = std::function<void(int task, int error, const std::vector<std::string>& results)>;

    explicit HostLookup(Done done);
    ~HostLookup();
    HostLookup(const HostLookup&) = delete;
    HostLookup& operator=(const HostLookup&) = delete;

    // Each returns the task's number (never 0), or 0 when no task could start
    // (the code is in LastSocketError()).
    int StartForward(const std::string& name);
    int StartReverse(uint32_t address);
    void Cancel();
    // The running task's number; 0 when none runs.
    int Task() const { return task_; }

private:
    struct Shared;
    int Start(std::function<int(std::vector<std::string>&)> work);

    std::shared_ptr<Shared> shared_;
    Done done_;
    int task_ = 0;
};

}  // namespace net
