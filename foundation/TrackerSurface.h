#pragma once
// What a selection tracker needs of the view it works on: its scale canvas,
// repainting, the inverting feedback, cursors, the mouse capture and the drag
// loop with its events and the keys and buttons held. The view of the
// document window implements it; trackers draw and drag through it.

#include "foundation/PointHelpers.h"

#include <cstdint>
#include <functional>
#include <span>

class TScaleCanvas;

// The shift state: keys and mouse buttons.
inline constexpr uint32_t kShiftKey = 1;
inline constexpr uint32_t kAltKey = 2;
inline constexpr uint32_t kCtrlKey = 4;
inline constexpr uint32_t kLeftButton = 8;
inline constexpr uint32_t kRightButton = 16;
inline constexpr uint32_t kMiddleButton = 32;
inline constexpr uint32_t kModifierKeys = kShiftKey | kAltKey | kCtrlKey;

struct TDragEvent {
    enum class Kind {
        Move,         // the mouse moved to point
        ButtonUp,     // the left button was released at point
        KeyState,     // a key went down or up; shift holds the keys now held
        Cancel,       // the drag is to end where it is (the window was deactivated)
        CaptureLost,  // another window took the mouse
        Abandon,      // the user wants the drag undone (Escape)
    };
    Kind kind = Kind::Move;
    TPoint point;
    uint32_t shift = 0;
};

// What a tracker needs of the view it works on.
class TTrackerSurface {
public:
    virtual ~TTrackerSurface() = default;
    virtual TScaleCanvas& GetScaleCanvas() = 0;
    // Repaints the device rectangle later (figures and handles).
    virtual void InvalidateRect(const TRect& r) = 0;
    // Shows the off-screen pixels of the rectangle as they are now, without
    // repainting them (the inverting feedback lives only there).
    virtual void ShowFeedback(const TRect& r) = 0;
    virtual int32_t GetCursor() const = 0;
    virtual void SetCursor(int32_t id) = 0;
    virtual void ReleaseMouseCapture() = 0;
    // Keys and buttons held now.
    virtual uint32_t KeyboardShiftState() const = 0;
    // Pixels; the rotation steps depend on it.
    virtual int32_t ScreenWidth() const = 0;
    // Delivers drag events to handler until it returns true. Must deliver
    // CaptureLost rather than return while the handler still wants events.
    // An exception of the handler ends the loop and leaves it to the caller.
    virtual void RunDragLoop(const std::function<bool(const TDragEvent&)>& handler) = 0;
    // The tracker cursors (200-205, 210-214) are about to be used.
    virtual void LoadCursors(std::span<const int32_t> ids) {}
};
