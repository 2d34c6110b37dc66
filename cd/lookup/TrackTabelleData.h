#pragma once
// The track table of a track-list figure: one title and one playing time per
// track and whether the number and time columns show. It streams itself and
// draws a table of numbers, titles and times with grid lines into a turned
// rectangle.
//
// Stream: ShowNumbers (byte), ShowDurations (byte), the track count (int32),
// then per track the title and the time (int32 length and bytes each).

#include <cstdint>
#include <string>
#include <vector>

class TScaleCanvas;
class TStream;

class TZRTrackTabelleData {
public:
    // No tracks, both columns shown.
    void Clear();
    void AddTrack(const std::string& title, const std::string& duration);
    const std::string& GetTitle(int32_t index) const { return titles_.at(static_cast<size_t>(index)); }
    const std::string& GetDuration(int32_t index) const { return durations_.at(static_cast<size_t>(index)); }
    int32_t Count() const { return static_cast<int32_t>(titles_.size()); }

    bool ShowNumbers() const { return showNumbers_; }
    bool ShowDurations() const { return showDurations_; }
    void SetShowNumbers(bool value) { showNumbers_ = value; }
    void SetShowDurations(bool value) { showDurations_ = value; }

    void CopyFrom(const TZRTrackTabelleData& source);
    bool operator==(const TZRTrackTabelleData&) const = default;

    void SaveToStream(TStream& stream) const;
    // Clears first; a damaged stream raises the stream's error.
    void LoadFromStream(TStream& stream);

    // The table in the rectangle of the centre and size (mm), turned by the
    // angle (degrees) about its centre, in the canvas's font and pen.
    void DrawTable(TScaleCanvas& canvas, float centerX, float centerY, float width, float height, float angle) const;

private:
    std::vector<std::string> titles_;
    std::vector<std::string> durations_;
    bool showNumbers_ = true;
    bool showDurations_ = true;
};
