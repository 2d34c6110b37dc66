#pragma once
// The page bitmap of page-as-bitmap printing: 2000 x 2000 pixels (169.3 mm
// square at 300 pixels per inch) on anonymous memory that the system commits
// only as it is drawn on, with a canvas that draws into it. A rectangle of it
// is sent stretched onto the printer, in colour or, for a printer set to grey,
// as grey values. One bitmap (GetMemMapDIB) serves every job of the process.
//
// Pixels are 32-bit, $00RRGGBB (bytes blue, green, red, unused), rows top-down
// as everywhere in the drawing layer. Fresh memory is black. A rectangle is
// sent as a picture of its own (a canvas may keep what it is sent), copied
// into memory that is used again while no canvas keeps it.

#include "platform/gdi/Bitmap.h"
#include "platform/gdi/Canvas.h"

#include <QtGui/QImage>
#include <QtGui/QPainter>

#include <cstdint>
#include <memory>

class TMemMapDIBSection {
public:
    static constexpr int32_t kWidth = 2000;
    static constexpr int32_t kHeight = 2000;

    // Raises Exception with "IDS_DIBERROR" when the memory cannot be had.
    TMemMapDIBSection();
    ~TMemMapDIBSection();
    TMemMapDIBSection(const TMemMapDIBSection&) = delete;
    TMemMapDIBSection& operator=(const TMemMapDIBSection&) = delete;

    // Device units are the bitmap's pixels; it reports the screen's resolution.
    gdi::Canvas& Canvas() { return *canvas_; }
    // Puts the canvas back to the state it had when the bitmap was made (pen,
    // brush, font, clip region, mapping), for a job that begins to use it: a
    // scale canvas takes the font the canvas has.
    void ResetCanvas();
    gdi::Color Pixel(int32_t x, int32_t y) const;
    const uint32_t* ScanLine(int32_t row) const { return reinterpret_cast<const uint32_t*>(image_.constScanLine(row)); }

    // Sends the source rectangle (bitmap pixels) stretched into the
    // destination (logical units of the canvas): on a printer through
    // StretchToPrinter, in grey when the printer is set to grey; any other
    // canvas gets a plain copy. The number of rows sent, 0 for none.
    int32_t StretchToCanvas(gdi::Canvas& canvas, const gdi::Rect& dest, const gdi::Rect& source);
    // A destination beyond the printable page sends nothing; one that reaches
    // over its edges is cut there and the source loses the matching share.
    // The source is kept inside the bitmap.
    int32_t StretchToPrinter(gdi::Canvas& printer, gdi::Rect dest, gdi::Rect source, bool grey);

    // 0.3 red + 0.59 green + 0.11 blue, rounded with halves to the even neighbour.
    static uint8_t GreyValue(uint8_t red, uint8_t green, uint8_t blue);

private:
    int32_t StretchGrayscale(gdi::Canvas& printer, const gdi::Rect& dest, const gdi::Rect& source);
    int32_t StretchColor(gdi::Canvas& printer, const gdi::Rect& dest, const gdi::Rect& source);
    int32_t Send(gdi::Canvas& canvas, const gdi::Rect& dest, const gdi::Rect& source);
    // The image the source rectangle is copied into before it is sent. It is
    // used again for a rectangle of the same size unless a canvas kept it.
    QImage& TransferImage(const gdi::Rect& source);

    void* memory_ = nullptr;
    QImage image_;  // on memory_; never copied, so that it never leaves it
    QPainter painter_;
    std::unique_ptr<gdi::Canvas> canvas_;
    QImage transfer_;
};

TMemMapDIBSection& GetMemMapDIB();
