// The document window's paint of its view: everything goes into the view's
// off-screen bitmap, which the view then presents in one copy.

#include "app/Child.h"

#include "app/Master.h"
#include "app/MMWindow.h"
#include "app/SaveCanvas.h"
#include "app/SpeedButton.h"

#include "design/EinzelEtikett.h"
#include "design/RingLabels.h"
#include "document/Etikett.h"
#include "foundation/Codepage1252.h"
#include "foundation/Debug.h"
#include "foundation/ExportCanvas.h"
#include "foundation/Rounding.h"
#include "foundation/WrappedText.h"

namespace {

constexpr int kNameGap = 10;           // pixels between the label and its sheet name
constexpr int kNameWrapHeight = 200;   // pixels a wrapped sheet name may take
constexpr int kNameSideRoom = 30;      // the name is wrapped when it is not narrower than the client less this
constexpr int kMarkDistance = 10;      // pixels between the label and a printer mark
constexpr int kSheetNamePoints = 8;
constexpr uint8_t kAnsiCharset = 1;

constexpr gdi::Color kBlack = gdi::Rgb(0, 0, 0);
constexpr gdi::Color kWhite = gdi::Rgb(255, 255, 255);
constexpr gdi::Color kGrey = gdi::Rgb(0x80, 0x80, 0x80);
constexpr gdi::Color kRed = gdi::Rgb(0xFF, 0, 0);

gdi::Pen ThinPen(gdi::Color color) {
    gdi::Pen pen;
    pen.width = 1;
    pen.color = color;
    return pen;
}

}  // namespace

bool TChild::MainButtonDown(const char* name, bool mustBeEnabled) const {
    // Without a main window (a window on its own) the view shows everything.
    if (!Master) return true;
    const TSpeedButton* button = Master->Button(name);
    return button && button->Down() && (!mustBeEnabled || button->isEnabled());
}

bool TChild::MainInSizeMove() const { return Master && Master->InSizeMove(); }

void TChild::pbPaint() {
    Debug().Log("Start pbPaint");
    TScaleCanvas& canvas = mmWin_->GetScaleCanvas();
    updateRect_ = mmWin_->UpdateRect();
    paintArea_ = {canvas.PixelToMMX(updateRect_.left), canvas.PixelToMMY(updateRect_.top),
                  canvas.PixelToMMX(updateRect_.right), canvas.PixelToMMY(updateRect_.bottom)};
    // Outside painting the figures see the whole client area, also when a
    // figure's paint raised.
    struct IdleArea {
        TChild& w;
        ~IdleArea() {
            w.updateRect_ = {0, 0, w.mmWin_->ClientWidth(), w.mmWin_->ClientHeight()};
            w.paintArea_ = {-kIdlePaintArea, -kIdlePaintArea, kIdlePaintArea, kIdlePaintArea};
        }
    } idle{*this};

    PaintSheet();
    // The guides drawn after the figures cover the grid too.
    if (MainButtonDown("cmdGitter", false)) PaintGrid();
    UpdateClipRegions();
    if (currentDesign_) {
        if (MainInSizeMove()) {
            currentDesign_->DrawOutlines(canvas);
        } else {
            currentDesign_->PaintFigures();
        }
    }
    canvas.Canvas().SelectClipRgn(nullptr);
    PaintLabelGuides();
    if (MainButtonDown("cmdDruckerrand", true)) PaintPrinterMargins();
    if (currentDesign_) currentDesign_->PaintHandles();
    Debug().Log("Ende pbPaint");
}

void TChild::PaintSheet() {
    TScaleCanvas& canvas = mmWin_->GetScaleCanvas();
    gdi::Canvas& d = canvas.Canvas();
    d.FillRect({0, 0, mmWin_->ClientWidth(), mmWin_->ClientHeight()}, gdi::SolidBrush(LabelFaceColor));
    d.pen().width = 1;
    etikett_->DrawLabelFace(canvas, true);
    PaintSheetName(etikett_->GetLabelRect(canvas));
}

