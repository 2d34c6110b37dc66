#include "richtext/model/TextHeader.h"

#include "foundation/Codepage1252.h"
#include "foundation/Rounding.h"
#include "platform/gdi/GdiTypes.h"
#include "richtext/model/EngineSettings.h"

#include <cstdlib>
#include <utility>

int32_t CmToTwips(double cm) { return Round(cm * 566.929); }
int32_t InchToTwips(double inch) { return Round(inch * 1440.0); }
double TwipsToCm(int32_t twips) { return twips / 566.929; }

const std::array<TRtPageDef, 8> kRtPaperTable = {{
    {-1, 1, 21.0f, 29.0f, "Custom"},
    {1, 0, 8.5f, 11.0f, "Letter 8 1/2 x 11 in"},
    {5, 0, 8.5f, 14.0f, "Legal 8 1/2 x 14 in"},
    {7, 0, 7.25f, 10.5f, "Executive 7.25 x 10.5 in"},
    {8, 1, 29.7f, 42.0f, "DIN A3 297 x 420 mm"},
    {9, 1, 21.0f, 29.7f, "DIN A4 210 x 297 mm"},
    {11, 1, 14.8f, 21.0f, "DIN A5 148 x 210 mm"},
    {70, 1, 10.5f, 14.8f, "DIN A6 105 x 148 mm"},
}};

int32_t TRtPageDef::WidthTwips() const { return inCm ? CmToTwips(width) : InchToTwips(width); }
int32_t TRtPageDef::HeightTwips() const { return inCm ? CmToTwips(height) : InchToTwips(height); }

int32_t PaperSizeFromTwips(int32_t width, int32_t height, int32_t& index) {
    const int32_t a4Nearly = CmToTwips(29.6);
    const int32_t a4Height = CmToTwips(29.7);
    if (std::abs(width - a4Nearly) <= 10) width = a4Height;
    if (std::abs(height - a4Nearly) <= 10) height = a4Height;
    for (int row = 7; row >= 1; --row) {
        const TRtPageDef& def = kRtPaperTable[row];
        if (std::abs(def.WidthTwips() - width) <= 29 && std::abs(def.HeightTwips() - height) <= 29) {
            index = row;
            return def.paperCode;
        }
    }
    index = 0;
    return -1;
}

namespace {

constexpr uint32_t kFixedColors[16] = {
    0x000000, 0x0000FF, 0x008000, 0xFF0000, 0x00FFFF, 0xFF00FF, 0x800080, 0x000080,
    0x00FF00, 0xFFFF00, 0x808000, 0x800000, 0xFFFFFF, 0xC0C0C0, 0x808080, 0x000000,
};

constexpr int32_t kFreeTabSortKey = 0xFFFFFF;
constexpr int32_t kMinHeaderFooterDistance = 254;

TRtColorEntry ColorEntry(uint32_t rgb, bool inUse) {
    return {static_cast<uint8_t>(rgb & 0xFF), static_cast<uint8_t>((rgb >> 8) & 0xFF),
            static_cast<uint8_t>((rgb >> 16) & 0xFF), static_cast<uint8_t>(inUse ? 1 : 0)};
}

int32_t ColorDistance(uint32_t a, uint32_t b) {
    const int32_t dr = int32_t(a & 0xFF) - int32_t(b & 0xFF);
    const int32_t dg = int32_t((a >> 8) & 0xFF) - int32_t((b >> 8) & 0xFF);
    const int32_t db = int32_t((a >> 16) & 0xFF) - int32_t((b >> 16) & 0xFF);
    return dr * dr + dg * dg + db * db;
}

bool IsSymbolFontName(const std::string& name) {
    return SameTextAscii(name, "wingdings") || SameTextAscii(name, "webdings") || SameTextAscii(name, "symbol");
}

}  // namespace

TTextHeader::TTextHeader() {
    StoreOptions = OptionBit(soAllStylesInCollection) | OptionBit(soWordHyperLinkFormat) |
                   OptionBit(soWriteObjectsAsRTFBinary);
    LoadOptions = OptionBit(loAddReadParagraphStyles) | OptionBit(loOverwriteParagraphStyleAttr);
    for (int i = 0; i < kTabSlots; ++i) TabOrder[i] = i;
    ResetToDefaults();
}

