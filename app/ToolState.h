#pragma once
// The tool buttons of the main window and the drawing modes they select.

#include <cstdint>
#include <optional>
#include <span>

// The drawing mode that the tool button with this tag selects; none for tags
// that select nothing (13) and for unknown tags.
std::optional<uint8_t> DrawModeForTag(int tag);

// The refresh presses these buttons, in this order, when the active
// document's drawing mode equals the mode (the buttons form one group, so the
// last match wins).
struct TToolDownRule {
    const char* button;
    uint8_t mode;
    bool onlyWhenVisible;
};
std::span<const TToolDownRule> ToolDownRules();