void TChild::PaintSheetName(const gdi::Rect& label) {
    const std::string& name = etikett_->GetName();
    if (name.empty()) return;
    gdi::Canvas& d = mmWin_->GetScaleCanvas().Canvas();
    d.brush().style = gdi::BrushStyle::Null;
    gdi::LogFont font;
    font.faceName = "Arial";
    font.height = -MulDiv64(kSheetNamePoints, d.Caps().logPixelsY, 72);
    font.charSet = kAnsiCharset;
    d.SetFont(font);
    d.SetTextColor(kSheetNameColor);
    d.SetBkMode(gdi::BkMode::Transparent);
    d.SetTextAlign(gdi::TA_LEFT | gdi::TA_TOP);
    const std::u16string text = AnsiToWide(name);
    const int32_t width = d.TextExtent(text).cx;
    const int32_t room = mmWin_->ClientWidth() - kNameSideRoom;
    const int32_t top = label.bottom + kNameGap;
    if (width < room) {
        d.TextOut((label.left + label.right - width) / 2, top, text);
        return;
    }
    const int32_t middle = (label.left + label.right) / 2;
    const gdi::Rect box{middle - room / 2, top, middle - room / 2 + room, top + kNameWrapHeight};
    TWrappedTextResult result;
    DrawWrappedTextRotated(d, name, box, result, wtCenter | wtTop, 0);
}

void TChild::PaintGrid() {
    TScaleCanvas& canvas = mmWin_->GetScaleCanvas();
    gdi::Canvas& d = canvas.Canvas();
    SaveCanvasStack().Save(d);
    const TFloatPoint size = DisplayedLabelSize(*etikett_);
    d.SetPen(ThinPen(gridColor_));
    const std::optional<gdi::Region> shape = etikett_->CreateLabelClipRegion(canvas);
    if (shape) d.SelectClipRgn(&*shape);
    for (const float x : ViewGridLines(size.X)) canvas.Line(x, 0, x, size.Y);
    for (const float y : ViewGridLines(size.Y)) canvas.Line(0, y, size.X, y);
    d.SelectClipRgn(nullptr);
    d.pen().color = kBlack;
    SaveCanvasStack().Restore(d);
}

void TChild::PaintLabelGuides() {
    TScaleCanvas& canvas = mmWin_->GetScaleCanvas();
    canvas.Canvas().SetPen(ThinPen(kBlack));
    etikett_->DrawLabelGuides(canvas);
}

void TChild::UpdateClipRegions() {
    // Only the figures of an active clip ring look at the regions.
    if (!ClipRingActive()) {
        clipRegions_.clear();
        return;
    }
    clipRegions_ = BuildViewClipRegions(*etikett_, mmWin_->GetScaleCanvas(), mmWin_->ClientWidth(), mmWin_->ClientHeight());
}

void TChild::PaintPrinterMargins() {
    TScaleCanvas& canvas = mmWin_->GetScaleCanvas();
    gdi::Canvas& d = canvas.Canvas();
    const TFloatPoint size = DisplayedLabelSize(*etikett_);
    const gdi::Rect label = etikett_->GetLabelRect(canvas);
    for (const TMarginLine& line : PrinterMarginLines(printerMargins_, size.X, size.Y)) {
        d.SetPen(ThinPen(kPrinterMarginColor));
        const auto at = static_cast<float>(line.Position);
        if (line.Vertical) {
            canvas.Line(at, 0, at, size.Y);
            const int32_t x = canvas.MMToPixelX(at);
            PaintPrinterMark(x, label.top - kMarkDistance);
            PaintPrinterMark(x, label.bottom + kMarkDistance);
        } else {
            canvas.Line(0, at, size.X, at);
            const int32_t y = canvas.MMToPixelY(at);
            PaintPrinterMark(label.left - kMarkDistance, y);
            PaintPrinterMark(label.right + kMarkDistance, y);
        }
    }
}

// A small printer: paper coming out of its white top, the grey body below
// and a red lamp.
void TChild::PaintPrinterMark(int32_t x, int32_t y) {
    gdi::Canvas& d = mmWin_->GetScaleCanvas().Canvas();
    d.SetPen(ThinPen(kBlack));
    d.SetBrush(gdi::SolidBrush(kWhite));
    d.Rectangle(x - 3, y - 5, x + 4, y + 2);
    d.MoveTo(x - 1, y - 3);
    d.LineTo(x + 2, y - 3);
    d.MoveTo(x - 1, y - 1);
    d.LineTo(x + 2, y - 1);
    d.SetBrush(gdi::SolidBrush(kGrey));
    d.Rectangle(x - 5, y + 1, x + 6, y + 6);
    d.pen().color = kRed;
    d.MoveTo(x + 2, y + 3);
    d.LineTo(x + 4, y + 3);
    d.pen().color = kBlack;
}
