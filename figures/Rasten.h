#pragma once
// Snapping: the process-wide grid step in millimetres and angle step in
// degrees. Sizes and mouse points are rounded to the grid; one grid step
// serves both axes. Rounding is to the nearest multiple, ties to even.

#include "foundation/PointHelpers.h"

class TCustomScaler;

extern double RasterWeite;   // grid step in mm; 5.0 at start
extern double RasterWinkel;  // angle step in degrees; 5.0 at start

// Whether a step can be taken: finite and not negative.
bool IsValidStep(double step);
double GetGridX();
// 0 stands for 0.1. A step that is not valid is refused: the grid stays.
void SetGridX(double step);
double GetAngleStep();
// 0 stands for 0.2. A step that is not valid is refused: the step stays.
void SetAngleStep(double step);

double SnapX(double v);
double SnapY(double v);

// Device points snapped to the grid through the scaler; a point that does
// not convert comes back unchanged.
int32_t SnapPixelX(int32_t x, const TCustomScaler& scaler);
int32_t SnapPixelY(int32_t y, const TCustomScaler& scaler);
TPoint SnapPixelPoint(TPoint p, const TCustomScaler& scaler);
