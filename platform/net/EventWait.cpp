#include "platform/net/EventWait.h"

#include <QtCore/QAbstractEventDispatcher>
#include <QtCore/QCoreApplication>
#include <QtCore/QEventLoop>
#include <QtCore/QTimer>

namespace net {

WaitEnd WaitForCondition(const std::function<bool()>& done, int timeLimitMs) {
    if (done()) return WaitEnd::Done;
    if (QCoreApplication::closingDown()) return WaitEnd::Quit;
    QEventLoop loop;
    bool timedOut = false;
    QTimer limit;
    limit.setSingleShot(true);
    QObject::connect(&limit, &QTimer::timeout, &loop, [&] {
        timedOut = true;
        loop.quit();
    });
    if (timeLimitMs > 0) limit.start(timeLimitMs);
    // The dispatcher is about to sleep each time it has handled what came in.
    const QMetaObject::Connection check =
        QObject::connect(QAbstractEventDispatcher::instance(), &QAbstractEventDispatcher::aboutToBlock, &loop, [&] {
            if (done()) loop.quit();
        });
    // A loop that ends by itself was ended by the program's quit (exec returns
    // at once once the program quits).
    loop.exec();
    QObject::disconnect(check);
    if (done()) return WaitEnd::Done;
    return timedOut ? WaitEnd::TimedOut : WaitEnd::Quit;
}

void PumpEvents() { QCoreApplication::processEvents(); }

}  // namespace net
