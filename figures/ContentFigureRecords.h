#pragma once
// The element records of the text, shape, barcode and listing figures, each
// behind the rectangle record (FigureRecords.h), value by value in their
// stored order (the picture part of the picture figures is read and written
// by ReadPictureRecord and WritePictureRecord of Bild32.h). The figure
// classes and the document preview read and write them here only. Counts and lengths are checked against the bytes
// that remain before anything is allocated; a record that ends early raises
// EFilerReadError ("IDS_CANNOTREADFILE").
//
// Content objects that write their own untagged streams into the record
// (tree data, track tables, rich-text tables, contour lists) follow these
// records; their formats belong to those objects.

#include "figures/FigureRecords.h"
#include "foundation/Stream.h"
#include "shapes/HotTrackData.h"

#include <cstdint>
#include <string>
#include <vector>

// n raw bytes of the filer's stream, refused when fewer remain.
std::string ReadRawBytes(TEtikettFiler& filer, int64_t count);

// The plain text (element codes 7, 10 and 12 begin with it). In a legacy
// stream the text is a Longint n, one skipped tag byte and n raw bytes, of
// which the part before the first zero byte is the text.
struct TTextRecord {
    TFontRecord Font;
    int32_t HAlign = 1;  // 0 left, 1 centred, 2 right, 3 justified
    int32_t VAlign = 1;  // 0 top, 1 centred, 2 bottom
    std::string Text;

    void Read(TEtikettFiler& filer);
    void Write(TEtikettFiler& filer) const;
};

// The placement of a text on a circle: the plain circular text (behind its
// text record) and the rich-text circle (behind its rich-text record).
struct TCircleTextRecord {
    int32_t RotTextStyle = 0;  // 0 along the top of the circle, else along the bottom
    double Kerning = 1.0;

    void Read(TEtikettFiler& filer);
    void Write(TEtikettFiler& filer) const;
};

// The field text behind its text record: the field's id, name and value.
struct TFieldTextRecord {
    std::string FieldId = "100001";
    std::string Name;
    std::string Value;

    void Read(TEtikettFiler& filer);
    void Write(TEtikettFiler& filer) const;
};

// The rich text: the alignments, then one string of the frame prefix
// ("RAHMEN1", the frame kind as one byte, the corner size as a single) and
// the RTF. A string without the prefix is all RTF and leaves frame kind and
// corner size as they were; a prefix cut short takes what it holds.
struct TRTFTextRecord {
    static constexpr const char* kFramePrefix = "RAHMEN1";
    static constexpr size_t kFramePrefixSize = 12;
    static constexpr size_t kMaxRTFSize = 2000000;

    int32_t HAlign = 1;
    int32_t VAlign = 1;
    uint8_t FrameKind = 0;  // 0 rectangle, 1 chamfered corners, 2 rounded corners
    float CornerSize = 2.0f;  // mm
    std::string RTF;

    void Read(TEtikettFiler& filer);
    void Write(TEtikettFiler& filer) const;
};

// The counter field behind its rich-text record.
struct TZaehlerfeldRecord {
    int32_t Version = 100;  // read and not checked
    std::string Prefix;
    std::string Postfix;
    int32_t Counter = 1;
    int32_t Increment = 1;
    int32_t Digits = 2;
    bool UpdateAfterPrint = true;

    void Read(TEtikettFiler& filer);
    void Write(TEtikettFiler& filer) const;
};

// The auto-shape: the shape's class name and its adjust-handle record
// (228 raw bytes).
struct TAutoFormRecord {
    std::string ShapeClass = "TBanderoleShape";
    THotTrackData HotTrack;

    void Read(TEtikettFiler& filer);
    void Write(TEtikettFiler& filer) const;
};

// The WordArt text.
struct TWordartRecord {
    int32_t Version = 100;  // read and not used
    std::vector<std::string> Lines{"Text"};
    int32_t Alignment = 0;  // 0 left, 1 right, 2 centred
    float LineSpacing = 1.0f;
    TFontRecord Font;
    std::string Transform = "TWAScherung";
    bool Vertical = false;
    THotTrackData HotTrack;

    void Read(TEtikettFiler& filer);
    void Write(TEtikettFiler& filer) const;
};

// The barcode. The current layout starts with a negative Integer and the
// symbology; an older one starts with the symbology and lacks the AECOC
// flag and the data field.
struct TBarcodeRecord {
    int32_t Symbology = 4;  // Code 2/5 Interleaved, the barcode object's default
    std::string Text;
    std::string AddOn;
    bool CheckDigit = true;
    bool ShowText = true;
    bool AECOC = false;
    std::string DataField;
    bool OlderLayout = false;  // set by Read

    void Read(TEtikettFiler& filer);
    // Always the current layout.
    void Write(TEtikettFiler& filer) const;
};

// One folder of the older directory listing.
struct TDirOutlineEntry {
    std::string Path;
    std::string Second;
    int32_t Level = 0;
    bool Flags[4] = {};  // listed, has sub-folders, sub-folders shown, (unused)
    int32_t Flag5 = 0;   // a state; the entry is listed only when it is not 0
    bool Flag6 = false;  // last among its siblings
    bool Flag7 = false;
};

// The older directory listing.
struct TDirOutlineRecord {
    TFontRecord Font;
    bool PrintPlusSigns = true;
    bool PrintFolderSymbols = true;
    bool PrintLines = true;
    int32_t Columns = 1;
    std::vector<TDirOutlineEntry> Entries;

    void Read(TEtikettFiler& filer);
    void Write(TEtikettFiler& filer) const;
};
