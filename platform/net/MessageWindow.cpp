#include "platform/net/MessageWindow.h"

#include <QtCore/QCoreApplication>
#include <QtCore/QEvent>
#include <QtCore/QObject>

namespace net {

namespace {

const QEvent::Type kMessageEvent = static_cast<QEvent::Type>(QEvent::registerEventType());

class MessageEvent : public QEvent {
public:
    MessageEvent(uint32_t message, intptr_t wParam, intptr_t lParam)
        : QEvent(kMessageEvent), message(message), wParam(wParam), lParam(lParam) {}
    const uint32_t message;
    const intptr_t wParam;
    const intptr_t lParam;
};

}  // namespace

class MessageWindow::Receiver : public QObject {
public:
    explicit Receiver(Procedure procedure) : procedure_(std::move(procedure)) {}

    bool event(QEvent* event) override {
        if (event->type() != kMessageEvent) return QObject::event(event);
        const auto* message = static_cast<const MessageEvent*>(event);
        procedure_(message->message, message->wParam, message->lParam);
        return true;
    }

private:
    Procedure procedure_;
};

MessageWindow::MessageWindow(Procedure procedure) : receiver_(std::make_unique<Receiver>(std::move(procedure))) {}

MessageWindow::~MessageWindow() = default;

void MessageWindow::Post(uint32_t message, intptr_t wParam, intptr_t lParam) {
    QCoreApplication::postEvent(receiver_.get(), new MessageEvent(message, wParam, lParam));
}

}  // namespace net
