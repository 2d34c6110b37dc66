#pragma once
// What the main window asks of a document window. A document window is a
// QWidget that also derives from TMasterChild; the main window holds it in
// its multi-document area.

#include <cstdint>

class TMasterChild {
public:
    virtual ~TMasterChild() = default;

    // The drawing mode of the document (0 select .. 22), set by the tools.
    virtual uint8_t DrawMode() const = 0;
    virtual void SetDrawMode(uint8_t mode) = 0;
    // Enables, disables and presses the main window's tool-bar buttons and
    // menu items from the document's current design and the clipboard.
    virtual void UpdateFrameControls() = 0;
    // Whether the window may close; asks to save unsaved changes.
    virtual bool CloseQuery() = 0;
    // Repaints the drawing surface (after the main window was moved or
    // sized, during which documents draw outlines only).
    virtual void InvalidateDrawing() = 0;
    // The window became the active document.
    virtual void Activated() {}
};
