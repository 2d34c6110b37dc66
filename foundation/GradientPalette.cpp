#include "foundation/GradientPalette.h"

#include "foundation/MyMemIniFile.h"
#include "foundation/Rounding.h"
#include "foundation/StreamHelp.h"

#include <algorithm>
#include <array>

namespace {

uint32_t Blend(uint32_t from, uint32_t to, double w) {
    return static_cast<uint32_t>(static_cast<int32_t>(from) + Round((static_cast<int32_t>(to) - static_cast<int32_t>(from)) * w));
}

gdi::Color BlendColor(gdi::Color a, gdi::Color b, double w) {
    return gdi::Rgb(Blend(gdi::RedOf(a), gdi::RedOf(b), w), Blend(gdi::GreenOf(a), gdi::GreenOf(b), w),
                    Blend(gdi::BlueOf(a), gdi::BlueOf(b), w));
}

}  // namespace

// ---- TGradientEntry

void TGradientEntry::SetPos(int32_t position) {
    position_ = position;
    if (OnChange) OnChange();
}

void TGradientEntry::SetColor(gdi::Color color) {
    color_ = color;
    if (OnChange) OnChange();
}

// ---- TGradientpalette

TGradientpalette::TGradientpalette(gdi::Color startColor, gdi::Color endColor) {
    for (const auto& [position, color] : {std::pair{0, startColor}, std::pair{100, endColor}}) {
        stops_.push_back(std::make_unique<TGradientEntry>(position, color));
        Connect(*stops_.back());
    }
}

TGradientpalette::~TGradientpalette() = default;

void TGradientpalette::Connect(TGradientEntry& stop) {
    stop.OnChange = [this] { Changed(); };
}

TGradientEntry* TGradientpalette::Add(int32_t position, gdi::Color color) {
    stops_.push_back(std::make_unique<TGradientEntry>(position, color));
    TGradientEntry* stop = stops_.back().get();
    Connect(*stop);
    Changed();
    return stop;
}

void TGradientpalette::Remove(TGradientEntry* stop) {
    auto it = std::find_if(stops_.begin(), stops_.end(), [stop](const auto& s) { return s.get() == stop; });
    if (it != stops_.end()) stops_.erase(it);
    Changed();
}

void TGradientpalette::ClearStops() {
    stops_.clear();
    dirty_ = true;
}

void TGradientpalette::SortStops() {
    std::stable_sort(stops_.begin(), stops_.end(),
                     [](const auto& a, const auto& b) { return a->Position() < b->Position(); });
}

void TGradientpalette::Changed() {
    dirty_ = true;
    SortStops();
    if (!locked_ && OnChange) OnChange(*this);
}

void TGradientpalette::SetRampSize(int32_t n) {
    if (n == rampSize_) return;
    rampSize_ = n;
    Changed();
}

void TGradientpalette::SetEdgeMargin(double m) {
    m = m >= 0 ? std::min(m, 0.49) : 0.0;  // also for a margin that is no number
    if (m == edgeMargin_) return;
    edgeMargin_ = m;
    Changed();
}

void TGradientpalette::Assign(const TGradientpalette& other) {
    if (&other == this) return;
    dirty_ = true;
    rampSize_ = other.rampSize_;
    stops_.clear();
    // Sorted once at the end, not once per stop: a fill of thousands of
    // stops must not take time by the square of their number.
    for (const auto& stop : other.stops_) {
        stops_.push_back(std::make_unique<TGradientEntry>(stop->Position(), stop->Color()));
        Connect(*stops_.back());
    }
    SortStops();
}

void TGradientpalette::Normalize() {
    while (stops_.size() < 2) {
        stops_.push_back(std::make_unique<TGradientEntry>(0, gdi::Rgb(0, 0, 0)));
        Connect(*stops_.back());
    }
    SortStops();
    // Set directly: the caller decides when to notify.
    TGradientEntry& first = *stops_.front();
    TGradientEntry& last = *stops_.back();
    if (first.Position() != 0) first = TGradientEntry(0, first.Color());
    if (last.Position() != 100) last = TGradientEntry(100, last.Color());
    Connect(first);
    Connect(last);
    // Inner stops of a damaged file may lie beyond the ends: they are brought
    // between them, so the stops stay sorted and read back the same.
    for (auto& stop : stops_) {
        const int32_t p = stop->Position();
        if (p < 0 || p > 100) {
            *stop = TGradientEntry(std::clamp(p, 0, 100), stop->Color());
            Connect(*stop);
        }
    }
    dirty_ = true;
}

