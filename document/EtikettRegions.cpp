// The per-article data of a sheet definition: its zoom and clip regions and its
// design-wizard data. Boxes are millimetres on the portrait page.
#include "document/Etikett.h"
#include "document/Stationery.h"
#include "foundation/Localizer.h"

#include <map>
#include <utility>

namespace {

constexpr uint8_t kClipAndZoom = kRegionClip | kRegionZoom;
// Discs smaller than this are hub or mini labels.
constexpr float kFullDisc = 76;

QString Numbered(const QString& name, int32_t n) {
    return name + QLatin1Char(' ') + QString::number(n);
}

struct Box {
    float l, t, r, b;
};

// The centre hole of the 113 mm rings below, as their guides draw it.
constexpr float kHole2049 = 37;

// Three 113 mm rings and three small labels on an A4 page.
void AddRings2049(TMMRgnList& list, bool turned, float pageW, float pageH) {
    static const Box kRings[] = {{5.5f, 10.5f, 118.5f, 123.5f}, {89.5f, 92, 202.5f, 205}, {5.5f, 173.5f, 118.5f, 286.5f}};
    static const Box kLabels[] = {{132.5f, 10.5f, 202.5f, 62.5f}, {5.5f, 136, 75.5f, 161}, {132.5f, 234.5f, 202.5f, 286.5f}};
    // Turned, ring k takes the place of ring 4 - k turned about the page centre,
    // so that the numbers still run from the top of the view.
    const auto place = [&](const Box* boxes, int32_t k) {
        const Box& b = boxes[turned ? 3 - k : k - 1];
        return turned ? Box{pageW - b.r, pageH - b.b, pageW - b.l, pageH - b.t} : b;
    };
    for (int32_t k = 1; k <= 3; ++k) {
        const Box b = place(kRings, k);
        list.AddEllipse(Numbered(QStringLiteral("Ring"), k), kClipAndZoom, b.l, b.t, b.r, b.b, 2, kHole2049);
    }
    for (int32_t k = 1; k <= 3; ++k) {
        const Box b = place(kLabels, k);
        list.AddRect(Numbered(QStringLiteral("Etikett"), k), kClipAndZoom, b.l, b.t, b.r, b.b, 1);
    }
}

// Three 117 mm rings, as on the ring sheet above but with larger discs.
void AddRings2052(TMMRgnList& list) {
    int32_t n = 0;
    for (const auto& [x, y] : {std::pair{62.5f, 62.5f}, std::pair{147.5f, 142.0f}, std::pair{62.5f, 221.5f}})
        list.AddCenteredEllipse(Numbered(QStringLiteral("Ring"), ++n), kClipAndZoom, x, y, 117, 117, 2);
}

// Two 117 mm rings, one above the other.
void AddRings2071(TMMRgnList& list) {
    list.AddCenteredEllipse(QStringLiteral("Ring oben"), kClipAndZoom, 105, 78.5f, 117, 117, 2);
    list.AddCenteredEllipse(QStringLiteral("Ring unten"), kClipAndZoom, 105, 218.5f, 117, 117, 2);
}

// A CD inlay sheet: the front cover above, the inlay card with its spines below.
void AddInlay403X(TMMRgnList& list) {
    list.AddRect(LocalizedText("IDS_CHILDZoom3"), kRegionZoom, 44.5f, 15, 165.5f, 136, 1);
    list.AddRect(LocalizedText("IDS_CHILDZoom4"), kRegionZoom, 29.5f, 160, 180.5f, 278, 1);
}

// Two 117 mm rings with five 40 mm mini rings around them: the mini rings are
// clip regions only; three rectangles group them as zoom targets.
void AddMiniRings4051(TMMRgnList& list) {
    list.AddCenteredEllipse(QStringLiteral("Ring oben"), kClipAndZoom, 105, 74.25f, 117, 117, 2);
    list.AddCenteredEllipse(QStringLiteral("Ring unten"), kClipAndZoom, 105, 222.75f, 117, 117, 2);
    for (const auto& [x, y] : {std::pair{24.0f, 24.0f}, std::pair{186.0f, 24.0f}, std::pair{24.0f, 148.5f},
                               std::pair{24.0f, 273.0f}, std::pair{186.0f, 273.0f}})
        list.AddCenteredEllipse(QStringLiteral("Ring"), kRegionClip, x, y, 40, 40, 1);
    list.AddRect(QStringLiteral("Miniringe oben"), kRegionZoom, 4, 4, 206, 44, 0);
    list.AddRect(QStringLiteral("Miniring Mitte"), kRegionZoom, 4, 128.5f, 44, 168.5f, 0);
    list.AddRect(QStringLiteral("Miniringe unten"), kRegionZoom, 4, 253, 206, 293, 0);
}

bool IsMiniDisc(const TSheetPart& part) {
    return part.Kind == TSheetPartKind::Disc && part.Width < kFullDisc;
}

// The name of a part: its kind's text, numbered when the sheet has more than
// one part of that name.
QString PartName(const TSheetPart& part) {
    switch (part.Kind) {
    case TSheetPartKind::Disc:
        return IsMiniDisc(part) ? QStringLiteral("Mini ") + LocalizedText("IDS_CHILDZoom5")
                                : LocalizedText("IDS_CHILDZoom5");
    case TSheetPartKind::Inlay:
        return LocalizedText("IDS_CHILDZoom4");
    case TSheetPartKind::Cover:
        return LocalizedText("IDS_CHILDZoom3");
    case TSheetPartKind::Label:
        break;
    }
    return LocalizedText("IDS_CHILDZoom6");
}

// Discs are clip and zoom regions (rings with a margin for bleed); the other
// parts are zoom targets.
void AddSheetParts(TMMRgnList& list, const TSpecialSheet& sheet) {
    std::map<QString, int32_t> total, seen;
    for (const TSheetPart& part : sheet.PartList()) ++total[PartName(part)];
    for (const TSheetPart& part : sheet.PartList()) {
        const QString base = PartName(part);
        const int32_t n = ++seen[base];
        const bool disc = part.Kind == TSheetPartKind::Disc;
        const QString name = disc || total[base] > 1 ? Numbered(base, n) : base;
        const float r = part.Left + part.Width, b = part.Top + part.Height;
        if (disc)
            list.AddEllipse(name, kClipAndZoom, part.Left, part.Top, r, b, IsMiniDisc(part) ? 1.0f : 2.0f, part.Hole);
        else
            list.AddRect(name, kRegionZoom, part.Left, part.Top, r, b, 1);
    }
}

QString WizardCaption(const char* key) {
    return LocalizedSectionText("TemplateZUMI", key);
}

// One ring item per disc size, one inlay-card item, one cover-card item; each
// with the top-left corners of its parts.
void AddWizardItems(TWizDlgDaten& data, const TSpecialSheet& sheet) {
    std::map<std::pair<float, float>, std::unique_ptr<TWizDlgData>> rings;
    std::unique_ptr<TWizDlgData> inlay, cover;
    const auto place = [](std::unique_ptr<TWizDlgData>& item, const TSheetPart& part, auto make) {
        if (!item) {
            item = make();
            item->Positions.clear();
        }
        item->Positions.push_back({part.Left, part.Top});
    };
    for (const TSheetPart& part : sheet.PartList()) {
        switch (part.Kind) {
        case TSheetPartKind::Disc:
            place(rings[{part.Width, part.Hole}], part, [&] {
                auto ring = std::make_unique<TWizDlgRingData>(part.Width, part.Hole);
                ring->Caption = WizardCaption("ID_CDLABEL");
                return ring;
            });
            break;
        case TSheetPartKind::Inlay:
            place(inlay, part, [&] {
                auto card = std::make_unique<TWizDlgInlaycardData>(part.Width, part.Height, part.Spine);
                card->Caption = WizardCaption("ID_INLAYCARD");
                return card;
            });
            break;
        case TSheetPartKind::Cover:
            place(cover, part, [&] {
                auto card = std::make_unique<TWizDlgCovercardData>(part.Width, part.Height);
                card->Caption = WizardCaption("ID_COVERCARD");
                return card;
            });
            break;
        case TSheetPartKind::Label:
            break;
        }
    }
    for (auto& [size, ring] : rings) data.Add(std::move(ring));
    if (inlay) data.Add(std::move(inlay));
    if (cover) data.Add(std::move(cover));
}

}  // namespace

void TEtikett::BuildZoomRegions() {
    ZoomRegions.Clear();
    const std::string& key = GetShapeKey();
    if (key == "QN-2049") {
        AddRings2049(ZoomRegions, SheetTurned != 0, PageWidth, PageHeight);
    } else if (key == "QN-2052") {
        AddRings2052(ZoomRegions);
    } else if (key == "QN-2071") {
        AddRings2071(ZoomRegions);
    } else if (key == "QN-403X") {
        AddInlay403X(ZoomRegions);
    } else if (key == "QN-4051") {
        AddMiniRings4051(ZoomRegions);
    } else if (const TSpecialSheet* sheet = FindSpecialSheet(key); sheet && !sheet->PerLabel) {
        AddSheetParts(ZoomRegions, *sheet);
    }
}

void TEtikett::BuildWizardData() {
    WizardData.Clear();
    if (const TSpecialSheet* sheet = FindSpecialSheet(GetShapeKey()); sheet && !sheet->PerLabel)
        AddWizardItems(WizardData, *sheet);
}
