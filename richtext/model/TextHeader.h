#pragma once
// TTextHeader: the page settings and document-wide tables of a rich text:
// page setup (paper, orientation, margins, header and footer distances), the
// colour table (256 entries), the font table (255 entries used), the tab-stop
// table (64 slots with their sort order), the options that steer reading and
// writing, and the page metrics in layout pixels. All lengths are twips
// (1/1440 inch); pixel values follow from the layout resolution, which the
// layout layer sets.

#include <array>
#include <cstdint>
#include <functional>
#include <string>

// ---- units and papers

int32_t CmToTwips(double cm);     // round(cm * 566.929), ties to even
int32_t InchToTwips(double inch); // round(inch * 1440)
double TwipsToCm(int32_t twips);

enum TRtPageSettings : uint8_t { rt_Custom, rt_Letter, rt_Legal, rt_Executive, rt_DinA3, rt_DinA4, rt_DinA5, rt_DinA6 };

struct TRtPageDef {
    int32_t paperCode;
    uint8_t inCm;  // 1: sizes in centimetres, 0: inches
    float width;
    float height;
    const char* name;
    int32_t WidthTwips() const;
    int32_t HeightTwips() const;
};
extern const std::array<TRtPageDef, 8> kRtPaperTable;

// The paper code of a page size in twips (index: its row of the paper
// table), or -1 with index 0 when no standard paper matches.
int32_t PaperSizeFromTwips(int32_t width, int32_t height, int32_t& index);

// ---- options

enum TRtUnit : uint8_t { UnitCm, UnitIn, UnitPt, UnitPix };

enum TOneStoreOption : uint8_t {
    soNoColorTableInRTF, soNoPageFormatInRTF, soHardLineBreaks, soNoNULLChar, soNoNumberCompatibilityText,
    soOnlyNumberCompatibilityText, soSimpleNumberCompatibilityText, soNoOutlineStyleTable,
    soOldStyleOutlineStyleTable, soNoHeaderText, soNoFooterText, soWordwrapInformation, soPagebreakInformation,
    soNewParInTableCell, soNoShadingInformation, soNoStyleTable, soAllStylesInCollection, soANSIFormfeedCode,
    soWordHyperLinkFormat, soNoRTFVariables, soDontRenameToBAKFile, soDontDeleteBAKFile,
    soWriteObjectsAsRTFBinary,
};
enum TOneHTMLStoreOption : uint8_t {
    soOnlyHTMLBody, soNoBasefontTag, soAllFontInformation, soNoSPANBackgroundColor, soOnlyFieldTags,
};
enum TOneLoadOption : uint8_t {
    loIgnoreDefaultTabstop, loIgnorePageSize, loIgnoreHeaderFooter, loDontAddRTFVariables, loIgnorePageMargins,
    loIgnoreOutlineStyles, loIgnoreFonts, loIgnoreFontSize, soIgnoreWordwrapInformation, loIgnoreColorTable,
    loPrintHeaderFooterParameter, loApplyParagraphStylesAfterReading, loAddReadParagraphStyles,
    loDontAddReadParagraphStyleNames, loOverwriteParagraphStyleAttr, loDontLockAttrDifferentToStyle,
    loANSIFormfeedCode, loOnlyListText,
};
// The bit of a set element.
constexpr uint32_t OptionBit(uint8_t element) { return 1u << element; }

// ---- tables

struct TRtColorEntry {
    uint8_t red = 0;
    uint8_t green = 0;
    uint8_t blue = 0;
    uint8_t inUse = 0;
    uint32_t Rgb() const { return red | uint32_t(green) << 8 | uint32_t(blue) << 16; }
};

struct TRtFontEntry {
    std::string name;         // empty: a free slot
    int32_t familyPitch = 0;  // the family in bits 4 to 7
    int32_t charset = -1;     // -1: any
};

struct TRtTabSlot {
    int32_t position = 0;    // twips; 0: a free slot
    int32_t positionPx = 0;  // layout pixels
    uint8_t kind = 0;        // 0 left, 1 right, 2 centre, 3 decimal (4: the default kind, on input only)
    friend bool operator==(const TRtTabSlot&, const TRtTabSlot&) = default;
};

constexpr int kFontCount = 255;
constexpr int kColorCount = 256;
constexpr int kTabSlots = 64;
constexpr uint8_t kTabKindDefault = 4;

class TTextHeader {
public:
    TTextHeader();
    ~TTextHeader();
    TTextHeader(const TTextHeader&) = delete;
    TTextHeader& operator=(const TTextHeader&) = delete;

    // ---- stored defaults (published)
    int32_t DefaultPageWidth = 12240;
    int32_t DefaultPageHeight = 15840;
    int32_t DefaultTopMargin = 1440;
    int32_t DefaultBottomMargin = 1440;
    int32_t DefaultRightMargin = 1880;
    int32_t DefaultLeftMargin = 1880;
    bool DefaultLandscape = false;
    int32_t DefaultMarginHeader = 720;
    int32_t DefaultMarginFooter = 720;
    bool RoundTabs = true;
    int32_t RoundTabsDivForInch = 90;
    int32_t RoundTabsDivForCm = 144;
    TRtUnit UsedUnit = UnitCm;
    uint32_t StoreOptions = 0;
    uint8_t HTMLStoreOptions = 0;
    uint32_t LoadOptions = 0;
    char DecimalTabChar = 0;
    bool PrintHeaderFooterInPageMargins = true;
    // Set while the document keeps character attributes.
    bool RichMode = false;

