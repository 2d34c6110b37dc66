#pragma once
// Turns a metafile's recorded calls into the bytes of a metafile file.
//
// Coordinates are written in device units of the recording (every call is
// mapped with its own logical-to-device map), so the picture needs no
// mapping records; the frame is (0, 0, width, height) at the reference
// device's resolution. Pens, brushes and fonts are created, selected and
// deleted as they change between calls, attributes (text and background
// colour, background mode, mix mode, fill mode, text alignment, stretch mode)
// are set when they change, and clip regions are set within a saved state:
// rectangles as IntersectClipRect, other regions as a region object (in a
// WMF, one too large for that as its box less the rest, by ExcludeClipRect).
// Beziers and paths are flattened; shapes under a turning map become polygons.
//
// WMF: a placeable metafile (key 0x9AC6CDD7, 22-byte header with checksum,
// 18-byte metafile header, 16-bit coordinates clamped), text in the 8-bit code
// page of the metafile's encoder (a symbol font's characters by their low
// byte), bitmaps as 24-bit DIBs of StretchDIB records. EMF: the same drawing with 32-bit records, Unicode text.

#include <cstdint>
#include <vector>

namespace gdi {

class Metafile;

std::vector<uint8_t> WritePlaceableWmf(const Metafile& metafile);
std::vector<uint8_t> WriteEmf(const Metafile& metafile);

// Record numbers of the WMF format that the writer uses.
namespace wmf {
constexpr uint32_t kPlaceableKey = 0x9AC6CDD7;
constexpr uint16_t META_EOF = 0x0000;
constexpr uint16_t META_SAVEDC = 0x001E;
constexpr uint16_t META_RESTOREDC = 0x0127;
constexpr uint16_t META_SETBKCOLOR = 0x0201;
constexpr uint16_t META_SETBKMODE = 0x0102;
constexpr uint16_t META_SETROP2 = 0x0104;
constexpr uint16_t META_SETPOLYFILLMODE = 0x0106;
constexpr uint16_t META_SETSTRETCHBLTMODE = 0x0107;
constexpr uint16_t META_SETTEXTCOLOR = 0x0209;
constexpr uint16_t META_SETWINDOWORG = 0x020B;
constexpr uint16_t META_SETWINDOWEXT = 0x020C;
constexpr uint16_t META_LINETO = 0x0213;
constexpr uint16_t META_MOVETO = 0x0214;
constexpr uint16_t META_INTERSECTCLIPRECT = 0x0416;
constexpr uint16_t META_ARC = 0x0817;
constexpr uint16_t META_ELLIPSE = 0x0418;
constexpr uint16_t META_PIE = 0x081A;
constexpr uint16_t META_RECTANGLE = 0x041B;
constexpr uint16_t META_ROUNDRECT = 0x061C;
constexpr uint16_t META_PATBLT = 0x061D;
constexpr uint16_t META_SETPIXEL = 0x041F;
constexpr uint16_t META_EXCLUDECLIPRECT = 0x0415;
constexpr uint16_t META_POLYGON = 0x0324;
constexpr uint16_t META_POLYLINE = 0x0325;
constexpr uint16_t META_SETTEXTALIGN = 0x012E;
constexpr uint16_t META_CHORD = 0x0830;
constexpr uint16_t META_EXTTEXTOUT = 0x0A32;
constexpr uint16_t META_POLYPOLYGON = 0x0538;
constexpr uint16_t META_STRETCHDIB = 0x0F43;
constexpr uint16_t META_DELETEOBJECT = 0x01F0;
constexpr uint16_t META_CREATEPENINDIRECT = 0x02FA;
constexpr uint16_t META_CREATEFONTINDIRECT = 0x02FB;
constexpr uint16_t META_CREATEBRUSHINDIRECT = 0x02FC;
constexpr uint16_t META_DIBCREATEPATTERNBRUSH = 0x0142;
constexpr uint16_t META_SELECTOBJECT = 0x012D;
constexpr uint16_t META_SELECTCLIPREGION = 0x012C;
constexpr uint16_t META_CREATEREGION = 0x06FF;
}  // namespace wmf

// Record types of the EMF format that the writer uses.
namespace emf {
constexpr uint32_t EMR_HEADER = 1;
constexpr uint32_t EMR_POLYGON = 3;
constexpr uint32_t EMR_POLYLINE = 4;
constexpr uint32_t EMR_POLYPOLYGON = 8;
constexpr uint32_t EMR_EOF = 14;
constexpr uint32_t EMR_SETPIXELV = 15;
constexpr uint32_t EMR_SETBKMODE = 18;
constexpr uint32_t EMR_SETPOLYFILLMODE = 19;
constexpr uint32_t EMR_SETROP2 = 20;
constexpr uint32_t EMR_SETSTRETCHBLTMODE = 21;
constexpr uint32_t EMR_SETTEXTALIGN = 22;
constexpr uint32_t EMR_SETTEXTCOLOR = 24;
constexpr uint32_t EMR_SETBKCOLOR = 25;
constexpr uint32_t EMR_MOVETOEX = 27;
constexpr uint32_t EMR_INTERSECTCLIPRECT = 30;
constexpr uint32_t EMR_SAVEDC = 33;
constexpr uint32_t EMR_RESTOREDC = 34;
constexpr uint32_t EMR_SELECTOBJECT = 37;
constexpr uint32_t EMR_CREATEPEN = 38;
constexpr uint32_t EMR_CREATEBRUSHINDIRECT = 39;
constexpr uint32_t EMR_DELETEOBJECT = 40;
constexpr uint32_t EMR_ELLIPSE = 42;
constexpr uint32_t EMR_RECTANGLE = 43;
constexpr uint32_t EMR_ROUNDRECT = 44;
constexpr uint32_t EMR_ARC = 45;
constexpr uint32_t EMR_CHORD = 46;
constexpr uint32_t EMR_PIE = 47;
constexpr uint32_t EMR_LINETO = 54;
constexpr uint32_t EMR_EXTSELECTCLIPRGN = 75;
constexpr uint32_t EMR_BITBLT = 76;
constexpr uint32_t EMR_STRETCHDIBITS = 81;
constexpr uint32_t EMR_EXTCREATEFONTINDIRECTW = 82;
constexpr uint32_t EMR_EXTTEXTOUTW = 84;
constexpr uint32_t EMR_CREATEDIBPATTERNBRUSHPT = 94;
constexpr uint32_t kSignature = 0x464D4520;  // " EMF"
}  // namespace emf

}  // namespace gdi
