#include "document/Etikett.h"

#include "document/CommaText.h"
#include "document/CutMarks.h"
#include "document/EtikettFiler.h"
#include "document/Stationery.h"
#include "foundation/Codepage1252.h"
#include "foundation/Debug.h"
#include "foundation/ExportCanvas.h"
#include "foundation/GeneralHelpers.h"
#include "foundation/Localizer.h"
#include "foundation/RGBHSL.h"
#include "foundation/ZRRegIniFile.h"

#include <QtCore/QLocale>

#include <algorithm>
#include <array>
#include <cmath>

namespace {

constexpr const char* kDefaultName = "Standard";
constexpr const char* kDefaultArtikel = "DIN A4 Seite";
constexpr float kA4Width = 210;
constexpr float kA4Height = 297;
constexpr int kSettingsItems = 14;
constexpr float kShadowOffset = 2;
constexpr double kShadowFactor = 0.93;

struct SheetGeometry {
    float labelWidth, labelHeight, marginLeft, marginTop, gapX, gapY;
    int32_t columns, rows;
    float pageWidth, pageHeight;
};

std::string Described(const char* what, double value) {
    return std::string(what) + " = " + std::to_string(value);
}

std::string GeometryProblemOf(const SheetGeometry& g) {
    const auto size = [](float v) { return std::isfinite(v) && v > 0 && v <= kMaxSheetLength; };
    const auto offset = [](float v) { return std::isfinite(v) && std::fabs(v) <= kMaxSheetLength; };
    const auto grid = [](int32_t n) { return n >= 1 && n <= kMaxSheetGrid; };
    if (!grid(g.columns)) return Described("columns", g.columns);
    if (!grid(g.rows)) return Described("rows", g.rows);
    if (int64_t{g.columns} * g.rows > kMaxSheetLabels) return Described("labels", double(g.columns) * g.rows);
    if (!size(g.labelWidth)) return Described("label width", g.labelWidth);
    if (!size(g.labelHeight)) return Described("label height", g.labelHeight);
    if (!size(g.pageWidth)) return Described("page width", g.pageWidth);
    if (!size(g.pageHeight)) return Described("page height", g.pageHeight);
    if (!offset(g.marginLeft)) return Described("left margin", g.marginLeft);
    if (!offset(g.marginTop)) return Described("top margin", g.marginTop);
    if (!offset(g.gapX)) return Described("horizontal gap", g.gapX);
    if (!offset(g.gapY)) return Described("vertical gap", g.gapY);
    return {};
}

// A decimal number written with either decimal separator: the locale's form
// first, then a point or a comma as the separator. Documents move between
// machines whose locales differ.
bool ParseDecimal(const std::string& text, double& value) {
    const QString s = AnsiToUnicode(text).trimmed();
    double v = 0;
    bool ok = LocaleTextToFloat(s, v);
    if (!ok) {
        QString plain = s;
        plain.replace(QLatin1Char(','), QLatin1Char('.'));
        v = QLocale::c().toDouble(plain, &ok);
    }
    if (!ok || !std::isfinite(v)) return false;
    value = v;
    return true;
}

bool ParseInteger(const std::string& text, int32_t& value) {
    bool ok = false;
    const int32_t v = AnsiToUnicode(text).trimmed().toInt(&ok, 10);
    if (ok) value = v;
    return ok;
}

QLocale NumberLocale() {
    QLocale locale;
    locale.setNumberOptions(QLocale::OmitGroupSeparator);
    return locale;
}

// At most two decimals, none trailing ("0.##").
std::string TwoDecimalsText(float value) {
    double v = RoundToDecimals(value, 2);
    if (v == 0) v = 0;  // no "-0"
    QString text = NumberLocale().toString(v, 'f', 2);
    const QString separator = NumberLocale().decimalPoint();
    if (text.contains(separator)) {
        while (text.endsWith(QLatin1Char('0'))) text.chop(1);
        if (text.endsWith(separator)) text.chop(separator.size());
    }
    return UnicodeToAnsi(text);
}

// Up to 15 significant digits of the value, no trailing zeros ("0" for zero).
std::string GeneralFloatText(float value) {
    return UnicodeToAnsi(NumberLocale().toString(static_cast<double>(value), 'g', 15));
}

// A corner radius that a label can have: finite, not negative, within the
// sheet sizes. Anything else counts as no radius.
float SoundRadius(double radius) {
    return (radius >= 0 && radius <= kMaxSheetLength) ? static_cast<float>(radius) : 0.0f;
}

}  // namespace

