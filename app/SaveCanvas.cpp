#include "app/SaveCanvas.h"

#include <algorithm>

std::vector<TSaveCanvas::Entry>::iterator TSaveCanvas::Find(const gdi::Canvas& canvas) {
    // From the top of the stack.
    const auto found = std::find_if(entries_.rbegin(), entries_.rend(), [&](const Entry& e) { return e.canvas == &canvas; });
    return found == entries_.rend() ? entries_.end() : std::prev(found.base());
}

bool TSaveCanvas::HasSaved(const gdi::Canvas& canvas) const {
    return std::any_of(entries_.begin(), entries_.end(), [&](const Entry& e) { return e.canvas == &canvas; });
}

void TSaveCanvas::Save(const gdi::Canvas& canvas) {
    if (HasSaved(canvas)) return;
    entries_.push_back({&canvas, canvas.font(), canvas.TextColor(), canvas.pen(), canvas.brush(), canvas.CopyMode()});
}

void TSaveCanvas::Restore(gdi::Canvas& canvas) {
    const auto entry = Find(canvas);
    if (entry == entries_.end()) return;
    canvas.SetFont(entry->font);
    canvas.SetTextColor(entry->textColor);
    canvas.SetPen(entry->pen);
    canvas.SetBrush(entry->brush);
    canvas.SetCopyMode(entry->copyMode);
    entries_.erase(entry);
}

void TSaveCanvas::Forget(const gdi::Canvas& canvas) {
    const auto entry = Find(canvas);
    if (entry != entries_.end()) entries_.erase(entry);
}

TSaveCanvas& SaveCanvasStack() {
    static TSaveCanvas stack;
    return stack;
}
