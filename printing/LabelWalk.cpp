#include "printing/LabelWalk.h"

#include "printing/LabelPlacement.h"

#include <algorithm>
#include <utility>

TLabelWalk::TLabelWalk(std::string mask, int32_t positions) : mask_(std::move(mask)), positions_(std::max(positions, 1)) {}

TLabelWalk::Step TLabelWalk::Advance(int32_t lastSheet) {
    const TNextLabel next = NextLabelPosition(mask_, positions_, position_, sheet_ == 1);
    Step step = Step::SamePage;
    if (next.Position == 1 && (placed_ > 0 || next.FirstSheetUsedUp)) {
        if (lastSheet > 0 && sheet_ >= lastSheet) return Step::Beyond;
        ++sheet_;
        if (placed_ > 0) step = Step::NewPage;
    }
    position_ = next.Position;
    ++placed_;
    return step;
}
