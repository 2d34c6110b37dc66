#pragma once
// TCaret: the caret of an editor window. The window paints its own blinking
// caret; TCaret keeps its place and size from the text's cursor and tells
// the window (through TCaretWindow) when to create, show, move or destroy it.

#include <cstdint>

class TRtRTFTextIo;

// What the caret asks of its window.
class TCaretWindow {
public:
    virtual ~TCaretWindow() = default;
    virtual bool WindowExists() const = 0;
    virtual bool HasFocus() const = 0;
    virtual void CreateCaret(int32_t width, int32_t height) = 0;
    virtual void DestroyCaret() = 0;
    virtual void ShowCaret() = 0;
    virtual void MoveCaret(int32_t x, int32_t y) = 0;
};

class TCaret {
public:
    TCaret(TCaretWindow& window, TRtRTFTextIo& text) : window_(window), text_(text) {}

    bool IsShown() const { return shown_; }
    bool IsCreated() const { return created_; }
    void SetEnabled(bool on);
    void SetSuspended(bool on);
    void SetShown(bool on);
    // Takes place and size from the text's cursor metrics, scaled by the zoom.
    void UpdatePosition();
    void ApplyPosition();
    void CreateCaret();

    int32_t X = 0;
    int32_t Y = 0;
    int32_t Width = 3;
    int32_t Height = 16;

private:
    TCaretWindow& window_;
    TRtRTFTextIo& text_;
    bool shown_ = false;
    bool created_ = false;
    bool enabled_ = false;
    bool suspended_ = false;
};
