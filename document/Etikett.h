#pragma once
// The label-sheet definition of a document: the page, the grid of equal labels
// on it, the article that names the stationery, the corner radius and cut-mark
// scheme, and the view flags (landscape, back side, turned).
//
// From the name and article it derives, whenever either changes, the guide
// outlines drawn behind every label, the capability flags of the article
// (orientation locked, may be turned, has a back side), the named zoom and clip
// regions of the sheet and the design-wizard data. These are never stored.
//
// Labels are numbered row by row from 1: label n lies in column (n - 1) mod
// Columns and row (n - 1) div Columns, at MarginLeft + column x (LabelWidth +
// GapX), MarginTop + row x (LabelHeight + GapY), in mm on the portrait page.
//
// The document file keeps the sheet as one block of tagged values (a current
// form beginning with "<EtiVersion2>" and an older one); the user's own label
// types are kept in the settings as 14-item comma texts. A block or settings
// text whose grid or sizes no sheet can have is refused as a whole.

#include "document/MMRgn.h"
#include "document/Wasserzeichen.h"
#include "document/WizDlgDaten.h"
#include "foundation/Exceptions.h"
#include "foundation/ScaleCanvas.h"

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

class TEtikettFiler;
struct TStationeryProduct;

// A sheet block whose grid or sizes no sheet can have (the "IDS_INVALIDSHEET" text).
ZORBIT_DECLARE_EXCEPTION(EInvalidSheet, EReadError);

constexpr uint8_t kCapabilityOrientationLocked = 1;
constexpr uint8_t kCapabilityMayTurn = 2;
constexpr uint8_t kCapabilityBackSide = 4;

// What a sheet may hold: 1 to 1000 labels each way and at most 10000 in all
// (the definition dialog allows 100 x 100), labels and page above 0 and at
// most ten metres, margins and gaps finite within ten metres.
constexpr int32_t kMaxSheetGrid = 1000;
constexpr int64_t kMaxSheetLabels = 10000;
constexpr float kMaxSheetLength = 10000;

class TEtikett {
public:
    static constexpr const char* kBlockMarker = "<EtiVersion2>";
    static constexpr const char* kExtraTextMarker = "@@@";
    static constexpr uint8_t kSheetElementCode = 3;

    TEtikett();
    TEtikett(const TEtikett&) = delete;
    TEtikett& operator=(const TEtikett&) = delete;

    void SetDefaults();
    // Copies every stored value as it is (no capability rules), FreeDesigns
    // too, then derives the rest anew.
    void Assign(const TEtikett& source);
    // Same lengths, grid, page, name and article (exact comparison).
    bool IsSameGeometry(const TEtikett& other) const;

    void SetName(const std::string& value);
    void SetArtikel(const std::string& value);
    void SetLabelWidth(float value);
    void SetLabelHeight(float value);
    void SetMarginLeft(float value);
    void SetMarginTop(float value);
    void SetGapX(float value);
    void SetGapY(float value);
    void SetColumns(int32_t value);
    void SetRows(int32_t value);
    void SetOptionFlag(uint8_t value);
    // 0 instead when the article locks the orientation.
    void SetOrientation(uint8_t value);  // any value but 0 stores 1
    void SetPageWidth(float value);
    void SetPageHeight(float value);
    // 0 instead unless the article may be turned; the zoom regions follow.
    void SetSheetTurned(uint8_t value);
    // 0 instead unless the article has a back side.
    void SetBackSide(uint8_t value);
    // Only the constructor calls it (with 0): clears the flags the value forbids.
    void SetCapabilities(uint8_t value);

    const std::string& GetName() const { return Name; }
    // The part of the name before its first blank; empty without a blank.
    std::string GetNameFirstWord() const;
    const std::string& GetShapeKey() const { return Guides.ShapeKey; }

    // The column and row (from 0) of label n (from 1), and its rectangle on the
    // portrait page in mm.
    void GetLabelCell(int32_t n, int32_t& column, int32_t& row) const;
    TFloatRect GetLabelRectMM(int32_t n) const;
    // A text naming the first value that no sheet can have; empty when the
    // geometry is sound.
    std::string GeometryProblem() const;

