#include "foundation/BmpScaleCanvas.h"

TBmpScaleCanvas::TBmpScaleCanvas() : TScaleCanvas(bitmapCanvas.get()) {}

void TBmpScaleCanvas::SetWidth(int32_t w) {
    SetSize(w, bitmapCanvas->bitmap().Height());
}

void TBmpScaleCanvas::SetHeight(int32_t h) {
    SetSize(bitmapCanvas->bitmap().Width(), h);
}

void TBmpScaleCanvas::SetSize(int32_t w, int32_t h) {
    bitmapCanvas->SetSize(w, h);
    VisibleRect = {0, 0, w, h};
}

void TBmpScaleCanvas::SetSizeForRepaint(int32_t w, int32_t h) {
    bitmapCanvas->SetSizeForRepaint(w, h);
    VisibleRect = {0, 0, w, h};
}

uint32_t* TBmpScaleCanvas::ScanLine(int32_t row) {
    return bitmapCanvas->ScanLine(row);
}

const gdi::Bitmap& TBmpScaleCanvas::Bitmap() const {
    return bitmapCanvas->bitmap();
}
