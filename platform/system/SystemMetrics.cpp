#include "platform/system/SystemMetrics.h"

namespace sys {

// The classic desktop's sizes at 96 pixels per inch; controls are laid out
// in logical pixels, so they hold at every screen scaling.
int32_t GetSystemMetrics(int32_t metric) {
    switch (metric) {
    case SM_CXVSCROLL: case SM_CYHSCROLL: case SM_CYVTHUMB: case SM_CXHTHUMB: case SM_CYVSCROLL:
    case SM_CXHSCROLL:
        return 17;
    case SM_CXBORDER: case SM_CYBORDER: return 1;
    case SM_CXEDGE: case SM_CYEDGE: return 2;
    default: return 0;
    }
}

}  // namespace sys