uint8_t ShapeKeyCapabilities(const std::string& shapeKey) {
    if (shapeKey == "QN-2049") return kCapabilityOrientationLocked | kCapabilityMayTurn;
    if (shapeKey == "QN-403X") return kCapabilityOrientationLocked | kCapabilityBackSide;
    if (shapeKey == "QN-2052" || shapeKey == "QN-2071" || shapeKey == "QN-2051" || shapeKey == "QN-4051")
        return kCapabilityOrientationLocked;
    return FindSpecialSheet(shapeKey) ? kCapabilityOrientationLocked : 0;
}

// ---- construction and copying

TEtikett::TEtikett() {
    SetDefaults();
    SetCapabilities(0);
    FreeDesigns = 0;
    PageWidth = kA4Width;
    PageHeight = kA4Height;
}

void TEtikett::SetDefaults() {
    SetOptionFlag(0);
    SetOrientation(0);
    Name = kDefaultName;
    Artikel = kDefaultArtikel;
    PageWidth = kA4Width;
    PageHeight = kA4Height;
    LabelWidth = kA4Width;
    LabelHeight = kA4Height;
    MarginLeft = MarginTop = GapX = GapY = 0;
    Columns = Rows = 1;
    UpdateDerivedData();
    FreeDesigns = 0;
}

void TEtikett::Assign(const TEtikett& source) {
    Name = source.Name;
    Artikel = source.Artikel;
    LabelWidth = source.LabelWidth;
    LabelHeight = source.LabelHeight;
    MarginLeft = source.MarginLeft;
    MarginTop = source.MarginTop;
    GapX = source.GapX;
    GapY = source.GapY;
    Columns = source.Columns;
    Rows = source.Rows;
    Orientation = source.Orientation;
    OptionFlag = source.OptionFlag;
    BackSide = source.BackSide;
    SheetTurned = source.SheetTurned;
    PageWidth = source.PageWidth;
    PageHeight = source.PageHeight;
    CornerRadius = source.CornerRadius;
    FreeDesigns = source.FreeDesigns;
    CutMarkScheme = source.CutMarkScheme;
    UpdateDerivedData();
}

bool TEtikett::IsSameGeometry(const TEtikett& other) const {
    return LabelWidth == other.LabelWidth && LabelHeight == other.LabelHeight && MarginLeft == other.MarginLeft &&
           MarginTop == other.MarginTop && GapX == other.GapX && GapY == other.GapY && Columns == other.Columns &&
           Rows == other.Rows && PageWidth == other.PageWidth && PageHeight == other.PageHeight &&
           Name == other.Name && Artikel == other.Artikel;
}

// ---- setters

template <class T>
void TEtikett::StoreGeometry(T& field, T value) {
    field = value;
    FreeDesigns = 0;
}

void TEtikett::SetName(const std::string& value) {
    Name = value;
    FreeDesigns = 0;
    UpdateDerivedData();
}

void TEtikett::SetArtikel(const std::string& value) {
    Artikel = value;
    FreeDesigns = 0;
    UpdateDerivedData();
}

void TEtikett::SetLabelWidth(float value) {
    StoreGeometry(LabelWidth, value);
}

void TEtikett::SetLabelHeight(float value) {
    StoreGeometry(LabelHeight, value);
}

void TEtikett::SetMarginLeft(float value) {
    StoreGeometry(MarginLeft, value);
}

void TEtikett::SetMarginTop(float value) {
    StoreGeometry(MarginTop, value);
}

void TEtikett::SetGapX(float value) {
    StoreGeometry(GapX, value);
}

void TEtikett::SetGapY(float value) {
    StoreGeometry(GapY, value);
}

void TEtikett::SetColumns(int32_t value) {
    StoreGeometry(Columns, value);
}

void TEtikett::SetRows(int32_t value) {
    StoreGeometry(Rows, value);
}

void TEtikett::SetOptionFlag(uint8_t value) {
    StoreGeometry(OptionFlag, value);
}

void TEtikett::SetOrientation(uint8_t value) {
    // Any other value than 0 from a file or the settings means landscape.
    const uint8_t landscape = value != 0 ? 1 : 0;
    Orientation = (Capabilities & kCapabilityOrientationLocked) ? 0 : landscape;
}

void TEtikett::SetPageWidth(float value) {
    PageWidth = value;
}

void TEtikett::SetPageHeight(float value) {
    PageHeight = value;
}

