#pragma once
// The walk of a job over the label positions of its sheets: the sheet number
// (from 1) and the position on it (0 before the first label). On the first
// sheet the walk skips the labels the mask marks as missing; a first sheet
// without a free label is passed over without printing on it.

#include <cstdint>
#include <string>

class TLabelWalk {
public:
    enum class Step {
        SamePage,  // the next label lies on the page being printed
        NewPage,   // a new sheet begins: the finished page goes to the printer first
        Beyond,    // the next label would lie beyond the last sheet; nothing moved
    };

    TLabelWalk() = default;
    TLabelWalk(std::string mask, int32_t positions);

    // To the next label; lastSheet 0 sets no limit.
    Step Advance(int32_t lastSheet = 0);

    int32_t Sheet() const { return sheet_; }
    int32_t Position() const { return position_; }

private:
    std::string mask_;
    int32_t positions_ = 1;
    int32_t sheet_ = 1;
    int32_t position_ = 0;
    int32_t placed_ = 0;
};
