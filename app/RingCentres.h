#pragma once
// The centres of the CD rings on the labels of CD sheets, by the sheet's
// guide-outline shape key: the "Zentrieren auf" commands of the document
// window put the selection's centre there. Rings are numbered 1 (top,
// "Ring oben"), 2 (middle, "Ring mitte") and 3 (bottom, "Ring unten");
// sheets with two rings have no middle one. The discs of "QN-2049" lie
// mirrored when the sheet is shown turned.

#include "foundation/Scaler.h"

#include <optional>

class TEtikett;

// The centre of the ring in mm on the label; none for a sheet without that ring.
std::optional<TFloatPoint> RingCentreOf(const TEtikett& sheet, int ring);
