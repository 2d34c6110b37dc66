#pragma once
// Pictures of the picture-figure tests, made here: four quadrants of clear
// colours (red top left, green top right, blue bottom left, yellow bottom
// right), as raster files of every kind, as a PNG whose bottom-right
// quadrant is transparent, and as a WMF and an EMF drawn by the program.

#include "platform/gdi/Metafile.h"
#include "platform/gdi/RecordingCanvas.h"
#include "platform/imaging/Dib.h"
#include "platform/imaging/Jpeg.h"
#include "platform/imaging/PictureFile.h"
#include "platform/imaging/Png.h"

#include <QtCore/QDir>
#include <QtCore/QString>

#include <cstdint>
#include <string>
#include <vector>

namespace fixtures {

inline constexpr gdi::Color kQuadrants[2][2] = {{gdi::Rgb(255, 0, 0), gdi::Rgb(0, 255, 0)},
                                                {gdi::Rgb(0, 0, 255), gdi::Rgb(255, 255, 0)}};

// The colour of the quadrant at (x, y) of a w x h picture, y from the top.
inline gdi::Color QuadrantAt(int32_t x, int32_t y, int32_t w, int32_t h) {
    return kQuadrants[2 * y >= h ? 1 : 0][2 * x >= w ? 1 : 0];
}

// A 32-bit picture of the quadrants; the bottom-right one transparent when asked.
inline imaging::DibHandle QuadrantDib(int32_t w, int32_t h, bool clearCorner = false) {
    imaging::DibHandle dib = imaging::CreateDIB(w, h, 32);
    for (int32_t y = 0; y < h; ++y) {
        auto* row = reinterpret_cast<uint32_t*>(dib->TopRow(y));
        for (int32_t x = 0; x < w; ++x) {
            const gdi::Color c = QuadrantAt(x, y, w, h);
            const uint32_t alpha = clearCorner && 2 * x >= w && 2 * y >= h ? 0 : 255;
            row[x] = gdi::BlueOf(c) | gdi::GreenOf(c) << 8 | gdi::RedOf(c) << 16 | alpha << 24;
        }
    }
    return dib;
}

// The quadrants drawn into a metafile of w x h units.
inline gdi::Metafile QuadrantMetafile(int32_t w, int32_t h) {
    gdi::Metafile metafile;
    metafile.SetSize(w, h);
    gdi::MetafileCanvas canvas(metafile);
    canvas.pen().style = gdi::PenStyle::Null;
    for (int32_t row = 0; row < 2; ++row)
        for (int32_t column = 0; column < 2; ++column) {
            canvas.SetBrush(gdi::SolidBrush(kQuadrants[row][column]));
            canvas.Rectangle(column * w / 2, row * h / 2, (column + 1) * w / 2 + 1, (row + 1) * h / 2 + 1);
        }
    return metafile;
}

inline std::vector<uint8_t> EncodedAs(imaging::PictureFormat format, const imaging::Dib& dib) {
    std::vector<uint8_t> bytes;
    if (format == imaging::PictureFormat::Png)
        imaging::EncodePng(dib, true, bytes);
    else if (format == imaging::PictureFormat::Jpeg)
        imaging::EncodeJpeg(dib, 95, bytes);
    else
        imaging::EncodePicture(dib, format, bytes);
    return bytes;
}

// Writes the bytes as the named file in the folder; its full path.
inline QString WriteFixture(const QString& folder, const QString& name, const std::vector<uint8_t>& bytes) {
    const QString path = QDir(folder).filePath(name);
    imaging::WriteFileBytes(path.toStdString(), bytes);
    return path;
}

// The five kinds of picture file, named by their extension, in the folder:
// photo.jpg, clear.png (transparent corner), plain.bmp, vector.wmf, vector.emf.
struct PictureFiles {
    QString jpeg, png, bmp, wmf, emf;
};

inline PictureFiles WriteAllKinds(const QString& folder, int32_t w = 40, int32_t h = 30) {
    const imaging::DibHandle opaque = QuadrantDib(w, h);
    const imaging::DibHandle clear = QuadrantDib(w, h, true);
    const gdi::Metafile metafile = QuadrantMetafile(w * 10, h * 10);
    return {WriteFixture(folder, QStringLiteral("photo.jpg"), EncodedAs(imaging::PictureFormat::Jpeg, *opaque)),
            WriteFixture(folder, QStringLiteral("clear.png"), EncodedAs(imaging::PictureFormat::Png, *clear)),
            WriteFixture(folder, QStringLiteral("plain.bmp"), EncodedAs(imaging::PictureFormat::Bmp, *opaque)),
            WriteFixture(folder, QStringLiteral("vector.wmf"), metafile.WmfBytes()),
            WriteFixture(folder, QStringLiteral("vector.emf"), metafile.EmfBytes())};
}

}  // namespace fixtures
