#pragma once
// What figures need of the design they belong to. The design model derives
// from this; tests use small fakes.

#include <QtCore/QString>

class TDesignBase {
public:
    virtual ~TDesignBase() = default;
    // Records an undo step with a snapshot of every selected figure, under
    // the caption (the text of the Undo menu entry). A figure calls it when
    // a handle drag starts.
    virtual void BeginPropertyUndo(const char* captionKey) = 0;
};
