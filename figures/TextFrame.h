#pragma once
// The frame of a rich-text box in device units of a scaler: a rectangle
// (frame kind 0), a rectangle with its corners cut off (1) or with
// quarter-ellipse corners (2), the corner size at most half the box's width
// and half its height, turned by the angle about the box's centre. The
// outline is closed (the last point repeats the first); any other frame kind
// gives no points. The rich-text figures and the document preview draw it.

#include "foundation/PointHelpers.h"

#include <cstdint>
#include <vector>

class TCustomScaler;

std::vector<TPoint> TextFrameOutline(const TCustomScaler& scaler, double centerX, double centerY, double width,
                                     double height, double angle, uint8_t frameKind, float cornerSize);