TTextHeader::~TTextHeader() { ClearTabs(); }

// ---- page geometry

void TTextHeader::SetPageWidth(int32_t twips) {
    (landscape_ ? pageHeight_ : pageWidth_) = twips;
    defaultPageSize_ = rt_Custom;
    Changed();
}

void TTextHeader::SetPageHeight(int32_t twips) {
    (landscape_ ? pageWidth_ : pageHeight_) = twips;
    defaultPageSize_ = rt_Custom;
    Changed();
}

void TTextHeader::SetLeftMargin(int32_t twips) {
    leftMargin_ = twips;
    Changed();
}

void TTextHeader::SetRightMargin(int32_t twips) {
    rightMargin_ = twips;
    Changed();
}

void TTextHeader::SetTopMargin(int32_t twips) {
    topMargin_ = twips;
    Changed();
}

void TTextHeader::SetBottomMargin(int32_t twips) {
    bottomMargin_ = twips;
    Changed();
}

void TTextHeader::SetMarginMirror(bool mirror) {
    marginMirror_ = mirror;
    Changed();
}

void TTextHeader::SetLandscape(bool landscape) {
    if (landscape != landscape_) SwapOrientation();
    Changed();
}

void TTextHeader::SetDefaultTabstop(int32_t twips) {
    defaultTabstop_ = twips;
    DefaultTabstopPx = MulDiv(twips, LayoutResX, 1440);
    Changed();
}

void TTextHeader::SetDefaultPageSize(TRtPageSettings size) {
    if (size != rt_Custom && size < kRtPaperTable.size()) {
        DefaultPageWidth = kRtPaperTable[size].WidthTwips();
        DefaultPageHeight = kRtPaperTable[size].HeightTwips();
    }
    defaultPageSize_ = size;
}

void TTextHeader::SetPageSize(TRtPageSettings size) {
    if (size != rt_Custom && size < kRtPaperTable.size()) {
        SetPageWidth(kRtPaperTable[size].WidthTwips());
        SetPageHeight(kRtPaperTable[size].HeightTwips());
    }
    pageSize_ = size;
}

void TTextHeader::SwapOrientation() {
    std::swap(pageWidth_, pageHeight_);
    landscape_ = !landscape_;
    UpdatePixelMetrics();
}

void TTextHeader::UpdatePixelMetrics() {
    int32_t h = LayoutResX;
    int32_t v = LayoutResY;
    if (landscape_) std::swap(h, v);
    PageWidthPx = MulDiv(pageWidth_, h, 1440);
    LeftMarginPx = MulDiv(leftMargin_, h, 1440);
    RightMarginPx = MulDiv(rightMargin_, h, 1440);
    PageHeightPx = MulDiv(pageHeight_, v, 1440);
    TopMarginPx = MulDiv(topMargin_, v, 1440);
    BottomMarginPx = MulDiv(bottomMargin_, v, 1440);
    if (marginHeader_ < kMinHeaderFooterDistance) marginHeader_ = kMinHeaderFooterDistance;
    if (marginFooter_ < kMinHeaderFooterDistance) marginFooter_ = kMinHeaderFooterDistance;
    MarginHeaderPx = MulDiv(marginHeader_, v, 1440);
    MarginFooterPx = MulDiv(marginFooter_, v, 1440);
    TextAreaWidthPx = PageWidthPx - LeftMarginPx - RightMarginPx;
    TextAreaHeightPx = PageHeightPx - TopMarginPx - BottomMarginPx;
}

void TTextHeader::UpdateTabPixels() {
    DefaultTabstopPx = MulDiv(defaultTabstop_, LayoutResX, 1440);
    for (TRtTabSlot& tab : Tabs) tab.positionPx = MulDiv(tab.position, LayoutResX, 1440);
    TextAreaWidthPx = MulDiv(pageWidth_ - leftMargin_ - rightMargin_, LayoutResX, 1440);
    TextAreaHeightPx = MulDiv(pageHeight_ - topMargin_ - bottomMargin_, LayoutResY, 1440);
}

