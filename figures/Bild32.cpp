#include "figures/Bild32.h"

#include "document/EtikettFiler.h"
#include "figures/FigureDialogs.h"
#include "figures/Tracker.h"
#include "foundation/Debug.h"
#include "foundation/GeneralHelpers.h"
#include "foundation/Localizer.h"
#include "foundation/Rounding.h"
#include "foundation/ScaleCanvas.h"
#include "pictures/PictureErrors.h"
#include "pictures/QDXRotate90DIB.h"
#include "pictures/ZRMetaFile.h"
#include "platform/imaging/PictureFile.h"

#include <QtCore/QFileInfo>
#include <QtCore/QLocale>
#include <QtCore/QStringList>

#include <algorithm>
#include <array>

namespace {

// The largest picture stream a record may hold: the largest picture file and
// its extension with the length in front.
constexpr int64_t kMaxPictureStream = imaging::kMaxPictureFileBytes + 16;

bool IsMetafileName(const QString& fileName) {
    const QString suffix = QFileInfo(fileName).suffix().toUpper();
    return suffix == QStringLiteral("WMF") || suffix == QStringLiteral("EMF");
}

}  // namespace

QString PictureLoadMessage(const std::exception& error) {
    const QString text = LocalizedText("IDS_CANNOTREADPICT");
    const QString message = QString::fromUtf8(error.what());
    // The picture object's messages already start with the text and give the reason.
    return message.startsWith(text) ? message : text;
}

// ---- the picture part of the records

void WritePictureRecord(TEtikettFiler& filer, int32_t kind, TMemoryStream& picture) {
    if (picture.Size() > kMaxPictureStream) throw EWriteError(PictureErrorText(imaging::ImageError::TooLarge));
    filer.WriteTaggedInteger(kind);
    const auto n = static_cast<int32_t>(picture.Size());
    filer.WriteTaggedLongint(n);
    picture.SetPosition(0);
    filer.WriteTaggedStream(picture, n);
}

int32_t ReadPictureRecord(TEtikettFiler& filer, TMemoryStream& picture) {
    const int32_t kind = filer.ReadTaggedInteger();
    Debug().Log(QStringLiteral("Streamposition vor ReadLong: %1").arg(filer.Stream->Position()));
    const int32_t n = filer.ReadTaggedLongint();
    if (n < 0 || n > kMaxPictureStream || n > filer.Stream->Remaining()) RaiseRecordError(filer);
    filer.ReadTaggedStream(picture, n);
    picture.SetPosition(0);
    return kind;
}

QString UnreadablePicturesMessage(const std::vector<TUnreadablePicture>& pictures, const QString& fileName) {
    // A damaged file may hold thousands: the first ones name them all.
    constexpr size_t kListed = 10;
    if (pictures.empty()) return {};
    QStringList lines{LocalizedFormat("IDS_UNREADPICTURES", {QFileInfo(fileName).fileName()})};
    // The places are written with the decimal separator of the language.
    QLocale language = Localizer().LanguageLocale();
    language.setNumberOptions(QLocale::OmitGroupSeparator);
    for (size_t i = 0; i < std::min(kListed, pictures.size()); ++i) {
        const TUnreadablePicture& p = pictures[i];
        lines << LocalizedFormat("IDS_UNREADPICTURE", {p.design, language.toString(p.centerX, 'f', 1),
                                                       language.toString(p.centerY, 'f', 1), p.reason});
    }
    if (pictures.size() > kListed)
        lines << LocalizedFormat("IDS_UNREADPICTURESMORE", {static_cast<int64_t>(pictures.size() - kListed)});
    lines << LocalizedText("IDS_UNREADPICTURESKEPT");
    return lines.join(QLatin1Char('\n'));
}

// ---- the figure

// The bytes of a picture record that did not read, kept to be written back.
struct TBild32::TUnreadable {
    int32_t kind = 0;  // as stored, also where it is no kind of ours
    std::vector<uint8_t> bytes;
    QString reason;
};

TBild32::TBild32(TChildBase* owner)
    : TRechteck(owner), MetaFile(std::make_unique<TZRMetaFile>()), DIB(std::make_unique<TQDXRotate90DIB>()) {
    Kind = TFigureKind::Bild32;
}

