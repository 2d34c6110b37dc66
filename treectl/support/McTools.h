#pragma once
// Small helpers of the tree control: integer helpers, a box centred in
// another, length-prefixed strings in streams, the message pump and the
// operating-system flags the drawing code asks.

#include "platform/gdi/GdiTypes.h"

#include <cstdint>
#include <string>

class TStream;

inline int32_t Max(int32_t a, int32_t b) { return a > b ? a : b; }
inline int32_t Min(int32_t a, int32_t b) { return a < b ? a : b; }
inline bool InRange(int32_t low, int32_t high, int32_t value) { return low <= value && value <= high; }

// Sets a flag for a scope and clears it at the scope's end, also when an
// exception passes.
class TMcFlagScope {
public:
    explicit TMcFlagScope(bool& flag) : flag_(flag) { flag_ = true; }
    ~TMcFlagScope() { flag_ = false; }
    TMcFlagScope(const TMcFlagScope&) = delete;
    TMcFlagScope& operator=(const TMcFlagScope&) = delete;

private:
    bool& flag_;
};

// Centres a box of the inner size in one of the outer size: r.left and
// r.top become the offsets (never negative), r.right and r.bottom the last
// column and row inside both (inclusive, not one past).
void CenterBox(int32_t innerWidth, int32_t outerWidth, int32_t innerHeight, gdi::Rect& r, int32_t outerHeight);

// A signed 32-bit length, then the bytes. Both report a failure by their
// result and never raise. A length below 0 or beyond the bytes that remain
// fails the read before anything is allocated; s then keeps its value.
bool WriteStringToStream(TStream& stream, const std::string& s);
bool ReadStringFromStream(TStream& stream, std::string& s);

// Dispatches what is pending for the calling thread once; false when there
// was nothing. A request to quit stays pending for the loop that runs the
// program.
bool PumpOneMessage();
// PumpOneMessage until nothing is pending.
void PumpAllMessages();

// The message processing of the tree control's units, created at start-up.
class TMcMessagePump {
public:
    void ProcessMessages() { PumpAllMessages(); }
};
TMcMessagePump& MessagePump();

// Which family and version of the classic desktop system the drawing code
// follows (platform 1: the 9x family, 2: the NT family).
struct TMcOsFlags {
    bool IsWin9x = false;
    bool IsWin9xBuildAbove999 = false;
    bool IsWin98Up = false;
    bool IsWinMe = false;
    bool IsWinNT = false;
    bool IsWinNT5Up = false;
};
constexpr int32_t kPlatformWin9x = 1;
constexpr int32_t kPlatformWinNT = 2;
TMcOsFlags DetectOsVersion(int32_t platformId, int32_t major, int32_t minor, int32_t build);
// This program draws as the NT family from version 5 on does.
const TMcOsFlags& OsFlags();