void TTextHeader::EndUpdate() {
    updateLock_ = false;
    Changed();
}

void TTextHeader::Changed() {
    if (updateLock_) return;
    UpdatePixelMetrics();
    if (OnChange) OnChange(1);
}

void TTextHeader::ResetToDefaults() {
    for (int i = 1; i < kFontCount; ++i) Fonts[i].name.clear();
    for (int i = 0; i < kTabSlots; ++i) TabOrder[i] = i;
    DefaultPageWidth = std::max(DefaultPageWidth, DefaultLeftMargin + DefaultRightMargin + 100);
    DefaultPageHeight = std::max(DefaultPageHeight, DefaultTopMargin + DefaultBottomMargin + 100);
    pageWidth_ = DefaultPageWidth;
    pageHeight_ = DefaultPageHeight;
    topMargin_ = DefaultTopMargin;
    bottomMargin_ = DefaultBottomMargin;
    rightMargin_ = DefaultRightMargin;
    leftMargin_ = DefaultLeftMargin;
    marginHeader_ = DefaultMarginHeader;
    marginFooter_ = DefaultMarginFooter;
    landscape_ = false;
    if (DefaultLandscape) SwapOrientation();
    UpdatePixelMetrics();
    Colors.fill(TRtColorEntry{});
    for (int i = 0; i < 16; ++i) Colors[i] = ColorEntry(kFixedColors[i], true);
    if (defaultTabstop_ == 0) defaultTabstop_ = 720;
    DefaultTabKind = 0;
}

void TTextHeader::Assign(const TTextHeader& source) {
    StoreOptions = source.StoreOptions;
    HTMLStoreOptions = source.HTMLStoreOptions;
    LoadOptions = source.LoadOptions;
    ResetToDefaults();
    for (int i = 0; i < kFontCount; ++i) {
        if (!source.Fonts[i].name.empty()) Fonts[i] = source.Fonts[i];
    }
    Tabs = source.Tabs;
    TabOrder = source.TabOrder;
    AssignPageLayout(source);
}

void TTextHeader::AssignPageLayout(const TTextHeader& source) {
    Colors = source.Colors;
    pageWidth_ = source.pageWidth_;
    pageHeight_ = source.pageHeight_;
    leftMargin_ = source.leftMargin_;
    rightMargin_ = source.rightMargin_;
    topMargin_ = source.topMargin_;
    bottomMargin_ = source.bottomMargin_;
    defaultTabstop_ = source.defaultTabstop_;
    marginHeader_ = source.marginHeader_;
    marginFooter_ = source.marginFooter_;
    landscape_ = source.landscape_;
    marginMirror_ = source.marginMirror_;
    DefaultPageWidth = source.DefaultPageWidth;
    DefaultPageHeight = source.DefaultPageHeight;
    DefaultTopMargin = source.DefaultTopMargin;
    DefaultBottomMargin = source.DefaultBottomMargin;
    DefaultRightMargin = source.DefaultRightMargin;
    DefaultLeftMargin = source.DefaultLeftMargin;
    DefaultMarginHeader = source.DefaultMarginHeader;
    DefaultMarginFooter = source.DefaultMarginFooter;
    PrintHeaderFooterInPageMargins = source.PrintHeaderFooterInPageMargins;
    DefaultTabstopPx = MulDiv(defaultTabstop_, LayoutResX, 1440);
    Changed();
}

// ---- fonts and colours

int32_t TTextHeader::FindOrAddFont(const std::string& name, int32_t charset) {
    const bool namesOnly = RtEngine().FontNamesOnly;
    for (int i = 0; i < kFontCount; ++i) {
        const TRtFontEntry& f = Fonts[i];
        if (!SameTextAscii(f.name, name)) continue;
        if (namesOnly || f.charset == charset || f.charset == -1 || charset == -1) return i;
    }
    for (int i = 0; i < kFontCount; ++i) {
        if (!Fonts[i].name.empty()) continue;
        Fonts[i].name = name;
        Fonts[i].charset = IsSymbolFontName(name) ? 2 : charset;
        return i;
    }
    return 0;
}