void TEtikett::SetSheetTurned(uint8_t value) {
    SheetTurned = (Capabilities & kCapabilityMayTurn) ? value : 0;
    UpdateDerivedData();
}

void TEtikett::SetBackSide(uint8_t value) {
    BackSide = (Capabilities & kCapabilityBackSide) ? value : 0;
}

void TEtikett::SetCapabilities(uint8_t value) {
    Capabilities = value;
    if (Capabilities & kCapabilityOrientationLocked) SetOrientation(0);
    if (!(Capabilities & kCapabilityMayTurn)) SetSheetTurned(0);
    if (!(Capabilities & kCapabilityBackSide)) SetBackSide(0);
}

std::string TEtikett::GetNameFirstWord() const {
    const size_t blank = Name.find(' ');
    return blank == std::string::npos ? std::string() : Name.substr(0, blank);
}

// ---- numbering and geometry

void TEtikett::GetLabelCell(int32_t n, int32_t& column, int32_t& row) const {
    if (Columns <= 0 || n <= 0) {
        column = row = 0;
        return;
    }
    column = (n - 1) % Columns;
    row = (n - 1) / Columns;
}

TFloatRect TEtikett::GetLabelRectMM(int32_t n) const {
    int32_t column = 0, row = 0;
    GetLabelCell(n, column, row);
    const float left = MarginLeft + static_cast<float>(column) * (LabelWidth + GapX);
    const float top = MarginTop + static_cast<float>(row) * (LabelHeight + GapY);
    return {left, top, left + LabelWidth, top + LabelHeight};
}

std::string TEtikett::GeometryProblem() const {
    return GeometryProblemOf(
        {LabelWidth, LabelHeight, MarginLeft, MarginTop, GapX, GapY, Columns, Rows, PageWidth, PageHeight});
}

void TEtikett::UpdateDerivedData() {
    Guides.SetShape(Name + " " + Artikel);
    BuildZoomRegions();
    BuildWizardData();
    Capabilities = ShapeKeyCapabilities(Guides.ShapeKey);
}

// ---- the file block

struct TEtikett::BlockValues {
    bool current = false;
    std::string name;
    std::string article;
    std::array<float, 6> lengths{};
    int32_t columns = 0;
    int32_t rows = 0;
    int32_t orientation = 0;
    bool option = false;
    bool backSide = false;
    bool turned = false;
    float pageWidth = kA4Width;
    float pageHeight = kA4Height;
};

void TEtikett::SaveToFiler(TEtikettFiler& filer) const {
    filer.WriteRawByte(kSheetElementCode);
    WriteBlock(filer);
}

void TEtikett::WriteBlock(TEtikettFiler& filer) const {
    filer.WriteTaggedString(kBlockMarker);
    filer.WriteTaggedString(Name);
    filer.WriteTaggedString(Artikel + GetExtraText());
    for (const float v : {LabelWidth, LabelHeight, MarginLeft, MarginTop, GapX, GapY}) filer.WriteTaggedSingle(v);
    filer.WriteTaggedInteger(Columns);
    filer.WriteTaggedInteger(Rows);
    filer.WriteTaggedInteger(Orientation);
    filer.WriteTaggedBoolean(OptionFlag != 0);
    filer.WriteTaggedBoolean(BackSide != 0);
    filer.WriteTaggedBoolean(SheetTurned != 0);
    filer.WriteTaggedSingle(PageWidth);
    filer.WriteTaggedSingle(PageHeight);
}

TEtikett::BlockValues TEtikett::ReadBlock(TEtikettFiler& filer) {
    BlockValues v;
    const std::string first = filer.ReadTaggedString();
    v.current = first == kBlockMarker;
    v.name = v.current ? filer.ReadTaggedString() : first;
    v.article = filer.ReadTaggedString();
    for (float& length : v.lengths) length = filer.ReadTaggedSingle();
    v.columns = filer.ReadTaggedInteger();
    v.rows = filer.ReadTaggedInteger();
    v.orientation = filer.ReadTaggedInteger();
    v.option = filer.ReadTaggedBoolean();
    if (v.current) {
        v.backSide = filer.ReadTaggedBoolean();
        v.turned = filer.ReadTaggedBoolean();
        v.pageWidth = filer.ReadTaggedSingle();
        v.pageHeight = filer.ReadTaggedSingle();
    }
    return v;
}

