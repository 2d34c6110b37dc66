#pragma once
// The sizes of the desktop's standard window parts (scroll bars, borders,
// edges) in pixels, as controls drawn by the program itself use them.

#include <cstdint>

namespace sys {

enum SystemMetric : int32_t {
    SM_CXVSCROLL = 2,   // width of a vertical scroll bar
    SM_CYHSCROLL = 3,   // height of a horizontal scroll bar
    SM_CXBORDER = 5,
    SM_CYBORDER = 6,
    SM_CYVTHUMB = 9,    // height of a vertical scroll bar's thumb
    SM_CXHTHUMB = 10,   // width of a horizontal scroll bar's thumb
    SM_CYVSCROLL = 20,  // height of a vertical scroll bar's arrow
    SM_CXHSCROLL = 21,  // width of a horizontal scroll bar's arrow
    SM_CXEDGE = 45,     // width of a three-dimensional edge
    SM_CYEDGE = 46,
};

// The size named; 0 for a metric not listed above.
int32_t GetSystemMetrics(int32_t metric);

}  // namespace sys
