#pragma once
// Named areas of a label sheet in millimetres (sheet coordinates, y down): the
// rings and label fields of CD sheets, the front and back of an inlay. Each is
// a rectangle or the ellipse inscribed in its box. Flag bit 0 makes an area a
// clip region (ring printing prints it on its own through a device region),
// bit 1 a zoom target (a zoom button of the document window); other bits mean
// nothing. Grow enlarges the box on every side whenever a device region or a
// print area is made from it. A disc may have a centre hole, which its clip
// zone leaves out.

#include "foundation/ScaleCanvas.h"
#include "platform/gdi/Region.h"

#include <QtCore/QString>

#include <cstdint>
#include <memory>
#include <vector>

constexpr uint8_t kRegionClip = 1;
constexpr uint8_t kRegionZoom = 2;

class TMMRgn {
public:
    static constexpr uint8_t kKindRect = 1;
    static constexpr uint8_t kKindEllipse = 2;

    virtual ~TMMRgn() = default;

    // The device region of the box grown by grow mm on every side, its right
    // and bottom edge one pixel further out. Regions are in device pixels: on a
    // printer canvas whose logical units are not its pixels (resolutions that
    // differ per axis) the corners are mapped to device units first.
    virtual gdi::Region CreateRegion(const TScaleCanvas& canvas, float grow) const = 0;
    // CreateRegion with the area's own Grow.
    gdi::Region CreateGdiRegion(const TScaleCanvas& canvas) const { return CreateRegion(canvas, Grow); }
    // The clip zone of the area: CreateGdiRegion, and as its clip the same
    // without the centre hole (the hole is never grown: nothing is printed
    // where the stationery has no label).
    TClipZone CreateZone(const TScaleCanvas& canvas) const;

    bool IsClipRegion() const { return (Flags & kRegionClip) != 0; }
    bool IsZoomRegion() const { return (Flags & kRegionZoom) != 0; }

    QString Name;
    float Left = 0;
    float Right = 0;
    float Bottom = 0;
    float Top = 0;
    uint8_t Kind = 0;
    uint8_t Flags = 0;
    float Grow = 0;
    // The diameter of a round hole in the middle of the box (a disc's centre
    // hole), mm; 0 for none.
    float Hole = 0;

protected:
    // The values are stored as given (no check of the corner order).
    TMMRgn(QString name, float left, float top, float right, float bottom, uint8_t flags, float grow, uint8_t kind);
    // The device box of the grown area, right and bottom one pixel out.
    gdi::Rect DeviceBox(const TScaleCanvas& canvas, float grow) const;
};

class TMMRectRgn : public TMMRgn {
public:
    TMMRectRgn(QString name, float left, float top, float right, float bottom, uint8_t flags, float grow);
    gdi::Region CreateRegion(const TScaleCanvas& canvas, float grow) const override;
};

class TMMEllipticRgn : public TMMRgn {
public:
    TMMEllipticRgn(QString name, float left, float top, float right, float bottom, uint8_t flags, float grow);
    gdi::Region CreateRegion(const TScaleCanvas& canvas, float grow) const override;
};

// Owns its areas: removing or clearing frees them.
class TMMRgnList {
public:
    int32_t Add(std::unique_ptr<TMMRgn> region);
    // The corners may come in any order; they are sorted before the area is added.
    int32_t AddRect(const QString& name, uint8_t flags, float x1, float y1, float x2, float y2, float grow);
    // Ellipses may have a centre hole of the given diameter.
    int32_t AddEllipse(const QString& name, uint8_t flags, float x1, float y1, float x2, float y2, float grow,
                       float hole = 0);
    // An ellipse of width x height around the centre (no sorting).
    int32_t AddCenteredEllipse(const QString& name, uint8_t flags, float centreX, float centreY, float width,
                               float height, float grow, float hole = 0);

    int32_t Count() const { return static_cast<int32_t>(regions_.size()); }
    const TMMRgn& GetItem(int32_t index) const { return *regions_.at(static_cast<size_t>(index)); }
    void Delete(int32_t index);
    void Clear() { regions_.clear(); }

    bool HasClipRegion() const;
    bool HasZoomRegion() const;

private:
    std::vector<std::unique_ptr<TMMRgn>> regions_;
};
