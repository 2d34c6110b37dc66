#include "pictures/ZRDib.h"

#include "foundation/Debug.h"
#include "foundation/Rounding.h"
#include "foundation/WaitCursor.h"
#include "platform/gdi/Canvas.h"

#include <cmath>

using imaging::Dib;
using imaging::DibHandle;

gdi::Size LimitedDIBSize(int32_t width, int32_t height, int32_t bitsPerPixel) {
    if (width < 1 || height < 1 || bitsPerPixel < 1) return {width, height};
    const int32_t w = Trunc(std::sqrt(double(width) / height * 8.0 / bitsPerPixel) * 3900.0);
    const int32_t h = Trunc(double(w) * height / width);
    return {w, h};
}

void TZRDib::SetDIB(DibHandle dib) {
    reduced_.reset();
    dib_ = std::move(dib);
    info_ = {};
    if (dib_) {
        info_ = dib_->Header();
        if (dib_->BlockSize() > kMaxBlockSize) {
            const TWaitCursor wait;
            const gdi::Size size = LimitedDIBSize(info_.width, info_.height, info_.bitCount);
            // When no smaller copy can be made, the large picture stays.
            if (DibHandle smaller = imaging::StretchDIB(*dib_, size.cx, size.cy)) {
                dib_ = std::move(smaller);
                info_ = dib_->Header();
            }
        }
    }
    if (OnChange) OnChange(*this);
}

bool TZRDib::ConvertDIB(int32_t bits) {
    if (!dib_ || !imaging::ConvertDIB(dib_, bits)) return false;
    info_ = dib_->Header();
    reduced_.reset();
    return true;
}

const Dib* TZRDib::ReducedCopy(int32_t width, int32_t height) {
    if (!reduced_ || reduced_->Width() != width || reduced_->Height() != height)
        reduced_ = imaging::StretchDIB(*dib_, width, height);
    return reduced_.get();
}

void TZRDib::Draw(gdi::Canvas& canvas, const gdi::Rect& rect) {
    DrawXY(canvas, rect.left, rect.top, rect.right, rect.bottom);
}

void TZRDib::DrawXY(gdi::Canvas& canvas, int32_t x1, int32_t y1, int32_t x2, int32_t y2) {
    if (!dib_) return;
    const int32_t w = x2 - x1;
    const int32_t h = y2 - y1;
    if (w < Width() || h < Height()) {
        const Dib* reduced = ReducedCopy(w, h);
        if (!reduced) {
            Debug().Log("StretchDIB fehlgeschlagen");
            return;
        }
        imaging::StretchDIBBlt(canvas, x1, y1, w, h, *reduced, 0, 0, w, h, gdi::SRCCOPY);
        return;
    }
    imaging::StretchDIBBlt(canvas, x1, y1, w, h, *dib_, 0, 0, Width(), Height(), gdi::SRCCOPY);
}
