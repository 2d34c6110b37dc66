#pragma once
// Metafile pictures (WMF and EMF) played by the program itself, record by
// record, so that every coordinate can be mapped into a turned and scaled
// target rectangle: the same picture on screen, in previews and on the
// printer, at any angle.
//
// TCustomZRMetaFile is the base of the two players: the metafile's own
// mapping state (window, viewport, map mode, scale factors, world transform)
// and the matrices that take a record's logical coordinates to the device.
// A logical point p reaches the device as
//   (((p · WindowScale) − WindowOrg) · (R · ViewportScale)) − ViewportOrg,
// minus the box's top-left, times target size / box size, plus the target's
// top-left, turned by Angle about the target's centre, with R the ratio of
// viewport to window extent in the anisotropic map mode (1 otherwise).
// Lengths take only the scale factors; the players turn their shapes
// themselves. TZRMetaFile is the facade that owns one player, chosen by the
// data's header.
//
// Every record is checked against its own size and the data before it is
// used; a zero box or window extent draws nothing.

#include "foundation/Matrix.h"
#include "foundation/PointHelpers.h"
#include "foundation/Scaler.h"
#include "foundation/Stream.h"
#include "platform/gdi/GdiTypes.h"
#include "platform/gdi/Region.h"

#include <QtCore/QString>

#include <array>
#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <span>
#include <string>
#include <vector>

namespace gdi {
class Bitmap;
class Canvas;
class Metafile;
}  // namespace gdi
namespace imaging {
class Dib;
}
class TFloatKontur;

// A GDI object of a metafile's object table.
struct TMetaObject {
    enum class Kind { Pen, Brush, Font, Palette, Region };
    explicit TMetaObject(Kind k = Kind::Pen) : kind(k) {}
    Kind kind;
    gdi::Pen pen;
    gdi::Brush brush;
    uint32_t colorRef = 0;  // a pen's or brush's colour as the record gives it
    gdi::LogFont font;
    std::vector<gdi::Rect> rects;  // a region's rectangles, logical units
    // A palette's entries, shared with the drawing while it is selected.
    std::shared_ptr<std::vector<gdi::Color>> palette;
};

class TCustomZRMetaFile {
public:
    TCustomZRMetaFile();
    virtual ~TCustomZRMetaFile();
    TCustomZRMetaFile(const TCustomZRMetaFile&) = delete;
    TCustomZRMetaFile& operator=(const TCustomZRMetaFile&) = delete;

    // Picture size in picture units; 1 for an empty picture.
    virtual int32_t GetHeight() const;
    virtual int32_t GetWidth() const;
    // Reads size bytes of metafile data from the stream.
    virtual void LoadFromStream(TStream& stream, int64_t size);
    virtual void SaveToStream(TStream& stream) const;
    virtual void LoadFromFile(const QString& fileName);
    virtual void SaveToFile(const QString& fileName) const;
    virtual void CopyToClipboard();
    virtual void PasteFromClipboard();
    // Plays the picture stretched to w x h device units of the canvas,
    // centred on (cx, cy) and turned by angle degrees.
    virtual void Draw(gdi::Canvas& canvas, int32_t cx, int32_t cy, int32_t w, int32_t h, float angle);
    // Takes a metafile made by the program (as an enhanced metafile).
    virtual void SetMetaFileHandle(const gdi::Metafile& metafile);
    virtual bool IsEmpty() const { return true; }

    // ---- the mapping
    void ResetMapping();
    void BuildMatrices();
    TPoint MapPoint(int32_t x, int32_t y) const;
    TPoint MapLength(int32_t dx, int32_t dy) const;
    // False while the box, the window extent or a scale factor gives no
    // finite picture; drawing records are skipped then.
    bool MappingValid() const { return mappingValid_; }

    float Angle = 0;
    TRect Target;
    TRect Box;
    int32_t GraphicsMode = 1;
    TPoint WindowExt, WindowOrg, ViewportExt, ViewportOrg;
    int32_t MapMode = 8;
    TFloatPoint ViewportScale{1, 1}, WindowScale{1, 1};
    TMatrix3 WorldTransform, LogicalToBox, LogicalToBoxLengths, Placement, PlacementUnrotated, BoxToDeviceLengths,
        PointMatrix, PointMatrixUnrotated, LengthMatrix;

protected:
    // ---- what both players share during a drawing
    void BeginPlayback(gdi::Canvas& canvas, int32_t cx, int32_t cy, int32_t w, int32_t h, float angle);
    // Once the box and the matrices stand: nothing is drawn outside the
    // frame (the target turned with the picture) nor outside the clip region
    // the canvas had.
    void ClipToFrame();
    void EndPlayback();
    gdi::Canvas& DC() const { return *dc_; }
    bool Turned() const { return Angle != 0; }
    // A drawing that would grow beyond the limits below stops cleanly: what
    // was drawn stays, the rest of the records is not played.
    void Stop() { stopped_ = true; }
    bool Stopped() const { return stopped_; }

