#include "treectl/support/McTools.h"

#include "foundation/Exceptions.h"
#include "foundation/Stream.h"
#include "foundation/StreamHelp.h"

#include <QtCore/QAbstractEventDispatcher>
#include <QtCore/QCoreApplication>

void CenterBox(int32_t innerWidth, int32_t outerWidth, int32_t innerHeight, gdi::Rect& r, int32_t outerHeight) {
    r.left = Max(outerWidth / 2 - innerWidth / 2, 0);
    r.right = Min(r.left + innerWidth - 1, r.left + outerWidth - 1);
    r.top = Max(outerHeight / 2 - innerHeight / 2, 0);
    r.bottom = Min(r.top + innerHeight - 1, r.top + outerHeight - 1);
}

bool WriteStringToStream(TStream& stream, const std::string& s) {
    try {
        StreamWriteInt(stream, static_cast<int32_t>(s.size()));
        if (!s.empty()) stream.WriteBuffer(s.data(), static_cast<int64_t>(s.size()));
        return true;
    } catch (const std::exception&) {
        return false;
    }
}

bool ReadStringFromStream(TStream& stream, std::string& s) {
    try {
        const int32_t length = StreamReadInt(stream);
        if (length < 0) throw EReadError("Invalid string header read from the stream");
        if (length == 0) {
            s.clear();
            return true;
        }
        stream.RequireAvailable(length);
        std::string text(static_cast<size_t>(length), '\0');
        stream.ReadBuffer(text.data(), length);
        s = std::move(text);
        return true;
    } catch (const std::exception&) {
        return false;
    }
}

bool PumpOneMessage() {
    QAbstractEventDispatcher* dispatcher = QAbstractEventDispatcher::instance();
    if (!dispatcher) return false;
    // A quit request is never taken here: it stays with the event loop that
    // runs the program (or the nested loop it was meant for).
    return dispatcher->processEvents(QEventLoop::AllEvents);
}

void PumpAllMessages() {
    while (PumpOneMessage()) {
    }
}

TMcMessagePump& MessagePump() {
    static TMcMessagePump pump;
    return pump;
}

TMcOsFlags DetectOsVersion(int32_t platformId, int32_t major, int32_t minor, int32_t build) {
    TMcOsFlags f;
    f.IsWin9x = platformId == kPlatformWin9x;
    f.IsWin9xBuildAbove999 = f.IsWin9x && build > 999;
    f.IsWin98Up = f.IsWin9x && minor != 0;
    f.IsWinMe = f.IsWin9x && minor > 89;
    f.IsWinNT = platformId == kPlatformWinNT;
    f.IsWinNT5Up = f.IsWinNT && major > 4;
    return f;
}

const TMcOsFlags& OsFlags() {
    static const TMcOsFlags flags = DetectOsVersion(kPlatformWinNT, 5, 1, 2600);
    return flags;
}
