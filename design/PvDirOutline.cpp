#include "design/PvDirOutline.h"

#include "design/PreviewContentStreams.h"
#include "document/EtikettFiler.h"
#include "figures/Figure.h"
#include "foundation/ScaleCanvas.h"

#include <algorithm>

void TpvDirOutline::Read(TEtikettFiler& filer, int depth) {
    TpvRechteck::Read(filer, depth);
    TDirOutlineRecord listing;
    listing.Read(filer);
    Font = listing.Font;
    Columns = listing.Columns;
    CountedEntries = static_cast<int32_t>(
        std::count_if(listing.Entries.begin(), listing.Entries.end(), [](const auto& e) { return e.Flag5 == 2; }));
}

void TpvDirOutline::Draw(TScaleCanvas& canvas) {
    if (!HasArea()) return;
    gdi::Canvas& device = canvas.Canvas();
    device.brush().style = gdi::BrushStyle::Null;
    device.pen().color = gdi::Rgb(0xC0, 0xC0, 0xC0);
    device.pen().style = gdi::PenStyle::Solid;
    const gdi::Rect box = DeviceBox(canvas);
    device.Rectangle(box.left, box.top, box.right, box.bottom);
    const double left = Base.CenterX - Base.Width / 2;
    const double top = Base.CenterY - Base.Height / 2;
    const int32_t lines = std::min(Columns, kMaxColumnLines);
    for (int32_t i = 1; i <= lines; ++i) {
        const double x = left + i * Base.Width / lines;
        device.MoveTo(DevX(canvas, x), box.top);
        device.LineTo(DevX(canvas, x), box.bottom);
    }
    if (CountedEntries == 0) return;
    TFont font;
    Font.ApplyTo(font);
    canvas.AssignFont(font);
    const double lineHeight = canvas.TextHeightMM("Xy");
    const double columnWidth = Base.Width / std::max(Columns, 1);
    device.FillRect({box.left, box.top, DevX(canvas, left + columnWidth), DevY(canvas, top + lineHeight)},
                    gdi::SolidBrush(0));
}

void TpvDirOutline2::Read(TEtikettFiler& filer, int depth) {
    TpvRechteck::Read(filer, depth);
    Font.Read(filer);
    SkipTreeData(*filer.Stream);
}
