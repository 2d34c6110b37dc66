#include "platform/net/HostLookup.h"

#include "platform/net/NameLookup.h"
#include "platform/net/SocketApi.h"
#include "platform/net/SocketErrors.h"

#include <QtCore/QObject>

#include <mutex>
#include <system_error>
#include <thread>

namespace net {

// What the look-up threads share with their owner: the object that receives
// their results on the owner's thread, gone once the owner is.
struct HostLookup::Shared {
    std::mutex mutex;
    std::unique_ptr<QObject> receiver = std::make_unique<QObject>();
};

HostLookup::HostLookup(Done done) : shared_(std::make_shared<Shared>()), done_(std::move(done)) {}

HostLookup::~HostLookup() {
    std::unique_ptr<QObject> receiver;
    {
        const std::lock_guard<std::mutex> lock(shared_->mutex);
        receiver = std::move(shared_->receiver);
    }
    // Deleting the receiver drops any result already posted to it.
}

int HostLookup::StartForward(const std::string& name) {
    return Start([name](std::vector<std::string>& results) {
        std::vector<uint32_t> addresses;
        const int error = LookupHostAddresses(name, addresses);
        for (const uint32_t address : addresses) results.push_back(DottedAddress(address));
        return error;
    });
}

int HostLookup::StartReverse(uint32_t address) {
    return Start([address](std::vector<std::string>& results) {
        std::string name;
        const int error = LookupHostName(address, name);
        if (error == 0) results.push_back(name);
        return error;
    });
}

void HostLookup::Cancel() { task_ = 0; }

int HostLookup::Start(std::function<int(std::vector<std::string>&)> work) {
    static int lastTask = 0;
    const int task = lastTask = lastTask == INT32_MAX ? 1 : lastTask + 1;
    auto deliver = [this, task](int error, const std::vector<std::string>& results) {
        if (task != task_) return;
        task_ = 0;
        done_(task, error, results);
    };
    try {
        std::thread([shared = shared_, work = std::move(work), deliver = std::move(deliver)] {
            std::vector<std::string> results;
            const int error = work(results);
            const std::lock_guard<std::mutex> lock(shared->mutex);
            if (!shared->receiver) return;
            QMetaObject::invokeMethod(
                shared->receiver.get(), [deliver, error, results] { deliver(error, results); }, Qt::QueuedConnection);
        }).detach();
    } catch (const std::system_error&) {
        SetLastSocketError(WSAENOBUFS);
        return 0;
    }
    task_ = task;
    return task;
}

}  // namespace net
