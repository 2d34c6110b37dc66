#include "design/DocumentPreview.h"

#include "design/DocumentFile.h"
#include "design/PvFigure.h"
#include "document/DataBaseConnector.h"
#include "document/Etikett.h"
#include "document/EtikettFiler.h"
#include "figures/FigureKinds.h"
#include "foundation/BmpScaleCanvas.h"
#include "foundation/GeneralHelpers.h"
#include "foundation/Rounding.h"
#include "pictures/ThumbManager.h"
#include "platform/imaging/Dib.h"

#include <algorithm>
#include <exception>
#include <utility>
#include <vector>

namespace {

// The header, an optional database block (dropped) and the sheet block.
// False when the stream is no document or has no sheet block first.
bool ReadDocumentStart(TEtikettFiler& filer, TEtikett& sheet) {
    filer.ReadHeader();
    TDataBaseConnector skipped;
    return ReadDocumentBlocks(filer, skipped, sheet);
}

// The design count, the first design's marker and its caption. False when
// the marker is not there.
bool ReadDesignStart(TEtikettFiler& filer) {
    filer.ReadTaggedLongint();
    if (filer.ReadRawByte() != ecDesign) return false;
    filer.ReadTaggedString();
    return true;
}

// A field-list block right behind the caption is read and dropped; any
// other byte stays for the elements.
void SkipFieldList(TEtikettFiler& filer) {
    if (filer.ReadRawByte() != ecFieldList) {
        filer.Stream->Seek(-1, SeekOrigin::Current);
        return;
    }
    const int32_t count = filer.ReadTaggedInteger();
    if (count > filer.Stream->Remaining()) RaiseRecordError(filer);
    for (int32_t i = 0; i < count; ++i)
        for (int k = 0; k < 3; ++k) filer.ReadTaggedString();
}

// The elements of the design, each drawn clipped to the first clip zone
// whose area holds its centre, until the end code or kMaxPreviewCodes codes.
void DrawElements(TEtikettFiler& filer, TScaleCanvas& canvas, const std::vector<TClipZone>& zones) {
    SkipFieldList(filer);
    for (int32_t codes = 0; codes < kMaxPreviewCodes; ++codes) {
        const uint8_t code = filer.ReadRawByte();
        if (code == ecEnd) return;
        const std::unique_ptr<TpvFigure> figure = PreviewFigureForCode(code);
        if (!figure) continue;
        figure->Read(filer, 0);
        const gdi::Point center = figure->DeviceCenter(canvas);
        const auto zone = std::find_if(zones.begin(), zones.end(),
                                       [&](const TClipZone& z) { return z.Area.Contains(center.x, center.y); });
        canvas.Canvas().SelectClipRgn(zone != zones.end() ? &zone->Clip : nullptr);
        figure->Draw(canvas);
        canvas.Canvas().SelectClipRgn(nullptr);
    }
}

// The bitmap scaled to width x height (reductions average the pixels).
gdi::Bitmap Scaled(const gdi::Bitmap& bitmap, int32_t width, int32_t height) {
    if (bitmap.Width() == width && bitmap.Height() == height) return bitmap;
    const imaging::DibHandle dib = imaging::DIBFromBitmap(bitmap, 24);
    const imaging::DibHandle scaled = dib ? imaging::StretchDIB(*dib, width, height) : nullptr;
    return scaled ? imaging::BitmapFromDIB(*scaled) : gdi::Bitmap(width, height);
}

}  // namespace

void FitCanvasToLabel(TBmpScaleCanvas& canvas, const TEtikett& sheet, int32_t width, int32_t height) {
    float w = sheet.LabelWidth;
    float h = sheet.LabelHeight;
    if (sheet.Orientation == 1) std::swap(w, h);
    if (w / width > h / height)
        height = Round(static_cast<double>(width) * h / w);
    else
        width = Round(static_cast<double>(height) * w / h);
    canvas.Reset(kResetScreen);
    if (w > h)
        canvas.SetZoom((width - 1) / (w * canvas.ResolutionX));
    else
        canvas.SetZoom((height - 1) / (h * canvas.ResolutionY));
    canvas.SetSize(canvas.MMToPixelX(w) + 1, canvas.MMToPixelY(h) + 1);
}

bool RenderDocumentPreview(gdi::Bitmap& bitmap, TStream& stream) {
    if (bitmap.Width() < 2 || bitmap.Height() < 2) return false;
    TBmpScaleCanvas canvas;
    TEtikettFiler filer;
    filer.Stream = &stream;
    TEtikett sheet;
    try {
        if (!ReadDocumentStart(filer, sheet)) return false;
        FitCanvasToLabel(canvas, sheet, bitmap.Width(), bitmap.Height());
        canvas.Pen().width = 1;
        sheet.DrawLabelFace(canvas, false);
        if (!ReadDesignStart(filer)) return false;
    } catch (const std::exception&) {
        return false;
    }
    std::vector<TClipZone> zones;
    try {
        sheet.BuildClipRegions(canvas, zones);
        DrawElements(filer, canvas, zones);
    } catch (const std::exception&) {
        // What was drawn before the damage is the preview.
    }
    canvas.Canvas().SelectClipRgn(nullptr);
    canvas.Pen().width = 1;
    sheet.DrawLabelGuides(canvas);
    bitmap = canvas.Bitmap();
    return true;
}

bool RenderDocumentPreview(gdi::Bitmap& bitmap, const QString& fileName) {
    TMemoryStream bytes;
    try {
        TFileStream file(fileName.toStdString(), FileMode::OpenRead);
        const int64_t size = std::min(file.Size(), kMaxPreviewFileBytes);
        bytes.SetSize(size);
        file.ReadBuffer(bytes.Memory(), size);
    } catch (const std::exception&) {
        return false;
    }
    return RenderDocumentPreview(bitmap, bytes);
}

bool GetDocumentThumbnail(gdi::Bitmap& target, const QString& fileName, TThumbManager& cache) {
    const int32_t width = target.Width(), height = target.Height();
    const double stamp = FileDateTime(fileName);
    gdi::Bitmap thumbnail;
    if (stamp == 0 || width < 1 || height < 1 || !cache.GetThumbnail(fileName, thumbnail, stamp)) {
        gdi::Bitmap doubled(2 * width, 2 * height);
        if (stamp == 0 || !RenderDocumentPreview(doubled, fileName)) {
            target = gdi::Bitmap();
            return false;
        }
        thumbnail = Scaled(doubled, std::max(1, doubled.Width() / 2), std::max(1, doubled.Height() / 2));
        cache.PutThumbnail(fileName, thumbnail, stamp);
    }
    int32_t fittedWidth = thumbnail.Width(), fittedHeight = thumbnail.Height();
    FitSizeInto(fittedWidth, fittedHeight, width, height);
    target = Scaled(thumbnail, std::max(1, fittedWidth), std::max(1, fittedHeight));
    return true;
}

bool GetDocumentThumbnail(gdi::Bitmap& target, const QString& fileName) {
    return GetDocumentThumbnail(target, fileName, ThumbManager());
}
