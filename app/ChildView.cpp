// The document window's view commands: the fits and zooms, the rulers that
// follow the view, and the zoom bar of sheets of one label.

#include "app/Child.h"

#include "app/MMWindow.h"
#include "app/QNLineal.h"
#include "app/SpeedButton.h"

#include "design/EinzelEtikett.h"
#include "document/Etikett.h"
#include "foundation/Localizer.h"

#include <QtWidgets/QLabel>

namespace {

constexpr int kZoomCaptionWidth = 100;
constexpr int kZoomButtonMargin = 20;
constexpr int kZoomButtonTop = 2;

}  // namespace

// ---- rulers

void TChild::UpdateRulers() {
    const TScaleCanvas& c = mmWin_->WindowCanvas();
    const double pixPerdm = static_cast<float>(c.Zoom * c.ResolutionX * 100);
    if (pixPerdm != linHori_->PixPerdm()) {
        linHori_->SetPixPerdm(pixPerdm);
        linVert_->SetPixPerdm(pixPerdm);
    }
    // The label's corner as each ruler sees it (the horizontal ruler begins
    // above the vertical one).
    const QPoint corner = mmWin_->viewport()->mapTo(panel1_, QPoint(c.MMToPixelX(0), c.MMToPixelY(0)));
    const int32_t horizontalZero = linHori_->mapFrom(panel1_, corner).x();
    const int32_t verticalZero = linVert_->mapFrom(panel1_, corner).y();
    if (horizontalZero != linHori_->StartNull()) linHori_->SetStartNull(horizontalZero);
    if (verticalZero != linVert_->StartNull()) linVert_->SetStartNull(verticalZero);
}

void TChild::sbScroll() {
    UpdateRulers();
    linHori_->update();
    linVert_->update();
}

void TChild::UpdateCursorMarks(int x, int y) {
    const QPoint p = mmWin_->viewport()->mapTo(panel1_, QPoint(x, y));
    linHori_->UpdateCursorMarkAt(linHori_->mapFrom(panel1_, p));
    linVert_->UpdateCursorMarkAt(linVert_->mapFrom(panel1_, p));
}

// ---- zoom commands

void TChild::mnuGanzClick() {
    mmWin_->FitTemplate();
    UpdateRulers();
}

void TChild::mnuZoomBreiteClick() {
    mmWin_->FitTemplateWidth();
    UpdateRulers();
}

void TChild::mnuAnsichtEtikettenHoeheClick() {
    mmWin_->FitTemplateHeight();
    UpdateRulers();
}

void TChild::mnuAnsichtZoomAlleObjekteClick() {
    if (!currentDesign_ || currentDesign_->FigureCount() == 0) {
        mnuGanzClick();
        return;
    }
    const TFloatRect r = currentDesign_->GetFiguresExtent();
    mmWin_->ZoomToRect(r.Left, r.Top, r.Right, r.Bottom);
    UpdateRulers();
}

void TChild::mnuAnsichtZoomAuswahlClick() {
    if (!currentDesign_ || currentDesign_->SelectedCount() == 0) return;
    const TFloatRect r = currentDesign_->GetSelectionExtent();
    mmWin_->ZoomToRect(r.Left, r.Top, r.Right, r.Bottom);
    UpdateRulers();
}

void TChild::mnuClipRingClick() {
    SetClipRing(!clipRing_);
    UpdateFrameControls();
}

void TChild::ZoomCentered(double zoom) {
    mmWin_->ZoomCentered(zoom);
    UpdateRulers();
}

// ---- the zoom bar

void TChild::ClearZoomBar() {
    for (QWidget* control : zoomBar_) delete control;
    zoomBar_.clear();
}

void TChild::BuildZoomBar() {
    ClearZoomBar();
    auto* caption = new QLabel(LocalizedText("IDS_CHILDZoom1"), panel2_);
    caption->setGeometry(0, 0, kZoomCaptionWidth, panel2_->height());
    caption->setAlignment(Qt::AlignCenter);
    caption->show();
    zoomBar_.push_back(caption);
    int x = kZoomCaptionWidth;
    x += AddZoomBarButton(x, 0, LocalizedText("IDS_CHILDZoom2"));
    const TMMRgnList& regions = etikett_->ZoomRegions;
    if (regions.HasZoomRegion()) {
        int tag = 0;
        for (int32_t i = 0; i < regions.Count(); ++i) {
            const TMMRgn& region = regions.GetItem(i);
            if (region.IsZoomRegion()) x += AddZoomBarButton(x, ++tag, region.Name);
        }
    }
    if (zoomBar_.size() < 3) panel2_->hide();
}

int TChild::AddZoomBarButton(int x, int tag, const QString& caption) {
    auto* button = new TSpeedButton(panel2_);
    button->setToolButtonStyle(Qt::ToolButtonTextOnly);
    button->setAutoRaise(true);
    button->setText(caption);
    const int width = button->fontMetrics().horizontalAdvance(caption) + kZoomButtonMargin;
    button->setGeometry(x, kZoomButtonTop, width, panel2_->height() - 3);
    connect(button, &QToolButton::clicked, this, [this, tag] { ZoomBarButtonClick(tag); });
    button->show();
    zoomBar_.push_back(button);
    return width;
}

void TChild::ZoomBarButtonClick(int tag) {
    if (tag == 0) {
        mnuGanzClick();
        return;
    }
    const TMMRgnList& regions = etikett_->ZoomRegions;
    int found = 0;
    for (int32_t i = 0; i < regions.Count(); ++i) {
        const TMMRgn& region = regions.GetItem(i);
        if (!region.IsZoomRegion() || ++found != tag) continue;
        mmWin_->ZoomToRect(region.Left, region.Top, region.Right, region.Bottom);
        UpdateRulers();
        return;
    }
}
