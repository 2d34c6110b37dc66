// Bitmaps of metafile records, drawn into their rectangle upright, at
// quarter turns or turned by any angle with the picture.
#include "pictures/ZRMetaFile.h"

#include "foundation/PointHelpers.h"
#include "platform/gdi/Bitmap.h"
#include "platform/gdi/Canvas.h"
#include "platform/imaging/Dib.h"

#include <QtGui/QImage>

#include <algorithm>
#include <array>
#include <cmath>

namespace {

struct Vector2 {
    double x = 0, y = 0;
};

// The source pixels at the centres of a grid of cells over a rectangle of
// the canvas: cell (i, j) is the square of side `cell` at the box's top-left
// corner plus (i, j) cells. The bitmap's source part spans the parallelogram
// at origin along ex (its rows) and ey (its columns).
QImage Resampled(const QImage& image, const gdi::Rect& source, Vector2 origin, Vector2 ex, Vector2 ey, const gdi::Rect& box,
                 int32_t cell) {
    const int32_t w = (box.Width() + cell - 1) / cell, h = (box.Height() + cell - 1) / cell;
    QImage out(w, h, QImage::Format_RGB32);
    if (out.isNull()) return out;
    out.fill(Qt::white);
    const double det = ex.x * ey.y - ex.y * ey.x;
    // u and v (0..1 across the source) move linearly along a row.
    const double du = cell * ey.y / det, dv = -cell * ex.y / det;
    for (int32_t j = 0; j < h; ++j) {
        const double qx = box.left + 0.5 * cell - origin.x, qy = box.top + (j + 0.5) * cell - origin.y;
        double u = (qx * ey.y - qy * ey.x) / det, v = (ex.x * qy - ex.y * qx) / det;
        auto* line = reinterpret_cast<QRgb*>(out.scanLine(j));
        for (int32_t i = 0; i < w; ++i, u += du, v += dv) {
            const auto sx = static_cast<int32_t>(std::floor(source.left + u * source.Width()));
            const auto sy = static_cast<int32_t>(std::floor(source.top + v * source.Height()));
            const int32_t x = std::clamp(sx, source.left, source.right - 1), y = std::clamp(sy, source.top, source.bottom - 1);
            line[i] = reinterpret_cast<const QRgb*>(image.constScanLine(y))[x];
        }
    }
    return out;
}

}  // namespace

void TCustomZRMetaFile::DrawDib(const imaging::Dib& dib, gdi::Rect logicalDest, gdi::Rect source, uint32_t rop,
                                BitmapTurns turns) {
    const float turn = std::fmod(std::fmod(Angle, 360.0f) + 360.0f, 360.0f);
    const bool quarter = std::fmod(turn, 90.0f) == 0;
    if (turn != 0 && (turns == BitmapTurns::UprightOnly || (!quarter && turns == BitmapTurns::QuarterTurns))) return;
    source = gdi::IntersectRect(source.Normalized(), {0, 0, dib.Width(), dib.Height()});
    if (source.IsEmpty()) return;
    const gdi::Bitmap bitmap = imaging::BitmapFromDIB(dib, false);
    if (bitmap.IsEmpty()) return;
    if (!quarter) return DrawTurnedBitmap(bitmap, logicalDest, source, rop);
    const TPoint a = MapPoint(logicalDest.left, logicalDest.top);
    const TPoint b = MapPoint(logicalDest.right, logicalDest.bottom);
    if (turn == 0 || turn == 180) {
        dc_->StretchBlt({a.x, a.y, b.x, b.y}, bitmap, source, rop);
        return;
    }
    // A quarter turn: the part turned with the picture, mirrored as the
    // unturned picture would show it, into the turned rectangle's box.
    const TRect box = BoundsOfPoints(MappedCorners(logicalDest));
    float ux0, uy0, ux1, uy1;
    MatrixTransformPoint(PointMatrixUnrotated, static_cast<float>(logicalDest.left), static_cast<float>(logicalDest.top), ux0, uy0);
    MatrixTransformPoint(PointMatrixUnrotated, static_cast<float>(logicalDest.right), static_cast<float>(logicalDest.bottom), ux1, uy1);
    QImage part = bitmap.image().copy(source.left, source.top, source.Width(), source.Height());
    part = part.mirrored(ux1 < ux0, uy1 < uy0);
    imaging::DibHandle turned;
    if (imaging::DibHandle partDib = imaging::DIBFromBitmap(gdi::Bitmap(std::move(part)), 24))
        turned = imaging::RotateDIB(*partDib, turn == 90 ? -900 : 900, gdi::Rgb(255, 255, 255));
    if (!turned) return;
    imaging::StretchDIBBlt(*dc_, box.left, box.top, box.Width(), box.Height(), *turned, 0, 0, turned->Width(),
                           turned->Height(), rop);
}

// Turned by any angle: the visible part of the turned rectangle is sampled
// from the source, pixel by pixel at the canvas's resolution (coarser where
// that would take many more pixels than the source has), and drawn clipped
// to the turned rectangle, so that the raster operation meets only its pixels.
void TCustomZRMetaFile::DrawTurnedBitmap(const gdi::Bitmap& bitmap, const gdi::Rect& logicalDest,
                                         const gdi::Rect& source, uint32_t rop) {
    auto map = [this](int32_t x, int32_t y) {
        float mx = 0, my = 0;
        MatrixTransformPoint(PointMatrix, static_cast<float>(x), static_cast<float>(y), mx, my);
        return Vector2{mx, my};
    };
    const Vector2 origin = map(logicalDest.left, logicalDest.top);
    const Vector2 right = map(logicalDest.right, logicalDest.top), down = map(logicalDest.left, logicalDest.bottom);
    const Vector2 ex{right.x - origin.x, right.y - origin.y}, ey{down.x - origin.x, down.y - origin.y};
    if (!(std::fabs(ex.x * ey.y - ex.y * ey.x) >= 1e-6)) return;
    const std::array<gdi::Rect, 1> dest{logicalDest};
    const std::optional<gdi::Region> area = DeviceRegion(dest);
    if (!area || area->IsEmpty()) return;
    const gdi::Rect box = gdi::IntersectRect(BoundsOfPoints(MappedCorners(logicalDest)), dc_->GetClipBox());
    if (box.IsEmpty()) return;
    const double pixels = double(box.Width()) * box.Height();
    const double budget = std::max(4.0 * source.Width() * source.Height(), 65536.0);
    const auto cell = static_cast<int32_t>(std::max(1.0, std::ceil(std::sqrt(pixels / budget))));
    const QImage sampled = Resampled(bitmap.image(), source, origin, ex, ey, box, cell);
    if (sampled.isNull()) return;
    ClippedTo(*area, [&] {
        dc_->StretchBlt({box.left, box.top, box.left + sampled.width() * cell, box.top + sampled.height() * cell},
                        gdi::Bitmap(sampled), {0, 0, sampled.width(), sampled.height()}, rop);
    });
}
