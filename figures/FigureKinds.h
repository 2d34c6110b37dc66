#pragma once
// The class code of every figure (its kind byte, tested instead of class
// tests) and the element codes of documents: the raw byte in front of each
// figure record and block of a design.

#include <cstdint>

enum class TFigureKind : uint8_t {
    Figure = 0,  // the abstract base
    Linie = 1,
    Rechteck = 2,
    Ellipse = 3,
    Text = 4,
    Bild = 5,
    FigureGroup = 6,
    RotateText = 7,
    DirOutline = 8,
    FieldText = 9,
    RTFText = 10,
    RotateRTFText = 11,
    Bild32 = 12,
    AutoForm = 13,
    Wordart = 14,
    Barcode = 15,
    DirOutline2 = 16,
    CharSymbol = 17,
    Tracktabelle = 18,
    RTFTabelle = 19,
    Zaehlerfeld = 20,
};

enum TElementCode : uint8_t {
    ecEnd = 0,     // ends a design's figures or a group's members
    ecDesign = 1,
    ecFigure = 2,  // an entry without a figure
    ecSheet = 3,
    ecLinie = 4,
    ecRechteck = 5,
    ecEllipse = 6,
    ecText = 7,
    ecBild = 8,
    ecFigureGroup = 9,
    ecRotateText = 10,
    ecDirOutline = 11,
    ecFieldText = 12,
    ecFieldList = 13,
    ecRTFText = 14,
    ecRotateRTFText = 15,
    ecBild32 = 16,
    ecAutoForm = 17,
    ecWordart = 18,
    ecBarcode = 19,
    ecDirOutline2 = 20,
    ecCharSymbol = 21,
    ecTracktabelle = 22,
    ecRTFTabelle = 23,
    ecDatabase = 24,
    ecZaehlerfeld = 25,
};

// kind + 3 for kinds 1 to 9, kind + 4 for kinds 10 to 19, 25 for kind 20;
// ecFigure for the base.
constexpr uint8_t ElementCodeOfKind(TFigureKind kind) {
    const uint8_t k = static_cast<uint8_t>(kind);
    if (k == 0) return ecFigure;
    if (k <= 9) return static_cast<uint8_t>(k + 3);
    if (k <= 19) return static_cast<uint8_t>(k + 4);
    return ecZaehlerfeld;
}