    void UpdateDerivedData();
    // Rebuilds the zoom regions alone (their names are localised).
    void UpdateZoomRegions() { BuildZoomRegions(); }

    // ---- persistence
    // The untagged element code 3, then the block.
    void SaveToFiler(TEtikettFiler& filer) const;
    void WriteBlock(TEtikettFiler& filer) const;
    // One block of either form (the element code is already read). Raises the
    // filer's read error when it ends early and EInvalidSheet when its values
    // are no sheet; the sheet is unchanged then.
    void LoadFromFiler(TEtikettFiler& filer);
    // The 14-item comma text of a named definition, as one string value.
    void SaveToSettings(const std::string& section, const std::string& key) const;
    // False, with the defaults, when the value is missing or malformed.
    bool LoadFromSettings(const std::string& section, const std::string& key);
    std::string SettingsText() const;
    bool ApplySettingsText(const std::string& text);
    // "@@@Eckradius=...[,Schnittmarke=...]" behind the article in the block.
    std::string GetExtraText() const;
    // Splits the extra text off Artikel into CornerRadius and CutMarkScheme.
    void ParseExtraText();
    static size_t ExtraTextStart(const std::string& article);

    // ---- drawing (device coordinates from the scaler's conversions)
    // The label whose top-left corner is at the scaler's origin (width and
    // height exchanged in landscape).
    gdi::Rect GetLabelRect(const TCustomScaler& scaler) const;
    // The label at the origin with its guides, optionally on a drop shadow.
    void DrawLabelFace(TScaleCanvas& canvas, bool withShadow);
    void DrawLabelGuides(TScaleCanvas& canvas);
    // The diameter in mm of the centre hole of a label that is a ring (the
    // discs of a sheet of single discs), 0 for every other label.
    float LabelHoleDiameter() const { return Guides.RingHoleDiameter(LabelWidth, LabelHeight); }
    // The device region of the label's outline at the origin, when it has one.
    std::optional<gdi::Region> CreateLabelClipRegion(TScaleCanvas& canvas);
    void DrawLabelCell(gdi::Canvas& canvas, const gdi::Rect& rect);
    // The page and every label of the grid (cells outside the canvas's clip
    // box are skipped); only the page when the geometry is not sound.
    void DrawSheet(TScaleCanvas& canvas);
    // The clip zones of every clip region, in list order (discs without their holes).
    void BuildClipRegions(const TScaleCanvas& canvas, std::vector<TClipZone>& zones) const;
    void DrawCutMarks(TScaleCanvas& canvas) const;

    // ---- the definition
    std::string Name;
    std::string Artikel;
    float LabelWidth = 210;
    float LabelHeight = 297;
    float MarginLeft = 0;
    float MarginTop = 0;
    float GapX = 0;
    float GapY = 0;
    int32_t Columns = 1;
    int32_t Rows = 1;
    uint8_t Orientation = 0;  // 0 portrait, 1 landscape
    uint8_t OptionFlag = 0;   // stored and restored; nothing acts on it
    float CornerRadius = 0;
    uint8_t BackSide = 0;
    uint8_t SheetTurned = 0;
    float PageHeight = 297;
    float PageWidth = 210;
    TWasserzeichen Guides;
    uint8_t Capabilities = 0;
    TMMRgnList ZoomRegions;
    TWasserzeichenDIB Background;
    // Any number of designs may be added when set (else Columns x Rows). Never stored.
    uint8_t FreeDesigns = 0;
    TWizDlgDaten WizardData;
    std::string CutMarkScheme;

private:
    struct BlockValues;
    // Stores a value of the geometry; the designs are limited to the grid again.
    template <class T>
    void StoreGeometry(T& field, T value);
    static BlockValues ReadBlock(TEtikettFiler& filer);
    void ApplyBlock(const BlockValues& values);
    void PrepareGuides();
    void BuildZoomRegions();
    void BuildWizardData();
};

// The capability flags of a shape key.
uint8_t ShapeKeyCapabilities(const std::string& shapeKey);

// Makes the sheet definition that of a catalogue product: name and article
// "<brand> <part>", page, grid and corner radius (round labels get half their
// diameter). Products of a special sheet that is designed as one page become
// one label the size of the page.
void AssignStationeryProduct(TEtikett& sheet, const TStationeryProduct& product);
