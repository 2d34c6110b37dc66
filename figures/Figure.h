#pragma once
// The figure base: every object of a label design (line, rectangle, ellipse,
// text, picture, group ...) is a TFigure, and the rest of the program handles
// any figure through these virtual operations without knowing its class: the
// design paints, hit-tests, selects, moves and prints figures; the document
// file and the clipboard store them; the undo records snapshot them.
//
// A figure is a box of Width x Height millimetres centred on (CenterX,
// CenterY) and turned by Angle degrees about its centre (clockwise on the
// screen, where y grows downwards). Device coordinates are pixels of the
// scale canvas at hand: the view's (the "window canvas"), a printer's, an
// export target's or the measuring canvas.
//
// Two encodings: the element record (tagged values on the document filer,
// for files and the clipboard; the seven Doubles CenterX, CenterY, Width,
// Height, Reserved1, Reserved2, Angle first) and the untagged snapshot (the
// same values as raw little-endian doubles; in memory only, for undo
// records, copies and groups). A snapshot is only read back into a figure of
// the class that wrote it.
//
// Ownership: a figure owns its tracker. Its owner window and drawing surface
// are not owned. A figure without owner draws and measures through a
// detached surface whose canvas is the measuring canvas.

#include "figures/FigureKinds.h"
#include "figures/FigureRecords.h"
#include "foundation/Exceptions.h"
#include "foundation/Font.h"
#include "foundation/PointHelpers.h"
#include "foundation/Transform.h"

#include <QtCore/QString>

#include <memory>
#include <string>

class TChildBase;
class TCustomScaler;
class TCustomTracker;
class TDataSet;
class TEtikettFiler;
class TExportCanvas;
class TFillData;
class TMMWindowBase;
class TMyMemIniFile;
class TScaleCanvas;
class TStream;

// Assign with a source of another class.
ZORBIT_DECLARE_EXCEPTION(EInvalidCast, Exception);

// Handed to a pen or fill setter, these colours mean no pen or no fill.
inline constexpr gdi::Color kNoColor = 1;
inline constexpr gdi::Color kNoColorAlt = 0xFFFFFFFFu;  // -1
constexpr bool IsNoColor(gdi::Color c) { return c == kNoColor || c == kNoColorAlt; }

// Cursor id of the move cursor, shown over a figure.
inline constexpr int32_t kCursorMoveFigure = 17;

// Set while a group or field text draws its members: their clip-ring
// selection is skipped then. Every figure constructor clears it.
extern bool GroupDrawing;

class TFigure {
public:
    explicit TFigure(TChildBase* owner);
    virtual ~TFigure();
    TFigure(const TFigure&) = delete;
    TFigure& operator=(const TFigure&) = delete;

