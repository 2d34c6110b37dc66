#pragma once
// The colour stops of a gradient and the colour ramp made from them. The
// stops are kept sorted by position (percent, 0 to 100); the ramp holds
// RampSize colours (one per band of a rendered gradient) and is rebuilt
// lazily after every change, with smooth (smoothstep) transitions between
// neighbouring stops and a flat edge margin at both ends.

#include "platform/gdi/GdiTypes.h"

#include <QtCore/QString>

#include <cstdint>
#include <functional>
#include <memory>
#include <vector>

class TStream;
class TMyMemIniFile;

// The largest ramp a palette holds: the renderers never paint more bands
// than that, and a stream that asks for more is refused.
constexpr int32_t kMaxRampSize = 256;
// The entries of the master table that the ramp is sampled from.
constexpr int32_t kMasterRampSize = 255;

class TGradientEntry {
public:
    TGradientEntry(int32_t position, gdi::Color color) : position_(position), color_(color) {}

    int32_t Position() const { return position_; }
    gdi::Color Color() const { return color_; }
    void SetPos(int32_t position);
    void SetColor(gdi::Color color);

    // Set by the owning palette.
    std::function<void()> OnChange;

private:
    int32_t position_;
    gdi::Color color_;
};

class TGradientpalette {
public:
    TGradientpalette(gdi::Color startColor, gdi::Color endColor);
    ~TGradientpalette();
    TGradientpalette(const TGradientpalette&) = delete;
    TGradientpalette& operator=(const TGradientpalette&) = delete;

    // The new stop; runs Changed.
    TGradientEntry* Add(int32_t position, gdi::Color color);
    // Deletes the stop when it is one of this palette's; Changed in any case.
    void Remove(TGradientEntry* stop);
    TGradientEntry* Items(int32_t i) const { return stops_.at(static_cast<size_t>(i)).get(); }
    int32_t Count() const { return static_cast<int32_t>(stops_.size()); }
    void ClearStops();

    // Marks the ramp dirty, sorts the stops and notifies (unless locked).
    void Changed();
    // The ramp's colour i (clamped to 0 .. RampSize - 1).
    gdi::Color ColorAt(int32_t i);
    int32_t RampSize() const { return rampSize_; }
    void SetRampSize(int32_t n);
    double EdgeMargin() const { return edgeMargin_; }
    void SetEdgeMargin(double m);
    bool Dirty() const { return dirty_; }

    // Takes the other's stops and ramp size without notifying; the edge
    // margin stays.
    void Assign(const TGradientpalette& other);

    // Section keys "PalNumColor", "PalPos%d", "PalColor%d".
    void LoadFromIni(const TMyMemIniFile& ini, const QString& section);
    void SaveToIni(TMyMemIniFile& ini, const QString& section) const;
    // int32 count, then position and colour per stop. Loading checks the
    // count against the bytes that remain (EReadError).
    void LoadFromStream(TStream& stream);
    void SaveToStream(TStream& stream) const;

    std::function<void(TGradientpalette&)> OnChange;

private:
    void Connect(TGradientEntry& stop);
    // At least two stops, sorted, the first at 0 % and the last at 100 %,
    // none outside.
    void Normalize();
    void SortStops();
    void BuildRamp();

    bool dirty_ = true;
    bool locked_ = false;
    std::vector<gdi::Color> ramp_;
    std::vector<std::unique_ptr<TGradientEntry>> stops_;
    int32_t rampSize_ = 256;
    double edgeMargin_ = 0;
};
