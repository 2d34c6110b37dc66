#pragma once
// CD ring labels: sheets whose one label carries two or three CD rings. The
// design places, moves and copies its selection between the rings; each ring
// is known by the centre of its disc in millimetres on the label. Rings are
// numbered 1 (top, "Ring oben"), 2 (middle, "Ring mitte") and 3 (bottom,
// "Ring unten"); sheets with two rings use 1 and 3.

#include "foundation/Scaler.h"

#include <cstdint>
#include <optional>

class TEtikett;

inline constexpr int32_t kRingTop = 1;
inline constexpr int32_t kRingMiddle = 2;
inline constexpr int32_t kRingBottom = 3;

// The centre of a ring (1 to 3) of the sheet's article; none when the article
// has no such ring.
std::optional<TFloatPoint> RingCenter(const TEtikett& sheet, int32_t ring);
// 0 for articles without rings, else 2 or 3.
int32_t RingCount(const TEtikett& sheet);
// True for the article whose label is centred as a whole ("Zentrieren").
bool OffersLabelCentering(const TEtikett& sheet);
// The label's width and height as the view shows them (exchanged in landscape).
TFloatPoint DisplayedLabelSize(const TEtikett& sheet);
// The middle of the label as the view shows it.
TFloatPoint LabelCenter(const TEtikett& sheet);
