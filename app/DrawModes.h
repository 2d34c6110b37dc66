#pragma once
// The document window's drawing modes 0 to 22: what a left-button drag on the
// view does, the cursor shown while the mouse hovers, and the geometry of the
// gestures as plain functions of device points.

#include "foundation/PointHelpers.h"

#include <cstdint>

class TCustomScaler;

enum TDrawMode : uint8_t {
    kModeSelect = 0,
    kModeLine = 1,
    kModeRectangle = 2,
    kModeEllipse = 3,
    kModeText = 4,
    kModePicture = 7,
    kModeRotatedText = 8,
    kModeDirOutline = 9,
    kModeZoom = 10,
    kModeFieldText = 11,
    kModeRichText = 12,
    kModeRoundText = 13,
    kModeAutoShape = 14,
    kModeWordart = 15,
    kModeBarcode = 16,
    kModeCharSymbol = 17,
    kModeTrackTable = 18,
    kModeClipart = 19,
    kModeTable = 20,
    kModeCounter = 21,
    kModeIndexPrint = 22,
};
inline constexpr uint8_t kLastDrawMode = kModeIndexPrint;

// The screen cursor of a mode while the mouse hovers (0, the default, for
// the select mode, which the design decides, and for unknown modes); the zoom
// mode shows the zoom-out cursor while Ctrl is held.
int32_t DrawModeCursor(uint8_t mode, bool ctrlHeld);
// Every mode but select and zoom draws a rubber band and creates a figure.
bool IsCreationMode(uint8_t mode);
// Whether the mode's tool works: select, zoom and the creation modes whose
// figures (and dialogs) exist. The main window disables the other tools.
bool DrawModeAvailable(uint8_t mode);

// A press at a and the mouse now at b: far enough for a drag? Select and
// line: 4 pixels in either direction; zoom: always; the other modes need 4
// pixels in both directions.
bool IsRealDrag(uint8_t mode, TPoint a, TPoint b);

// The corners of the rubber band drawn from the press point to the current
// one. Ctrl makes the box a square (a line when one distance is 0), Shift
// makes the press point its centre; both combine.
struct TRubberBand {
    TPoint start;
    TPoint end;
};
TRubberBand ConstrainDragRect(TPoint start, TPoint current, uint32_t shift);

// With Ctrl a move keeps only its larger direction: the point comes back on
// the horizontal or vertical through start.
TPoint LockDominantAxis(TPoint start, TPoint p);

// The point that moves rect by (result - start) instead of (p - start) so
// that one vertical and one horizontal edge of the moved rect lie on the
// grid: the edge nearer to its grid line, the left (top) one unless the
// right (bottom) one is more than a pixel nearer.
TPoint SnapMoveDelta(const TRect& rect, TPoint start, TPoint p, const TCustomScaler& scaler);

// The box the rubber shape is drawn into: the normalised rectangle of a and
// b, one pixel wider when left + right is odd and one higher when top +
// bottom is odd, so that its centre is a whole pixel.
TRect RubberShapeBox(TPoint a, TPoint b);

// The box a field name dropped on the view at p gets: 8 x 2 times
// Round(zoom x 15) pixels, centred on p.
TRect FieldDropBox(float zoom, TPoint p);