    // ---- the virtual operations
    // Creates Tracker and connects its callbacks; each class's constructor
    // calls it, so the most derived class's tracker is the one that stays.
    virtual void CreateTracker() = 0;
    // Hands the current geometry to Tracker.
    virtual void SyncTracker() {}
    // Rebuilds Transform (and class caches) after any geometry change.
    virtual void UpdateTransform() = 0;
    virtual void SetCenterX(double v);
    virtual void SetCenterY(double v);
    // A value that is not greater than 0 is stored as 0.
    virtual void SetHeight(double v);
    // A negative value is stored as 0.
    virtual void SetWidth(double v);
    // Wrapped into [0, 360).
    virtual void SetAngle(double v);
    // Edges of the unturned box; the setters move the centre, keeping the size.
    virtual double GetLeft() const;
    virtual void SetLeft(double v);
    virtual double GetTop() const;
    virtual void SetTop(double v);
    virtual double GetRight() const;
    virtual void SetRight(double v);
    virtual double GetBottom() const;
    virtual void SetBottom(double v);
    // The tracker's start callback: asks the design for a property undo step
    // and remembers OldBounds.
    virtual void BeginTrack();
    // GetExtent on the window canvas.
    virtual TRect GetPixelExtent();
    virtual TRect GetBoundsRect();
    // Geometry from a rectangle dragged with the mouse (window canvas).
    virtual void SetFromPixelRect(TPoint p1, TPoint p2) = 0;
    // Moves by the device distance from q to p (window canvas).
    virtual void MoveByPixels(TPoint p, TPoint q) = 0;
    // Repaints the figure's surroundings on the view.
    virtual void Invalidate();
    // The four drawing entries all draw through DrawOn, each with its own
    // culling and clip-ring rule; a class replaces an entry only where it
    // draws by other rules.
    // On the window canvas: nothing when the extent misses the owner's update
    // rectangle, else with the clip-ring region of the centre selected.
    virtual void Paint();
    // Picture export and copy as picture: when the extent meets the export
    // canvas's clip rectangle; no clip ring.
    virtual void ExportTo(TExportCanvas& canvas);
    // Printing and export: nothing when the centre lies outside every clip
    // ring of the canvas's label.
    virtual void DrawTo(TScaleCanvas& canvas);
    // A device point of the window canvas.
    virtual bool HitTest(TPoint p) = 0;
    virtual void SetSelected(bool selected);
    virtual void Select();
    virtual void Deselect();
    virtual void PaintTracker();
    virtual void Refresh();
    // The element code of the class as a raw byte, then WriteData.
    virtual void SaveToFiler(TEtikettFiler& filer);
    virtual void WriteData(TEtikettFiler& filer);
    // Values are taken as stored, without the setters. A Double that is not
    // finite refuses the record (EFilerReadError, "IDS_CANNOTREADFILE").
    virtual void ReadData(TEtikettFiler& filer);
    virtual void WriteToIni(TMyMemIniFile& ini, const QString& section);
    // The position dialog; true when it ended with OK and the figure changed.
    virtual bool EditPosition();
    // The setters below answer true when the figure took the value.
    virtual bool SetPenColor(gdi::Color color) { return false; }
    virtual bool SetPenWidth(float mm) { return false; }
    virtual bool SetPenStyle(uint8_t style) { return false; }
    virtual bool SetFillColor(gdi::Color color) { return false; }
    // 0 solid, 1 clear.
    virtual bool SetBrushStyle(uint8_t style) { return false; }
    virtual bool SetFontName(const std::string& name) { return false; }
    virtual bool SetFontSize(int32_t points) { return false; }
    virtual bool SetFontStyle(TFontStyles style, int32_t part) { return false; }
    virtual bool SetFillData(const TFillData& fill) { return false; }
    virtual bool SetFontColor(gdi::Color color) { return false; }
    virtual bool SetAlignment(uint8_t horizontal, uint8_t vertical) { return false; }
    virtual void MoveBy(double dx, double dy);
    virtual void RotateBy(double degrees);
    virtual void ResizeBy(double dWidth, double dHeight);
    // A new figure of the same class and owner with Assign(*this); none in the base.
    virtual std::unique_ptr<TFigure> Clone() const { return nullptr; }
    // Classes take only a source of their own class (EInvalidCast before
    // anything changes).
    virtual void Assign(const TFigure& source);
    virtual void SaveToStream(TStream& stream) const;
    virtual void LoadFromStream(TStream& stream);
    // The outline without fill, with the canvas's current pen.
    virtual void DrawMask(TScaleCanvas& canvas) {}
    // When the extent meets the canvas's clip rectangle, with the clip-ring
    // region of the centre selected.
    virtual void DrawClippedTo(TScaleCanvas& canvas);
    // The device bounding rectangle on the scaler; empty in the base.
    virtual TRect GetExtent(const TCustomScaler& scaler) const { return {}; }
    virtual void FillFromDataSet(TDataSet* dataSet) {}
    virtual void BeginPrintJob() {}
    virtual void EndPrintJob(bool aborted) {}
    virtual void BeforePrintLabel() {}
    virtual void AfterPrintLabel() {}
    // The class name ("TRechteck"), written by WriteToIni.
    virtual const char* ClassName() const = 0;