    // ---- resolutions, set by the layout layer
    int32_t DisplayResX = 0;
    int32_t DisplayResY = 0;
    int32_t LayoutResX = 0;
    int32_t LayoutResY = 0;
    int32_t FontResolution = 0;
    int32_t PageGap = 282;  // twips between pages in page view

    // ---- derived metrics in layout pixels
    int32_t TextAreaWidthPx = 0;
    int32_t TextAreaHeightPx = 0;
    int32_t DefaultTabstopPx = 0;
    int32_t PageWidthPx = 0;
    int32_t PageHeightPx = 0;
    int32_t LeftMarginPx = 0;
    int32_t RightMarginPx = 0;
    int32_t TopMarginPx = 0;
    int32_t BottomMarginPx = 0;
    int32_t MarginHeaderPx = 0;
    int32_t MarginFooterPx = 0;

    // ---- tables
    std::array<TRtColorEntry, kColorCount> Colors{};
    std::array<TRtFontEntry, kFontCount + 1> Fonts{};
    std::array<TRtTabSlot, kTabSlots> Tabs{};
    std::array<int32_t, kTabSlots> TabOrder{};  // slots by ascending position, free slots last
    uint64_t LastTabSet = 0;      // slots that the last AddTab found or added
    uint64_t CurrentParTabs = 0;  // the cursor paragraph's tabs, for the ruler
    uint8_t DefaultTabKind = 0;   // the kind that input kind 4 stands for
    // Set by a caller before AddTab to keep a position unrounded; AddTab clears it.
    bool NoTabRounding = false;

    // Called with 1 after each announced change; the owning document sets it.
    std::function<void(int)> OnChange;
    // Called when a tab must be added and all 64 slots are in use.
    std::function<void()> OnTabTableFull;

    // ---- page geometry: width and height in the orientation of the page
    int32_t StoredPageWidth() const { return pageWidth_; }
    int32_t StoredPageHeight() const { return pageHeight_; }
    // The paper's portrait width and height.
    int32_t PageWidth() const { return landscape_ ? pageHeight_ : pageWidth_; }
    int32_t PageHeight() const { return landscape_ ? pageWidth_ : pageHeight_; }
    void SetPageWidth(int32_t twips);
    void SetPageHeight(int32_t twips);
    int32_t LeftMargin() const { return leftMargin_; }
    int32_t RightMargin() const { return rightMargin_; }
    int32_t TopMargin() const { return topMargin_; }
    int32_t BottomMargin() const { return bottomMargin_; }
    void SetLeftMargin(int32_t twips);
    void SetRightMargin(int32_t twips);
    void SetTopMargin(int32_t twips);
    void SetBottomMargin(int32_t twips);
    int32_t MarginHeader() const { return marginHeader_; }
    int32_t MarginFooter() const { return marginFooter_; }
    void SetMarginHeader(int32_t twips) { marginHeader_ = twips; }
    void SetMarginFooter(int32_t twips) { marginFooter_ = twips; }
    bool Landscape() const { return landscape_; }
    void SetLandscape(bool landscape);
    bool MarginMirror() const { return marginMirror_; }
    void SetMarginMirror(bool mirror);
    int32_t DefaultTabstop() const { return defaultTabstop_; }
    void SetDefaultTabstop(int32_t twips);
    TRtPageSettings DefaultPageSize() const { return defaultPageSize_; }
    void SetDefaultPageSize(TRtPageSettings size);
    TRtPageSettings PageSize() const { return pageSize_; }
    void SetPageSize(TRtPageSettings size);

    bool HasStoreOption(TOneStoreOption o) const { return StoreOptions & OptionBit(o); }
    bool HasLoadOption(TOneLoadOption o) const { return LoadOptions & OptionBit(o); }

    void ResetToDefaults();
    void Assign(const TTextHeader& source);
    void AssignPageLayout(const TTextHeader& source);
    // Not nested: one EndUpdate ends any number of BeginUpdate, then announces.
    void BeginUpdate() { updateLock_ = true; }
    void EndUpdate();
    bool Updating() const { return updateLock_; }
    void Changed();
    void SwapOrientation();
    void UpdatePixelMetrics();
    void UpdateTabPixels();

    int32_t GetFontIndex(const std::string& name) { return FindOrAddFont(name, -1); }
    int32_t FindOrAddFont(const std::string& name, int32_t charset);
    bool FindOrAddColor(uint32_t color, bool extended, int32_t& index);

    int32_t AddTab(int32_t position, uint8_t kind);
    int32_t FindTab(int32_t position, uint8_t kind) const;
    int32_t RoundTabPosition(int32_t position) const;
    void SortTabs();
    void ClearTabs();

private:
    bool updateLock_ = false;
    TRtPageSettings defaultPageSize_ = rt_Custom;
    TRtPageSettings pageSize_ = rt_Custom;
    int32_t pageWidth_ = 0;
    int32_t pageHeight_ = 0;
    int32_t leftMargin_ = 0;
    int32_t rightMargin_ = 0;
    int32_t topMargin_ = 0;
    int32_t bottomMargin_ = 0;
    int32_t defaultTabstop_ = 0;
    int32_t marginHeader_ = 0;
    int32_t marginFooter_ = 0;
    bool landscape_ = false;
    bool marginMirror_ = false;

    int32_t TakeFreeTabSlot(int32_t position, uint8_t kind);
};
