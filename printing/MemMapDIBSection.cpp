#include "printing/MemMapDIBSection.h"

#include "foundation/Debug.h"
#include "foundation/Exceptions.h"
#include "foundation/Localizer.h"
#include "platform/gdi/PainterCanvas.h"
#include "printing/PrinterSupport.h"

#include <sys/mman.h>

#include <algorithm>
#include <array>
#include <cstring>
#include <exception>

namespace {

constexpr size_t kBytesPerLine = TMemMapDIBSection::kWidth * 4;
constexpr size_t kBytes = kBytesPerLine * TMemMapDIBSection::kHeight;

gdi::DeviceCaps BitmapCaps() {
    gdi::DeviceCaps caps = gdi::ScreenCaps();
    caps.horzRes = caps.physicalWidth = TMemMapDIBSection::kWidth;
    caps.vertRes = caps.physicalHeight = TMemMapDIBSection::kHeight;
    caps.horzSizeMM = static_cast<int32_t>(caps.horzRes * 25.4 / caps.logPixelsX + 0.5);
    caps.vertSizeMM = static_cast<int32_t>(caps.vertRes * 25.4 / caps.logPixelsY + 0.5);
    caps.bitsPerPixel = 32;
    return caps;
}

// Grey values through tables: a hundred times each colour's share, and the
// rounded grey of each sum.
class GreyTables {
public:
    static const GreyTables& Get() {
        static const GreyTables tables;
        return tables;
    }
    uint8_t Grey(uint32_t red, uint32_t green, uint32_t blue) const {
        return grey_[red_[red] + green_[green] + blue_[blue]];
    }

private:
    GreyTables() {
        for (int i = 0; i < 256; ++i) {
            red_[i] = static_cast<uint16_t>(30 * i);
            green_[i] = static_cast<uint16_t>(59 * i);
            blue_[i] = static_cast<uint16_t>(11 * i);
        }
        for (int hundredfold = 0; hundredfold < static_cast<int>(grey_.size()); ++hundredfold) {
            const int whole = hundredfold / 100, rest = hundredfold % 100;
            grey_[static_cast<size_t>(hundredfold)] =
                static_cast<uint8_t>(whole + (rest > 50 || (rest == 50 && (whole & 1)) ? 1 : 0));
        }
    }
    std::array<uint16_t, 256> red_{}, green_{}, blue_{};
    std::array<uint8_t, 100 * 255 + 1> grey_{};
};

// The part of r that lies in the bitmap.
gdi::Rect InsideBitmap(const gdi::Rect& r) {
    return gdi::IntersectRect(r.Normalized(), {0, 0, TMemMapDIBSection::kWidth, TMemMapDIBSection::kHeight});
}

}  // namespace

TMemMapDIBSection::TMemMapDIBSection() {
    memory_ = mmap(nullptr, kBytes, PROT_READ | PROT_WRITE, MAP_PRIVATE | MAP_ANONYMOUS | MAP_NORESERVE, -1, 0);
    if (memory_ == MAP_FAILED) {
        memory_ = nullptr;
        throw Exception(LocalizedText("IDS_DIBERROR"));
    }
    image_ = QImage(static_cast<uchar*>(memory_), kWidth, kHeight, static_cast<qsizetype>(kBytesPerLine),
                    QImage::Format_RGB32);
    painter_.begin(&image_);
    canvas_ = std::make_unique<gdi::PainterCanvas>(painter_, gdi::DeviceKind::Bitmap, BitmapCaps());
    canvas_->SaveDC();  // the first state, which ResetCanvas restores
}

void TMemMapDIBSection::ResetCanvas() {
    canvas_->RestoreDC(1);
    canvas_->SaveDC();
}

TMemMapDIBSection::~TMemMapDIBSection() {
    canvas_.reset();
    if (painter_.isActive()) painter_.end();
    image_ = QImage();
    if (memory_) munmap(memory_, kBytes);
}

gdi::Color TMemMapDIBSection::Pixel(int32_t x, int32_t y) const {
    if (x < 0 || y < 0 || x >= kWidth || y >= kHeight) return 0;
    const uint32_t p = ScanLine(y)[x];
    return gdi::Rgb(qRed(p), qGreen(p), qBlue(p));
}

uint8_t TMemMapDIBSection::GreyValue(uint8_t red, uint8_t green, uint8_t blue) {
    return GreyTables::Get().Grey(red, green, blue);
}

QImage& TMemMapDIBSection::TransferImage(const gdi::Rect& source) {
    // Of the rectangle's size, so that a canvas need not cut it out again.
    const bool reusable = !transfer_.isNull() && transfer_.isDetached() && transfer_.width() == source.Width() &&
                          transfer_.height() == source.Height();
    if (!reusable) transfer_ = QImage(source.Width(), source.Height(), QImage::Format_RGB32);
    if (transfer_.isNull()) throw Exception(LocalizedText("IDS_DIBERROR"));
    return transfer_;
}

