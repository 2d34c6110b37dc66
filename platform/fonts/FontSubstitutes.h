#pragma once
// Font names that documents use and this system lacks are mapped by
// fontconfig to faces that stand in for them. The metric-compatible
// Liberation faces take "Arial", "Times New Roman" and "Courier New" through
// fontconfig's own rules; the symbol face "WingDings" goes to the URW
// dingbats face "D050000L", whose byte codes give the same shapes for the
// bullets the engine uses ('l' a filled circle, 'n' a filled square, ...).

namespace fonts {

// Adds the program's aliases to fontconfig once per process; every text
// engine calls it before it resolves its first face.
void InstallFontSubstitutes();

// The face that stands in for "WingDings".
inline constexpr const char* kWingDingsSubstitute = "D050000L";

}  // namespace fonts
