#include "design/FigureClipboard.h"

#include "design/EinzelEtikett.h"
#include "document/ChildBase.h"
#include "document/Etikett.h"
#include "document/EtikettFiler.h"
#include "figures/Bild32.h"
#include "figures/Figure.h"
#include "figures/FigureFactory.h"
#include "foundation/ExportCanvas.h"
#include "foundation/GeneralHelpers.h"
#include "foundation/Localizer.h"
#include "pictures/QDXRotate90DIB.h"
#include "pictures/ZRMetaFile.h"
#include "platform/clipboard/Clipboard.h"
#include "platform/gdi/Bitmap.h"
#include "platform/gdi/Metafile.h"
#include "platform/imaging/Dib.h"

#include <utility>

namespace {

// Metafile pictures of other programs, in the order they are preferred.
const QStringList& MetafileMimeTypes() {
    static const QStringList types = {QStringLiteral("image/x-emf"), QStringLiteral("image/emf"),
                                      QStringLiteral("image/x-wmf"), QStringLiteral("image/wmf")};
    return types;
}

TPictureFigureMaker& PictureMaker() {
    static TPictureFigureMaker maker = MakePictureFigure;
    return maker;
}

bool HasSelection(TEinzelEtikett& design) {
    if (design.SelectedCount() > 0) return true;
    design.GetOwner().ShowWarning(LocalizedText("IDS_NOCOPYELEMENT"));
    return false;
}

// The selection drawn on an export canvas sized to its extent.
void RenderSelection(TEinzelEtikett& design, TExportCanvas& target, const TRect& extent) {
    target.PlaceExtent(extent);
    design.ExportSelection(target);
}

bool FitsPictureLimit(const TRect& extent) {
    return int64_t{extent.Width() + 2} * (extent.Height() + 2) <= kMaxClipboardPicturePixels;
}

// What the clipboard offers of a picture from another program.
bool TakeClipboardPicture(TClipboardPicture& picture) {
    for (const QString& type : MetafileMimeTypes())
        if (clipboard::Data(type, kMaxFigureClipboardBytes, picture.MetafileBytes) && !picture.MetafileBytes.isEmpty())
            return true;
    picture.Image = clipboard::Image(kMaxClipboardPicturePixels);
    return !picture.Image.isNull();
}

bool ClipboardOffersPicture() {
    if (clipboard::HasImage()) return true;
    for (const QString& type : MetafileMimeTypes())
        if (clipboard::HasFormat(type)) return true;
    return false;
}

}  // namespace

QString FigureClipboardMimeType() {
    return clipboard::PrivateFormatMimeType(QString::fromLatin1(kFigureClipboardFormat));
}

// ---- copying

QByteArray SelectionElementBytes(TEinzelEtikett& design) {
    TMemoryStream stream;
    TEtikettFiler filer;
    filer.Stream = &stream;
    filer.CurrentDesign = &design;
    design.SaveSelectedFigures(filer);
    filer.WriteRawByte(ecEnd);
    return QByteArray(reinterpret_cast<const char*>(stream.Memory()), static_cast<qsizetype>(stream.Size()));
}

bool CopyToClipboard(TEinzelEtikett& design) {
    if (!HasSelection(design)) return false;
    clipboard::Content content;
    content.formats.emplace_back(FigureClipboardMimeType(), SelectionElementBytes(design));
    // The private format goes on the clipboard also when the picture fails.
    try {
        content.image = RenderSelectionBitmap(design);
    } catch (const std::exception&) {
        content.image = QImage();
    }
    clipboard::SetContent(content);
    return true;
}

QImage RenderSelectionBitmap(TEinzelEtikett& design) {
    if (!HasSelection(design)) return {};
    gdi::BitmapCanvas bitmap;
    TExportBMPCanvas target(bitmap);
    const TRect extent = design.GetSelectionExtentOn(target.ScaleCanvas());
    if (!FitsPictureLimit(extent)) return {};
    RenderSelection(design, target, extent);
    return bitmap.bitmap().image().copy();
}

namespace {

// The selection on a metafile export canvas; nothing (after the warning)
// without a selection.
void RenderSelectionInto(TEinzelEtikett& design, TExportWMFCanvas& target) {
    if (HasSelection(design)) RenderSelection(design, target, design.GetSelectionExtentOn(target.ScaleCanvas()));
}

}  // namespace

std::unique_ptr<gdi::Metafile> RenderSelectionMetafile(TEinzelEtikett& design) {
    auto metafile = std::make_unique<gdi::Metafile>();
    {
        TExportWMFCanvas target(*metafile);
        RenderSelectionInto(design, target);
    }
    return metafile;
}

bool SaveSelectionAsMetafile(TEinzelEtikett& design, const QString& fileName) {
    gdi::Metafile metafile;
    TExportWMFCanvas target(metafile);
    RenderSelectionInto(design, target);
    target.SaveToFile(fileName);
    return true;
}

// ---- pasting

bool CanPasteFromClipboard() {
    if (clipboard::HasFormat(FigureClipboardMimeType())) return true;
    return ClipboardOffersPicture();
}