void TEtikett::LoadFromFiler(TEtikettFiler& filer) {
    const BlockValues v = ReadBlock(filer);
    const std::string problem = GeometryProblemOf({v.lengths[0], v.lengths[1], v.lengths[2], v.lengths[3],
                                                   v.lengths[4], v.lengths[5], v.columns, v.rows, v.pageWidth,
                                                   v.pageHeight});
    if (!problem.empty()) {
        Debug().Log(QStringLiteral("invalid sheet block: ") + QString::fromStdString(problem));
        throw EInvalidSheet(LocalizedFormat("IDS_INVALIDSHEET", {filer.SourceName()}));
    }
    ApplyBlock(v);
}

void TEtikett::ApplyBlock(const BlockValues& v) {
    SetName(v.name);
    SetArtikel(v.article);
    if (v.current) ParseExtraText();
    LabelWidth = v.lengths[0];
    LabelHeight = v.lengths[1];
    MarginLeft = v.lengths[2];
    MarginTop = v.lengths[3];
    GapX = v.lengths[4];
    GapY = v.lengths[5];
    Columns = v.columns;
    Rows = v.rows;
    SetOrientation(static_cast<uint8_t>(v.orientation & 0xFF));
    OptionFlag = v.option ? 1 : 0;
    BackSide = v.backSide ? 1 : 0;
    SheetTurned = v.turned ? 1 : 0;
    PageWidth = v.pageWidth;
    PageHeight = v.pageHeight;
    if (!v.current) {
        static const std::array<std::pair<const char*, const char*>, 4> kOldArticles{{
            {"CDEINLEG", "QN-403X"},
            {"CDEINLEG|S", "QN-403X|S"},
            {"RINGETI", "QN-2049"},
            {"RINGETI|S", "QN-2049|S"},
        }};
        for (const auto& [old, now] : kOldArticles)
            if (Artikel == old) SetArtikel(now);
        const size_t suffix = Artikel.find("|S");
        if (suffix != std::string::npos) {
            if (Artikel == "QN-403X|S") BackSide = 1;
            if (Artikel == "QN-2049|S") SheetTurned = 1;
            SetArtikel(Artikel.substr(0, suffix));
        }
    }
    UpdateDerivedData();
}

std::string TEtikett::GetExtraText() const {
    std::vector<std::string> items{"Eckradius=" + GeneralFloatText(CornerRadius)};
    if (!CutMarkScheme.empty()) items.push_back("Schnittmarke=" + CutMarkScheme);
    return kExtraTextMarker + JoinCommaText(items);
}

// Where the extra text begins: at the last marker followed by the radius item,
// which every block written begins its extra text with, so that an article
// that holds the marker or ends in "@" itself comes back whole; otherwise at
// the first marker.
size_t TEtikett::ExtraTextStart(const std::string& article) {
    const std::string_view marker(kExtraTextMarker);
    const auto radiusFollows = [&](size_t at) {
        std::string_view rest = std::string_view(article).substr(at + marker.size());
        if (!rest.empty() && rest.front() == '"') rest.remove_prefix(1);
        constexpr std::string_view kRadius = "eckradius=";
        return rest.size() >= kRadius.size() &&
               std::equal(kRadius.begin(), kRadius.end(), rest.begin(),
                          [](char a, char b) { return a == (b >= 'A' && b <= 'Z' ? b - 'A' + 'a' : b); });
    };
    size_t found = std::string::npos;
    for (size_t at = article.find(marker); at != std::string::npos; at = article.find(marker, at + 1))
        if (radiusFollows(at)) found = at;
    return found != std::string::npos ? found : article.find(marker);
}

void TEtikett::ParseExtraText() {
    const size_t marker = ExtraTextStart(Artikel);
    if (marker == std::string::npos) return;
    const std::string whole = Artikel;
    SetArtikel(whole.substr(0, marker));
    const std::string_view extra = std::string_view(whole).substr(marker + std::string_view(kExtraTextMarker).size());
    const std::vector<std::string> items = SplitCommaText(extra);
    std::string radius = CommaTextValue(items, "Eckradius");
    if (radius.empty()) radius = "0";
    double value = 0;
    CornerRadius = ParseDecimal(radius, value) ? SoundRadius(value) : 0.0f;
    CutMarkScheme = CommaTextValue(items, "Schnittmarke");
}

// ---- settings

