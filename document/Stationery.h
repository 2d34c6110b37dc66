#pragma once
// The built-in stationery: every label product of the catalogue, and the
// special sheets among them (CD and DVD labels, inlays, cover cards) with the
// parts that the guide outlines, zoom regions and wizard data are made from.
// The products and most special sheets are generated from the stationery data
// into StationeryTable.cpp (scripts/gen-stationery-table); the sheets of the
// program's own brand are kept by hand in Stationery.cpp.
//
// A special sheet is found through its shape key. Most of them are designed as
// one label the size of the page, the discs, inlays and covers lying on it as
// guides; a per-label sheet keeps the product's grid and each label is a ring.
// Lengths are millimetres on the portrait page (per-label sheets: on the label).

#include <cstdint>
#include <span>
#include <string>
#include <string_view>

enum class TStationeryShape : uint8_t { Rectangle, Round, Ellipse, Disc };

struct TStationeryProduct {
    const char* Brand;
    const char* Part;
    const char* Category;  // ';'-separated: label, mail, media, card, ...
    const char* Paper;     // A4, US-Letter, A5, A6, Other, ...
    float PageWidth;
    float PageHeight;
    TStationeryShape Shape;
    float LabelWidth;   // round labels and discs: the outer diameter
    float LabelHeight;
    float Radius;       // corner radius of rectangles; outer radius of round labels and discs
    float Hole;         // radius of a disc's centre hole
    int32_t Columns;
    int32_t Rows;
    float Left;
    float Top;
    float GapX;
    float GapY;
};

enum class TSheetPartKind : uint8_t { Disc, Inlay, Cover, Label };

// One printable part of a special sheet: the bounding box, for a disc the
// square around it.
struct TSheetPart {
    TSheetPartKind Kind;
    float Left;
    float Top;
    float Width;
    float Height;
    float Hole;   // disc: diameter of the centre hole, 0 for none
    float Spine;  // inlay: width of the spine on either side
};

struct TSpecialSheet {
    const char* ShapeKey;
    float PageWidth;
    float PageHeight;
    bool PerLabel;
    const TSheetPart* Parts;
    int32_t PartCount;

    std::span<const TSheetPart> PartList() const { return {Parts, static_cast<size_t>(PartCount)}; }
};

// A row of the shape-key lookup: the text searched for in the sheet's name and
// article, the shape key it gives and, for coloured discs, the colour of their
// printable surface ($BBGGRR).
struct TSpecialSheetRow {
    static constexpr uint32_t kWhiteSurface = 0xFFFFFF;
    const char* SearchText;
    const char* ShapeKey;
    uint32_t SurfaceColor = kWhiteSurface;
};

// The catalogue, in the order of the stationery data.
std::span<const TStationeryProduct> StationeryProducts();
// Generated special sheets and their search rows (longer texts before the
// texts they contain).
std::span<const TSpecialSheet> GeneratedSpecialSheets();
std::span<const TSpecialSheetRow> GeneratedSearchRows();
// The own brand's special sheets and their search rows.
std::span<const TSpecialSheet> OwnBrandSpecialSheets();
std::span<const TSpecialSheetRow> OwnBrandSearchRows();
// The special sheet of a shape key; nullptr for any other key.
const TSpecialSheet* FindSpecialSheet(std::string_view shapeKey);

// "<brand> <part>": the name and article of a catalogue product's sheet.
std::string StationeryArticleKey(const TStationeryProduct& product);
// The catalogue product of a brand and part; nullptr when there is none.
const TStationeryProduct* FindStationeryProduct(std::string_view brand, std::string_view part);
