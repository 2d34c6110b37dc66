#pragma once
// What the layout asks of the window it lays a text out for: the caret, the
// scroll extents, repainting, the posted change notification and the size of
// an edit box. Every operation has a harmless default, so a text lays out
// without any window (tests, printing); the editor control implements it.

#include <cstdint>

class TRtLayoutHost {
public:
    virtual ~TRtLayoutHost() = default;
    // Hides the caret; whether it was shown.
    virtual bool HideCaret() { return false; }
    virtual void ShowCaret() {}
    virtual void CaretPositionChanged() {}
    virtual void HorzExtentChanged() {}
    // True when the visible width changed (a scroll bar appeared or went).
    virtual bool VertExtentChanged() { return false; }
    virtual void Invalidate() {}
    // Kinds collect until the window handles them: 1 layout, 4 selection, 8 horizontal view.
    virtual void PostChangeNotification(int32_t kind) {}
    virtual int32_t ClientWidth() const { return 0; }
    virtual int32_t ClientHeight() const { return 0; }
    // Resizes an edit box (screen pixels); false when the window cannot be resized.
    virtual bool ResizeBox(int32_t width, int32_t height) { return false; }
    virtual bool IsDesigning() const { return false; }
};
