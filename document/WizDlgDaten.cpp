#include "document/WizDlgDaten.h"

#include "foundation/ZRRegIniFile.h"

namespace {

// A path made by draw, turned into a device region (alternate rule).
template <class Draw>
gdi::Region PathRegion(TScaleCanvas& canvas, Draw draw) {
    gdi::Canvas& device = canvas.Canvas();
    const gdi::PolyFillMode previous = device.SetPolyFillMode(gdi::PolyFillMode::Alternate);
    device.BeginPath();
    draw();
    device.EndPath();
    gdi::Region region = device.PathToRegion();
    device.SetPolyFillMode(previous);
    return region;
}

}  // namespace

// ---- base

void TWizDlgData::DrawFilled(TScaleCanvas& canvas) const {
    canvas.FillRect(0, 0, Width, Height);
}

void TWizDlgData::DrawOutline(TScaleCanvas& canvas) const {
    canvas.Brush().style = gdi::BrushStyle::Null;
    canvas.Rectangle(0, 0, Width, Height);
}

gdi::Region TWizDlgData::CreateRegion(TScaleCanvas& canvas) const {
    return gdi::Region::FromRect(canvas.MMRectToPixel(0, 0, Width, Height));
}

QString TWizDlgData::FolderSetting(const char* ident, const QString& defaultBelowProgram) const {
    QString folder = Settings().ReadText(GetSettingsSection(), ident, GetProgramFolder() + defaultBelowProgram);
    if (!folder.endsWith(QLatin1Char('/'))) folder += QLatin1Char('/');
    return folder;
}

// ---- ring

TWizDlgRingData::TWizDlgRingData(float diameter, float holeDiameter)
    : Diameter(diameter), HoleDiameter(holeDiameter) {
    Kind = kKindRing;
    Width = diameter;
    Height = diameter;
}

void TWizDlgRingData::AddRingPath(TScaleCanvas& canvas) const {
    canvas.EllipseBezier(0, 0, Diameter, Diameter);
    const float holeFrom = Diameter / 2 - HoleDiameter / 2;
    const float holeTo = Diameter / 2 + HoleDiameter / 2;
    canvas.EllipseBezier(holeFrom, holeFrom, holeTo, holeTo);
}

void TWizDlgRingData::DrawFilled(TScaleCanvas& canvas) const {
    gdi::Canvas& device = canvas.Canvas();
    const gdi::PolyFillMode previous = device.SetPolyFillMode(gdi::PolyFillMode::Alternate);
    device.BeginPath();
    AddRingPath(canvas);
    device.EndPath();
    device.StrokeAndFillPath();
    device.SetPolyFillMode(previous);
}

void TWizDlgRingData::DrawOutline(TScaleCanvas& canvas) const {
    gdi::Canvas& device = canvas.Canvas();
    device.BeginPath();
    AddRingPath(canvas);
    device.EndPath();
    device.StrokePath();
}

gdi::Region TWizDlgRingData::CreateRegion(TScaleCanvas& canvas) const {
    return PathRegion(canvas, [&] { AddRingPath(canvas); });
}

QString TWizDlgRingData::GetBackgroundDir() const {
    return FolderSetting("BackgroundDir", QStringLiteral("Wizzard/Labels/JPG"));
}

QString TWizDlgRingData::GetTextDir() const {
    return FolderSetting("TextDir", QStringLiteral("Wizzard/Labels/Text"));
}

// ---- cards

TWizDlgCardData::TWizDlgCardData(float width, float height, uint8_t kind) {
    Kind = kind;
    Width = width;
    Height = height;
}

void TWizDlgCardData::DrawFilled(TScaleCanvas& canvas) const {
    canvas.Rectangle(0, 0, Width, Height);
}

gdi::Region TWizDlgCardData::CreateRegion(TScaleCanvas& canvas) const {
    return PathRegion(canvas, [&] { canvas.Rectangle(0, 0, Width, Height); });
}

TWizDlgCovercardData::TWizDlgCovercardData(float width, float height)
    : TWizDlgCardData(width, height, kKindCovercard) {}

QString TWizDlgCovercardData::GetBackgroundDir() const {
    return FolderSetting("BackgroundDir", QStringLiteral("Wizzard/Cover/JPG"));
}

QString TWizDlgCovercardData::GetTextDir() const {
    return FolderSetting("TextDir", QStringLiteral("Wizzard/Cover/Text"));
}

TWizDlgInlaycardData::TWizDlgInlaycardData(float width, float height, float spineWidth)
    : TWizDlgCardData(width, height, kKindInlaycard), SpineWidth(spineWidth) {}

QString TWizDlgInlaycardData::GetBackgroundDir() const {
    return FolderSetting("BackgroundDir", QStringLiteral("Wizzard/Inlay/JPG"));
}

QString TWizDlgInlaycardData::GetTextDir() const {
    return FolderSetting("TextDir", QStringLiteral("Wizzard/Inlay/Text"));
}

// ---- the list and the picture holder

int32_t TWizDlgDaten::Add(std::unique_ptr<TWizDlgData> data) {
    items_.push_back(std::move(data));
    return Count() - 1;
}

void TWasserzeichenDIB::Clear() {
    Picture.reset();
    Picture2.reset();
    Value = 0;
    FileName.clear();
    Mode = 1;
}
