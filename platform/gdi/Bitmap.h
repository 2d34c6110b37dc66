#pragma once
// A 32-bit device-independent bitmap, rows top-down. Each pixel is a 32-bit
// value $AARRGGBB (bytes B, G, R, A in memory), the layout of a 32-bit DIB.
// Pixel(), SetPixel() and Fill() take colours in the $00BBGGRR form.

#include "platform/gdi/GdiTypes.h"

#include <QtGui/QImage>

#include <memory>

namespace gdi {

class Bitmap {
public:
    Bitmap() = default;
    Bitmap(int32_t width, int32_t height);  // filled white
    explicit Bitmap(QImage image);          // converted to 32 bits

    int32_t Width() const { return image_.width(); }
    int32_t Height() const { return image_.height(); }
    bool IsEmpty() const { return image_.isNull(); }
    int32_t BytesPerLine() const { return static_cast<int32_t>(image_.bytesPerLine()); }

    uint32_t* ScanLine(int32_t row) { return reinterpret_cast<uint32_t*>(image_.scanLine(row)); }
    const uint32_t* ScanLine(int32_t row) const {
        return reinterpret_cast<const uint32_t*>(image_.constScanLine(row));
    }

    // Keeps the pixels that still fit; new pixels are white.
    void Resize(int32_t width, int32_t height);
    // Sizes a bitmap that is painted whole after every change of size (a
    // view's buffers): its memory grows in steps of kRepaintStep pixels
    // each way and is kept when the size shrinks, nothing is filled or
    // copied, and what the pixels hold afterwards is undefined.
    void ResizeForRepaint(int32_t width, int32_t height);
    static constexpr int32_t kRepaintStep = 256;
    void Fill(Color c);
    Color Pixel(int32_t x, int32_t y) const;  // 0 outside
    void SetPixel(int32_t x, int32_t y, Color c);

    QImage& image() { return image_; }
    const QImage& image() const { return image_; }

private:
    struct Storage;
    QImage image_;
    std::shared_ptr<Storage> storage_;  // the memory under image_ after ResizeForRepaint
};

}  // namespace gdi
