#pragma once
// The text of the tool bar's font size box as a size in points, for the
// size command and for new text figures alike: a whole number, brought into
// the sizes a label text can draw; any other text gives kFallbackFontSize.

#include <QtCore/QString>

#include <algorithm>
#include <cstdint>

inline constexpr int32_t kFallbackFontSize = 8;
inline constexpr int32_t kMinFontSize = 1;
inline constexpr int32_t kMaxFontSize = 1638;

inline int32_t FontSizeFromText(const QString& text) {
    bool ok = false;
    const int size = text.trimmed().toInt(&ok);
    if (!ok) return kFallbackFontSize;
    return std::clamp(size, kMinFontSize, kMaxFontSize);
}