    // ---- what the design's commands ask of a figure; nothing in the base
    // The figure's text dialog (plain, circular, rich and field texts); true
    // when it ended with OK.
    virtual bool EditText() { return false; }
    // The figure's own property dialog (WordArt, barcode, listings, tables,
    // counter field); true when it ended with OK.
    virtual bool EditProperties() { return false; }
    // The text alignment the alignment dialog starts from; false when the
    // figure has none.
    virtual bool GetAlignment(uint8_t& horizontal, uint8_t& vertical) const { return false; }
    // The font the font dialog starts from: a figure sets what it has
    // (a rich text only a name that is not empty and a size above 0);
    // false when it offers none.
    virtual bool GetFont(TFont& font) const { return false; }
    // True for a picture figure whose picture is a device-independent bitmap
    // (not a metafile): the picture filters work on it.
    virtual bool HasBitmapPicture() const { return false; }
    // The id of the field a field-text figure shows; empty for all others.
    virtual std::string GetFieldId() const { return {}; }
    // Binds a field-text figure to the field with the id; false for all others.
    virtual bool SetFieldId(const std::string& id) { return false; }

    // ---- helpers of the design and the figure classes
    TScaleCanvas& WindowCanvas() const;
    void InvalidateDeviceRect(const TRect& r);
    // True when a handle was hit and dragged.
    bool TrackerMouseDown(int32_t x, int32_t y);
    // The tracker cursor under the point, 0 when no handle is there.
    int32_t GetTrackerCursor(int32_t x, int32_t y);
    // kCursorMoveFigure over the figure, else 0.
    int32_t HitTestCode(int32_t x, int32_t y);
    // The print and export entry: a sheet printed turned by 90 degrees draws
    // the figure at (CenterY, -CenterX), turned by -90; the figure keeps its
    // exact place afterwards, also when drawing fails.
    void DrawToSheetCanvas(TScaleCanvas& canvas);
    // The clip ring of round labels (see ChildBase.h).
    void SelectClipRing();
    bool InClipRing(TScaleCanvas& canvas) const;
    void SelectClipRingOn(TScaleCanvas& canvas) const;
    // Drawn extent in mm, measured on the measuring canvas.
    double GetExtentWidth() const;
    double GetExtentHeight() const;
    double GetExtentLeft() const;
    double GetExtentRight() const;
    double GetExtentTop() const;
    double GetExtentBottom() const;
    void SetExtentLeft(double v);
    void SetExtentRight(double v);
    void SetExtentTop(double v);
    void SetExtentBottom(double v);
    uint8_t ElementCode() const { return ElementCodeOfKind(Kind); }

    // ---- fields
    TMMWindowBase* Window = nullptr;  // never null: the detached surface when there is no owner
    double CenterX = 0, CenterY = 0;
    double Width = 0, Height = 0;
    // Stored, snapshotted and copied; nothing else uses them.
    double Reserved1 = 0, Reserved2 = 0;
    double Angle = 0;
    TTransform Transform;
    std::unique_ptr<TCustomTracker> Tracker;
    TRect OldBounds;
    TChildBase* Owner = nullptr;
    TFigureKind Kind = TFigureKind::Figure;
    bool Selected = false;

protected:
    // Draws the figure itself on the canvas, in the canvas's device units:
    // what every drawing entry draws once its rules let it.
    virtual void DrawOn(TScaleCanvas& canvas) = 0;
    // Whether the two device rectangles overlap (what drawing checks first).
    static bool Meets(const TRect& a, const TRect& b) { return !gdi::IntersectRect(a, b).IsEmpty(); }
    // The position dialog with the flags; the four values are clamped to
    // [-limit, limit] and go through the setters.
    bool EditPositionWith(uint8_t flags, double limit);
    // The owner's update rectangle; everything when there is no owner.
    TRect OwnerUpdateRect() const;
    // True when the clip ring applies now (owner's switch, not GroupDrawing).
    bool ClipRingApplies() const;
    TPoint DeviceCenter(const TCustomScaler& scaler) const;
};

// The drawing surface of figures without owner: the measuring canvas,
// nothing is ever shown.
TMMWindowBase& DetachedSurface();

// Device conversions of millimetre values that are doubles: values beyond
// the single range stop at its ends, so no infinite value reaches the
// integer rounding.
float SingleOf(double v);
int32_t DevX(const TCustomScaler& scaler, double x);
int32_t DevY(const TCustomScaler& scaler, double y);
int32_t DevLength(const TCustomScaler& scaler, double length);