int32_t PasteFromClipboard(TEinzelEtikett& design) {
    const QString privateType = FigureClipboardMimeType();
    if (clipboard::HasFormat(privateType)) {
        QByteArray bytes;
        if (!clipboard::Data(privateType, kMaxFigureClipboardBytes, bytes)) {
            design.GetOwner().ShowError(LocalizedText("IDS_CANNOTPASTE"));
            return 0;
        }
        return PasteElementBytes(design, bytes);
    }
    TClipboardPicture picture;
    if (!TakeClipboardPicture(picture)) return 0;
    return PastePicture(design, picture);
}

int32_t PasteElementBytes(TEinzelEtikett& design, const QByteArray& bytes) {
    TMemoryStream stream(std::vector<uint8_t>(bytes.begin(), bytes.end()));
    TEtikettFiler filer;
    filer.Stream = &stream;
    design.DeselectAll();
    int32_t added = 0;
    try {
        // Data that ends after a whole record, without its 0 byte, ends there.
        while (stream.Remaining() > 0) {
            std::unique_ptr<TFigure> figure;
            const uint8_t code = ReadFigureElement(filer, &design.GetOwner(), figure);
            if (figure) {
                TFigure* pasted = design.AddFigure(std::move(figure), false);
                pasted->Invalidate();
                design.SelectFigure(design.FigureCount() - 1);
                ++added;
            }
            if (code == ecEnd) break;
        }
    } catch (const EReadError&) {
        design.GetOwner().ShowError(LocalizedText("IDS_CANNOTPASTE"));
    }
    if (filer.WrongTags > 0)
        ReportSkippedPlaces(LocalizedText("IDS_DAMAGEDPASTE") + u' ' +
                            LocalizedFormat("IDS_SKIPPEDPLACES", {filer.WrongTags}));
    design.SetHandlesVisible(1);
    if (added > 0) design.SetModified(true);
    return added;
}

TPastedPicture MakePictureFigure(TChildBase& owner, const TClipboardPicture& picture) {
    auto figure = std::make_unique<TBild32>(&owner);
    if (!picture.MetafileBytes.isEmpty()) {
        TMemoryStream stream(std::vector<uint8_t>(picture.MetafileBytes.begin(), picture.MetafileBytes.end()));
        figure->MetaFile->LoadFromStream(stream, stream.Size());
        if (figure->MetaFile->IsEmpty()) throw Exception(LocalizedText("IDS_CANNOTPASTE"));
        figure->PictureKind = TBild32::kPictureMetafile;
    } else {
        const bool alpha = picture.Image.hasAlphaChannel();
        imaging::DibHandle dib = imaging::DIBFromBitmap(gdi::Bitmap(picture.Image), alpha ? 32 : 24);
        if (!dib) throw Exception(LocalizedText("IDS_CANNOTPASTE"));
        figure->DIB->SetDIB(std::move(dib));
        figure->PictureKind = TBild32::kPictureRaster;
    }
    TPastedPicture made;
    made.PixelWidth = figure->PictureWidth();
    made.PixelHeight = figure->PictureHeight();
    made.Figure = std::move(figure);
    return made;
}

void SetPictureFigureMaker(TPictureFigureMaker maker) {
    PictureMaker() = maker ? std::move(maker) : TPictureFigureMaker(MakePictureFigure);
}

int32_t PastePicture(TEinzelEtikett& design, const TClipboardPicture& picture) {
    const TPictureFigureMaker& maker = PictureMaker();
    TChildBase& owner = design.GetOwner();
    TPastedPicture made;
    try {
        made = maker(owner, picture);
    } catch (const std::exception&) {
        owner.ShowError(LocalizedText("IDS_CANNOTPASTE"));
        return 0;
    }
    if (!made.Figure) return 0;
    const TEtikett& sheet = owner.GetEtikett();
    const TFloatPoint centre = LabelCentre(sheet);
    double width = made.PixelWidth, height = made.PixelHeight;
    FitToLabel(sheet, owner.GetViewScaleCanvas(), width, height);
    TFigure& figure = *made.Figure;
    figure.SetCenterX(centre.X);
    figure.SetCenterY(centre.Y);
    figure.SetWidth(width);
    figure.SetHeight(height);
    design.SetModified(true);
    TFigure* pasted = design.AddFigure(std::move(made.Figure), true);
    pasted->Invalidate();
    design.SetHandlesVisible(1);
    return 1;
}

// ---- placing pictures

TFloatPoint LabelCentre(const TEtikett& sheet) {
    float w = sheet.LabelWidth, h = sheet.LabelHeight;
    if (sheet.Orientation == 1) std::swap(w, h);
    return {w / 2, h / 2};
}

void FitToLabel(const TEtikett& sheet, const TCustomScaler& view, double& width, double& height) {
    double w = sheet.LabelWidth, h = sheet.LabelHeight;
    if (sheet.Orientation == 1) std::swap(w, h);
    width = view.PixelToMM(static_cast<int32_t>(width));
    height = view.PixelToMM(static_cast<int32_t>(height));
    FitSizeIntoFloat(width, height, 0.9 * w, 0.9 * h);
}
