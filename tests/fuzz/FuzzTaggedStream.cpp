// Reads arbitrary bytes as a tagged value stream. The first byte chooses the
// variant (bit 0: legacy) and whether a header comes first (bit 1); bit 2
// reads figure elements (lines, rectangles, ellipses, auto-shapes, barcodes,
// nested groups, picture figures with their embedded raster pictures and
// metafiles, and the older picture figure, which is read as a current one) instead of
// typed values, and bit 3 reads them after a label-sheet block with its
// element code, as a document holds them. Otherwise each untagged byte names
// the next typed read.
// Reading may end only with the read-error or invalid-file exception. Every
// value or figure read is written again by a second filer and read back from
// there: it must come back bit for bit.
// fuzz-max-len: 8192
#include "document/Etikett.h"
#include "document/EtikettFiler.h"
#include "figures/Figure.h"
#include "figures/FigureFactory.h"
#include "platform/imaging/Dib.h"
#include "platform/qtprinter/QtPrinterBackend.h"

#include <QtGui/QGuiApplication>

#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

namespace {

struct Value {
    uint8_t kind;
    std::string bytes;
};

template <class T>
std::string BytesOf(const T& v) {
    return std::string(reinterpret_cast<const char*>(&v), sizeof v);
}

std::string StreamBytes(TMemoryStream& s) {
    return std::string(reinterpret_cast<const char*>(s.Memory()), static_cast<size_t>(s.Size()));
}

// One typed read (kind 0-7) from reader; the value is written to writer too.
Value ReadOne(uint8_t kind, TEtikettFiler& reader, TEtikettFiler& writer) {
    switch (kind) {
    case 0: {
        const bool v = reader.ReadTaggedBoolean();
        writer.WriteTaggedBoolean(v);
        return {kind, BytesOf(v)};
    }
    case 1: {
        const int32_t v = reader.ReadTaggedInteger();
        writer.WriteTaggedInteger(v);
        return {kind, BytesOf(v)};
    }
    case 2: {
        const int32_t v = reader.ReadTaggedLongint();
        writer.WriteTaggedLongint(v);
        return {kind, BytesOf(v)};
    }
    case 3: {
        const float v = reader.ReadTaggedSingle();
        writer.WriteTaggedSingle(v);
        return {kind, BytesOf(v)};
    }
    case 4: {
        const double v = reader.ReadTaggedDouble();
        writer.WriteTaggedDouble(v);
        return {kind, BytesOf(v)};
    }
    case 5: {
        const std::string v = reader.ReadTaggedString();
        writer.WriteTaggedString(v);
        return {kind, v};
    }
    case 6: {
        // As records hold streams: the count as a tagged value, then the bytes.
        const int32_t count = reader.ReadTaggedLongint();
        TMemoryStream target;
        reader.ReadTaggedStream(target, count);
        writer.WriteTaggedLongint(static_cast<int32_t>(target.Size()));
        target.SetPosition(0);
        writer.WriteTaggedStream(target, target.Size());
        return {kind, StreamBytes(target)};
    }
    default: {
        const uint8_t v = reader.ReadRawByte();
        writer.WriteRawByte(v);
        return {kind, BytesOf(v)};
    }
    }
}

// Figure elements until the end code or an invalid one; each figure is
// written, read back and written again, giving the same bytes.
void ReadFigures(TEtikettFiler& reader) {
    while (true) {
        std::unique_ptr<TFigure> figure;
        try {
            if (ReadFigureElement(reader, nullptr, figure) == 0) return;
        } catch (const EFilerReadError&) {
            return;
        }
        if (!figure) continue;
        TMemoryStream first;
        TEtikettFiler writer;
        writer.Stream = &first;
        figure->SaveToFiler(writer);
        first.SetPosition(0);
        TEtikettFiler again;
        again.Stream = &first;
        std::unique_ptr<TFigure> copy;
        ReadFigureElement(again, nullptr, copy);
        if (!copy || first.Remaining() != 0) std::abort();
        TMemoryStream second;
        writer.Stream = &second;
        copy->SaveToFiler(writer);
        if (first.Bytes() != second.Bytes()) std::abort();
        if (reader.Aborted) return;
    }
}

// A sheet block, as in a document: its element code, then the block. A sheet
// that was read is sound. False when the block was refused.
bool ReadSheet(TEtikettFiler& reader) {
    TEtikett sheet;
    try {
        if (reader.ReadRawByte() != TEtikett::kSheetElementCode) return false;
        sheet.LoadFromFiler(reader);
    } catch (const EFilerReadError&) {
        return false;
    } catch (const EInvalidSheet&) {
        return false;
    }
    if (!sheet.GeometryProblem().empty()) std::abort();
    return true;
}

}  // namespace

extern "C" int LLVMFuzzerInitialize(int* argc, char*** argv) {
    setenv("QT_QPA_PLATFORM", "offscreen", 0);
    static QGuiApplication app(*argc, *argv);
    gdi::InstallQtPrinters();
    imaging::SetPixelLimit(1 << 20);  // pictures in records stay small
    SetSkippedPlacesHandler([](const QString&) {});
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size == 0) return 0;
    TMemoryStream input(std::vector<uint8_t>(data + 1, data + size));
    TEtikettFiler reader;
    reader.Stream = &input;
    reader.IsLegacy = (data[0] & 1) != 0;
    if (data[0] & 8) {
        if (ReadSheet(reader)) ReadFigures(reader);
        return 0;
    }
    if (data[0] & 4) {
        ReadFigures(reader);
        return 0;
    }
    TMemoryStream copy;
    TEtikettFiler writer;
    writer.Stream = &copy;

    std::vector<Value> values;
    int64_t complete = 0;  // the copy up to the last whole value
    try {
        if (data[0] & 2) reader.ReadHeader();
        while (input.Remaining() > 0) {
            const uint8_t kind = reader.ReadRawByte() % 8;
            writer.WriteRawByte(kind);
            values.push_back(ReadOne(kind, reader, writer));
            complete = copy.Size();
        }
    } catch (const EFilerReadError&) {
    } catch (const EInvalidFile&) {
    }
    copy.SetSize(complete);

    // What was written reads back the same, in the current variant.
    copy.SetPosition(0);
    TEtikettFiler again;
    again.Stream = &copy;
    TEtikettFiler sink;
    TMemoryStream discard;
    sink.Stream = &discard;
    for (const Value& expected : values) {
        const uint8_t kind = again.ReadRawByte();
        const Value read = ReadOne(kind, again, sink);
        if (read.kind != expected.kind || read.bytes != expected.bytes) std::abort();
    }
    if (copy.Remaining() != 0) std::abort();
    return 0;
}
