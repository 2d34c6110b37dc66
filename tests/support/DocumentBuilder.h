#pragma once
// Writes documents for tests and benchmarks until the document writer
// exists: the header, the sheet block, designs with their captions and
// figures, each through the figures' own writers, or for figure kinds
// without a class through the shared record writers.

#include "document/Etikett.h"
#include "document/EtikettFiler.h"
#include "figures/ContentFigureRecords.h"
#include "figures/Figure.h"
#include "figures/FigureKinds.h"
#include "foundation/FillData.h"

#include <QtCore/QFile>
#include <QtCore/QString>

#include <cstdint>
#include <string>
#include <vector>

// The geometry and pen of a figure written through the record writers.
struct TBoxValues {
    double CenterX = 0, CenterY = 0, Width = 10, Height = 10, Angle = 0;
    int32_t PenStyle = 0;
    int32_t PenColor = 0;
    double PenWidth = 0.2;
    uint8_t FillKind = 0;
    uint32_t FillColor = 0xFFFFFF;
};

class TDocumentBuilder {
public:
    TDocumentBuilder() {
        filer.Stream = &stream;
        filer.WriteHeader();
    }

    TEtikettFiler filer;
    TMemoryStream stream;

    // The sheet block with its element code.
    TDocumentBuilder& Sheet(const TEtikett& sheet) {
        sheet.SaveToFiler(filer);
        return *this;
    }
    // A sheet of one label of width x height mm (orientation 1: landscape).
    TDocumentBuilder& Sheet(float width, float height, uint8_t orientation = 0) {
        TEtikett sheet;
        sheet.SetLabelWidth(width);
        sheet.SetLabelHeight(height);
        sheet.SetPageWidth(std::max(width, height));
        sheet.SetPageHeight(std::max(width, height));
        sheet.SetOrientation(orientation);
        return Sheet(sheet);
    }
    TDocumentBuilder& Designs(int32_t count) {
        filer.WriteTaggedLongint(count);
        return *this;
    }
    TDocumentBuilder& BeginDesign(const std::string& caption = "Etikett 1") {
        filer.WriteRawByte(ecDesign);
        filer.WriteTaggedString(caption);
        return *this;
    }
    TDocumentBuilder& EndDesign() { return Raw(ecEnd); }
    TDocumentBuilder& Raw(uint8_t byte) {
        filer.WriteRawByte(byte);
        return *this;
    }
    // A figure of a class the program has, through its own writer.
    TDocumentBuilder& Figure(TFigure& figure) {
        figure.SaveToFiler(filer);
        return *this;
    }
    // The element code, then the base, line and rectangle records of a box
    // figure; the caller writes the class's own record behind it.
    TDocumentBuilder& Box(uint8_t code, const TBoxValues& v) {
        filer.WriteRawByte(code);
        TBaseRecord base;
        base.CenterX = v.CenterX;
        base.CenterY = v.CenterY;
        base.Width = v.Width;
        base.Height = v.Height;
        base.Angle = v.Angle;
        base.Write(filer);
        TLinieRecord line;
        line.PenStyle = v.PenStyle;
        line.PenColor = v.PenColor;
        line.PenWidth = v.PenWidth;
        line.Write(filer);
        TFillData fill;
        fill.SetKind(v.FillKind);
        fill.SetColor(v.FillColor);
        WriteRechteckRecord(filer, fill, TInnerMargins{});
        return *this;
    }

    std::vector<uint8_t> Bytes() const { return stream.Bytes(); }
    bool SaveTo(const QString& fileName) const {
        QFile file(fileName);
        if (!file.open(QIODevice::WriteOnly)) return false;
        const std::vector<uint8_t>& bytes = stream.Bytes();
        return file.write(reinterpret_cast<const char*>(bytes.data()), static_cast<qint64>(bytes.size())) ==
               static_cast<qint64>(bytes.size());
    }
};
