#pragma once
// Saved drawing tools of canvases, so that a painting routine can change a
// canvas's font, text colour, pen, brush and copy mode and put them back.
// A canvas has at most one saved state: the first Save wins until Restore.

#include "platform/gdi/Canvas.h"

#include <vector>

class TSaveCanvas {
public:
    // Keeps the canvas's tools unless a state of this canvas is kept already.
    void Save(const gdi::Canvas& canvas);
    // Puts the kept tools back and forgets them; nothing when none are kept.
    void Restore(gdi::Canvas& canvas);
    bool HasSaved(const gdi::Canvas& canvas) const;
    // Forgets a canvas's state without restoring it (the canvas is going away).
    void Forget(const gdi::Canvas& canvas);

private:
    struct Entry {
        const gdi::Canvas* canvas;
        gdi::LogFont font;
        gdi::Color textColor;
        gdi::Pen pen;
        gdi::Brush brush;
        uint32_t copyMode;
    };
    std::vector<Entry>::iterator Find(const gdi::Canvas& canvas);
    std::vector<Entry> entries_;
};

// The process-wide stack.
TSaveCanvas& SaveCanvasStack();