void TGradientpalette::LoadFromIni(const TMyMemIniFile& ini, const QString& section) {
    stops_.clear();
    // A legitimate section has two values per stop; a larger count is damage
    // and must not make thousands of millions of stops.
    const int32_t n = std::min<int64_t>(ini.ReadInteger(section, QStringLiteral("PalNumColor"), -1),
                                        ini.ReadSection(section).size());
    for (int32_t i = 0; i < n; ++i) {
        const int32_t position = ini.ReadInteger(section, QStringLiteral("PalPos%1").arg(i), 0);
        const gdi::Color color =
            static_cast<gdi::Color>(ini.ReadInteger(section, QStringLiteral("PalColor%1").arg(i), 0xFFFFFF));
        stops_.push_back(std::make_unique<TGradientEntry>(position, color));
        Connect(*stops_.back());
    }
    Normalize();
    Changed();
}

void TGradientpalette::SaveToIni(TMyMemIniFile& ini, const QString& section) const {
    ini.WriteInteger(section, QStringLiteral("PalNumColor"), Count());
    for (int32_t i = 0; i < Count(); ++i) {
        ini.WriteInteger(section, QStringLiteral("PalPos%1").arg(i), stops_[static_cast<size_t>(i)]->Position());
        ini.WriteInteger(section, QStringLiteral("PalColor%1").arg(i),
                         static_cast<int32_t>(stops_[static_cast<size_t>(i)]->Color()));
    }
}

void TGradientpalette::LoadFromStream(TStream& stream) {
    const int32_t n = StreamReadInt(stream);
    stream.RequireAvailable(static_cast<int64_t>(n) * 8);
    stops_.clear();
    for (int32_t i = 0; i < n; ++i) {
        const int32_t position = StreamReadInt(stream);
        const gdi::Color color = StreamReadColor(stream);
        stops_.push_back(std::make_unique<TGradientEntry>(position, color));
        Connect(*stops_.back());
    }
    Normalize();
}

void TGradientpalette::SaveToStream(TStream& stream) const {
    StreamWriteInt(stream, Count());
    for (const auto& stop : stops_) {
        StreamWriteInt(stream, stop->Position());
        StreamWriteColor(stream, stop->Color());
    }
}

gdi::Color TGradientpalette::ColorAt(int32_t i) {
    if (dirty_) BuildRamp();
    // The ramp of RampSize entries samples the master table; it is read
    // through the table so that any ramp size costs the same memory.
    const int32_t size = std::max(1, rampSize_);
    const int32_t k = std::clamp(i, 0, size - 1);
    const int32_t index = size == 1 ? 0 : MulDiv(kMasterRampSize - 1, k, size - 1);
    return ramp_[static_cast<size_t>(std::clamp(index, 0, kMasterRampSize - 1))];
}

void TGradientpalette::BuildRamp() {
    SortStops();
    ramp_.assign(kMasterRampSize, gdi::Rgb(0, 0, 0));
    dirty_ = false;
    if (stops_.empty()) return;
    const int32_t a = Trunc(edgeMargin_ * kMasterRampSize);
    const int32_t b = kMasterRampSize - a;
    const gdi::Color firstColor = stops_.front()->Color();
    const gdi::Color lastColor = stops_.back()->Color();
    for (int32_t j = 0; j <= a && j < kMasterRampSize; ++j) ramp_[static_cast<size_t>(j)] = firstColor;
    for (int32_t j = std::max(b, 0); j < kMasterRampSize; ++j) ramp_[static_cast<size_t>(j)] = lastColor;
    const int32_t span = b - a;
    for (size_t i = 0; i + 1 < stops_.size(); ++i) {
        const TGradientEntry& from = *stops_[i];
        const TGradientEntry& to = *stops_[i + 1];
        const int64_t s = MulDiv64(span, from.Position(), 100) + a;
        const int64_t e = std::min<int64_t>(kMasterRampSize - 1, MulDiv64(span, to.Position(), 100) + a);
        if (s == e) {
            if (s >= 0) ramp_[static_cast<size_t>(s)] = BlendColor(from.Color(), to.Color(), 0.5);
        } else if (e > s) {
            // Only the entries inside the table are computed; positions out of
            // 0..100 (from a file) reach beyond it.
            for (int64_t j = std::max<int64_t>(s, 0); j <= e; ++j) {
                const double u = static_cast<double>(j - s) / static_cast<double>(e - s);
                const double w = u * u * (3 - 2 * u);
                ramp_[static_cast<size_t>(j)] = BlendColor(from.Color(), to.Color(), w);
            }
        }
    }
}