std::string TEtikett::SettingsText() const {
    std::vector<std::string> items;
    for (const float v : {PageWidth, PageHeight, LabelWidth, LabelHeight, MarginLeft, MarginTop, GapX, GapY})
        items.push_back(TwoDecimalsText(v));
    for (const int32_t v : {Columns, Rows, int32_t{Orientation}, int32_t{OptionFlag}}) items.push_back(std::to_string(v));
    items.push_back(Name);
    items.push_back(Artikel);
    return JoinCommaText(items);
}

bool TEtikett::ApplySettingsText(const std::string& text) {
    const std::vector<std::string> items = SplitCommaText(text);
    std::array<double, 8> lengths{};
    std::array<int32_t, 4> numbers{};
    bool ok = items.size() == kSettingsItems;
    for (size_t i = 0; ok && i < lengths.size(); ++i) ok = ParseDecimal(items[i], lengths[i]);
    for (size_t i = 0; ok && i < numbers.size(); ++i) ok = ParseInteger(items[8 + i], numbers[i]);
    const auto f = [&lengths](size_t i) { return static_cast<float>(lengths[i]); };
    ok = ok && GeometryProblemOf({f(2), f(3), f(4), f(5), f(6), f(7), numbers[0], numbers[1], f(0), f(1)}).empty();
    if (!ok) {
        SetDefaults();
        return false;
    }
    SetPageWidth(f(0));
    SetPageHeight(f(1));
    SetLabelWidth(f(2));
    SetLabelHeight(f(3));
    SetMarginLeft(f(4));
    SetMarginTop(f(5));
    SetGapX(f(6));
    SetGapY(f(7));
    SetColumns(numbers[0]);
    SetRows(numbers[1]);
    SetOrientation(static_cast<uint8_t>(numbers[2] & 0xFF));
    SetOptionFlag(static_cast<uint8_t>(numbers[3] & 0xFF));
    SetName(items[12]);
    SetArtikel(items[13]);
    UpdateDerivedData();
    return true;
}

void TEtikett::SaveToSettings(const std::string& section, const std::string& key) const {
    Settings().WriteString(section, key, SettingsText());
}

bool TEtikett::LoadFromSettings(const std::string& section, const std::string& key) {
    std::string text;
    try {
        text = Settings().ReadString(section, key, {});
    } catch (const Exception&) {
        SetDefaults();
        return false;
    }
    return ApplySettingsText(text);
}

// ---- drawing

gdi::Rect TEtikett::GetLabelRect(const TCustomScaler& scaler) const {
    const float w = Orientation == 0 ? LabelWidth : LabelHeight;
    const float h = Orientation == 0 ? LabelHeight : LabelWidth;
    return {scaler.MMToPixelX(0), scaler.MMToPixelY(0), scaler.MMToPixelX(w), scaler.MMToPixelY(h)};
}

void TEtikett::PrepareGuides() {
    if (Guides.ShapeKey == "none") Guides.SetPlainLabel(LabelWidth, LabelHeight, CornerRadius);
    Guides.Orientation = Orientation != 0 ? 1 : 0;
    Guides.Turned = SheetTurned != 0;
    Guides.Mirrored = BackSide != 0;
}

void TEtikett::DrawLabelFace(TScaleCanvas& canvas, bool withShadow) {
    PrepareGuides();
    gdi::Canvas& device = canvas.Canvas();
    const gdi::Rect rect = GetLabelRect(canvas);
    if (withShadow) {
        TRGBHSL shade(LabelFaceColor);
        shade.SetLuminance(shade.Luminance() * kShadowFactor);
        shade.SetSaturation(shade.Saturation() * kShadowFactor);
        device.brush().color = shade.GetColor();
        device.brush().style = gdi::BrushStyle::Solid;
        device.pen().color = shade.GetColor();
        const int32_t offset = static_cast<int32_t>(kShadowOffset);
        Guides.DrawShadow(device, rect.Offset(offset, offset));
    }
    device.brush().style = gdi::BrushStyle::Solid;
    device.brush().color = LabelFaceColor;
    Guides.DrawFace(device, rect);
    Guides.DrawGuides(device, rect);
}

void TEtikett::DrawLabelGuides(TScaleCanvas& canvas) {
    PrepareGuides();
    gdi::Canvas& device = canvas.Canvas();
    device.brush().style = gdi::BrushStyle::Solid;
    device.brush().color = LabelFaceColor;
    Guides.DrawGuides(device, GetLabelRect(canvas));
}

std::optional<gdi::Region> TEtikett::CreateLabelClipRegion(TScaleCanvas& canvas) {
    PrepareGuides();
    return Guides.CreateRegion(GetLabelRect(canvas));
}

