#pragma once
// The light figures of the document preview: each reads its element record
// through the figures' own record readers (figures/FigureRecords.h and
// ContentFigureRecords.h), keeps only what it draws, draws itself once on the
// preview's scale canvas and is freed. Each class extends the record of its
// base, as the figure classes do.
//
// This file holds the base and the geometric figures; the text, picture,
// group, listing, shape, barcode and table figures have files of their own
// (Pv*.h). PreviewFigureForCode makes the figure of an element code.

#include "figures/FigureRecords.h"
#include "foundation/FillData.h"
#include "platform/gdi/GdiTypes.h"

#include <array>
#include <cstdint>
#include <memory>

class TCustomScaler;
class TEtikettFiler;
class TScaleCanvas;

// Every figure: the seven Doubles of the base record; draws nothing. (The
// element code of the abstract figure, 2, is an entry without a record, as
// for the document reader: it makes no preview figure.)
class TpvFigure {
public:
    TpvFigure() = default;
    virtual ~TpvFigure() = default;
    TpvFigure(const TpvFigure&) = delete;
    TpvFigure& operator=(const TpvFigure&) = delete;

    // Reads the element's record. depth counts the groups around the element.
    virtual void Read(TEtikettFiler& filer, int depth);
    virtual void Draw(TScaleCanvas& canvas) {}

    // The device point of the centre, which chooses the clip region.
    gdi::Point DeviceCenter(const TCustomScaler& scaler) const;

    TBaseRecord Base;

protected:
    // A box without area (a width or height of 0 or less from the file) draws nothing.
    bool HasArea() const { return Base.Width > 0 && Base.Height > 0; }
    // The corners of the box (top-left, top-right, bottom-right, bottom-left,
    // then the first again) turned about the centre by the angle, in device units.
    std::array<gdi::Point, 5> TurnedBox(const TCustomScaler& scaler) const;
    // The unturned box in device units.
    gdi::Rect DeviceBox(const TCustomScaler& scaler) const;
};

// The line: straight across its box, from top-left to bottom-right along the
// main diagonal, else from bottom-left to top-right; the angle is not used.
class TpvLinie : public TpvFigure {
public:
    void Read(TEtikettFiler& filer, int depth) override;
    void Draw(TScaleCanvas& canvas) override;

    TLinieRecord Line;

protected:
    // Pen width (rounded device units, at least 0), style and colour of the line record.
    void ApplyPen(TScaleCanvas& canvas) const;
};

// The rectangle: the turned box filled with its fill, then outlined.
class TpvRechteck : public TpvLinie {
public:
    void Read(TEtikettFiler& filer, int depth) override;
    void Draw(TScaleCanvas& canvas) override;

    TFillData Fill;
    TInnerMargins Margins{0, 0, 0, 0};

protected:
    // Fills the closed outline (the last point repeats the first) and draws it with the pen.
    void FillAndOutline(TScaleCanvas& canvas, std::span<const gdi::Point> outline);
    // Fills the turned box without outline.
    void FillTurnedBox(TScaleCanvas& canvas);
};

// The ellipse: a polygon of 73 points at 5-degree steps, turned like the box.
class TpvEllipse : public TpvRechteck {
public:
    void Draw(TScaleCanvas& canvas) override;
};

// The preview figure of an element code, at design level and inside groups
// alike; none for codes without one (0 to 3, 13, 24 and 26 to 255).
std::unique_ptr<TpvFigure> PreviewFigureForCode(uint8_t code);