TBild32::~TBild32() = default;

std::unique_ptr<TBild32> CreatePictureFigure(const QString& fileName, TChildBase* owner) {
    auto figure = std::make_unique<TBild32>(owner);
    if (!figure->LoadFromFile(fileName)) return nullptr;
    return figure;
}

bool TBild32::LoadFromFile(const QString& fileName) {
    unreadable_.reset();
    PictureKind = IsMetafileName(fileName) ? kPictureMetafile : kPictureRaster;
    bool loaded = true;
    try {
        if (PictureKind == kPictureRaster) {
            DIB->LoadFromFile(fileName);
        } else {
            // A metafile larger than any record may hold would not read back.
            if (QFileInfo(fileName).size() > imaging::kMaxPictureFileBytes)
                RaisePictureError(imaging::ImageError::TooLarge);
            MetaFile->LoadFromFile(fileName);
        }
    } catch (const std::exception& e) {
        Debug().Log(QString::fromUtf8(e.what()));
        ShowFigureWarning(PictureLoadMessage(e));
        loaded = false;
    }
    RectTracker().HandleFlags = kHandleCorners | kHandleEdges | kHandleRotation;
    return loaded;
}

QString TBild32::UnreadableReason() const { return unreadable_ ? unreadable_->reason : QString(); }

int32_t TBild32::PictureWidth() const {
    if (unreadable_) return 0;
    return PictureKind == kPictureRaster ? DIB->Width() : MetaFile->GetWidth();
}

int32_t TBild32::PictureHeight() const {
    if (unreadable_) return 0;
    return PictureKind == kPictureRaster ? DIB->Height() : MetaFile->GetHeight();
}

void TBild32::FitToPictureAspect() {
    const double pw = PictureWidth(), ph = PictureHeight();
    if (ph == 0 || Width == 0 || Height == 0) return;
    const double ratio = pw / ph;
    if (pw / Width > ph / Height)
        SetHeight(Width / ratio);
    else
        SetWidth(Height * ratio);
}

void TBild32::SyncTracker() {
    TRechteck::SyncTracker();
    RectTracker().HandleFlags = kHandleCorners | kHandleEdges | kHandleRotation;
}

// ---- drawing

void TBild32::DrawOn(TScaleCanvas& canvas) {
    if (unreadable_) return;  // nothing to print or export
    canvas.Brush().style = gdi::BrushStyle::Null;
    if (PictureKind == kPictureRaster) {
        DIB->DrawTo(canvas, Round(Angle), SingleOf(CenterX), SingleOf(CenterY), SingleOf(Width), SingleOf(Height));
        return;
    }
    MetaFile->Draw(canvas.Canvas(), DevX(canvas, CenterX), DevY(canvas, CenterY), canvas.MMToPixelW(SingleOf(Width)),
                   canvas.MMToPixelH(SingleOf(Height)), SingleOf(Angle));
}

// The frame and both diagonals in red, one pixel wide.
void TBild32::DrawUnreadableMark(TScaleCanvas& canvas) {
    std::array<TPoint, 5> corners;
    TRect bounds;
    GetCornerPoints(canvas, corners, bounds);
    gdi::Canvas& c = canvas.Canvas();
    const gdi::Pen saved = c.pen();
    c.pen() = gdi::Pen{};
    c.pen().color = gdi::Rgb(255, 0, 0);
    c.Polyline(corners);
    c.Polyline(std::array{corners[0], corners[2]});
    c.Polyline(std::array{corners[1], corners[3]});
    c.pen() = saved;
}

void TBild32::Paint() {
    if (!unreadable_) {
        TRechteck::Paint();
        return;
    }
    TScaleCanvas& canvas = WindowCanvas();
    if (!Meets(GetExtent(canvas), OwnerUpdateRect())) return;
    SelectClipRing();
    DrawUnreadableMark(canvas);
}

// ---- hit test