int32_t TMemMapDIBSection::Send(gdi::Canvas& canvas, const gdi::Rect& dest, const gdi::Rect& source) {
    canvas.StretchBlt(dest, gdi::Bitmap(transfer_), {0, 0, transfer_.width(), transfer_.height()});
    return source.Height();
}

int32_t TMemMapDIBSection::StretchToCanvas(gdi::Canvas& canvas, const gdi::Rect& dest, const gdi::Rect& source) {
    if (canvas.IsPrinter()) return StretchToPrinter(canvas, dest, source, !PrinterSupportsColor());
    const gdi::Rect inside = InsideBitmap(source);
    if (inside.IsEmpty()) return 0;
    return StretchColor(canvas, dest, inside);
}

int32_t TMemMapDIBSection::StretchToPrinter(gdi::Canvas& printer, gdi::Rect d, gdi::Rect s, bool grey) {
    // The printable page in the canvas's logical units.
    const gdi::DeviceCaps& caps = printer.Caps();
    const gdi::Point page = printer.DPtoLP({caps.horzRes, caps.vertRes});
    const gdi::Point origin = printer.DPtoLP({0, 0});
    const int64_t pageWidth = page.x - origin.x;
    const int64_t pageHeight = page.y - origin.y;
    if (d.left > pageWidth || d.top > pageHeight || d.right < 0 || d.bottom < 0) return 0;
    if (d.IsEmpty() || s.IsEmpty()) return 0;
    // Each cut takes the share of the source that the destination loses.
    if (d.left < 0) {
        s.left = static_cast<int32_t>(s.right - int64_t{s.Width()} * d.right / (int64_t{d.right} - d.left));
        d.left = 0;
    }
    if (d.top < 0) {
        s.top = static_cast<int32_t>(s.bottom - int64_t{s.Height()} * d.bottom / (int64_t{d.bottom} - d.top));
        d.top = 0;
    }
    if (d.right > pageWidth) {
        s.right = static_cast<int32_t>(s.left + int64_t{s.Width()} * (pageWidth - d.left) / (int64_t{d.right} - d.left));
        d.right = static_cast<int32_t>(pageWidth);
    }
    if (d.bottom > pageHeight) {
        s.bottom = static_cast<int32_t>(s.top + int64_t{s.Height()} * (pageHeight - d.top) / (int64_t{d.bottom} - d.top));
        d.bottom = static_cast<int32_t>(pageHeight);
    }
    const gdi::Rect inside = InsideBitmap(s);
    if (inside.IsEmpty() || d.IsEmpty()) return 0;
    return grey ? StretchGrayscale(printer, d, inside) : StretchColor(printer, d, inside);
}

int32_t TMemMapDIBSection::StretchGrayscale(gdi::Canvas& printer, const gdi::Rect& dest, const gdi::Rect& source) {
    try {
        QImage& grey = TransferImage(source);
        const GreyTables& tables = GreyTables::Get();
        for (int32_t y = 0; y < source.Height(); ++y) {
            const uint32_t* from = ScanLine(source.top + y) + source.left;
            auto* to = reinterpret_cast<uint32_t*>(grey.scanLine(y));
            for (int32_t x = 0; x < source.Width(); ++x) {
                const uint32_t g = tables.Grey(qRed(from[x]), qGreen(from[x]), qBlue(from[x]));
                to[x] = 0xFF000000u | g << 16 | g << 8 | g;
            }
        }
        return Send(printer, dest, source);
    } catch (const std::exception&) {
        Debug().Log("StretchGrayscale: Fehler bei StretchDIBits");
        return 0;
    }
}

int32_t TMemMapDIBSection::StretchColor(gdi::Canvas& printer, const gdi::Rect& dest, const gdi::Rect& source) {
    try {
        QImage& copy = TransferImage(source);
        const size_t bytes = static_cast<size_t>(source.Width()) * 4;
        for (int32_t y = 0; y < source.Height(); ++y)
            std::memcpy(copy.scanLine(y), ScanLine(source.top + y) + source.left, bytes);
        return Send(printer, dest, source);
    } catch (const std::exception&) {
        Debug().Log("StretchColor: Fehler bei StretchDIBits");
        return 0;
    }
}

TMemMapDIBSection& GetMemMapDIB() {
    static std::unique_ptr<TMemMapDIBSection> dib;
    if (!dib) dib = std::make_unique<TMemMapDIBSection>();
    return *dib;
}