    // Object table: a new object goes into the first free slot; the table
    // never grows past the 16-bit indices records can name.
    int32_t AddHandle(TMetaObject object);
    void PutHandle(uint32_t index, TMetaObject object);
    void DeleteHandle(uint32_t index);
    const TMetaObject* Handle(uint32_t index) const;
    void SelectHandle(uint32_t index);
    void SelectObject(const TMetaObject& object);
    // Slots hold pointers, so that a table of 65535 slots costs little.
    std::vector<std::unique_ptr<TMetaObject>> Handles;

    // The metafile's own saved states never reach below the caller's. At
    // most kMaxSavedStates are kept, holding clip regions of at most
    // kMaxSavedClipRects rectangles together; a save beyond either stops
    // the drawing (false).
    static constexpr int32_t kMaxSavedStates = 1024;
    static constexpr size_t kMaxSavedClipRects = size_t{1} << 21;
    bool SaveState();
    void RestoreState(int32_t relative);
    int32_t SavedStates() const { return metaSaves_; }

    // Drawing in logical units through the mapping.
    std::vector<gdi::Point> MapPoints(std::span<const gdi::Point> logical) const;
    // The corners of a logical rectangle mapped, from its top-left clockwise.
    std::array<gdi::Point, 4> MappedCorners(const gdi::Rect& logical) const;
    void DrawEllipseRecord(int32_t left, int32_t top, int32_t right, int32_t bottom);
    void DrawRectangleRecord(int32_t left, int32_t top, int32_t right, int32_t bottom);
    void DrawRoundRectRecord(int32_t left, int32_t top, int32_t right, int32_t bottom, int32_t cornerW,
                             int32_t cornerH);
    enum class ArcKind { Arc, Chord, Pie };
    void DrawArcRecord(ArcKind kind, gdi::Rect box, gdi::Point start, gdi::Point end, bool plusOne);
    // Text at the mapped point; rect (logical) is used only unturned.
    void DrawText(gdi::Point at, uint32_t options, const gdi::Rect* rect, std::u16string_view text,
                  std::span<const int32_t> deviceDx);
    // At which angles a bitmap record draws.
    enum class BitmapTurns { UprightOnly, QuarterTurns, AnyAngle };
    // A bitmap into the logical rectangle. Source in picture pixels from the top.
    void DrawDib(const imaging::Dib& dib, gdi::Rect logicalDest, gdi::Rect source, uint32_t rop, BitmapTurns turns);

    // ---- clipping, in device units of the canvas. A clip region holds at
    // most kMaxClipRects rectangles; one beyond stops the drawing.
    static constexpr size_t kMaxClipRects = size_t{1} << 18;
    // The area of logical rectangles, turned with the picture; nothing (and
    // the drawing stopped) for one beyond the limit.
    std::optional<gdi::Region> DeviceRegion(std::span<const gdi::Rect> logicalRects);
    // The device area of one logical rectangle, turned with the picture.
    gdi::Region DeviceArea(const gdi::Rect& logical) const;
    // The region combined into the clip (no region with the copy mode: the
    // clip the drawing began with).
    void SelectClip(const gdi::Region* deviceRegion, gdi::RegionCombine mode);
    // The clip moved by a logical offset, turned with the picture.
    void OffsetClip(int32_t dx, int32_t dy);
    // The current path as the clip, combined by the mode.
    void SelectClipPath(gdi::RegionCombine mode);
    // The current clip becomes what later clips cannot widen.
    void SetMetaRegion();
    // Draws with the clip narrowed to the device area for the while.
    void ClippedTo(const gdi::Region& area, const std::function<void()>& draw);

