#pragma once
// Helpers of the figure tests: records written to and read from memory.

#include "document/EtikettFiler.h"
#include "figures/Figure.h"
#include "figures/FigureFactory.h"
#include "foundation/Stream.h"

#include <cstring>
#include <memory>
#include <vector>

// Centre, size and angle through the setters.
inline void SetGeometry(TFigure& f, double cx, double cy, double w, double h, double angle = 0) {
    f.SetCenterX(cx);
    f.SetCenterY(cy);
    f.SetWidth(w);
    f.SetHeight(h);
    f.SetAngle(angle);
}

// The element record of the figure (code byte, then its record).
inline std::vector<uint8_t> ElementBytes(TFigure& figure) {
    TMemoryStream stream;
    TEtikettFiler filer;
    filer.Stream = &stream;
    figure.SaveToFiler(filer);
    return stream.Bytes();
}

// Reads one element; the figure, or none.
inline std::unique_ptr<TFigure> ReadElementBytes(const std::vector<uint8_t>& bytes, TChildBase* owner = nullptr,
                                                 bool* aborted = nullptr) {
    TMemoryStream stream(bytes);
    TEtikettFiler filer;
    filer.Stream = &stream;
    std::unique_ptr<TFigure> figure;
    ReadFigureElement(filer, owner, figure);
    if (aborted) *aborted = filer.Aborted;
    return figure;
}

inline std::vector<uint8_t> SnapshotBytes(const TFigure& figure) {
    TMemoryStream stream;
    figure.SaveToStream(stream);
    return stream.Bytes();
}

inline void LoadSnapshot(TFigure& figure, const std::vector<uint8_t>& bytes) {
    TMemoryStream stream(bytes);
    figure.LoadFromStream(stream);
}

// Replaces the first tagged Double of the value (tag 5, then its 8 bytes).
inline bool PatchTaggedDouble(std::vector<uint8_t>& bytes, double value, double replacement) {
    uint8_t pattern[9] = {5};
    std::memcpy(pattern + 1, &value, 8);
    for (size_t i = 0; i + 9 <= bytes.size(); ++i)
        if (std::memcmp(bytes.data() + i, pattern, 9) == 0) {
            std::memcpy(bytes.data() + i + 1, &replacement, 8);
            return true;
        }
    return false;
}