void TEtikett::DrawLabelCell(gdi::Canvas& canvas, const gdi::Rect& rect) {
    PrepareGuides();
    Guides.DrawFace(canvas, rect);
    Guides.DrawGuides(canvas, rect);
}

void TEtikett::DrawSheet(TScaleCanvas& canvas) {
    gdi::Canvas& device = canvas.Canvas();
    device.pen().color = 0;
    device.brush().color = TWasserzeichen::kWhite;
    device.brush().style = gdi::BrushStyle::Solid;
    const bool landscape = Orientation != 0;
    const float pageW = landscape ? PageHeight : PageWidth;
    const float pageH = landscape ? PageWidth : PageHeight;
    if (!(std::isfinite(pageW) && std::isfinite(pageH))) return;
    canvas.Rectangle(0, 0, pageW, pageH);
    if (!GeometryProblem().empty()) return;

    PrepareGuides();
    // Only cells that meet the clip box are drawn (a large grid zoomed in).
    const gdi::Rect visible = device.GetClipBox().Inflated(2, 2);
    // Portrait: rows run down, columns across. Landscape turns the grid: rows
    // run across from the top margin, columns down from the left margin.
    const float cellW = landscape ? LabelHeight : LabelWidth;
    const float cellH = landscape ? LabelWidth : LabelHeight;
    const float startAcross = landscape ? MarginTop : MarginLeft;
    const float startDown = landscape ? MarginLeft : MarginTop;
    float x = startAcross, y = startDown;
    for (int32_t r = 0; r < Rows; ++r) {
        for (int32_t c = 0; c < Columns; ++c) {
            const gdi::Rect cell{canvas.MMToPixelX(x), canvas.MMToPixelY(y), canvas.MMToPixelX(x + cellW),
                                 canvas.MMToPixelY(y + cellH)};
            if (!IntersectRect(cell.Normalized().Inflated(1, 1), visible).IsEmpty()) DrawLabelCell(device, cell);
            if (landscape)
                y += LabelWidth + GapX;
            else
                x += LabelWidth + GapX;
        }
        if (landscape) {
            x += LabelHeight + GapY;
            y = startDown;
        } else {
            y += LabelHeight + GapY;
            x = startAcross;
        }
    }
}

void TEtikett::BuildClipRegions(const TScaleCanvas& canvas, std::vector<TClipZone>& zones) const {
    zones.clear();
    if (!ZoomRegions.HasClipRegion()) return;
    for (int32_t i = 0; i < ZoomRegions.Count(); ++i)
        if (ZoomRegions.GetItem(i).IsClipRegion()) zones.push_back(ZoomRegions.GetItem(i).CreateZone(canvas));
}

void TEtikett::DrawCutMarks(TScaleCanvas& canvas) const {
    DrawCutMarkScheme(canvas, CutMarkScheme);
}

void AssignStationeryProduct(TEtikett& sheet, const TStationeryProduct& product) {
    const std::string key = StationeryArticleKey(product);
    sheet.SetName(key);
    sheet.SetArtikel(key);
    sheet.SetOrientation(0);
    sheet.SetPageWidth(product.PageWidth);
    sheet.SetPageHeight(product.PageHeight);
    const TSpecialSheet* special = FindSpecialSheet(sheet.GetShapeKey());
    if (special && !special->PerLabel) {
        // The discs, inlays and covers lie as guides on one label of the page.
        sheet.SetLabelWidth(product.PageWidth);
        sheet.SetLabelHeight(product.PageHeight);
        sheet.SetMarginLeft(0);
        sheet.SetMarginTop(0);
        sheet.SetGapX(0);
        sheet.SetGapY(0);
        sheet.SetColumns(1);
        sheet.SetRows(1);
        sheet.CornerRadius = 0;
        return;
    }
    sheet.SetLabelWidth(product.LabelWidth);
    sheet.SetLabelHeight(product.LabelHeight);
    sheet.SetMarginLeft(product.Left);
    sheet.SetMarginTop(product.Top);
    sheet.SetGapX(product.GapX);
    sheet.SetGapY(product.GapY);
    sheet.SetColumns(product.Columns);
    sheet.SetRows(product.Rows);
    sheet.CornerRadius = product.Shape == TStationeryShape::Rectangle
                             ? product.Radius
                             : std::min(product.LabelWidth, product.LabelHeight) / 2;
}
