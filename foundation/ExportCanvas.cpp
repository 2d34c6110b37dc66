#include "foundation/ExportCanvas.h"

#include "foundation/Codepage1252.h"
#include "foundation/Exceptions.h"
#include "foundation/Localizer.h"
#include "foundation/Rounding.h"

#include <QtGui/QImage>

#include <algorithm>

// Shaded into the labels' drop shadow of the design view as well.
gdi::Color LabelFaceColor = 0xE2F3E6;

namespace {

[[noreturn]] void CannotSave(const QString& fileName, const QString& reason) {
    QString message = LocalizedFormat("IDS_CANNOTSAVEFILE", {fileName});
    if (!reason.isEmpty()) message += QStringLiteral(" (") + reason + u')';
    throw EFCreateError(message);
}

}  // namespace

// ---- base

TExportCanvas::~TExportCanvas() = default;

void TExportCanvas::CreateScaleCanvas() {
    scaleCanvas_ = std::make_unique<TScaleCanvas>(GetCanvas());
    scaleCanvas_->Reset(kResetScreen);
}

void TExportCanvas::PlaceExtent(const gdi::Rect& extent) {
    const gdi::Size size = ExportSizeFor(extent.Width(), extent.Height());
    SetSize(size.cx, size.cy);
    scaleCanvas_->SetPhysicalOffsetX(extent.left);
    scaleCanvas_->SetPhysicalOffsetY(extent.top);
}

void TExportCanvas::RememberSize(int32_t width, int32_t height) {
    width_ = width;
    height_ = height;
}

// ---- metafile

TExportWMFCanvas::TExportWMFCanvas(gdi::Metafile& metafile)
    : metafile_(&metafile), metafileCanvas_(std::make_unique<gdi::MetafileCanvas>(metafile)) {
    metafile.SetAnsiEncoder(&UnicodeToCp1252);
    CreateScaleCanvas();
}

TExportWMFCanvas::~TExportWMFCanvas() {
    metafileCanvas_.reset();  // completes the picture
}

void TExportWMFCanvas::SaveToFile(const QString& fileName) {
    metafileCanvas_->Complete();
    QString reason;
    if (!metafile_->SaveToFile(fileName, &reason)) CannotSave(fileName, reason);
}

void TExportWMFCanvas::SetSize(int32_t width, int32_t height) {
    RememberSize(width, height);
    metafile_->SetSize(width, height);
    // A picture larger than the screen is not clipped by the screen's size.
    gdi::DeviceCaps caps = metafileCanvas_->Caps();
    const gdi::DeviceCaps screen = gdi::ScreenCaps();
    caps.horzRes = caps.physicalWidth = std::max(screen.horzRes, width);
    caps.vertRes = caps.physicalHeight = std::max(screen.vertRes, height);
    caps.horzSizeMM = Round(caps.horzRes * 25.4L / std::max(1, caps.logPixelsX));
    caps.vertSizeMM = Round(caps.vertRes * 25.4L / std::max(1, caps.logPixelsY));
    metafileCanvas_->SetDeviceCaps(caps);
}

// ---- bitmap

TExportBMPCanvas::TExportBMPCanvas(gdi::BitmapCanvas& bitmap) : bitmap_(&bitmap) {
    CreateScaleCanvas();
}

void TExportBMPCanvas::SaveToFile(const QString& fileName) {
    if (!bitmap_->bitmap().image().save(fileName, "BMP")) CannotSave(fileName, QString());
}

void TExportBMPCanvas::SetSize(int32_t width, int32_t height) {
    RememberSize(width, height);
    bitmap_->SetSize(width, height);
}