    // Objects as the records describe them (logical sizes mapped to the device).
    TMetaObject MakePen(uint32_t style, int32_t width, uint32_t colour) const;
    static TMetaObject MakeBrush(uint32_t style, uint32_t colour, uint32_t hatch);
    static TMetaObject MakePatternBrush(const imaging::Dib* dib);
    // The font scaled to the device (a width of 0 measured first) and, when
    // the picture is turned, turned with it; orientationFromEscapement takes
    // both angles from the escapement.
    TMetaObject MakeFont(gdi::LogFont font, bool orientationFromEscapement) const;
    // A pixel as big as one logical unit on the device, turned with the picture.
    void DrawPixelRecord(int32_t x, int32_t y, uint32_t colour);
    // A colour of a record: an RGB value, or an entry of the selected palette
    // (PALETTEINDEX); the device has true colours, so realizing the palette
    // changes nothing.
    gdi::Color ColorRef(uint32_t value) const;

    // ---- palettes: at most kMaxPaletteEntries entries in all, beyond
    // which the drawing stops.
    static constexpr size_t kMaxPaletteEntries = size_t{1} << 20;
    // A palette of count entries (red, green, blue, flags) from the bytes.
    TMetaObject MakePalette(std::span<const uint8_t> entries, size_t count);
    // The table's palette, or the default palette for the stock object.
    void SelectPalette(uint32_t index);
    void SetPaletteEntries(uint32_t index, uint32_t start, std::span<const uint8_t> entries, size_t count);
    void ResizePalette(uint32_t index, uint32_t count);
    int32_t AverageCharWidth(const gdi::LogFont& font) const;
    // The selected font's characters: 8-bit text in the Windows code page,
    // symbol fonts by their private-use codes.
    std::u16string AnsiText(std::span<const uint8_t> bytes) const;
    bool inPath_ = false;

private:
    // The part of the canvas a contour about its origin can show, in the
    // contour's unturned units: curves elsewhere need not be followed.
    void LimitToVisible(TFloatKontur& contour) const;
    // The device rectangle the clip cannot leave.
    gdi::Rect BaseBox() const;
    // The mapping keeps upright rectangles upright.
    bool Rectilinear() const;
    void DrawTurnedBitmap(const gdi::Bitmap& bitmap, const gdi::Rect& logicalDest, const gdi::Rect& source, uint32_t rop);
    void CheckClipSize();

    gdi::Canvas* dc_ = nullptr;
    size_t firstFree_ = 0;
    int32_t baseLevel_ = 0;
    int32_t metaSaves_ = 0;
    // What the metafile's clip cannot widen: the canvas's clip and the frame,
    // then the meta region; with the clip's size at each saved state.
    gdi::Region baseClip_;
    // The selected palette (none: the default one).
    std::shared_ptr<std::vector<gdi::Color>> palette_;
    size_t paletteEntries_ = 0;
    struct SavedLevel {
        gdi::Region base;
        size_t clipRects;
        std::shared_ptr<std::vector<gdi::Color>> palette;
    };
    std::vector<SavedLevel> savedLevels_;
    size_t savedClipRects_ = 0;
    bool mappingValid_ = false;
    bool stopped_ = false;
};

// The ellipse as one closed cubic Bezier of 13 points, turned about its
// centre, stroked and filled as a path (added to the path when one is open).
void DrawRotatedEllipse(gdi::Canvas& canvas, int32_t cx, int32_t cy, float angle, int32_t h, int32_t w,
                        bool intoOpenPath = false);

class TZRMetaFile : public TCustomZRMetaFile {
public:
    TZRMetaFile();
    ~TZRMetaFile() override;

    // Data of at least 101 bytes from the stream's position whose first
    // record is an EMF header with the " EMF" signature.
    static bool IsEMF(TStream& stream);

    int32_t GetHeight() const override;
    int32_t GetWidth() const override;
    void LoadFromStream(TStream& stream, int64_t size) override;
    void SaveToStream(TStream& stream) const override;
    void SaveToFile(const QString& fileName) const override;
    void CopyToClipboard() override;
    void PasteFromClipboard() override;
    void Draw(gdi::Canvas& canvas, int32_t cx, int32_t cy, int32_t w, int32_t h, float angle) override;
    void SetMetaFileHandle(const gdi::Metafile& metafile) override;
    bool IsEmpty() const override;
    // A resource of the program (":/..." paths of the compiled-in resources).
    void LoadFromResource(const QString& resourcePath);
    // An independent copy of the other's player (none when it has none).
    void Assign(const TZRMetaFile& source);
    const TCustomZRMetaFile* Player() const { return player_.get(); }

private:
    std::unique_ptr<TCustomZRMetaFile> player_;
};

// Rounds a mapped coordinate; values beyond the drawing range stop at it.
int32_t RoundCoordinate(double v);
