#pragma once
// The plain texts of older documents in the preview: the word-wrapped text
// in its turned box, the text along a circle, and the field text, which the
// preview reads and does not draw.

#include "design/PvFigure.h"
#include "figures/ContentFigureRecords.h"

// The text word-wrapped and turned into its box (right edge 2 pixels further
// out) in its own font; no fill, no frame.
class TpvText : public TpvRechteck {
public:
    // Characters beyond this many are not drawn (no label shows them).
    static constexpr size_t kMaxDrawnText = 32768;

    void Read(TEtikettFiler& filer, int depth) override;
    void Draw(TScaleCanvas& canvas) override;

    TTextRecord Text;

protected:
    void ApplyFont(TScaleCanvas& canvas) const;
    std::string DrawnText() const { return Text.Text.substr(0, kMaxDrawnText); }
};

// The text along the circle of the largest square centred in the box.
class TpvRotateText : public TpvText {
public:
    void Read(TEtikettFiler& filer, int depth) override;
    void Draw(TScaleCanvas& canvas) override;

    TCircleTextRecord Circle;
};

// Reads the field's id, name and value and draws nothing.
class TpvFieldText : public TpvText {
public:
    void Read(TEtikettFiler& filer, int depth) override;
    void Draw(TScaleCanvas& canvas) override {}
};