bool TBild32::HitTest(TPoint p) {
    TPoint q;
    TRect box;
    UnturnedHitBox(p, q, box);
    if (!box.Contains(q)) return false;
    if (PictureKind != kPictureRaster) return true;
    // A frame of one device pixel has no room to tell pixels apart.
    const int64_t spanX = int64_t{box.right} - box.left - 1, spanY = int64_t{box.bottom} - box.top - 1;
    if (spanX <= 0 || spanY <= 0) return true;
    const int64_t x = (int64_t{q.x} - box.left) * (DIB->Width() - 1) / spanX;
    const int64_t y = (int64_t{q.y} - box.top) * (DIB->Height() - 1) / spanY;
    return DIB->HitTestPixel({static_cast<int32_t>(x), static_cast<int32_t>(y)});
}

// ---- editing

bool TBild32::EditPosition() {
    return EditPositionWith(kPositionEditable | kSizeEditable, 5000);
}

void TBild32::RotateBy(double degrees) {
    if (PictureKind != kPictureRaster) {
        TRechteck::RotateBy(degrees);
        return;
    }
    const int32_t step = Round(NormalizeAngle(SingleOf(degrees)));
    Invalidate();
    SetAngle(Angle + step);
    UpdateTransform();
    Invalidate();
}

bool TBild32::HasBitmapPicture() const {
    return PictureKind == kPictureRaster && DIB->DIB() != nullptr;
}

// ---- records and copies

void TBild32::WriteData(TEtikettFiler& filer) {
    TRechteck::WriteData(filer);
    if (unreadable_) {
        TMemoryStream kept(unreadable_->bytes);
        WritePictureRecord(filer, unreadable_->kind, kept);
        return;
    }
    TMemoryStream picture;
    if (PictureKind == kPictureRaster)
        DIB->SaveToStream(picture);
    else if (PictureKind == kPictureMetafile)
        MetaFile->SaveToStream(picture);
    WritePictureRecord(filer, PictureKind, picture);
}

void TBild32::ReadData(TEtikettFiler& filer) {
    TRechteck::ReadData(filer);
    TMemoryStream picture;
    const int32_t kind = ReadPictureRecord(filer, picture);
    PictureKind = static_cast<uint8_t>(kind);
    unreadable_.reset();
    auto keep = [&](const QString& reason) {
        KeepUnreadablePicture(kind, picture.Bytes(), reason);
        filer.UnreadablePictures.push_back({QString(), CenterX, CenterY, reason});
    };
    // A kind of picture the program does not know keeps its bytes too.
    if (kind != kPictureRaster && kind != kPictureMetafile) {
        keep(PictureErrorText(imaging::ImageError::UnknownFormat));
        return;
    }
    if (picture.Size() == 0) return;
    try {
        if (PictureKind == kPictureRaster)
            DIB->LoadFromStream(picture);
        else
            MetaFile->LoadFromStream(picture, picture.Size());
    } catch (const std::exception& e) {
        keep(PictureLoadMessage(e));
    }
}

void TBild32::KeepUnreadablePicture(int32_t kind, std::vector<uint8_t> bytes, const QString& reason) {
    Debug().Log(reason);
    DIB->Clear();
    MetaFile = std::make_unique<TZRMetaFile>();
    PictureKind = static_cast<uint8_t>(kind);
    auto kept = std::make_shared<TUnreadable>();
    kept->kind = kind;
    kept->bytes = std::move(bytes);
    kept->reason = reason;
    unreadable_ = std::move(kept);
}

void TBild32::Assign(const TFigure& source) {
    const auto* picture = dynamic_cast<const TBild32*>(&source);
    if (!picture) throw EInvalidCast("Invalid class typecast");
    if (picture == this) return;
    TRechteck::Assign(source);
    PictureKind = picture->PictureKind;
    unreadable_ = picture->unreadable_;
    // The picture in use is copied; the other object is left empty.
    DIB->Clear();
    MetaFile = std::make_unique<TZRMetaFile>();
    if (PictureKind == kPictureRaster)
        DIB->Assign(*picture->DIB);
    else
        MetaFile->Assign(*picture->MetaFile);
}

std::unique_ptr<TFigure> TBild32::Clone() const {
    auto copy = std::make_unique<TBild32>(Owner);
    copy->Assign(*this);
    return copy;
}
