#pragma once
// The track-list figure: the tracks of an audio CD (numbers, titles and
// playing times) as a table in a turned box, in the figure's own font, with
// its pen for the grid and its fill behind. Its track table is edited in the
// track-table dialog.

#include "figures/Rechteck.h"
#include "foundation/Font.h"

#include <memory>

class TZRTrackTabelleData;

class TTracktabelle : public TRechteck {
public:
    explicit TTracktabelle(TChildBase* owner);
    ~TTracktabelle() override;

    // The extent, with room for the pen and a line of text.
    void Invalidate() override;
    // A figure without fill and pen shows a dotted frame on the screen.
    void Paint() override;
    // Anywhere in the turned box.
    bool HitTest(TPoint p) override;
    void WriteData(TEtikettFiler& filer) override;
    void ReadData(TEtikettFiler& filer) override;
    bool SetFontName(const std::string& name) override;
    bool SetFontSize(int32_t points) override;
    bool SetFontStyle(TFontStyles style, int32_t part) override;
    // -1 leaves the colour.
    bool SetFontColor(gdi::Color color) override;
    bool GetFont(TFont& font) const override;
    std::unique_ptr<TFigure> Clone() const override;
    void Assign(const TFigure& source) override;
    void SaveToStream(TStream& stream) const override;
    void LoadFromStream(TStream& stream) override;
    const char* ClassName() const override { return "TTracktabelle"; }

    // The track-table dialog on the track table; true on OK.
    bool EditTracks();
    bool EditProperties() override { return EditTracks(); }

    std::unique_ptr<TZRTrackTabelleData> TrackData;
    TFont Font;

protected:
    void DrawOn(TScaleCanvas& canvas) override;

private:
    bool FontChanged();
};
