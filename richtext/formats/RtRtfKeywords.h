#pragma once
// The control words the RTF reader knows: for each its kind, the number of
// the action that carries it out and its default value. A word that is not
// in the table is read and ignored (or, after "\*", skips its group).

#include <cstdint>
#include <string_view>

enum class TRtfWordKind : uint8_t {
    Character = 1,    // the action is a character code
    Destination = 2,  // the action starts a destination
    Property = 3,     // the action changes the reader's state
    Special = 4,      // "\'" and "\*"
};

struct TRtfKeyword {
    std::string_view name;
    int32_t defaultValue;
    bool fixed;  // the value in the text is ignored
    TRtfWordKind kind;
    int32_t action;
};

// The first entry of that name (compared with regard to case), or null.
const TRtfKeyword* FindRtfKeyword(std::string_view name);
// The value an action gets: the default when the entry's value is fixed (or,
// for properties, when the word has none), else the word's own.
int32_t RtfKeywordValue(const TRtfKeyword& keyword, int32_t value, bool hasValue);
