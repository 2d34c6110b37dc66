#include "cd/lookup/TrackTabelleData.h"

#include "foundation/Exceptions.h"
#include "foundation/MMFontHelper.h"
#include "foundation/Matrix.h"
#include "foundation/ScaleCanvas.h"
#include "foundation/StreamHelp.h"

#include <algorithm>

namespace {

// A track takes at least its two string lengths in a stream.
constexpr int64_t kSmallestTrackBytes = 8;

class TurnedPlotter {
public:
    TurnedPlotter(TScaleCanvas& canvas, float cx, float cy, float angle) : canvas_(canvas) {
        MatrixIdentity(m_);
        MatrixTranslate(m_, -cx, -cy);
        MatrixRotate(m_, angle);
        MatrixTranslate(m_, cx, cy);
    }
    void Text(const std::string& text, float x, float y) {
        float X, Y;
        MatrixTransformPoint(m_, x, y, X, Y);
        canvas_.TextOut(text, X, Y);
    }
    void Line(float x1, float y1, float x2, float y2) {
        float X, Y;
        MatrixTransformPoint(m_, x1, y1, X, Y);
        canvas_.MoveTo(X, Y);
        MatrixTransformPoint(m_, x2, y2, X, Y);
        canvas_.LineTo(X, Y);
    }

private:
    TScaleCanvas& canvas_;
    TMatrix3 m_;
};

}  // namespace

void TZRTrackTabelleData::Clear() {
    titles_.clear();
    durations_.clear();
    showNumbers_ = true;
    showDurations_ = true;
}

void TZRTrackTabelleData::AddTrack(const std::string& title, const std::string& duration) {
    titles_.push_back(title);
    durations_.push_back(duration);
}

void TZRTrackTabelleData::CopyFrom(const TZRTrackTabelleData& source) {
    if (&source == this) return;
    Clear();
    titles_ = source.titles_;
    durations_ = source.durations_;
    showNumbers_ = source.showNumbers_;
    showDurations_ = source.showDurations_;
}

void TZRTrackTabelleData::SaveToStream(TStream& stream) const {
    StreamWriteByte(stream, showNumbers_ ? 1 : 0);
    StreamWriteByte(stream, showDurations_ ? 1 : 0);
    StreamWriteInt(stream, Count());
    for (size_t i = 0; i < titles_.size(); ++i) {
        StreamWriteString(stream, titles_[i]);
        StreamWriteString(stream, durations_[i]);
    }
}

void TZRTrackTabelleData::LoadFromStream(TStream& stream) {
    Clear();
    showNumbers_ = StreamReadByte(stream) != 0;
    showDurations_ = StreamReadByte(stream) != 0;
    const int32_t count = StreamReadInt(stream);
    if (count < 0) throw EReadError("Stream read error");
    stream.RequireAvailable(int64_t{count} * kSmallestTrackBytes);
    titles_.reserve(static_cast<size_t>(count));
    durations_.reserve(static_cast<size_t>(count));
    for (int32_t i = 0; i < count; ++i) {
        std::string title = StreamReadString(stream);
        std::string duration = StreamReadString(stream);
        AddTrack(title, duration);
    }
}

void TZRTrackTabelleData::DrawTable(TScaleCanvas& canvas, float cx, float cy, float w, float h, float angle) const {
    const float L = cx - w / 2, R = cx + w / 2, T = cy - h / 2, B = cy + h / 2;
    const TMMFontHelper& helper = MMFontHelper();
    const TFont& font = canvas.Font();
    const int32_t n = Count();

    float numW = 0, durW = 0;
    if (showNumbers_)
        for (int32_t i = 1; i <= n; ++i) numW = std::max(numW, helper.TextWidthMM(font, std::to_string(i)));
    if (showDurations_)
        for (const std::string& d : durations_) durW = std::max(durW, helper.TextWidthMM(font, d));
    const float sp = helper.TextWidthMM(font, " ");
    if (numW > 0) numW += 2 * sp;
    if (durW > 0) durW += 2 * sp;
    if (numW + durW > w) numW = durW = 0;
    const float titleW = w - numW - durW;

    const float rowH = n >= 1 ? h / static_cast<float>(n) : h;
    const float textH = helper.TextHeightMM(font, "\xDCy");
    TurnedPlotter plot(canvas, cx, cy, angle);

    if (h > textH) {
        canvas.SetFontAngle(angle);
        canvas.Brush().style = gdi::BrushStyle::Null;
        for (int32_t i = 0; i < n; ++i) {
            const float y = T + static_cast<float>(i) * rowH + (rowH - textH) / 2;
            if (showNumbers_ && numW > 0) {
                const std::string number = std::to_string(i + 1);
                plot.Text(number, L + numW - canvas.TextWidthMM(number) - sp, y);
            }
            plot.Text(helper.ShortenText(font, GetTitle(i), titleW - sp), L + numW + sp, y);
            if (showDurations_ && durW > 0) {
                const std::string& duration = GetDuration(i);
                plot.Text(duration, R - canvas.TextWidthMM(duration) - sp, y);
            }
        }
        canvas.SetFontAngle(0);
    }

    plot.Line(L, T, L, B);
    plot.Line(L + numW, T, L + numW, B);
    plot.Line(L + numW + titleW, T, L + numW + titleW, B);
    plot.Line(R, T, R, B);
    for (int32_t i = 0; i < n; ++i) {
        const float y = T + static_cast<float>(i) * rowH;
        plot.Line(L, y, R, y);
    }
    plot.Line(L, T, R, T);
    plot.Line(L, B, R, B);
}