bool TTextHeader::FindOrAddColor(uint32_t color, bool extended, int32_t& index) {
    index = -1;
    const uint32_t rgb = gdi::ResolveColor(color) & 0x00FFFFFF;
    if (rgb == 0 || rgb == (RtEngine().DefaultTextColor & 0x00FFFFFF)) {
        index = 0;
        return true;
    }
    const int last = extended ? kColorCount - 1 : 15;
    bool freeSeen = false;
    int32_t best = INT32_MAX;
    for (int i = 0; i <= last; ++i) {
        if (!(Colors[i].inUse || (extended && i <= 15))) {
            freeSeen = true;
            continue;
        }
        const int32_t d = ColorDistance(Colors[i].Rgb(), rgb);
        if (d < best) {
            best = d;
            index = i;
            if (d == 0) break;
        }
    }
    if (index >= 0 && (!freeSeen || best <= 256)) {
        Colors[index].inUse = 1;
        return true;
    }
    const int first = extended ? 17 : 1;
    for (int i = first; i <= last; ++i) {
        if (Colors[i].inUse) continue;
        Colors[i] = ColorEntry(rgb, true);
        index = i;
        return true;
    }
    return false;
}

// ---- tabs

int32_t TTextHeader::FindTab(int32_t position, uint8_t kind) const {
    for (int i = 0; i < kTabSlots; ++i) {
        if (Tabs[i].position == position && (kind == kTabKindDefault || Tabs[i].kind == kind)) return i;
    }
    return -1;
}

int32_t TTextHeader::RoundTabPosition(int32_t p) const {
    if (!RoundTabs || LayoutResX <= 0) return p;
    int32_t s = 0;
    if (UsedUnit != UnitCm && RoundTabsDivForInch != 0) s = RoundTabsDivForInch;
    if (UsedUnit == UnitCm && RoundTabsDivForCm != 0) s = RoundTabsDivForCm;
    if (s <= 0) return p;
    p = (p > 4 && p < s) ? s + 1 : p + s / 2;
    const int32_t r = p - p % s;
    const int32_t w = PageWidth() - LeftMargin() - RightMargin();
    return std::abs(r - w) <= s ? w : r;
}

int32_t TTextHeader::TakeFreeTabSlot(int32_t position, uint8_t kind) {
    for (int i = 0; i < kTabSlots; ++i) {
        if (Tabs[i].position != 0) continue;
        Tabs[i].position = position;
        Tabs[i].positionPx = MulDiv(position, LayoutResX, 1440);
        Tabs[i].kind = kind == kTabKindDefault ? DefaultTabKind : kind;
        LastTabSet |= uint64_t(1) << i;
        SortTabs();
        return i;
    }
    return -1;
}

int32_t TTextHeader::AddTab(int32_t position, uint8_t kind) {
    LastTabSet = 0;
    int32_t slot = -1;
    if (position > 0) {
        slot = FindTab(position, kind);
        if (slot < 0 && !NoTabRounding) {
            position = RoundTabPosition(position);
            if (position > 0) slot = FindTab(position, kind);
        }
        if (position > 0) {
            if (slot >= 0) {
                LastTabSet |= uint64_t(1) << slot;
            } else {
                slot = TakeFreeTabSlot(position, kind);
                if (slot < 0 && OnTabTableFull) {
                    OnTabTableFull();
                    slot = TakeFreeTabSlot(position, kind);
                }
            }
        }
    }
    NoTabRounding = false;
    return slot;
}

void TTextHeader::SortTabs() {
    for (int i = 0; i < kTabSlots; ++i) TabOrder[i] = i;
    auto key = [this](int32_t slot) { return Tabs[slot].position == 0 ? kFreeTabSortKey : Tabs[slot].position; };
    bool swapped = true;
    while (swapped) {
        swapped = false;
        for (int i = 0; i + 1 < kTabSlots; ++i) {
            if (key(TabOrder[i]) > key(TabOrder[i + 1])) {
                std::swap(TabOrder[i], TabOrder[i + 1]);
                swapped = true;
            }
        }
    }
}

void TTextHeader::ClearTabs() {
    Tabs.fill(TRtTabSlot{});
    for (int i = 0; i < kTabSlots; ++i) TabOrder[i] = i;
}
