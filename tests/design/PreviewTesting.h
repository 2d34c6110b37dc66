#pragma once
// Documents for the preview tests: the content streams that figures embed
// (written here by hand, as their objects do not exist yet) and a document
// with a figure of every kind.

#include "figures/Bild32.h"
#include "figures/Ellipse.h"
#include "figures/FigureGroup.h"
#include "foundation/StreamHelp.h"
#include "platform/imaging/Dib.h"
#include "platform/imaging/PictureFile.h"
#include "tests/support/DocumentBuilder.h"

#include <cstring>
#include <string>
#include <vector>

namespace preview_testing {

inline void WriteBytes(TStream& s, std::initializer_list<uint8_t> bytes) {
    for (const uint8_t b : bytes) StreamWriteByte(s, b);
}

// A bitmap file of width x height pixels at the depth (1 or 24 bits), all zero.
inline void WriteBitmapFile(TStream& s, int32_t width, int32_t height, uint16_t bits) {
    const uint32_t colors = bits == 1 ? 2 : 0;
    const uint32_t offset = 14 + 40 + 4 * colors;
    const uint32_t size = offset + imaging::RowBytesFor(width, bits) * static_cast<uint32_t>(height);
    WriteBytes(s, {'B', 'M'});
    StreamWriteValue<uint32_t>(s, size);
    StreamWriteValue<uint32_t>(s, 0);
    StreamWriteValue<uint32_t>(s, offset);
    StreamWriteValue<uint32_t>(s, 40);
    StreamWriteInt(s, width);
    StreamWriteInt(s, height);
    StreamWriteValue<uint16_t>(s, 1);
    StreamWriteValue<uint16_t>(s, bits);
    for (int i = 0; i < 6; ++i) StreamWriteValue<uint32_t>(s, 0);
    for (uint32_t i = 0; i < colors; ++i) StreamWriteValue<uint32_t>(s, i ? 0xFFFFFF : 0);
    for (uint32_t i = offset; i < size; ++i) StreamWriteByte(s, 0);
}

// Tree data of one folder with an image list of four 2 x 2 icons and a mask.
inline void WriteTreeData(TStream& s) {
    StreamWriteInt(s, 1);
    for (const char* text : {"Bilder", "Ordner", "", "01.01.2024", ""}) StreamWriteString(s, text);
    for (const int32_t v : {0, 0, 0}) StreamWriteInt(s, v);
    WriteBytes(s, {0, 0, 1, 1});
    WriteBytes(s, {'I', 'L'});
    for (const uint16_t v : {0x101, 0, 4, 4, 2, 2}) StreamWriteValue<uint16_t>(s, v);
    StreamWriteValue<uint32_t>(s, 0xFFFFFFFF);
    StreamWriteValue<uint16_t>(s, 1);  // with a mask
    for (int i = 0; i < 4; ++i) StreamWriteValue<int16_t>(s, -1);
    WriteBitmapFile(s, 8, 2, 24);
    WriteBitmapFile(s, 8, 2, 1);
    StreamWriteInt(s, 2);
    WriteBytes(s, {1, 1, 1, 1, 0, 1, 0});
}

// One square contour: a move and four lines.
inline void WriteContourList(TStream& s) {
    StreamWriteInt(s, 1);
    StreamWriteInt(s, 5);
    const float points[5][2] = {{0, 0}, {1, 0}, {1, 1}, {0, 1}, {0, 0}};
    for (int i = 0; i < 5; ++i) {
        StreamWriteInt(s, i == 0 ? 0 : 1);
        StreamWriteSingle(s, points[i][0]);
        StreamWriteSingle(s, points[i][1]);
        for (int k = 0; k < 4; ++k) StreamWriteSingle(s, 0);
    }
}

inline void WriteTrackTable(TStream& s) {
    WriteBytes(s, {1, 1});
    StreamWriteInt(s, 2);
    for (const char* text : {"Intro", "1:05", "Finale", "4:30"}) StreamWriteString(s, text);
}

inline void WriteRichTextTable(TStream& s) {
    StreamWriteInt(s, 1);
    StreamWriteInt(s, 2);
    StreamWriteInt(s, 2);
    for (const float v : {20.0f, 20.0f, 5.0f, 5.0f}) StreamWriteSingle(s, v);
    for (const int32_t v : {-1, 0, -1, 0}) StreamWriteInt(s, v);
    StreamWriteSingle(s, 20);
    StreamWriteSingle(s, 5);
    for (const char* text : {"{\\rtf1 A}", "", "{\\rtf1 B}", ""}) StreamWriteString(s, text);
}

// The bytes of a picture file of a small solid picture.
inline std::vector<uint8_t> PictureBytes(imaging::PictureFormat format, gdi::Color color) {
    imaging::DibHandle dib = imaging::CreateDIB(4, 4, 24);
    for (int y = 0; y < 4; ++y)
        for (int x = 0; x < 4; ++x) {
            uint8_t* p = dib->Row(y) + 3 * x;
            p[0] = static_cast<uint8_t>(color >> 16);
            p[1] = static_cast<uint8_t>(color >> 8);
            p[2] = static_cast<uint8_t>(color);
        }
    std::vector<uint8_t> bytes;
    imaging::EncodePicture(*dib, format, bytes);
    return bytes;
}

inline void WritePicture(TEtikettFiler& filer, uint8_t kind, const std::vector<uint8_t>& bytes) {
    TMemoryStream picture;
    picture.WriteBuffer(bytes.data(), static_cast<int64_t>(bytes.size()));
    WritePictureRecord(filer, kind, picture);
}

inline TBoxValues BoxAt(double x, double y, double w, double h, uint32_t fill = 0, double angle = 0) {
    TBoxValues v;
    v.CenterX = x;
    v.CenterY = y;
    v.Width = w;
    v.Height = h;
    v.Angle = angle;
    v.FillKind = fill ? 1 : 0;
    v.FillColor = fill;
    return v;
}

// One design of a 100 x 100 mm label with a figure of every kind on a
// 4 x 5 grid of cells, and last a red square in the bottom-right corner
// (97, 97) that is drawn only when every record before it was read in step.
inline void WriteEveryKind(TDocumentBuilder& doc) {
    doc.Sheet(100, 100).Designs(1).BeginDesign();
    auto cell = [](int i) { return BoxAt(12 + (i % 4) * 24, 10 + (i / 4) * 20, 20, 14); };

    TLinie line(nullptr);
    line.SetCenterX(12);
    line.SetCenterY(10);
    line.SetWidth(20);
    line.SetHeight(14);
    line.SetPenWidth(0.5f);
    doc.Figure(line);

    TRechteck rect(nullptr);
    rect.SetCenterX(36);
    rect.SetCenterY(10);
    rect.SetWidth(20);
    rect.SetHeight(14);
    rect.SetFillColor(gdi::Rgb(255, 200, 0));
    rect.SetAngle(20);
    doc.Figure(rect);

    TEllipse ellipse(nullptr);
    ellipse.SetCenterX(60);
    ellipse.SetCenterY(10);
    ellipse.SetWidth(20);
    ellipse.SetHeight(14);
    ellipse.SetFillColor(gdi::Rgb(0, 160, 255));
    doc.Figure(ellipse);

    TFigureGroup group(nullptr);
    group.SetCenterX(84);
    group.SetCenterY(10);
    group.SetWidth(16);
    group.SetHeight(8);
    for (int k = 0; k < 2; ++k) {
        auto member = std::make_unique<TEllipse>(nullptr);
        member->SetCenterX(80 + k * 8);
        member->SetCenterY(10);
        member->SetWidth(8);
        member->SetHeight(8);
        member->SetFillColor(gdi::Rgb(0, 200, 0));
        group.AddMember(std::move(member));
    }
    doc.Figure(group);

    TTextRecord text;
    text.Font.Size = 10;
    text.Font.Style = fsBold;
    text.Text = "Plain text";
    doc.Box(ecText, cell(4));
    text.Write(doc.filer);

    doc.Box(ecRotateText, cell(5));
    text.Text = "Round text";
    text.Write(doc.filer);
    TCircleTextRecord{0, 1.2}.Write(doc.filer);

    doc.Box(ecFieldText, cell(6));
    text.Text = "value";
    text.Write(doc.filer);
    TFieldTextRecord{"100001", "Name", "Wert"}.Write(doc.filer);

    doc.Box(ecBild, cell(7));
    WritePicture(doc.filer, TBild32::kPictureRaster, PictureBytes(imaging::PictureFormat::Bmp, gdi::Rgb(255, 0, 255)));

    TMemoryStream dibStream;
    StreamWriteString(dibStream, ".png");
    const std::vector<uint8_t> png = PictureBytes(imaging::PictureFormat::Png, gdi::Rgb(0, 128, 128));
    dibStream.WriteBuffer(png.data(), static_cast<int64_t>(png.size()));
    doc.Box(ecBild32, cell(8));
    WritePicture(doc.filer, TBild32::kPictureRaster, dibStream.Bytes());

    doc.Box(ecDirOutline, cell(9));
    TDirOutlineRecord listing;
    listing.Font.Size = 6;
    listing.Columns = 2;
    listing.Entries.push_back({"C:\\Bilder", "", 0, {true, false, false, false}, 2, true, false});
    listing.Write(doc.filer);

    doc.Box(ecDirOutline2, cell(10));
    TFontRecord{}.Write(doc.filer);
    WriteTreeData(*doc.filer.Stream);

    TRTFTextRecord rtf;
    rtf.FrameKind = 2;
    rtf.CornerSize = 3;
    rtf.RTF = "{\\rtf1 Rich text}";
    TBoxValues framed = cell(11);
    framed.PenColor = gdi::Rgb(0, 0, 160);
    framed.PenWidth = 0.5;
    doc.Box(ecRTFText, framed);
    rtf.Write(doc.filer);

    doc.Box(ecRotateRTFText, cell(12));
    rtf.Write(doc.filer);
    TCircleTextRecord{1, 1.0}.Write(doc.filer);

    doc.Box(ecAutoForm, BoxAt(36, 70, 20, 14, gdi::Rgb(255, 128, 128)));
    TAutoFormRecord shape;
    shape.ShapeClass = "TEllipseShape";
    shape.Write(doc.filer);

    doc.Box(ecWordart, cell(14));
    TWordartRecord{}.Write(doc.filer);

    doc.Box(ecBarcode, BoxAt(84, 70, 22, 14));
    TBarcodeRecord barcode;
    barcode.Symbology = 5;  // Code 128
    barcode.Text = "ZORBIT";
    barcode.Write(doc.filer);

    doc.Box(ecCharSymbol, cell(16));
    WriteContourList(*doc.filer.Stream);

    doc.Box(ecTracktabelle, BoxAt(36, 90, 20, 14, gdi::Rgb(220, 220, 255)));
    TFontRecord{}.Write(doc.filer);
    WriteTrackTable(*doc.filer.Stream);

    doc.Box(ecRTFTabelle, BoxAt(60, 90, 20, 14, gdi::Rgb(220, 255, 220)));
    WriteRichTextTable(*doc.filer.Stream);

    TBoxValues counter = BoxAt(84, 90, 20, 14, gdi::Rgb(255, 255, 160));
    counter.PenColor = gdi::Rgb(160, 120, 0);
    doc.Box(ecZaehlerfeld, counter);
    rtf.FrameKind = 1;
    rtf.Write(doc.filer);
    TZaehlerfeldRecord{}.Write(doc.filer);

    doc.Box(ecRechteck, BoxAt(97, 97, 4, 4, gdi::Rgb(255, 0, 0)));
    doc.EndDesign();
}

}  // namespace preview_testing
