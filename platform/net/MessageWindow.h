#pragma once
// Messages that an object posts to itself: each is handled later, from the
// event loop of the thread that made the window, in the order posted, never
// inside the call that posted it. Messages not yet handled when the window
// goes are dropped.

#include <cstdint>
#include <functional>
#include <memory>

namespace net {

inline constexpr uint32_t WM_USER = 0x400;

class MessageWindow {
public:
    using Procedure = std::function<void(uint32_t message, intptr_t wParam, intptr_t lParam)>;

    explicit MessageWindow(Procedure procedure);
    ~MessageWindow();
    MessageWindow(const MessageWindow&) = delete;
    MessageWindow& operator=(const MessageWindow&) = delete;

    void Post(uint32_t message, intptr_t wParam = 0, intptr_t lParam = 0);

private:
    class Receiver;
    std::unique_ptr<Receiver> receiver_;
};

}  // namespace net
