#pragma once
// The print options kept per printer in the settings, section "Druckoption\"
// + the printer's settings name: "UseBMPScanlines" (gradient and pattern
// fills sent in bands) and "Druckstil" (how disc labels are printed).

#include <cstdint>

inline constexpr int32_t kPrintStyleInkjet = 0;
inline constexpr int32_t kPrintStyleBitmap = 1;
inline constexpr int32_t kPrintStyleNotAsked = 2;

// Of the current printer.
bool ReadUseScanlines();
void WriteUseScanlines(bool use);
// kPrintStyleNotAsked when none is stored (or the stored one is no style).
int32_t ReadPrintStyle();
void WritePrintStyle(int32_t style);
